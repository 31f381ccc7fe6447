#include "transport/CDeviceTransport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ScriptedHidBackend.h"
#include "transport/DeviceKinds.h"
#include "transport/TransportResult.h"

namespace dw {
namespace {

using test::ScriptedHidBackend;

constexpr wchar_t kPath[] = L"hid#vid_5a3c&pid_6a3e&mi_01#/dev/hidraw-test0";

// A transport with both connections opened on the scripted node, as the device list opens it.
class TransportFixture : public testing::Test {
protected:
    void Open(int linkMode)
    {
        std::lock_guard io(transport.IoLock());
        CHidConnection& connection =
            linkMode == link::kReceiver ? transport.ReceiverConnection() : transport.WiredConnection();
        ASSERT_TRUE(connection.OpenPath(kPath, true, true, true, false));
        transport.SetOpened(true);
        transport.SetLinkMode(linkMode);
    }

    int Send(std::vector<uint8_t> request, Report& reply, size_t& transferred)
    {
        return transport.Transact(request, reply, transferred);
    }

    ScriptedHidBackend backend;
    CDeviceTransport transport{&backend};
};

TEST_F(TransportFixture, ConstructionState)
{
    EXPECT_FALSE(transport.IsOpened());
    EXPECT_FALSE(transport.IsBusy());
    EXPECT_EQ(transport.ReceiverMode(), 0);
    EXPECT_EQ(transport.ChunkSize(), 24);
    EXPECT_EQ(transport.TotalLength(), 512);
    EXPECT_EQ(transport.SecondLength(), 512);

    EXPECT_FALSE(transport.SetTotalLength(513));
    EXPECT_EQ(transport.TotalLength(), 512);
    EXPECT_TRUE(transport.SetTotalLength(102));
    EXPECT_EQ(transport.TotalLength(), 102);
    EXPECT_TRUE(transport.SetTotalLength(512));
    EXPECT_EQ(transport.TotalLength(), 512);
}

TEST_F(TransportFixture, LinkModeChoosesConnectionAndChunkSize)
{
    struct Case {
        int mode;
        int receiverMode;
        uint8_t chunk;
    };
    constexpr Case kCases[] = {{link::kReceiver, 1, 24}, {link::kWired, 0, 56}, {0, 0, 56}, {7, 0, 56}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.mode);
        transport.SetLinkMode(c.mode);
        EXPECT_EQ(transport.ReceiverMode(), c.receiverMode);
        EXPECT_EQ(transport.ChunkSize(), c.chunk);
        EXPECT_EQ(&transport.ActiveConnection(),
                  c.receiverMode ? &transport.ReceiverConnection() : &transport.WiredConnection());
    }
}

TEST_F(TransportFixture, NotOpenedSendsNothing)
{
    ASSERT_TRUE(transport.WiredConnection().OpenPath(kPath, true, true, true, false));
    backend.QueueReply(0x03);
    Report reply{};
    size_t transferred = 9;
    EXPECT_EQ(Send({0x04, 0, 0, 0x03}, reply, transferred), result::kNothing);
    EXPECT_EQ(transferred, 0u);
    EXPECT_TRUE(backend.Written().empty());
    EXPECT_FALSE(transport.IsBusy());
}

TEST_F(TransportFixture, RequestIsPaddedOrCutTo64Bytes)
{
    Open(link::kWired);
    std::vector<uint8_t> shortRequest = {0x04, 0x25, 0x00, 0x03, 0x22};
    std::vector<uint8_t> longRequest(100);
    for (size_t i = 0; i < longRequest.size(); ++i)
        longRequest[i] = static_cast<uint8_t>(i + 1);
    longRequest[0] = 0x04;
    longRequest[3] = 0x05;

    backend.QueueReply(0x03);
    backend.QueueReply(0x05);
    Report reply{};
    size_t transferred = 0;
    EXPECT_EQ(Send(shortRequest, reply, transferred), result::kSuccess);
    EXPECT_EQ(Send(longRequest, reply, transferred), result::kSuccess);

    const auto written = backend.Written();
    ASSERT_EQ(written.size(), 2u);
    std::vector<uint8_t> padded(64, 0);
    std::copy(shortRequest.begin(), shortRequest.end(), padded.begin());
    EXPECT_EQ(written[0], padded);
    EXPECT_EQ(written[1], std::vector<uint8_t>(longRequest.begin(), longRequest.begin() + 64));
}

// The reply rules, one row per scripted exchange.
struct ReplyCase {
    const char* name;
    int linkMode;
    uint8_t command;                 // byte 3 of the request
    std::vector<uint8_t> replies;    // byte 3 of each queued reply
    int expected;
    uint8_t replyCommand;            // byte 3 of the reply handed back
    size_t repliesLeft;              // queued replies not read
};

TEST_F(TransportFixture, ReplyRulesTable)
{
    const ReplyCase kCases[] = {
        {"match first", link::kWired, 0x03, {0x03, 0x05}, result::kSuccess, 0x03, 1},
        {"match second", link::kWired, 0x03, {0x05, 0x03}, result::kSuccess, 0x03, 0},
        {"no match after two reads is still success", link::kWired, 0x03, {0x05, 0x06, 0x03}, result::kSuccess, 0x06, 1},
        {"0xAA by cable is just another reply", link::kWired, 0x03, {0xAA, 0x03}, result::kSuccess, 0x03, 0},
        {"0xAA through the receiver: not linked", link::kReceiver, 0x03, {0xAA, 0x03}, result::kNotLinked, 0xAA, 1},
        {"0xAA after a stale reply", link::kReceiver, 0x06, {0x05, 0xAA}, result::kNotLinked, 0xAA, 0},
        {"the link query's own echo", link::kReceiver, 0xAA, {0xAA}, result::kSuccess, 0xAA, 0},
        {"receiver match", link::kReceiver, 0x1A, {0x1A}, result::kSuccess, 0x1A, 0},
    };
    for (const ReplyCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ScriptedHidBackend scripted;
        CDeviceTransport channel(&scripted);
        CHidConnection& connection =
            c.linkMode == link::kReceiver ? channel.ReceiverConnection() : channel.WiredConnection();
        ASSERT_TRUE(connection.OpenPath(kPath, true, true, true, false));
        channel.SetOpened(true);
        channel.SetLinkMode(c.linkMode);
        for (uint8_t command : c.replies)
            scripted.QueueReply(command);

        Report request = BuildFrame(c.command, 0, 0);
        Report reply{};
        size_t transferred = 0;
        EXPECT_EQ(channel.Transact(request, reply, transferred), c.expected);
        EXPECT_EQ(reply[frame::kCommand], c.replyCommand);
        EXPECT_EQ(transferred, 64u);
        EXPECT_EQ(scripted.script().replies.size(), c.repliesLeft);
        EXPECT_EQ(scripted.Written().size(), 1u);
    }
}

TEST_F(TransportFixture, WriteFailureIsMinusOneAndReadsNothing)
{
    Open(link::kWired);
    backend.script().failWrites = true;
    backend.QueueReply(0x03);
    Report reply{};
    size_t transferred = 0;
    EXPECT_EQ(Send({0x04, 0, 0, 0x03}, reply, transferred), result::kWriteFailed);
    EXPECT_EQ(backend.script().replies.size(), 1u);
    EXPECT_FALSE(transport.IsBusy());
}

TEST_F(TransportFixture, NoReplyIsZero)
{
    Open(link::kWired);
    Report reply{};
    size_t transferred = 0;
    // The quiet variant's wired wait; the reply never comes.
    EXPECT_EQ(transport.TransactQuiet(BuildFrame(0x12, 0, 0), reply, transferred), result::kNothing);
    EXPECT_EQ(transferred, 0u);
    EXPECT_EQ(backend.Written().size(), 1u);
}

TEST_F(TransportFixture, ClosingReleasesAWaitingTransaction)
{
    Open(link::kReceiver);
    std::atomic<int> outcome{42};
    std::thread worker([&] {
        Report reply{};
        size_t transferred = 0;
        outcome = transport.Transact(BuildFrame(0x03, 34, 0), reply, transferred);
    });
    while (backend.ReadsWaiting() == 0)
        std::this_thread::yield();
    EXPECT_TRUE(transport.IsBusy());
    // The device goes away: the device list clears opened and closes the connections.
    transport.SetOpened(false);
    transport.ReceiverConnection().Close();
    worker.join();
    EXPECT_EQ(outcome.load(), result::kNothing);
    EXPECT_FALSE(transport.IsBusy());

    // Closed: the next transaction sends nothing.
    Report reply{};
    size_t transferred = 0;
    EXPECT_EQ(transport.Transact(BuildFrame(0x03, 34, 0), reply, transferred), result::kNothing);
    EXPECT_EQ(backend.Written().size(), 1u);
}

}  // namespace
}  // namespace dw
