// The command channel against a scripted device: the waits it makes, and the light-frame
// stream's rules (a chunk that meets a running transaction is dropped; a failing frame is
// followed by a pause).

#include "keyboard/CKeyboardCommandChannel.h"

#include <gtest/gtest.h>

#include <thread>

#include "ResponderHidBackend.h"
#include "transport/DeviceKinds.h"
#include "transport/TransportResult.h"

namespace dw {
namespace {

using kbtest::ResponderHidBackend;
using namespace std::chrono_literals;

constexpr uint8_t kSlots = 10;

class ChannelFixture : public testing::Test {
 protected:
  ChannelFixture() {
    backend.SetResponder([this](const Report& request) -> std::optional<Report> {
      Report reply = ResponderHidBackend::Echo(request, statusFor(request[frame::kCommand]));
      if (request[frame::kCommand] == cmd::kReadInfo && FrameOffset(request) == 0) {
        reply[frame::kData + kbinfo::kSlotCount] = kSlots;
        reply[frame::kData + kbinfo::kMacroUnits] = 1;
        SealFrame(reply);
      }
      return reply;
    });
    std::lock_guard io(transport.IoLock());
    EXPECT_TRUE(transport.WiredConnection().OpenPath(kbtest::kResponderPath, true, true, true, false));
    transport.SetOpened(true);
    transport.SetLinkMode(link::kWired);
  }

  std::function<uint8_t(uint8_t)> statusFor = [](uint8_t) -> uint8_t { return 0; };
  ResponderHidBackend backend;
  CDeviceTransport transport{&backend};
  std::vector<std::chrono::milliseconds> sleeps;
  CKeyboardCommandChannel channel{transport, [this](std::chrono::milliseconds d) { sleeps.push_back(d); }};
};

TEST_F(ChannelFixture, EndIsPrecededByItsShortWait) {
  ASSERT_EQ(channel.WriteSettings(LightingRecord{}, KeyboardSystemStages{}, EffectList{}), result::kSuccess);
  EXPECT_EQ(sleeps, (std::vector<std::chrono::milliseconds>{CKeyboardCommandChannel::kEndDelay}));
  const std::vector<Report> written = backend.Written();
  ASSERT_EQ(written.size(), 3u);
  EXPECT_EQ(written[0][frame::kCommand], cmd::kBegin);
  EXPECT_EQ(written[1][frame::kCommand], cmd::kWriteSettings);
  EXPECT_EQ(written[1][frame::kLength], kbsettings::kSize);
  EXPECT_EQ(written[2][frame::kCommand], cmd::kEnd);
}

TEST_F(ChannelFixture, LightFrameChunkIsDroppedWhileACommandIsRunning) {
  ASSERT_EQ(channel.FullRead(), result::kSuccess);
  const std::vector<uint8_t> frame(kSlots, 0x42);

  backend.HoldWritesOf(cmd::kHostLightingControl);
  std::thread command([this] { EXPECT_EQ(channel.SendHostLightingControl(), result::kSuccess); });
  backend.WaitUntilHolding();
  ASSERT_TRUE(transport.IsBusy());
  // The frame is treated as sent: the stream never waits for configuration traffic.
  EXPECT_EQ(channel.StreamLightFrame(frame), result::kSuccess);
  EXPECT_EQ(channel.DroppedLightChunks(), 1u);
  EXPECT_EQ(backend.CountWritten(cmd::kLightFrame), 0u);
  backend.Release();
  command.join();

  EXPECT_EQ(channel.StreamLightFrame(frame), result::kSuccess);
  EXPECT_EQ(channel.DroppedLightChunks(), 1u);
  ASSERT_EQ(backend.CountWritten(cmd::kLightFrame), 1u);
  const Report sent = backend.Written().back();
  EXPECT_EQ(FrameLength(sent), kSlots);
  EXPECT_EQ(FrameData(sent)[0], 0x42);
  EXPECT_EQ(FrameData(sent)[kSlots], 0);
}

TEST_F(ChannelFixture, FailingLightFrameIsFollowedByAPauseAndStopsItsChunks) {
  ASSERT_EQ(channel.FullRead(), result::kSuccess);
  sleeps.clear();
  statusFor = [](uint8_t command) -> uint8_t { return command == cmd::kLightFrame ? 0xFF : 0; };
  EXPECT_EQ(channel.StreamLightFrame(std::vector<uint8_t>(kSlots, 1)), result::kRejected);
  EXPECT_EQ(sleeps, (std::vector<std::chrono::milliseconds>{CKeyboardCommandChannel::kFailedFramePause}));

  statusFor = [](uint8_t) -> uint8_t { return 0; };
  sleeps.clear();
  EXPECT_EQ(channel.StreamLightFrame(std::vector<uint8_t>(kSlots, 1)), result::kSuccess);
  EXPECT_TRUE(sleeps.empty());
}

TEST_F(ChannelFixture, NothingIsStreamedBeforeTheSlotCountIsKnownOrWhenClosed) {
  EXPECT_EQ(channel.StreamLightFrame(std::vector<uint8_t>(kSlots, 1)), result::kNothing);
  ASSERT_EQ(channel.FullRead(), result::kSuccess);
  transport.SetOpened(false);
  EXPECT_EQ(channel.StreamLightFrame(std::vector<uint8_t>(kSlots, 1)), result::kNothing);
  EXPECT_EQ(backend.CountWritten(cmd::kLightFrame), 0u);
  EXPECT_TRUE(sleeps.size() <= 1u);  // only End's wait of the full read
}

TEST_F(ChannelFixture, KeyboardAnnouncingAnOversizedKeyMapStopsTheFullReadBeforeEnd) {
  backend.SetResponder([](const Report& request) -> std::optional<Report> {
    Report reply = ResponderHidBackend::Echo(request);
    if (request[frame::kCommand] == cmd::kReadInfo) {
      reply[frame::kData + kbinfo::kSlotCount] = 171;  // 513 bytes of key map
      SealFrame(reply);
    }
    return reply;
  });
  EXPECT_EQ(channel.FullRead(), result::kNothing);
  EXPECT_EQ(backend.CountWritten(cmd::kBegin), 1u);
  EXPECT_EQ(backend.CountWritten(cmd::kReadKeyMap), 0u);
  EXPECT_EQ(backend.CountWritten(cmd::kEnd), 0u);
  EXPECT_EQ(transport.TotalLength(), CDeviceTransport::kMaxTotalLength);
}

}  // namespace
}  // namespace dw
