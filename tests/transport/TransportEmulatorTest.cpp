// The transport against the emulated devices: discovery claims, transactions, faults and
// notifications, with assertions on the bytes the bus recorded.

#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "emulator/EmulatorFactory.h"
#include "emulator/VirtualHidBus.h"
#include "transport/CDeviceTransport.h"
#include "transport/DeviceKinds.h"
#include "transport/DeviceLookup.h"
#include "transport/DiscoveryPass.h"
#include "transport/TransportResult.h"

namespace dw {
namespace {

using emu::DeviceModel;
using emu::Link;

std::unique_ptr<emu::VirtualHidBus> MakeBus(std::string_view list)
{
    std::unique_ptr<emu::VirtualHidBus> bus;
    std::string bad;
    EXPECT_EQ(emu::BuildEmulatedBus(list, bus, bad), emu::kEmulateOk) << bad;
    return bus;
}

std::map<int, DeviceInterfaceEntry> Discover(hid::IHidBackend& backend, CDeviceSlotList& slots)
{
    CHidConnection probe(&backend);
    std::map<int, DeviceInterfaceEntry> claimed;
    EXPECT_TRUE(RunDiscoveryPass(probe, slots, [&](int slot, const DeviceInterfaceEntry& e) { claimed[slot] = e; }));
    EXPECT_FALSE(probe.IsOpen());
    return claimed;
}

TEST(TransportOnEmulator, EverySlotOfTheFullSetIsClaimedOnce)
{
    auto bus = MakeBus("all");
    CDeviceSlotList slots;
    const auto claimed = Discover(*bus, slots);
    ASSERT_EQ(claimed.size(), kSlotCount);
    EXPECT_TRUE(slots.AllSlotsTaken());
    for (const auto& [slot, entry] : claimed) {
        SCOPED_TRACE(slot);
        const SupportedInterfaceRow& row = kSupportedInterfaces[static_cast<size_t>(slot)];
        EXPECT_EQ(entry.kind, row.kind);
        EXPECT_EQ(entry.role, row.role);
        EXPECT_EQ(slots.Slot(static_cast<size_t>(slot)).path, entry.path);
        // The boot interfaces (interface 0) are never claimed.
        EXPECT_EQ(entry.path.find(L"&mi_00"), std::wstring::npos);
    }
    // The headset's single collection: an interface marker, no collection marker.
    const std::wstring headset = slots.Slot(10).path;
    EXPECT_NE(headset.find(L"&mi_03"), std::wstring::npos);
    EXPECT_EQ(headset.find(L"&col"), std::wstring::npos);
    // The receiver mouse is served by the mouse's family row.
    EXPECT_EQ(FamilyRowOfSlot(6), family::kMouse);

    // A second pass finds nothing new.
    EXPECT_TRUE(Discover(*bus, slots).empty());
}

TEST(TransportOnEmulator, SecondIdenticalKeyboardIsIgnored)
{
    emu::VirtualHidBus bus;
    emu::EmulatedDevice& first = bus.AddDevice(DeviceModel::Keyboard);
    emu::EmulatedDevice& second = bus.AddDevice(DeviceModel::Keyboard);
    ASSERT_TRUE(first.PlugCable());
    ASSERT_TRUE(second.PlugCable());

    CDeviceSlotList slots;
    const auto claimed = Discover(bus, slots);
    ASSERT_EQ(claimed.size(), 2u);
    ASSERT_TRUE(claimed.count(0) && claimed.count(1));
    // Both slots belong to the same keyboard: the one enumerated first.
    const std::string firstNode = first.NodeNames(Link::Cable).back();
    const std::string secondNode = second.NodeNames(Link::Cable).back();
    const std::wstring slot0 = slots.Slot(0).path;
    const std::wstring slot1 = slots.Slot(1).path;
    const std::wstring node0(slot0.substr(slot0.rfind(L'#') + 1));
    const std::wstring node1(slot1.substr(slot1.rfind(L'#') + 1));
    EXPECT_EQ(node0, node1);
    EXPECT_TRUE(node0 == std::wstring(firstNode.begin(), firstNode.end()) ||
                node0 == std::wstring(secondNode.begin(), secondNode.end()));
    EXPECT_TRUE(Discover(bus, slots).empty());
}

TEST(TransportOnEmulator, OtherMakersMouseIsNeverClaimed)
{
    auto bus = MakeBus("other-mouse");
    CDeviceSlotList slots;
    EXPECT_TRUE(Discover(*bus, slots).empty());
    EXPECT_TRUE(slots.ConnectedSlots().empty());
}

// A transport opened on a slot as the device list opens it.
struct OpenedTransport {
    explicit OpenedTransport(hid::IHidBackend& backend, const DeviceInterfaceEntry& slot) : transport(&backend)
    {
        const bool receiver = IsReceiverKind(slot.kind);
        std::lock_guard io(transport.IoLock());
        CHidConnection& connection = receiver ? transport.ReceiverConnection() : transport.WiredConnection();
        opened = connection.OpenPath(slot.path, true, true, true, false);
        transport.SetOpened(opened);
        transport.SetLinkMode(receiver ? link::kReceiver : link::kWired);
    }
    CDeviceTransport transport;
    bool opened = false;
};

TEST(TransportOnEmulator, ReadInfoOnEveryCommandSlot)
{
    auto bus = MakeBus("keyboard-receiver,mouse,mouse-receiver,mousepad,headset");
    CDeviceSlotList slots;
    Discover(*bus, slots);
    for (size_t slot : {size_t{2}, size_t{4}, size_t{8}, size_t{10}}) {
        SCOPED_TRACE(slot);
        OpenedTransport channel(*bus, slots.Slot(slot));
        ASSERT_TRUE(channel.opened);
        bus->Trace().Clear();
        Report reply{};
        size_t transferred = 0;
        const Report request = BuildFrame(0x03, 24, 0);
        EXPECT_EQ(channel.transport.Transact(request, reply, transferred), result::kSuccess);
        EXPECT_EQ(transferred, kReportSize);
        EXPECT_EQ(reply[frame::kCommand], 0x03);
        // Exactly the frame went out.
        const auto trace = bus->Trace().Entries();
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(trace.front().direction, emu::TraceDirection::HostToDevice);
        EXPECT_EQ(trace.front().bytes, std::vector<uint8_t>(request.begin(), request.end()));
    }
    // With the mouse on both, its receiver answers for a device that is not linked.
    OpenedTransport receiverMouse(*bus, slots.Slot(6));
    ASSERT_TRUE(receiverMouse.opened);
    Report reply{};
    size_t transferred = 0;
    EXPECT_EQ(receiverMouse.transport.Transact(BuildFrame(0x03, 24, 0), reply, transferred), result::kNotLinked);
    EXPECT_EQ(reply[frame::kCommand], frame::kNotLinkedEcho);
}

struct FaultCase {
    const char* name;
    emu::FaultKind kind;
    int delayMs;
    int expected;
    int replyCommand;  // -1: not checked
    int replyStatus;
};

TEST(TransportOnEmulator, FaultsTable)
{
    // Waits are the wired 1000 ms; the late reply comes well within it.
    const FaultCase kCases[] = {
        {"no reply", emu::FaultKind::NoReply, 0, result::kNothing, -1, -1},
        {"late reply", emu::FaultKind::LateReply, 50, result::kSuccess, 0x03, 0},
        {"wrong echo, then nothing", emu::FaultKind::WrongEcho, 0, result::kNothing, -1, -1},
        {"status 0xFF is the command layer's business", emu::FaultKind::StatusRejected, 0, result::kSuccess, 0x03, 0xFF},
        {"status 0xFE", emu::FaultKind::StatusRefused, 0, result::kSuccess, 0x03, 0xFE},
        {"unplugged during the transfer", emu::FaultKind::UnplugDuringTransfer, 0, result::kNothing, -1, -1},
    };
    for (const FaultCase& c : kCases) {
        SCOPED_TRACE(c.name);
        emu::VirtualHidBus bus;
        emu::EmulatedDevice& mouse = bus.AddDevice(DeviceModel::Mouse);
        ASSERT_TRUE(mouse.PlugCable());
        CDeviceSlotList slots;
        Discover(bus, slots);
        OpenedTransport channel(bus, slots.Slot(4));
        ASSERT_TRUE(channel.opened);

        emu::FaultSpec fault;
        fault.kind = c.kind;
        fault.delayMs = c.delayMs;
        mouse.InjectFault(fault);
        Report reply{};
        size_t transferred = 0;
        EXPECT_EQ(channel.transport.Transact(BuildFrame(0x03, 24, 0), reply, transferred), c.expected);
        if (c.replyCommand >= 0) {
            EXPECT_EQ(reply[frame::kCommand], c.replyCommand);
        }
        if (c.replyStatus >= 0) {
            EXPECT_EQ(reply[frame::kStatus], c.replyStatus);
        }
        EXPECT_FALSE(channel.transport.IsBusy());
    }
}

TEST(TransportOnEmulator, SwitchedOffDeviceBehindItsReceiver)
{
    auto bus = MakeBus("keyboard-receiver");
    CDeviceSlotList slots;
    Discover(*bus, slots);
    OpenedTransport channel(*bus, slots.Slot(2));
    ASSERT_TRUE(channel.opened);
    bus->FindDevice(DeviceModel::Keyboard)->SetPowered(false);

    Report reply{};
    size_t transferred = 0;
    // Not linked, whatever the command; the link query itself is answered with its own echo.
    EXPECT_EQ(channel.transport.Transact(BuildFrame(0x05, 1, 0), reply, transferred), result::kNotLinked);
    EXPECT_EQ(channel.transport.Transact(BuildFrame(frame::kNotLinkedEcho, 0, 0), reply, transferred), result::kSuccess);
    EXPECT_NE(reply[frame::kData], 0xFF);  // no link reported
}

TEST(TransportOnEmulator, NotificationReaderGetsTheCodeAndIsReleasedByClose)
{
    auto bus = MakeBus("mouse");
    CDeviceSlotList slots;
    Discover(*bus, slots);
    CHidConnection notifications(bus.get());
    ASSERT_TRUE(notifications.OpenPath(slots.Slot(5).path, true, true, true, false));

    ASSERT_TRUE(bus->FindDevice(DeviceModel::Mouse)->SendNotification(0x0401));
    std::vector<uint8_t> report = notifications.InputReportBuffer();
    ASSERT_FALSE(report.empty());
    size_t transferred = 0;
    ASSERT_TRUE(notifications.ReadReport(report, transferred, 1000));
    EXPECT_EQ(notifications.UnpackInputReport(std::span<const uint8_t>(report).first(transferred)),
              hid::HidStatus::Success);
    EXPECT_EQ(notifications.FirstInputUsage(), 0x0401);

    // The reader waits forever for the next one; closing releases it.
    std::atomic<bool> done{false};
    bool result = true;
    std::thread reader([&] {
        std::vector<uint8_t> buffer(64);
        size_t n = 0;
        result = notifications.ReadReport(buffer, n, -1);
        done = true;
    });
    notifications.Close();
    reader.join();
    EXPECT_TRUE(done);
    EXPECT_FALSE(result);
}

}  // namespace
}  // namespace dw
