// The virtual bus as a HID backend: listing, plug and unplug, per-handle input queues, time-outs,
// aborts, receivers and their links, notifications, faults and the trace.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "EmulatorTestSupport.h"
#include "emulator/EmulatorFactory.h"
#include "emulator/HeadsetFirmware.h"
#include "emulator/KeyboardFirmware.h"
#include "emulator/MouseFirmware.h"

namespace dw::emu {
namespace {

using hid::IoResult;
using test::CommandNode;
using test::Hex;
using test::ReportOf;
using test::Transact;

// A bus with one keyboard on its cable; each test changes one thing.
class BusTest : public ::testing::Test {
protected:
    BusTest() : keyboard(bus.AddDevice(DeviceModel::Keyboard)) { keyboard.PlugCable(); }

    std::unique_ptr<hid::IHidNode> OpenCommand(Link link = Link::Cable, hid::OpenMode mode = {})
    {
        return bus.Open(CommandNode(keyboard, link), mode);
    }

    VirtualHidBus bus;
    EmulatedDevice& keyboard;
};

TEST(BusListing, EveryModelPresentsItsInterfacesWithTheRealIds)
{
    struct Case {
        const char* names;
        std::vector<std::tuple<uint16_t, uint16_t, int>> nodes;   // vendor, product, interface
    };
    const Case cases[] = {
        {"keyboard", {{0x4E71, 0x0B17, 0}, {0x4E71, 0x0B17, 1}}},
        {"keyboard-receiver", {{0x5A3C, 0x6A21, 0}, {0x5A3C, 0x6A21, 1}}},
        {"mouse", {{0x5A3C, 0x6A3E, 0}, {0x5A3C, 0x6A3E, 1}}},
        {"mouse-receiver", {{0x5A3C, 0x3B48, 0}, {0x5A3C, 0x3B48, 1}}},
        {"mousepad", {{0x5A3C, 0x2C09, 0}, {0x5A3C, 0x2C09, 1}}},
        {"headset", {{0x0C76, 0x1A47, 3}}},
        {"other-mouse", {{0x1A2B, 0x0C3D, 0}, {0x1A2B, 0x0C3D, 1}}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<VirtualHidBus> bus;
        std::string bad;
        ASSERT_EQ(BuildEmulatedBus(c.names, bus, bad), kEmulateOk) << c.names;
        const auto nodes = bus->ListNodes();
        ASSERT_EQ(nodes.size(), c.nodes.size()) << c.names;
        for (size_t i = 0; i < nodes.size(); ++i) {
            EXPECT_EQ(nodes[i].vendorId, std::get<0>(c.nodes[i])) << c.names;
            EXPECT_EQ(nodes[i].productId, std::get<1>(c.nodes[i])) << c.names;
            EXPECT_EQ(nodes[i].interfaceNumber, std::get<2>(c.nodes[i])) << c.names;
            EXPECT_FALSE(nodes[i].reportDescriptor.empty()) << c.names;
            EXPECT_NE(nodes[i].version, 0) << c.names;
            for (const char* marker : {"&mi_", "&col", "vid_", "pid_"})
                EXPECT_EQ(nodes[i].node.find(marker), std::string::npos) << nodes[i].node;
            EXPECT_NE(bus->Open(nodes[i].node, {}), nullptr) << nodes[i].node;
        }
    }
}

TEST(BusListing, FactoryRejectsUnknownNamesAndEmptyLists)
{
    std::unique_ptr<VirtualHidBus> bus;
    std::string bad;
    EXPECT_EQ(BuildEmulatedBus("keyboard, trackball", bus, bad), kEmulateUnknownDevice);
    EXPECT_EQ(bad, "trackball");
    EXPECT_EQ(bus, nullptr);
    EXPECT_EQ(BuildEmulatedBus(" , ", bus, bad), kEmulateEmptyList);

    ASSERT_EQ(BuildEmulatedBus("all", bus, bad), kEmulateOk);
    EXPECT_EQ(bus->ListNodes().size(), 13u);
    // The keyboard on cable and receiver is one device.
    EXPECT_EQ(bus->Devices().size(), 5u);
    EmulatedDevice* keyboard = bus->FindDevice(DeviceModel::Keyboard);
    ASSERT_NE(keyboard, nullptr);
    EXPECT_TRUE(keyboard->CablePlugged());
    EXPECT_TRUE(keyboard->ReceiverPlugged());
}

TEST_F(BusTest, PlugAndUnplugChangeTheListingAndTheChangeCount)
{
    const uint64_t start = bus.ChangeCount();
    EXPECT_EQ(bus.ListNodes().size(), 2u);
    EXPECT_FALSE(keyboard.PlugCable());   // already in
    EXPECT_EQ(bus.ChangeCount(), start);

    EmulatedDevice& mouse = bus.AddDevice(DeviceModel::Mouse);
    EXPECT_TRUE(mouse.PlugReceiver());
    EXPECT_EQ(bus.ListNodes().size(), 4u);
    EXPECT_EQ(bus.ChangeCount(), start + 2);

    const std::string gone = CommandNode(keyboard, Link::Cable);
    EXPECT_TRUE(keyboard.UnplugCable());
    EXPECT_EQ(bus.ChangeCount(), start + 4);
    const auto nodes = bus.ListNodes();
    ASSERT_EQ(nodes.size(), 2u);
    for (const auto& node : nodes)
        EXPECT_EQ(node.productId, 0x3B48);
    EXPECT_EQ(bus.Open(gone, {}), nullptr);
    EXPECT_FALSE(keyboard.UnplugCable());
    EXPECT_FALSE(bus.FindDevice(DeviceModel::Mousepad));
    EXPECT_FALSE(bus.AddDevice(DeviceModel::Mousepad).PlugReceiver());   // it has none
}

TEST_F(BusTest, ReadInfoThroughTheReceiverIsTwoChunksAnsweredByteExact)
{
    keyboard.UnplugCable();
    keyboard.PlugReceiver();
    auto node = OpenCommand(Link::Receiver);
    ASSERT_NE(node, nullptr);

    const auto first = Transact(*node, ReportOf(Hex("04 1b 00 03 18 00 00 00")));
    ASSERT_EQ(first.read, IoResult::Ok);
    EXPECT_EQ(first.replyBytes, 64u);
    EXPECT_EQ(first.reply, ReportOf(Hex("04 06 01 03 18 00 00 00 01 05 01 00 00 84 20 40")));

    const auto second = Transact(*node, ReportOf(Hex("04 25 00 03 0a 18 00 00")));
    ASSERT_EQ(second.read, IoResult::Ok);
    EXPECT_EQ(second.reply, ReportOf(Hex("04 25 00 03 0a 18 00 00")));
}

TEST_F(BusTest, BeginOnCableIsEchoedByteExact)
{
    auto node = OpenCommand();
    const auto exchange = Transact(*node, ReportOf(Hex("04 01 00 01")));
    ASSERT_EQ(exchange.read, IoResult::Ok);
    EXPECT_EQ(exchange.reply, ReportOf(Hex("04 01 00 01")));
    EXPECT_EQ(keyboard.Firmware()->BeginCount(), 1);
}

TEST_F(BusTest, BadChecksumIsAnsweredWithStatusFF)
{
    auto node = OpenCommand();
    const auto exchange = Transact(*node, ReportOf(Hex("04 00 00 01")));
    ASSERT_EQ(exchange.read, IoResult::Ok);
    EXPECT_EQ(exchange.reply[frame::kCommand], 0x01);
    EXPECT_EQ(exchange.reply[frame::kStatus], 0xFF);
    EXPECT_EQ(keyboard.Firmware()->BeginCount(), 0);
}

TEST_F(BusTest, ReportsTheInterfaceDoesNotDeclareAreIgnored)
{
    auto node = OpenCommand();
    size_t written = 0;
    const Report begin = BuildFrame(0x01, 0, 0);
    // 63 bytes of a command frame, and a report id the interface does not have.
    EXPECT_EQ(node->Write(std::span(begin).first(63), 100, written), IoResult::Ok);
    Report foreign = begin;
    foreign[0] = 0x09;
    EXPECT_EQ(node->Write(foreign, 100, written), IoResult::Ok);
    Report reply{};
    EXPECT_EQ(node->Read(reply, 0, written), IoResult::TimedOut);
    EXPECT_EQ(keyboard.Firmware()->CommandCount(0x01), 0);
    EXPECT_EQ(node->Write({}, 100, written), IoResult::Failed);
}

TEST_F(BusTest, EveryHandleGetsItsOwnCopyOfReportsSentAfterItOpened)
{
    auto first = OpenCommand();
    auto second = OpenCommand();
    auto writeOnly = OpenCommand(Link::Cable, {.read = false, .write = true});
    size_t written = 0;
    ASSERT_EQ(writeOnly->Write(BuildFrame(0x01, 0, 0), 100, written), IoResult::Ok);
    auto late = OpenCommand();

    Report reply{};
    size_t got = 0;
    EXPECT_EQ(first->Read(reply, 100, got), IoResult::Ok);
    EXPECT_EQ(reply[frame::kCommand], 0x01);
    EXPECT_EQ(second->Read(reply, 100, got), IoResult::Ok);
    EXPECT_EQ(reply[frame::kCommand], 0x01);
    EXPECT_EQ(late->Read(reply, 0, got), IoResult::TimedOut);
    EXPECT_EQ(writeOnly->Read(reply, 0, got), IoResult::Failed);
    auto readOnly = OpenCommand(Link::Cable, {.read = true, .write = false});
    EXPECT_EQ(readOnly->Write(BuildFrame(0x01, 0, 0), 100, written), IoResult::Failed);
}

TEST_F(BusTest, AReadIntoAShortBufferGetsTheHeadOfTheReport)
{
    auto node = OpenCommand();
    size_t got = 0;
    ASSERT_EQ(node->Write(BuildFrame(0x03, 34, 0), 100, got), IoResult::Ok);
    std::array<uint8_t, 8> head{};
    ASSERT_EQ(node->Read(head, 100, got), IoResult::Ok);
    EXPECT_EQ(got, 8u);
    EXPECT_EQ(head[frame::kCommand], 0x03);
    EXPECT_EQ(node->Read(head, 0, got), IoResult::TimedOut);   // the rest is gone, as with hidraw
}

TEST_F(BusTest, InputQueueKeepsSixtyFourReportsAndDropsNewerOnes)
{
    auto node = OpenCommand();
    for (int i = 0; i < 70; ++i)
        ASSERT_TRUE(keyboard.SendNotification(static_cast<uint16_t>(0x0500 + i)));
    std::array<uint8_t, 3> report{};
    size_t got = 0;
    int count = 0;
    while (node->Read(report, 0, got) == IoResult::Ok) {
        EXPECT_EQ(report[1], count);   // oldest first
        ++count;
    }
    EXPECT_EQ(count, 64);
}

TEST_F(BusTest, NodeWithoutReportIdsDeliversBareReportsAndTakesALeadingZero)
{
    auto boot = bus.Open(keyboard.NodeNames(Link::Cable).front(), {});
    ASSERT_NE(boot, nullptr);
    const auto keys = Hex("02 00 04 00 00 00 00 00");   // Left Shift + A, no report id
    ASSERT_TRUE(keyboard.SendInputReport(Link::Cable, 0, keys));
    std::array<uint8_t, 16> buffer{};
    size_t got = 0;
    ASSERT_EQ(boot->Read(buffer, 100, got), IoResult::Ok);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + got), keys);

    bus.Trace().Clear();
    ASSERT_EQ(boot->Write(Hex("00 01"), 100, got), IoResult::Ok);   // Num Lock LED
    EXPECT_EQ(got, 2u);
    const auto trace = bus.Trace().Entries();
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].bytes, Hex("01"));
}

TEST_F(BusTest, ReadHonoursItsTimeOut)
{
    auto node = OpenCommand();
    Report reply{};
    size_t got = 0;
    EXPECT_EQ(node->Read(reply, 0, got), IoResult::TimedOut);
    EXPECT_EQ(node->Read(reply, 20, got), IoResult::TimedOut);
    EXPECT_EQ(got, 0u);
}

TEST_F(BusTest, AbortBreaksABlockedReadFromAnotherThread)
{
    auto node = OpenCommand();
    std::atomic<IoResult> result{IoResult::Ok};
    std::thread reader([&] {
        Report reply{};
        size_t got = 0;
        result = node->Read(reply, -1, got);
    });
    // Give the reader time to block; should it not have started waiting yet, the abort is
    // remembered and ends its wait at once, so the outcome is the same either way.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    node->Abort();
    reader.join();
    EXPECT_EQ(result.load(), IoResult::Aborted);
}

TEST_F(BusTest, AbortWithNothingWaitingIsRememberedOnce)
{
    auto node = OpenCommand();
    node->Abort();
    node->Abort();   // not counted twice
    Report reply{};
    size_t got = 0;
    EXPECT_EQ(node->Read(reply, 1000, got), IoResult::Aborted);
    EXPECT_EQ(node->Read(reply, 0, got), IoResult::TimedOut);
    node->Abort();
    EXPECT_EQ(node->Write(BuildFrame(0x01, 0, 0), 1000, got), IoResult::Aborted);
    EXPECT_EQ(keyboard.Firmware()->BeginCount(), 0);
}

TEST_F(BusTest, UnplugHandsOutDeliveredReportsThenFailsAndWakesBlockedReaders)
{
    auto queued = OpenCommand();
    auto blocked = OpenCommand();
    Report reply{};
    size_t got = 0;
    ASSERT_EQ(queued->Write(BuildFrame(0x01, 0, 0), 100, got), IoResult::Ok);
    ASSERT_EQ(blocked->Read(reply, 100, got), IoResult::Ok);

    std::atomic<IoResult> result{IoResult::Ok};
    std::thread reader([&] {
        Report r{};
        size_t n = 0;
        result = blocked->Read(r, -1, n);
    });
    keyboard.UnplugCable();
    reader.join();
    EXPECT_EQ(result.load(), IoResult::Failed);

    EXPECT_EQ(queued->Read(reply, 0, got), IoResult::Ok);
    EXPECT_EQ(queued->Read(reply, 0, got), IoResult::Failed);
    EXPECT_EQ(queued->Write(BuildFrame(0x01, 0, 0), 100, got), IoResult::Failed);

    // Plugging in again gives new nodes; the old handle stays bound to the gone one.
    keyboard.PlugCable();
    EXPECT_EQ(queued->Read(reply, 0, got), IoResult::Failed);
}

TEST_F(BusTest, HandleOutlivingItsBusFailsInsteadOfHanging)
{
    auto owned = std::make_unique<VirtualHidBus>();
    EmulatedDevice& mouse = owned->AddDevice(DeviceModel::Mouse);
    mouse.PlugCable();
    auto node = owned->Open(CommandNode(mouse, Link::Cable), {});
    owned.reset();
    Report reply{};
    size_t got = 0;
    EXPECT_EQ(node->Read(reply, -1, got), IoResult::Failed);
}

TEST_F(BusTest, ReceiverAnswersAAWhileItsDeviceIsOffOrOnItsCable)
{
    keyboard.PlugReceiver();
    auto node = OpenCommand(Link::Receiver);
    // On its cable the keyboard's radio is off.
    EXPECT_FALSE(keyboard.ReceiverLinked());
    EXPECT_EQ(Transact(*node, BuildFrame(0x03, 24, 0)).reply, ReportOf(Hex("04 aa 00 aa")));

    keyboard.UnplugCable();
    EXPECT_TRUE(keyboard.ReceiverLinked());
    auto query = Transact(*node, BuildFrame(0xAA, 0, 0));
    EXPECT_EQ(query.reply[frame::kCommand], 0xAA);
    EXPECT_EQ(query.reply[frame::kData], 0xFF);

    keyboard.SetPowered(false);
    for (uint8_t command : {0x01, 0x03, 0x05, 0x1A, 0xAA}) {
        const auto exchange = Transact(*node, BuildFrame(command, 0, 0));
        EXPECT_EQ(exchange.reply[frame::kCommand], 0xAA) << int(command);
        EXPECT_EQ(exchange.reply[frame::kData], 0x00) << int(command);
    }
    EXPECT_EQ(keyboard.Firmware()->CommandCount(0x01), 0);

    keyboard.SetPowered(true);
    EXPECT_EQ(Transact(*node, BuildFrame(0x01, 0, 0)).reply, ReportOf(Hex("04 01 00 01")));
}

TEST_F(BusTest, ConnectViaMovesTheDeviceBetweenCableAndReceiver)
{
    keyboard.ConnectVia(Link::Receiver);
    EXPECT_FALSE(keyboard.CablePlugged());
    EXPECT_TRUE(keyboard.ReceiverLinked());
    keyboard.ConnectVia(Link::Cable);
    EXPECT_TRUE(keyboard.CablePlugged());
    EXPECT_TRUE(keyboard.ReceiverPlugged());
    EXPECT_FALSE(keyboard.ReceiverLinked());
    EXPECT_EQ(bus.ListNodes().size(), 4u);
}

TEST_F(BusTest, NotificationsTravelOnTheConsumerCollectionOfTheLinkInUse)
{
    keyboard.PlugReceiver();
    auto cable = OpenCommand(Link::Cable);
    auto receiver = OpenCommand(Link::Receiver);
    std::array<uint8_t, 64> report{};
    size_t got = 0;

    ASSERT_TRUE(keyboard.SendNotification(0x0401));
    ASSERT_EQ(cable->Read(report, 100, got), IoResult::Ok);
    EXPECT_EQ(std::vector<uint8_t>(report.begin(), report.begin() + got), Hex("03 01 04"));
    EXPECT_EQ(receiver->Read(report, 0, got), IoResult::TimedOut);

    keyboard.UnplugCable();
    ASSERT_TRUE(keyboard.SendNotification(0x1123));
    ASSERT_EQ(receiver->Read(report, 100, got), IoResult::Ok);
    EXPECT_EQ(std::vector<uint8_t>(report.begin(), report.begin() + got), Hex("03 23 11"));

    keyboard.SetPowered(false);
    EXPECT_FALSE(keyboard.SendNotification(0x0401));

    EmulatedDevice& headset = bus.AddDevice(DeviceModel::Headset);
    headset.PlugCable();
    auto headsetNode = bus.Open(CommandNode(headset, Link::Cable), {});
    ASSERT_TRUE(headset.SendNotification(0x0401));
    ASSERT_EQ(headsetNode->Read(report, 100, got), IoResult::Ok);
    EXPECT_EQ(std::vector<uint8_t>(report.begin(), report.begin() + got), Hex("01 01 04"));
}

TEST_F(BusTest, ProfileSwitchedOnTheDeviceIsStoredAndReported)
{
    EmulatedDevice& pad = bus.AddDevice(DeviceModel::Mousepad);
    pad.PlugCable();
    struct Case {
        EmulatedDevice& device;
        uint8_t profile;
        std::vector<uint8_t> report;
    };
    const Case cases[] = {
        {keyboard, 2, Hex("03 02 10")},
        {pad, 1, Hex("03 01 04")},
    };
    for (const Case& c : cases) {
        auto node = bus.Open(CommandNode(c.device, Link::Cable), {});
        ASSERT_TRUE(c.device.SwitchProfileOnDevice(c.profile));
        std::array<uint8_t, 64> report{};
        size_t got = 0;
        ASSERT_EQ(node->Read(report, 100, got), IoResult::Ok);
        EXPECT_EQ(std::vector<uint8_t>(report.begin(), report.begin() + got), c.report);
        const auto active = Transact(*node, BuildFrame(0x05, 1, 0));
        EXPECT_EQ(active.reply[frame::kData], c.profile);
    }
    EXPECT_FALSE(keyboard.SwitchProfileOnDevice(16));
}

TEST_F(BusTest, HeadsetLedReportsReachItsFirmware)
{
    EmulatedDevice& headset = bus.AddDevice(DeviceModel::Headset);
    headset.PlugCable();
    auto node = bus.Open(CommandNode(headset, Link::Cable), {});
    auto led = Hex("ff 44 ab 01 02 03 04 05 06 07 00 00 00 00 00 00 00");
    size_t got = 0;
    ASSERT_EQ(node->Write(led, 100, got), IoResult::Ok);
    EXPECT_EQ(got, 17u);
    ASSERT_NE(headset.Headset(), nullptr);
    EXPECT_EQ(headset.Headset()->Led(0x44, 6).green, 7);
    EXPECT_EQ(Transact(*node, BuildFrame(0x01, 0, 0)).reply, ReportOf(Hex("04 01 00 01")));
}

TEST_F(BusTest, AnotherVendorsMouseNeverAnswersOurFrames)
{
    EmulatedDevice& other = bus.AddDevice(DeviceModel::OtherMouse);
    other.PlugCable();
    auto node = bus.Open(CommandNode(other, Link::Cable), {});
    const auto exchange = Transact(*node, BuildFrame(0x01, 0, 0), 20);
    EXPECT_EQ(exchange.write, IoResult::Ok);
    EXPECT_EQ(exchange.read, IoResult::TimedOut);
}

// What each fault does to one Read info exchange, and whether it outlives that exchange.
TEST_F(BusTest, EveryFaultKindOnceOrUntilCleared)
{
    struct Case {
        const char* what;
        FaultKind kind;
        IoResult read;           // of the first exchange
        int echo;                // reply byte 3, -1 when there is none
        int statusByte;
        bool executed;           // the firmware saw the request
    };
    const Case cases[] = {
        {"no reply", FaultKind::NoReply, IoResult::TimedOut, -1, -1, false},
        {"wrong echo", FaultKind::WrongEcho, IoResult::Ok, 0x83, 0x00, true},
        {"status FF", FaultKind::StatusRejected, IoResult::Ok, 0x03, 0xFF, false},
        {"status FE", FaultKind::StatusRefused, IoResult::Ok, 0x03, 0xFE, false},
        {"unplug", FaultKind::UnplugDuringTransfer, IoResult::Failed, -1, -1, false},
    };
    for (const Case& c : cases) {
        for (FaultMode mode : {FaultMode::Once, FaultMode::UntilCleared}) {
            SCOPED_TRACE(std::string(c.what) + (mode == FaultMode::Once ? " once" : " until cleared"));
            keyboard.ClearFaults();
            keyboard.PlugCable();
            auto node = OpenCommand();
            const int before = keyboard.Firmware()->CommandCount(0x03);
            keyboard.InjectFault({c.kind, mode, 0, std::nullopt});

            const auto first = Transact(*node, BuildFrame(0x03, 34, 0), 30);
            EXPECT_EQ(first.read, c.read);
            if (c.echo >= 0) {
                EXPECT_EQ(first.reply[frame::kCommand], c.echo);
                EXPECT_EQ(first.reply[frame::kStatus], c.statusByte);
                EXPECT_TRUE(FrameChecksumValid(first.reply));
            }
            EXPECT_EQ(keyboard.Firmware()->CommandCount(0x03) - before, c.executed ? 1 : 0);

            if (c.kind == FaultKind::UnplugDuringTransfer) {
                EXPECT_FALSE(keyboard.CablePlugged());
                if (mode == FaultMode::UntilCleared) {
                    keyboard.PlugCable();
                    auto again = OpenCommand();
                    EXPECT_EQ(Transact(*again, BuildFrame(0x03, 34, 0), 30).read, IoResult::Failed);
                }
                continue;
            }
            const auto second = Transact(*node, BuildFrame(0x03, 34, 0), 30);
            const bool healthy = second.read == IoResult::Ok && second.reply[frame::kCommand] == 0x03 &&
                                 second.reply[frame::kStatus] == 0x00;
            EXPECT_EQ(healthy, mode == FaultMode::Once);
        }
    }
    keyboard.ClearFaults();
    keyboard.PlugCable();
    auto node = OpenCommand();
    EXPECT_EQ(Transact(*node, BuildFrame(0x03, 34, 0)).reply[frame::kStatus], 0x00);
}

TEST_F(BusTest, LateReplyArrivesAfterItsDelayAndIsLostOnUnplug)
{
    auto node = OpenCommand();
    keyboard.InjectFault({FaultKind::LateReply, FaultMode::Once, 150, std::nullopt});
    size_t got = 0;
    ASSERT_EQ(node->Write(BuildFrame(0x01, 0, 0), 100, got), IoResult::Ok);
    Report reply{};
    EXPECT_EQ(node->Read(reply, 0, got), IoResult::TimedOut);
    ASSERT_EQ(node->Read(reply, 5000, got), IoResult::Ok);
    EXPECT_EQ(reply, ReportOf(Hex("04 01 00 01")));

    keyboard.InjectFault({FaultKind::LateReply, FaultMode::Once, 60000, std::nullopt});
    ASSERT_EQ(node->Write(BuildFrame(0x01, 0, 0), 100, got), IoResult::Ok);
    keyboard.UnplugCable();
    EXPECT_EQ(node->Read(reply, -1, got), IoResult::Failed);
}

TEST_F(BusTest, FaultCanTargetOneCommand)
{
    auto node = OpenCommand();
    keyboard.InjectFault({FaultKind::StatusRefused, FaultMode::UntilCleared, 0, uint8_t{0x06}});
    EXPECT_EQ(Transact(*node, BuildFrame(0x01, 0, 0)).reply[frame::kStatus], 0x00);
    EXPECT_EQ(Transact(*node, BuildFrame(0x06, 1, 0, Hex("00"))).reply[frame::kStatus], 0xFE);
    EXPECT_EQ(Transact(*node, BuildFrame(0x06, 1, 0, Hex("00"))).reply[frame::kStatus], 0xFE);
    EXPECT_EQ(Transact(*node, BuildFrame(0x02, 0, 0)).reply[frame::kStatus], 0x00);
}

TEST_F(BusTest, TraceRecordsBothDirectionsAndCallsBackLive)
{
    std::vector<std::string> lines;
    bus.Trace().SetCallback([&](const TraceEntry& entry) { lines.push_back(FormatTraceEntry(entry)); });
    auto node = OpenCommand();
    Transact(*node, BuildFrame(0x01, 0, 0));
    bus.Trace().SetCallback(nullptr);

    const auto entries = bus.Trace().Entries();
    ASSERT_EQ(entries.size(), 2u);
    const std::string name = CommandNode(keyboard, Link::Cable);
    EXPECT_EQ(entries[0].direction, TraceDirection::HostToDevice);
    EXPECT_EQ(entries[1].direction, TraceDirection::DeviceToHost);
    EXPECT_EQ(entries[0].node, name);
    EXPECT_EQ(entries[1].bytes.size(), 64u);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 3 + name.size() + 12), "-> " + name + " 04 01 00 01");
    EXPECT_EQ(lines[1].substr(0, 3), "<- ");

    bus.Trace().SetCapacity(3);
    for (int i = 0; i < 5; ++i)
        Transact(*node, BuildFrame(0x01, 0, 0));
    EXPECT_EQ(bus.Trace().Entries().size(), 3u);
}

TEST_F(BusTest, NodeNumbersAreReusedLikeHidrawMinors)
{
    const auto before = keyboard.NodeNames(Link::Cable);
    keyboard.UnplugCable();
    keyboard.PlugCable();
    EXPECT_EQ(keyboard.NodeNames(Link::Cable), before);
}

TEST_F(BusTest, ConcurrentTransactionsOnSeparateHandlesStayConsistent)
{
    // Several host threads, each with its own handle, read the info block while the test reads
    // the firmware's memory; each reply answers its own handle's request.
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            auto node = OpenCommand();
            for (int i = 0; i < 200; ++i) {
                const auto exchange = Transact(*node, BuildFrame(0x03, 34, 0));
                // Other handles' replies also reach this handle; only count unreadable ones.
                if (exchange.read != IoResult::Ok || !FrameChecksumValid(exchange.reply))
                    ++failures;
            }
        });
    }
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(keyboard.Keyboard()->KeyMap(1).size(), 396u);
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}

}  // namespace
}  // namespace dw::emu
