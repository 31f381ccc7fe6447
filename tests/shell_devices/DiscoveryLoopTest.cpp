// The discovery worker's passes against the emulator's virtual bus: what each pass claims and
// releases, and that it enumerates only when something changed.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "emulator/VirtualHidBus.h"
#include "shell/CStopEvent.h"
#include "shell/devices/CDiscoveryLoop.h"
#include "transport/DeviceTables.h"

namespace dw {
namespace {

using emu::DeviceModel;

class DiscoveryLoopTest : public ::testing::Test {
protected:
    CDiscoveryLoop::Callbacks Recorder()
    {
        CDiscoveryLoop::Callbacks callbacks;
        callbacks.arrival = [this](size_t slot) { arrivals.push_back(slot); };
        callbacks.removal = [this](size_t slot) { removals.push_back(slot); };
        callbacks.firstPass = [this] { ++firstPasses; };
        return callbacks;
    }

    emu::VirtualHidBus bus;
    CDeviceSlotList slots;
    CDiscoveryLoop loop{&bus, slots, std::chrono::milliseconds(1)};
    std::vector<size_t> arrivals;
    std::vector<size_t> removals;
    int firstPasses = 0;
};

TEST_F(DiscoveryLoopTest, NothingPresentStillReportsTheFirstPassOnce)
{
    const auto callbacks = Recorder();
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(loop.Pass(callbacks), CDiscoveryLoop::PassResult::Ok);
    EXPECT_EQ(firstPasses, 1);
    EXPECT_EQ(loop.EnumerationCount(), 1u) << "nothing changed after the first enumeration";
    EXPECT_TRUE(arrivals.empty());
}

TEST_F(DiscoveryLoopTest, AKeyboardByCableClaimsItsTwoSlotsAndPassesAfterThatCostNoEnumeration)
{
    bus.AddDevice(DeviceModel::Keyboard).PlugCable();
    const auto callbacks = Recorder();
    for (int i = 0; i < 20; ++i)
        loop.Pass(callbacks);
    EXPECT_EQ(arrivals, (std::vector<size_t>{1, 0})) << "collection 3 is listed before collection 4";
    EXPECT_EQ(loop.EnumerationCount(), 1u);
    EXPECT_EQ(slots.ConnectedSlots(), (std::vector<size_t>{0, 1}));
}

TEST_F(DiscoveryLoopTest, UnpluggingReleasesTheSlotsAndReportsEachRemoval)
{
    emu::EmulatedDevice& mouse = bus.AddDevice(DeviceModel::Mouse);
    mouse.PlugReceiver();
    const auto callbacks = Recorder();
    loop.Pass(callbacks);
    ASSERT_EQ(slots.ConnectedSlots(), (std::vector<size_t>{6, 7}));
    mouse.UnplugReceiver();
    loop.Pass(callbacks);
    EXPECT_EQ(removals.size(), 2u);
    EXPECT_TRUE(slots.ConnectedSlots().empty());
    const uint64_t afterRemoval = loop.EnumerationCount();
    mouse.PlugReceiver();
    loop.Pass(callbacks);
    EXPECT_EQ(slots.ConnectedSlots(), (std::vector<size_t>{6, 7})) << "the device came back";
    EXPECT_GT(loop.EnumerationCount(), afterRemoval);
}

TEST_F(DiscoveryLoopTest, ASecondIdenticalKeyboardFindsNoFreeSlot)
{
    bus.AddDevice(DeviceModel::Keyboard).PlugCable();
    const auto callbacks = Recorder();
    loop.Pass(callbacks);
    ASSERT_EQ(arrivals.size(), 2u);
    emu::EmulatedDevice& second = bus.AddDevice(DeviceModel::Keyboard);
    second.PlugCable();
    loop.Pass(callbacks);
    EXPECT_EQ(arrivals.size(), 2u) << "ignored";
    second.UnplugCable();
    loop.Pass(callbacks);
    EXPECT_TRUE(removals.empty()) << "pulling the ignored keyboard removes nothing";
    EXPECT_EQ(slots.ConnectedSlots().size(), 2u);
}

TEST_F(DiscoveryLoopTest, AnUnrelatedDeviceOfTheSameMakerIsNeverACandidate)
{
    bus.AddDevice(DeviceModel::OtherMouse).PlugCable();
    const auto callbacks = Recorder();
    loop.Pass(callbacks);
    EXPECT_TRUE(arrivals.empty());
}

// The virtual bus, except that the first opens that ask to read fail, as they do while a new
// hidraw node waits for its permissions.
class SlowPermissionsBus : public hid::IHidBackend {
public:
    explicit SlowPermissionsBus(emu::VirtualHidBus& bus, int failures) : m_bus(bus), m_failures(failures) {}
    std::vector<hid::HidNodeInfo> ListNodes() override { return m_bus.ListNodes(); }
    std::unique_ptr<hid::IHidNode> Open(const std::string& node, const hid::OpenMode& mode) override
    {
        if (mode.read && m_failures > 0) {
            --m_failures;
            return nullptr;
        }
        return m_bus.Open(node, mode);
    }
    uint64_t ChangeCount() override { return m_bus.ChangeCount(); }

private:
    emu::VirtualHidBus& m_bus;
    int m_failures;
};

TEST_F(DiscoveryLoopTest, AnInterfaceThatWouldNotOpenIsTriedAgainWithoutAHotPlugEvent)
{
    bus.AddDevice(DeviceModel::Mousepad).PlugCable();
    // Each enumeration probes the mousepad's two interfaces; the first three probes fail.
    SlowPermissionsBus slow(bus, 3);
    CDiscoveryLoop retrying(&slow, slots, std::chrono::milliseconds(1));
    const auto callbacks = Recorder();
    std::vector<uint64_t> enumerationsAfterPass;
    for (int pass = 0; pass < 8; ++pass) {
        retrying.Pass(callbacks);
        enumerationsAfterPass.push_back(retrying.EnumerationCount());
    }
    // Enumerations at passes 1, 2 and 4 (retries one, then two passes apart).
    EXPECT_EQ(enumerationsAfterPass, (std::vector<uint64_t>{1, 2, 2, 3, 3, 3, 3, 3}));
    EXPECT_EQ(slots.ConnectedSlots(), (std::vector<size_t>{8, 9})) << "both interfaces arrived in the end";
    EXPECT_EQ(arrivals.size(), 2u);
}

TEST_F(DiscoveryLoopTest, RunEndsSoonAfterItsStopEvent)
{
    bus.AddDevice(DeviceModel::Mousepad).PlugCable();
    CStopEvent stop;
    std::atomic<int> seen{0};
    CDiscoveryLoop::Callbacks callbacks;
    callbacks.arrival = [&](size_t) { ++seen; };
    std::thread worker([&] { loop.Run(stop, callbacks); });
    while (seen.load() < 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stop.Set();
    worker.join();  // a hang here fails the test by its time-out
    EXPECT_EQ(seen.load(), 2);
}

}  // namespace
}  // namespace dw
