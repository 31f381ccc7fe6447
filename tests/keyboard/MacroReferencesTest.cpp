#include "keyboard/MacroReferences.h"

#include <gtest/gtest.h>

#include <vector>

namespace dw {
namespace {

constexpr Assignment kKeyA{0x20, 0x00, 0x04};

TEST(MacroReferences, MacrosBeyondTheListRevertToTheKeyDefault) {
  struct Case {
    const char* what;
    Assignment current;
    size_t macroCount;
    bool reverts;
  };
  const Case cases[] = {
      {"macro 5 of 5 (numbers 0..4)", {0x70, 5, 0}, 5, true},
      {"macro 4 of 5", {0x70, 4, 1}, 5, false},
      {"repeated macro 5 of 5", {0x71, 5, 3}, 5, true},
      {"repeated macro 0 of 1", {0x71, 0, 3}, 1, false},
      {"any macro with an empty list", {0x70, 0, 0}, 0, true},
      {"macro 200 of 3", {0x71, 200, 1}, 3, true},
      {"a key with a large value 1 is no macro", {0x20, 0x40, 0x04}, 0, false},
      {"a gun key is no macro", {0x72, 3, 0}, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<KeyEntry> list{MakeKeyEntry(7, c.current, kKeyA)};
    EXPECT_EQ(ResetStaleMacroReferences(list, c.macroCount), c.reverts);
    EXPECT_EQ(list[0].current, c.reverts ? kKeyA : c.current);
  }
}

TEST(MacroReferences, ResetCopiesTheWholeDefaultHalf) {
  std::vector<KeyEntry> list{
      MakeKeyEntry(0, {0x70, 1, 0}, {0x20, 0, 0x29}),
      KeyEntry{0xBEEF, {0x71, 9, 2}, 3, {0x20, 0, 0x3A}},
      MakeKeyEntry(2, {0x70, 0, 0}, {0x20, 0, 0x3B}),
  };
  EXPECT_TRUE(ResetStaleMacroReferences(list, 1));
  EXPECT_EQ(list[0], MakeKeyEntry(0, {0x20, 0, 0x29}, {0x20, 0, 0x29}));
  EXPECT_EQ(list[1], MakeKeyEntry(3, {0x20, 0, 0x3A}, {0x20, 0, 0x3A}));
  EXPECT_EQ(list[2], MakeKeyEntry(2, {0x70, 0, 0}, {0x20, 0, 0x3B}));
  EXPECT_FALSE(ResetStaleMacroReferences(list, 1)) << "a second pass finds nothing to change";
}

}  // namespace
}  // namespace dw
