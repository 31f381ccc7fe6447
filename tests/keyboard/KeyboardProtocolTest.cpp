// The keyboard's requests byte for byte, the chunk plan, how replies become result codes, the
// status block and the notification codes.

#include "keyboard/KeyboardProtocol.h"

#include <gtest/gtest.h>

#include "KeyboardTestSupport.h"
#include "keyboard/KeyboardNotification.h"
#include "transport/TransportResult.h"

namespace dw {
namespace {

using kbtest::ReportOf;

TEST(KeyboardRequests, SingleReportRequestsAreByteExact) {
  struct Case {
    const char* what;
    Report request;
    const char* expected;  // the first bytes; the rest of the 64 are zero
  };
  const Case cases[] = {
      {"Begin", BuildBeginRequest(), "04 01 00 01"},
      {"End", BuildEndRequest(), "04 02 00 02"},
      {"host lighting control", BuildHostLightingRequest(), "04 1C 00 1C"},
      {"link query", BuildLinkQueryRequest(), "04 AA 00 AA"},
      {"read status, 6 bytes at 0", BuildReadStatusRequest(), "04 20 00 1A 06 00 00 00"},
      {"custom-light bitmap", BuildCustomBitmapRequest(std::vector<uint8_t>(21, 0)), "04 20 00 0B 15 00 00 00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.request, ReportOf(c.expected)) << c.what;
  }
}

TEST(KeyboardRequests, ReadInfoIsOneReportByCableAndTwoThroughTheReceiver) {
  struct Case {
    const char* what;
    size_t chunkSize;
    std::vector<std::string> reports;
  };
  const Case cases[] = {
      {"cable", kWiredChunkSize, {"04 25 00 03 22 00 00 00"}},
      {"receiver", kReceiverChunkSize, {"04 1B 00 03 18 00 00 00", "04 25 00 03 0A 18 00 00"}},
  };
  for (const Case& c : cases) {
    const std::vector<Chunk> chunks = PlanChunks(kbinfo::kSize, c.chunkSize);
    ASSERT_EQ(chunks.size(), c.reports.size()) << c.what;
    for (size_t i = 0; i < chunks.size(); ++i) {
      EXPECT_EQ(BuildReadChunkRequest(cmd::kReadInfo, chunks[i], ChunkOffset(0, chunks[i])), ReportOf(c.reports[i]))
          << c.what << " report " << i;
    }
  }
}

TEST(KeyboardRequests, ChunkPlanCoversTheImageWithAShorterLastChunk) {
  struct Case {
    size_t length;
    size_t chunkSize;
    std::vector<Chunk> chunks;
  };
  const Case cases[] = {
      {0, 56, {}},
      {34, 56, {{0, 34}}},
      {56, 56, {{0, 56}}},
      {57, 56, {{0, 56}, {56, 1}}},
      {34, 24, {{0, 24}, {24, 10}}},
      {396, 56, {{0, 56}, {56, 56}, {112, 56}, {168, 56}, {224, 56}, {280, 56}, {336, 56}, {392, 4}}},
      // A chunk size no frame can carry is taken as the most one frame carries.
      {60, 0, {{0, 56}, {56, 4}}},
      {60, 200, {{0, 56}, {56, 4}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlanChunks(c.length, c.chunkSize), c.chunks) << c.length << " bytes in chunks of " << c.chunkSize;
  }
}

TEST(KeyboardRequests, WriteChunksCarryTheirSliceAtBasePlusStart) {
  std::vector<uint8_t> image(34);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(0xA0 + i);
  const std::vector<Chunk> chunks = PlanChunks(image.size(), kReceiverChunkSize);
  ASSERT_EQ(chunks.size(), 2u);
  const size_t base = 33 * 2;  // profile 2's settings block
  const Report second = BuildWriteChunkRequest(cmd::kWriteSettings, chunks[1], ChunkOffset(base, chunks[1]), image);
  EXPECT_EQ(FrameCommand(second), cmd::kWriteSettings);
  EXPECT_EQ(FrameLength(second), 10);
  EXPECT_EQ(FrameOffset(second), base + 24);
  EXPECT_EQ(FrameData(second)[0], 0xA0 + 24);
  EXPECT_EQ(FrameData(second)[9], 0xA0 + 33);
  EXPECT_EQ(FrameData(second)[10], 0);  // nothing beyond the chunk
  EXPECT_TRUE(FrameChecksumValid(second));
}

TEST(KeyboardRequests, KeyMapOffsetCarriesTheProfileInTheHighByte) {
  struct Case {
    uint8_t profile;
    size_t start;
    uint16_t offset;
  };
  constexpr Case kCases[] = {
      {0, 0, 0x0000},
      {0, 56, 0x0038},
      {0, 0x150, 0x0150},
      {1, 0, 0x0200},
      {1, 0x38, 0x0238},
      {3, 0x150, 0x0750},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(KeyMapChunkOffset(c.profile, Chunk{c.start, 56}), c.offset) << int(c.profile) << "/" << c.start;
  }
}

TEST(KeyboardReplies, StatusByteAndTransportFailureBecomeResultCodes) {
  struct Case {
    int transact;
    uint8_t status;
    int expected;
  };
  constexpr Case kCases[] = {
      {result::kSuccess, 0x00, result::kSuccess},
      {result::kSuccess, 0x01, result::kSuccess},
      {result::kSuccess, 0xFD, result::kSuccess},
      {result::kSuccess, 0xFF, result::kRejected},
      {result::kSuccess, 0xFE, result::kRefused},
      {result::kNothing, 0xFF, result::kNothing},
      {result::kWriteFailed, 0x00, result::kWriteFailed},
      {result::kNotLinked, 0x00, result::kNotLinked},
  };
  for (const Case& c : kCases) {
    Report reply{};
    reply[frame::kStatus] = c.status;
    EXPECT_EQ(ReplyResult(c.transact, reply), c.expected) << c.transact << " status " << int(c.status);
  }
}

TEST(KeyboardReplies, LinkQueryAnswersLinkedOnlyOnAGoodReplyWithFF) {
  struct Case {
    const char* what;
    int transact;
    uint8_t status;
    uint8_t data0;
    bool linked;
  };
  constexpr Case kCases[] = {
      {"linked", result::kSuccess, 0x00, 0xFF, true},
      {"device answers not linked", result::kSuccess, 0x00, 0x00, false},
      {"status rejected", result::kSuccess, 0xFF, 0xFF, false},
      {"status refused", result::kSuccess, 0xFE, 0xFF, false},
      {"receiver answered 0xAA", result::kNotLinked, 0x00, 0xFF, false},
      {"no reply", result::kNothing, 0x00, 0xFF, false},
  };
  for (const Case& c : kCases) {
    Report reply{};
    reply[frame::kStatus] = c.status;
    reply[frame::kData] = c.data0;
    EXPECT_EQ(LinkQueryAnswersLinked(c.transact, reply), c.linked) << c.what;
  }
}

TEST(KeyboardReplies, StatusBlockByteThreeSaysHowTheExchangeWent) {
  const std::vector<uint8_t> data{85, 2, 0x33, 0x77, 0x05, 0x09, 0xEE};
  EXPECT_EQ(FinishStatusBlock(data, true), (StatusBlock{85, 2, 0x33, 1, 0x05, 0x09}));
  EXPECT_EQ(FinishStatusBlock(data, false), (StatusBlock{85, 2, 0x33, 0, 0x05, 0x09}));
  EXPECT_EQ(FinishStatusBlock(std::vector<uint8_t>{50}, true), (StatusBlock{50, 0, 0, 1, 0, 0}));
}

TEST(KeyboardReplies, InfoBlockSlotCountAndCapacity) {
  InfoBlock info{};
  info[kbinfo::kSlotCount] = 132;
  info[kbinfo::kMacroUnits] = 32;
  EXPECT_EQ(SlotCountOf(info), 132u);
  EXPECT_EQ(MacroCapacityOf(info), 4096u);
  EXPECT_TRUE(KeyMapFits(170));   // 510 bytes
  EXPECT_FALSE(KeyMapFits(171));  // 513 bytes
}

TEST(KeyboardNotifications, CodesDecodeIntoEvents) {
  using K = KeyboardEventKind;
  struct Case {
    uint16_t code;
    KeyboardEvent expected;
  };
  const Case cases[] = {
      {0x0401, {K::Resync, 0x0401}},
      {0x0402, {K::ResyncWithProfileReload, 0x0402}},
      {0x0404, {K::Heartbeat, 0x0404}},
      {0x0403, {K::Unknown, 0x0403}},
      {0x0500, {K::KeyPressed, 0x0500, 0}},
      {0x0557, {K::KeyPressed, 0x0557, 0x57}},
      {0x06FF, {K::KeyReleased, 0x06FF, 0xFF}},
      {0x1002, {K::ActiveProfile, 0x1002, 0, 2}},
      {0x10A3, {K::ActiveProfile, 0x10A3, 0, 3}},  // the high nibble means nothing here
      {0x1153, {K::ActiveProfileWithState, 0x1153, 0, 3, 5}},
      {0x11F0, {K::ActiveProfileWithState, 0x11F0, 0, 0, 0xF}},
      {0x0000, {K::Unknown, 0x0000}},
      {0x1201, {K::Unknown, 0x1201}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeKeyboardNotification(c.code), c.expected) << std::hex << c.code;
  }
}

}  // namespace
}  // namespace dw
