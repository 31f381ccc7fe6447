#pragma once

// The emulated devices of a run under --emulate: the virtual HID bus the program uses instead of
// hidraw, and the controls the automation channel has over it (plug and unplug a cable or a
// receiver, the power switch, notification codes). Device names are those of --emulate.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/hid/HidBackend.h"

namespace dw::emu {
class VirtualHidBus;
}

namespace dw::app {

class CEmulatorControl {
public:
    // The bus with the listed devices plugged in; an empty (or blank) list gives a bus with
    // nothing plugged in. Null, with `error` set to one sentence, for an unknown name.
    static std::unique_ptr<CEmulatorControl> Create(const std::string& list, std::string& error);

    ~CEmulatorControl();
    CEmulatorControl(const CEmulatorControl&) = delete;
    CEmulatorControl& operator=(const CEmulatorControl&) = delete;

    // The bus as the HID backend the program selects.
    std::shared_ptr<hid::IHidBackend> Backend() const;

    // Each returns an empty string on success, else the reason it failed (unknown device, no
    // change: already plugged or unplugged, nothing to notify through).
    std::string Plug(const std::string& device);
    std::string Unplug(const std::string& device);
    std::string SetPower(const std::string& device, bool on);
    std::string Notify(const std::string& device, uint16_t code);

private:
    explicit CEmulatorControl(std::shared_ptr<emu::VirtualHidBus> bus);

    std::shared_ptr<emu::VirtualHidBus> m_bus;
};

}  // namespace dw::app
