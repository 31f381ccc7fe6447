#pragma once

// The shared state of one virtual bus: the simulated devices, the nodes they present, the open
// handles' input queues, and the rules by which reports move between them. One mutex guards
// all of it; firmware replies are produced on the writer's thread while it is held, so a
// transaction with no fault costs a few microseconds. Handles keep the core alive, so a handle
// that outlives its bus fails its calls instead of touching freed memory.
//
// Internal to the emulator: tests and callers use VirtualHidBus, EmulatedDevice and the
// IHidNode handles.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "emulator/DeviceFirmware.h"
#include "emulator/EmulatedModels.h"
#include "emulator/FaultPlan.h"
#include "emulator/ReportTrace.h"
#include "platform/hid/HidBackend.h"

namespace dw::emu {

using Clock = std::chrono::steady_clock;

// The input queue of one open handle. hidraw keeps at most 64 reports per open file and
// drops new ones while the reader lags; so does this queue.
struct HandleQueue {
    static constexpr size_t kCapacity = 64;

    struct Pending {
        Clock::time_point due;      // a late reply is held back until then
        std::vector<uint8_t> bytes;
    };
    std::deque<Pending> reports;
    bool abortPending = false;
    std::condition_variable wake;
};

struct DeviceState;

// One plugged USB HID interface.
struct BusNode {
    int number = 0;
    hid::HidNodeInfo info;
    const InterfaceLayout* layout = nullptr;
    DeviceState* device = nullptr;
    Link link = Link::Cable;
    bool present = true;
    std::vector<std::shared_ptr<HandleQueue>> readers;
};

// One physical device and how it is attached.
struct DeviceState {
    DeviceModel model = DeviceModel::Keyboard;
    std::unique_ptr<DeviceFirmware> firmware;   // null for a device that speaks another protocol
    bool powered = true;
    FaultPlan faults;
    std::vector<std::shared_ptr<BusNode>> cableNodes;      // empty while unplugged
    std::vector<std::shared_ptr<BusNode>> receiverNodes;   // empty while the receiver is out
};

class VirtualBusCore {
public:
    std::mutex mutex;

    // All members below require `mutex` held.
    std::vector<std::shared_ptr<BusNode>> nodes;   // present nodes, by number
    std::vector<std::unique_ptr<DeviceState>> devices;
    uint64_t changeCount = 0;
    ReportTrace trace;                              // has its own lock

    bool Plug(DeviceState& device, Link link);
    bool Unplug(DeviceState& device, Link link);

    // The receiver reaches its device only while the device is on and not on its cable (a
    // tri-mode device switches its radio off while the cable carries its traffic).
    static bool ReceiverLinked(const DeviceState& device);

    // An output report written by the host on `node`; `report` starts with the report id (a
    // leading 0 on a node without ids).
    void HandleOutput(BusNode& node, std::span<const uint8_t> report);

    // Sends an input report to every reader of `node`; `wire` is the report as the device
    // sends it (id first when the node uses ids). Held back by `delayMs`.
    void Deliver(BusNode& node, std::vector<uint8_t> wire, int delayMs);

    // The node of `device` on `link` that has interface `interfaceNumber`, or null.
    static BusNode* FindNode(DeviceState& device, Link link, int interfaceNumber);

    // Where the device's notifications go now: its cable when plugged, else a linked receiver.
    static BusNode* NotificationNode(DeviceState& device);

private:
    void HandleCommandFrame(BusNode& node, const Report& frame);
    int LowestFreeNumber() const;
};

}  // namespace dw::emu
