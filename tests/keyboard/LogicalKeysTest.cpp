#include "keyboard/LogicalKeys.h"

#include <gtest/gtest.h>

#include <set>

namespace dw {
namespace {

TEST(LogicalKeys, GridKeysAreIdentifiedByDistinctDefaults) {
  std::set<int64_t> seen;
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    const Assignment defaults = DefaultAssignmentOf(key);
    if (key == 104 || key >= logicalkey::kGridCount) {
      EXPECT_EQ(defaults, logicalkey::kNoKey) << key;
      EXPECT_EQ(LogicalKeyOfDefault(defaults), std::nullopt);
      continue;
    }
    EXPECT_NE(defaults, logicalkey::kNoKey) << key;
    EXPECT_TRUE(seen.insert(AssignmentToJsonInt(defaults)).second) << "key " << key << " shares its default";
    EXPECT_EQ(LogicalKeyOfDefault(defaults), key);
  }
  EXPECT_EQ(DefaultAssignmentOf(100000), logicalkey::kNoKey);
}

TEST(LogicalKeys, DefaultsOfKeysAroundTheGrid) {
  struct Case {
    size_t key;
    std::wstring_view row;
  };
  const Case cases[] = {
      {0, L"keyboard_key_Esc"},          {12, L"keyboard_key_F12"},   {16, L"keyboard_key_GM"},
      {17, L"keyboard_key_Launch App2"}, {21, L"keyboard_key_`"},     {31, L"keyboard_key_0"},
      {36, L"keyboard_key_Home"},        {55, L"keyboard_key_xiegang"}, {62, L"keyboard_key_K42"},
      {84, L"keyboard_key_LShift"},      {92, L"keyboard_key_<"},     {103, L"keyboard_key_K107"},
      {105, L"keyboard_key_LCtrl"},      {110, L"keyboard_key_FN"},   {118, L"keyboard_key_Num Enter"},
      {120, L"keyboard_key_M1"},         {124, L"keyboard_key_M5"},   {125, L"keyboard_key_RWin"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultAssignmentOf(c.key), kKeyTable[KeyRowIndexOf(c.row)].code) << c.key;
  }
  EXPECT_EQ(DefaultAssignmentOf(0), (Assignment{0x20, 0, 0x29}));
}

TEST(LogicalKeys, DefaultKeyListHasEveryKeyUnchanged) {
  const std::vector<KeyEntry> list = MakeDefaultKeyList();
  ASSERT_EQ(list.size(), logicalkey::kCount);
  for (size_t key = 0; key < list.size(); ++key) {
    EXPECT_EQ(list[key], MakeKeyEntry(uint16_t(key), DefaultAssignmentOf(key), DefaultAssignmentOf(key)));
  }
}

}  // namespace
}  // namespace dw
