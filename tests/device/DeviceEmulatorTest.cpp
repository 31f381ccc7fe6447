// The device base against emulated devices: the host lighting command when lighting is
// switched on, and the notification reader on a device's notification interface.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>

#include "DeviceProbe.h"
#include "emulator/EmulatorFactory.h"
#include "emulator/KeyboardFirmware.h"
#include "emulator/VirtualHidBus.h"
#include "keyboard/KeyboardProtocol.h"
#include "transport/DeviceKinds.h"
#include "transport/DiscoveryPass.h"
#include "transport/TransportResult.h"
#include "transport/device/CDeviceNotificationThread.h"

namespace dw {
namespace {

using test::DeviceProbe;

std::unique_ptr<emu::VirtualHidBus> MakeBus(std::string_view list)
{
    std::unique_ptr<emu::VirtualHidBus> bus;
    std::string bad;
    EXPECT_EQ(emu::BuildEmulatedBus(list, bus, bad), emu::kEmulateOk) << bad;
    return bus;
}

std::map<int, DeviceInterfaceEntry> Discover(hid::IHidBackend& backend)
{
    CDeviceSlotList slots;
    CHidConnection probe(&backend);
    std::map<int, DeviceInterfaceEntry> claimed;
    EXPECT_TRUE(RunDiscoveryPass(probe, slots, [&](int slot, const DeviceInterfaceEntry& e) { claimed[slot] = e; }));
    return claimed;
}

// Opens the device's command transport on `slot` as the device list does.
bool Connect(CKestovarUSBDevice& device, const DeviceInterfaceEntry& slot)
{
    CDeviceTransport& transport = device.CommandTransport();
    const bool receiver = IsReceiverKind(slot.kind);
    std::lock_guard io(transport.IoLock());
    CHidConnection& connection = receiver ? transport.ReceiverConnection() : transport.WiredConnection();
    const bool opened = connection.OpenPath(slot.path, true, true, true, false);
    transport.SetOpened(opened);
    transport.SetLinkMode(LinkModeOfKind(slot.kind));
    return opened;
}

// Commands the host wrote since the trace was cleared.
std::vector<uint8_t> CommandsSent(emu::VirtualHidBus& bus)
{
    std::vector<uint8_t> commands;
    for (const emu::TraceEntry& entry : bus.Trace().Entries()) {
        if (entry.direction == emu::TraceDirection::HostToDevice && entry.bytes.size() > frame::kCommand)
            commands.push_back(entry.bytes[frame::kCommand]);
    }
    return commands;
}

TEST(DeviceLightingSwitch, SwitchingOnSendsHostLightingToACableKeyboardOnly)
{
    struct Case {
        const char* devices;
        int slot;
        bool connect;
        int enabled;
        int expectedResult;
        std::vector<uint8_t> expectedCommands;
    };
    const Case cases[] = {
        {"keyboard", 0, true, 1, result::kSuccess, {cmd::kHostLightingControl}},
        {"keyboard", 0, true, 0, result::kNothing, {}},               // switching off sends nothing
        {"keyboard", 0, false, 1, result::kNothing, {}},              // not opened: no I/O at all
        {"keyboard-receiver", 2, true, 1, result::kNothing, {}},      // kind 9
        {"mouse", 4, true, 1, result::kNothing, {}},
        {"mousepad", 8, true, 1, result::kNothing, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.devices << " slot " << c.slot << " connect " << c.connect << " enabled "
                                        << c.enabled);
        auto bus = MakeBus(c.devices);
        const auto slots = Discover(*bus);
        ASSERT_TRUE(slots.count(c.slot));
        DeviceProbe device(bus.get());
        device.SetInterfaceEntry(slots.at(c.slot));
        if (c.connect) {
            ASSERT_TRUE(Connect(device, slots.at(c.slot)));
        }
        bus->Trace().Clear();

        EXPECT_EQ(device.SetLightingEnabled(c.enabled), c.expectedResult);
        EXPECT_EQ(device.GetLightingEnabled(), c.enabled);
        EXPECT_EQ(CommandsSent(*bus), c.expectedCommands);
    }
}

TEST(DeviceLightingSwitch, TheKeyboardTakesTheHostsLighting)
{
    auto bus = MakeBus("keyboard");
    const auto slots = Discover(*bus);
    DeviceProbe device(bus.get());
    device.SetInterfaceEntry(slots.at(0));
    ASSERT_TRUE(Connect(device, slots.at(0)));
    emu::KeyboardFirmware* firmware = bus->FindDevice(emu::DeviceModel::Keyboard)->Keyboard();
    ASSERT_NE(firmware, nullptr);
    EXPECT_FALSE(firmware->HostLightingActive());
    EXPECT_EQ(device.SetLightingEnabled(1), result::kSuccess);
    EXPECT_TRUE(firmware->HostLightingActive());
}

// Collects the notification codes a reader hands over.
class CodeSink {
public:
    void Add(uint16_t code)
    {
        std::lock_guard lock(mutex_);
        codes_.push_back(code);
        wake_.notify_all();
    }
    // Waits (bounded, generously) until `count` codes arrived; the test fails loudly otherwise.
    std::vector<uint16_t> WaitFor(size_t count)
    {
        std::unique_lock lock(mutex_);
        wake_.wait_for(lock, std::chrono::seconds(20), [&] { return codes_.size() >= count; });
        return codes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<uint16_t> codes_;
};

TEST(DeviceNotificationThread, HandsEveryNotificationCodeToTheHandler)
{
    auto bus = MakeBus("keyboard");
    const auto slots = Discover(*bus);
    ASSERT_TRUE(slots.count(1));
    CDeviceTransport transport(bus.get());
    CodeSink sink;
    CDeviceNotificationThread reader(transport, CDeviceNotificationThread::kShortStopWait,
                                     [&](uint16_t code, std::span<const uint8_t>) { sink.Add(code); });
    ASSERT_TRUE(reader.Start(CDeviceNotificationThread::Connection::Wired, slots.at(1).path));
    EXPECT_TRUE(transport.IsOpened());
    EXPECT_TRUE(reader.Running());

    emu::EmulatedDevice* keyboard = bus->FindDevice(emu::DeviceModel::Keyboard);
    ASSERT_TRUE(keyboard->SendNotification(0x1002));
    ASSERT_TRUE(keyboard->SendNotification(0x0401));
    EXPECT_EQ(sink.WaitFor(2), (std::vector<uint16_t>{0x1002, 0x0401}));

    EXPECT_EQ(reader.Stop(), CDeviceNotificationThread::StopOutcome::Ended);
    EXPECT_FALSE(reader.Running());
    EXPECT_FALSE(transport.IsOpened());
    EXPECT_FALSE(transport.WiredConnection().IsOpen());
    EXPECT_EQ(reader.Stop(), CDeviceNotificationThread::StopOutcome::NotRunning);
}

TEST(DeviceNotificationThread, StopsWhileBlockedAndAfterTheDeviceWentAway)
{
    auto bus = MakeBus("keyboard");
    const auto slots = Discover(*bus);
    CDeviceTransport transport(bus.get());
    CDeviceNotificationThread reader(transport, CDeviceNotificationThread::kLongStopWait, {});

    // Blocked in its read with nothing to come.
    ASSERT_TRUE(reader.Start(CDeviceNotificationThread::Connection::Wired, slots.at(1).path));
    EXPECT_EQ(reader.Stop(), CDeviceNotificationThread::StopOutcome::Ended);

    // Its interface vanished: the reader rests between failed reads and still stops.
    ASSERT_TRUE(reader.Start(CDeviceNotificationThread::Connection::Wired, slots.at(1).path));
    bus->FindDevice(emu::DeviceModel::Keyboard)->UnplugCable();
    EXPECT_EQ(reader.Stop(), CDeviceNotificationThread::StopOutcome::Ended);

    // A path that cannot be opened starts nothing.
    EXPECT_FALSE(reader.Start(CDeviceNotificationThread::Connection::Wired, slots.at(1).path));
    EXPECT_FALSE(reader.Running());
    EXPECT_FALSE(transport.IsOpened());
}

}  // namespace
}  // namespace dw
