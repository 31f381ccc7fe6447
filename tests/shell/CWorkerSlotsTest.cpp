// Worker slots and their stop protocol.

#include <gtest/gtest.h>

#include <atomic>

#include "shell/CWorkerSlots.h"

namespace dw {
namespace {

using namespace std::chrono_literals;

TEST(CStopEvent, ASetEventEndsAWaitAndStaysSetUntilReset)
{
    CStopEvent stop;
    EXPECT_FALSE(stop.WaitFor(1ms));
    std::thread setter([&stop] { stop.Set(); });
    EXPECT_TRUE(stop.WaitFor(std::chrono::hours(1))) << "the signal ends even a very long wait";
    setter.join();
    EXPECT_TRUE(stop.WaitFor(0ms));
    stop.Reset();
    EXPECT_FALSE(stop.IsSet());
}

TEST(CWorkerSlots, StopAllEndsEveryWorkerThatWaitsOnItsEvent)
{
    CWorkerSlots slots;
    std::atomic<int> ended{0};
    for (size_t i : {size_t{0}, size_t{8}, size_t{19}}) {
        ASSERT_TRUE(slots.Start(i, [&ended](CStopEvent& stop) {
            while (!stop.WaitFor(10ms)) {
            }
            ++ended;
        }));
    }
    EXPECT_TRUE(slots.IsRunning(8));
    EXPECT_FALSE(slots.IsRunning(1));
    EXPECT_TRUE(slots.StopAll(1000ms).empty());
    EXPECT_EQ(ended.load(), 3);
    for (size_t i = 0; i < CWorkerSlots::Count(); ++i)
        EXPECT_FALSE(slots.IsRunning(i));
}

TEST(CWorkerSlots, StartIsRefusedForABadSlotAnEmptyBodyOrAWorkerNotStopped)
{
    CWorkerSlots slots;
    EXPECT_FALSE(slots.Start(CWorkerSlots::Count(), [](CStopEvent&) {}));
    EXPECT_FALSE(slots.Start(0, {}));
    ASSERT_TRUE(slots.Start(0, [](CStopEvent& stop) { stop.WaitFor(std::chrono::hours(1)); }));
    EXPECT_FALSE(slots.Start(0, [](CStopEvent&) {}));
    slots.StopAll(1000ms);
    // After a stop the slot can be used again, with its event reset.
    std::atomic<int> sawSet{-1};
    ASSERT_TRUE(slots.Start(0, [&sawSet](CStopEvent& stop) { sawSet = stop.IsSet() ? 1 : 0; }));
    while (sawSet.load() < 0)
        std::this_thread::sleep_for(1ms);
    slots.StopAll(1000ms);
    EXPECT_EQ(sawSet.load(), 0);
}

TEST(CWorkerSlots, AWorkerThatOverrunsItsBoundIsReportedAndStillJoined)
{
    CWorkerSlots slots;
    std::atomic<bool> release{false};
    std::atomic<bool> ended{false};
    // This worker ignores its stop event until the test lets it go, well after the stop.
    ASSERT_TRUE(slots.Start(3, [&](CStopEvent&) {
        while (!release.load())
            std::this_thread::sleep_for(1ms);
        ended = true;
    }));
    CStopEvent* stop = slots.StopEvent(3);
    std::thread releaser([&] {
        stop->WaitFor(std::chrono::hours(1));
        std::this_thread::sleep_for(200ms);
        release = true;
    });
    EXPECT_EQ(slots.StopAll(0ms), std::vector<size_t>{3});
    EXPECT_TRUE(ended.load()) << "joined, not left running on freed state";
    releaser.join();
}

}  // namespace
}  // namespace dw
