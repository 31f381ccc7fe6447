#include "keyboard/KeyTable.h"
#include "keyboard/VocabularyTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace dw {
namespace {

std::string Narrow(std::wstring_view w) { return std::string(w.begin(), w.end()); }

TEST(KeyTable, RowGroupsHaveTheirFunctionTypes) {
  ASSERT_EQ(kKeyTable.size(), 142u);
  for (size_t i = 0; i < kKeyTable.size(); ++i) {
    const Assignment& c = kKeyTable[i].code;
    SCOPED_TRACE(Narrow(kKeyTable[i].nameKey));
    if (i < 8) {
      EXPECT_EQ(c, (Assignment{0x20, uint8_t(1u << i), 0}));
    } else if (i < 114) {
      EXPECT_EQ(c.type, 0x20);
      EXPECT_EQ(c.value1, 0);
      EXPECT_NE(c.value2, 0);
    } else if (i < 132) {
      EXPECT_EQ(c.type, 0x30);
    } else if (i < 135) {
      EXPECT_EQ(c, (Assignment{0x40, uint8_t(1u << (i - 132)), 0}));
      EXPECT_EQ(kKeyTable[i].virtualKey, 0x103 + (i - 132));
    } else if (i < 140) {
      EXPECT_EQ(c, (Assignment{0xD0, 0xA2, uint8_t(i - 134)}));
      EXPECT_EQ(kKeyTable[i].virtualKey, 0);
    }
  }
}

TEST(KeyTable, CodesAndNamesAreUnique) {
  std::set<int64_t> codes;
  std::set<std::wstring_view> names;
  for (const KeyTableRow& row : kKeyTable) {
    EXPECT_TRUE(codes.insert(AssignmentToJsonInt(row.code)).second) << Narrow(row.nameKey);
    EXPECT_TRUE(names.insert(row.nameKey).second) << Narrow(row.nameKey);
    if (row.nameKey != L"wed_stop") {
      EXPECT_TRUE(row.nameKey.starts_with(L"keyboard_key_")) << Narrow(row.nameKey);
    }
  }
  EXPECT_EQ(names.count(keytable::kUnusedNameKey), 0u);
}

TEST(KeyTable, RowsThatFixTheLayout) {
  struct Case {
    size_t row;
    std::wstring_view name;
    uint16_t virtualKey;
    uint16_t scanCode;
    Assignment code;
  };
  constexpr uint16_t none = keytable::kNoScanCode;
  const Case cases[] = {
      {0, L"keyboard_key_LCtrl", 0xA2, 0x01D, {0x20, 0x01, 0}},
      {7, L"keyboard_key_RWin", 0x5C, 0x15C, {0x20, 0x80, 0}},
      {8, L"keyboard_key_A", 0x41, 0x01E, {0x20, 0, 0x04}},
      {33, L"keyboard_key_Z", 0x5A, 0x02C, {0x20, 0, 0x1D}},
      {43, L"keyboard_key_0", 0x30, 0x00B, {0x20, 0, 0x27}},
      {45, L"keyboard_key_Esc", 0x1B, 0x001, {0x20, 0, 0x29}},
      {53, L"keyboard_key_xiegang", 0xDC, 0x02B, {0x20, 0, 0x31}},
      {57, L"keyboard_key_<", 0xBC, 0x033, {0x20, 0, 0x36}},
      {60, L"keyboard_key_Caplk", 0x14, 0x03A, {0x20, 0, 0x39}},
      {72, L"keyboard_key_F12", 0x7B, 0x058, {0x20, 0, 0x45}},
      {91, L"keyboard_key_Num Enter", 0x101, 0x11C, {0x20, 0, 0x58}},
      {103, L"keyboard_key_App", 0x5D, 0x15D, {0x20, 0, 0x65}},
      {104, L"keyboard_key_K45", 0xE2, 0x056, {0x20, 0, 0x64}},
      {105, L"keyboard_key_K56", 0xC1, 0x073, {0x20, 0, 0x87}},
      {106, L"keyboard_key_K14", 0xFF, 0x07D, {0x20, 0, 0x89}},
      {107, L"keyboard_key_K107", 0xC2, 0x07E, {0x20, 0, 0x85}},
      {108, L"keyboard_key_K131", 0xEB, 0x07B, {0x20, 0, 0x8B}},
      {109, L"keyboard_key_K132", 0xFF, 0x079, {0x20, 0, 0x8A}},
      {110, L"keyboard_key_K133", 0xFF, 0x070, {0x20, 0, 0x88}},
      {111, L"keyboard_key_K150", 0xE9, 0x071, {0x20, 0, 0x91}},
      {112, L"keyboard_key_K151", 0xFF, 0x072, {0x20, 0, 0x90}},
      {113, L"keyboard_key_K42", 0xBF, none, {0x20, 0, 0x32}},
      {114, L"keyboard_key_Launch App2", 0xB7, none, {0x30, 0x92, 0x01}},
      {128, L"keyboard_key_Computer", 0xB6, none, {0x30, 0x94, 0x01}},
      {130, L"wed_stop", 0xA9, none, {0x30, 0x26, 0x02}},
      {131, L"keyboard_key_Launch Media Select", 0xB5, none, {0x30, 0x83, 0x01}},
      {135, L"keyboard_key_M1", 0, none, {0xD0, 0xA2, 1}},
      {140, L"keyboard_key_FN", 0, none, {0xA0, 0x01, 0}},
      {141, L"keyboard_key_GM", 0, none, {0xA0, 0x1B, 0}},
  };
  for (const Case& c : cases) {
    const KeyTableRow& row = kKeyTable[c.row];
    SCOPED_TRACE(c.row);
    EXPECT_EQ(row.nameKey, c.name);
    EXPECT_EQ(row.virtualKey, c.virtualKey);
    EXPECT_EQ(row.scanCode, c.scanCode);
    EXPECT_EQ(row.code, c.code);
    EXPECT_EQ(FindKeyRowByCode(c.code), c.row);
    EXPECT_EQ(KeyRowIndexOf(c.name), c.row);
  }
  EXPECT_EQ(KeyRowIndexOf(L"keyboard_key_COLOR"), keytable::kRowCount);
}

TEST(KeyTable, OnlyTheFirst113RowsCarryDistinctScanCodes) {
  std::set<uint16_t> seen;
  for (size_t i = 0; i < kKeyTable.size(); ++i) {
    const uint16_t scan = kKeyTable[i].scanCode;
    if (i < keytable::kScanCodeRowCount) {
      EXPECT_NE(scan, keytable::kNoScanCode) << i;
      EXPECT_TRUE(seen.insert(scan).second) << "row " << i << " repeats scan code " << scan;
    } else {
      EXPECT_EQ(scan, keytable::kNoScanCode) << i;
    }
  }
}

TEST(KeyTable, CapturedKeyPressesFindTheirRow) {
  struct Case {
    uint8_t scan;
    bool extended;
    std::optional<size_t> row;
  };
  const Case cases[] = {
      {0x1E, false, 8},                    // A
      {0x1C, false, 44},                   // Enter
      {0x1C, true, 91},                    // Num Enter
      {0x1D, false, 0},                    // LCtrl
      {0x1D, true, 4},                     // RCtrl
      {0x45, false, 75},                   // Pause
      {0x45, true, 86},                    // Num Lock
      {0x37, true, 73},                    // Print Scr
      {0x37, false, 88},                   // Num *
      {0x47, false, 98},                   // Num 7
      {0x47, true, 77},                    // Home
      {0x00, false, std::nullopt},
      {0x00, true, std::nullopt},
      {0x7F, false, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindKeyRowByScanCode(c.scan, c.extended), c.row) << int(c.scan) << (c.extended ? " E0" : "");
  }
}

TEST(Vocabulary, TablesKeepTheirSizesAndOrder) {
  EXPECT_EQ(kMouseButtonTable.size(), 5u);
  EXPECT_EQ(kDpiTable.size(), 3u);
  EXPECT_EQ(kMediaTable.size(), 18u);
  EXPECT_EQ(kSystemTable.size(), 3u);
  EXPECT_EQ(kCombinationShortcutTable.size(), 11u);
  EXPECT_EQ(kBuiltInShortcutTable.size(), 9u);
  EXPECT_EQ(kSpecialTable.size(), 15u);
  EXPECT_EQ(kGunPresetTable.size(), 4u);
  EXPECT_EQ(kMovementTable.size(), 4u);
  EXPECT_EQ(kMediaTable.front().nameKey, L"media_text");
  EXPECT_EQ(kMediaTable.back().nameKey, L"media_mail");
  EXPECT_EQ(kSpecialTable.back().nameKey, L"show_window");
}

TEST(Vocabulary, BuiltInShortcutsMirrorTheFirstNineCombinations) {
  for (size_t i = 0; i < kBuiltInShortcutTable.size(); ++i) {
    const VocabularyRow& row = kBuiltInShortcutTable[i];
    EXPECT_EQ(row.nameKey, kCombinationShortcutTable[i].nameKey);
    EXPECT_EQ(row.identifier, 0x21 + i);
    EXPECT_EQ(row.code, (Assignment{0x22, 0, uint8_t(i)}));
  }
  for (const VocabularyRow& row : kCombinationShortcutTable) {
    EXPECT_EQ(row.code.type, 0x20);
    EXPECT_EQ(row.code.value1, 0x10) << "shortcuts are sent with right Ctrl";
  }
}

TEST(Vocabulary, EveryConsumerAndSystemKeyHasAVocabularyName) {
  for (size_t i = keytable::kFirstConsumerRow; i < keytable::kFirstOnboardMacroRow; ++i) {
    const Assignment& code = kKeyTable[i].code;
    const auto& table = code.type == 0x30 ? std::span<const VocabularyRow>(kMediaTable)
                                          : std::span<const VocabularyRow>(kSystemTable);
    EXPECT_TRUE(FindVocabularyRow(table, code, VocabularyMatch::kTypeValue1Value2).has_value())
        << Narrow(kKeyTable[i].nameKey);
  }
}

TEST(Vocabulary, SpecialTableSwapsMiddleAndRightAgainstTheMouseTable) {
  const auto middle = [](std::span<const VocabularyRow> table) {
    for (const VocabularyRow& row : table) {
      if (row.nameKey == L"mouse_key_middle") return row.code.value1;
    }
    return uint8_t{0};
  };
  EXPECT_EQ(middle(kMouseButtonTable), 0x04);
  EXPECT_EQ(middle(kSpecialTable), 0x02);
}

}  // namespace
}  // namespace dw
