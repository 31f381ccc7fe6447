#include "keyboard/Assignment.h"
#include "keyboard/KeyEntry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace dw {
namespace {

TEST(Assignment, JsonIntegerFormRoundTrips) {
  struct Case {
    const char* what;
    Assignment a;
    int64_t json;
  };
  const Case cases[] = {
      {"LShift + A", {0x20, 0x02, 0x04}, 0x20 * 65536 + 0x02 * 256 + 0x04},
      {"play/pause", {0x30, 0xCD, 0x00}, 0x30 * 65536 + 0xCD * 256},
      {"wheel 3 down", {0x12, 0x35, 0xFD}, 0x1235FD},
      {"wheel 3 up", {0x12, 0x35, 0x03}, 0x123503},
      {"move 3 right", {0x11, 0x35, 0x83}, 0x113583},
      {"nothing", {0x00, 0x00, 0x00}, 0},
      {"all ones", {0xFF, 0xFF, 0xFF}, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(AssignmentToJsonInt(c.a), c.json);
    const auto back = AssignmentFromJsonInt(c.json);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, c.a);
  }
}

TEST(Assignment, EveryCodeSurvivesTheJsonForm) {
  for (unsigned type = 0; type < 256; ++type) {
    for (unsigned v1 = 0; v1 < 256; v1 += 17) {
      for (unsigned v2 = 0; v2 < 256; v2 += 5) {
        const Assignment a{uint8_t(type), uint8_t(v1), uint8_t(v2)};
        ASSERT_EQ(AssignmentFromJsonInt(AssignmentToJsonInt(a)), a);
      }
    }
  }
}

TEST(Assignment, IntegersThatAreNoAssignmentAreRejected) {
  const int64_t hostile[] = {
      -1,
      -0x200204,
      0x1000000,           // a fourth byte
      0x1200204,           // LShift + A with a stray high byte: must not read as LShift + A
      int64_t{1} << 32,
      std::numeric_limits<int64_t>::max(),
      std::numeric_limits<int64_t>::min(),
  };
  for (int64_t value : hostile) {
    EXPECT_FALSE(AssignmentFromJsonInt(value).has_value()) << value;
  }
}

TEST(KeyEntry, PacksToTwelveBytesAndBack) {
  const KeyEntry entry = MakeKeyEntry(0x0123, {0x20, 0x02, 0x04}, {0x20, 0x00, 0x29});
  const PackedKeyEntry expected{0x23, 0x01, 0x20, 0x02, 0x04, 0x00, 0x23, 0x01, 0x20, 0x00, 0x29, 0x00};
  EXPECT_EQ(PackKeyEntry(entry), expected);
  const auto back = UnpackKeyEntry(expected);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, entry);
}

TEST(KeyEntry, UnpackRefusesAnyOtherLength) {
  const std::vector<uint8_t> bytes(24, 0x20);
  for (size_t length : {size_t{0}, size_t{11}, size_t{13}, size_t{24}}) {
    EXPECT_FALSE(UnpackKeyEntry(std::span(bytes).first(length)).has_value()) << length;
  }
}

TEST(KeyEntry, UnchangedComparesAssignmentsOnly) {
  struct Case {
    KeyEntry entry;
    bool unchanged;
  };
  const Case cases[] = {
      {MakeKeyEntry(5, {0x20, 0, 0x22}, {0x20, 0, 0x22}), true},
      {KeyEntry{5, {0x20, 0, 0x22}, 9, {0x20, 0, 0x22}}, true},  // numbers differ
      {MakeKeyEntry(5, {0x20, 1, 0x22}, {0x20, 0, 0x22}), false},
      {MakeKeyEntry(5, {0x00, 0, 0x22}, {0x20, 0, 0x22}), false},
      {MakeKeyEntry(5, {0x20, 0, 0x23}, {0x20, 0, 0x22}), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.entry.IsUnchanged(), c.unchanged);
  }
}

}  // namespace
}  // namespace dw
