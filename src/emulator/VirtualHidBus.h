#pragma once

// The emulator's HID backend: a virtual bus that lists and opens the interfaces of simulated
// devices exactly as the hidraw backend lists and opens real ones (one node per USB HID
// interface with its report descriptor, vendor and product ids, version and interface number).
// Devices are added switched on and unplugged; a test or the command line plugs them in.
//
//   VirtualHidBus bus;
//   EmulatedDevice& keyboard = bus.AddDevice(DeviceModel::Keyboard);
//   keyboard.PlugCable();
//   auto node = bus.Open(keyboard.NodeNames(Link::Cable)[1], {});
//
// Thread-safe. Node names have the form "/dev/hidraw-emuN"; numbers are reused the way hidraw
// reuses minor numbers, and a handle stays bound to the interface it opened. As with hidraw,
// any number of handles may be open on one node: OpenMode::exclusive is not enforced.

#include <memory>
#include <string>
#include <vector>

#include "emulator/EmulatedDevice.h"
#include "emulator/EmulatedModels.h"
#include "emulator/ReportTrace.h"
#include "platform/hid/HidBackend.h"

namespace dw::emu {

class VirtualBusCore;

class VirtualHidBus final : public hid::IHidBackend {
public:
    VirtualHidBus();
    // Unplugs every device: handles still open fail their waits instead of hanging.
    ~VirtualHidBus() override;

    VirtualHidBus(const VirtualHidBus&) = delete;
    VirtualHidBus& operator=(const VirtualHidBus&) = delete;

    std::vector<hid::HidNodeInfo> ListNodes() override;
    std::unique_ptr<hid::IHidNode> Open(const std::string& node, const hid::OpenMode& mode) override;
    uint64_t ChangeCount() override;

    // Adds a simulated device, switched on and plugged nowhere. The reference stays valid for
    // the bus's lifetime.
    EmulatedDevice& AddDevice(DeviceModel model);
    // The first device of `model`, or null.
    EmulatedDevice* FindDevice(DeviceModel model);
    std::vector<EmulatedDevice*> Devices();

    // Every report in both directions.
    ReportTrace& Trace();

private:
    std::shared_ptr<VirtualBusCore> core_;
    std::vector<std::unique_ptr<EmulatedDevice>> devices_;   // guarded by the core's mutex
};

}  // namespace dw::emu
