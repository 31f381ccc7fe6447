#pragma once

// One simulated physical device on a virtual bus, and the controls a test or the command line
// has over it: plug and unplug its cable and its receiver, switch it off and on (its receiver
// then answers every command with 0xAA), send notification codes, inject faults, and reach its
// firmware's memory.
//
// A device on its cable talks over the cable; its receiver, if plugged too, stays present but
// answers for a device that is not linked until the cable is pulled again.

#include <cstdint>
#include <memory>
#include <span>

#include "emulator/DeviceFirmware.h"
#include "emulator/EmulatedModels.h"
#include "emulator/FaultPlan.h"

namespace dw::emu {

class VirtualBusCore;
struct DeviceState;
class KeyboardFirmware;
class MouseFirmware;
class MousepadFirmware;
class HeadsetFirmware;

class EmulatedDevice {
public:
    EmulatedDevice(std::shared_ptr<VirtualBusCore> core, DeviceState& state);

    DeviceModel Model() const { return model_; }

    // Each returns false when nothing changed (already in that state, or no receiver exists).
    bool PlugCable();
    bool UnplugCable();
    bool PlugReceiver();
    bool UnplugReceiver();
    // Cable: plugs the cable (a plugged receiver stays). Receiver: plugs the receiver if it is
    // out and pulls the cable, so the device goes on over the air.
    void ConnectVia(Link link);
    bool CablePlugged() const;
    bool ReceiverPlugged() const;

    // The device's power switch. Off, the receiver cannot reach it; a device on its cable
    // keeps working from the cable's power whatever the switch says.
    void SetPowered(bool on);
    bool Powered() const;
    bool ReceiverLinked() const;

    // Sends a notification code on the consumer-control collection of the connection the
    // device uses now (cable, else a linked receiver). False when it has none.
    bool SendNotification(uint16_t code);

    // What the device does when its user switches profile with an on-board key: the active
    // profile byte changes and the host is told, with 0x1000 + profile from a keyboard or a
    // mouse and with the re-synchronisation request 0x0401 from the mousepad and the headset,
    // which report no profile codes. False when the device has no firmware or the profile is
    // above 15.
    bool SwitchProfileOnDevice(uint8_t profile);

    // Sends any input report on interface `interfaceNumber` of `link`, as the device would:
    // report id first on an interface with ids, the bare data on one without. False when that
    // interface is not present.
    bool SendInputReport(Link link, int interfaceNumber, std::span<const uint8_t> report);

    void InjectFault(const FaultSpec& fault);
    void ClearFaults();

    // The firmware, or null for the unrelated device. Its members lock on their own.
    DeviceFirmware* Firmware() const;
    KeyboardFirmware* Keyboard() const;
    MouseFirmware* Mouse() const;
    MousepadFirmware* Mousepad() const;
    HeadsetFirmware* Headset() const;

    // Node names the device presents on `link` now, lowest interface first.
    std::vector<std::string> NodeNames(Link link) const;

private:
    std::shared_ptr<VirtualBusCore> core_;
    DeviceState& state_;
    DeviceModel model_;
};

}  // namespace dw::emu
