#include "keyboard/AssignmentLabel.h"
#include "keyboard/KeyTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace dw {
namespace {

// Language texts of the tests: the key itself, with the key-table prefix dropped, so
// "keyboard_key_LShift" reads "LShift". Keys in `missing` have no text.
struct FakeLanguage {
  std::set<std::wstring, std::less<>> missing;
  std::wstring operator()(std::wstring_view key) const {
    if (missing.find(key) != missing.end()) return {};
    constexpr std::wstring_view prefix = L"keyboard_key_";
    if (key.starts_with(prefix)) key.remove_prefix(prefix.size());
    return std::wstring(key);
  }
};

const std::vector<std::wstring> kMacros{L"Reload", L"Build", L"Sprint"};

std::string Hex(const Assignment& a) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X %02X %02X", a.type, a.value1, a.value2);
  return text;
}

TEST(AssignmentLabel, DisplayNamesByFunctionType) {
  struct Case {
    Assignment a;
    std::wstring text;
  };
  const std::wstring off(kOffLabel);
  const Case cases[] = {
      // Keyboard keys, type 0x20 and its twin 0x00.
      {{0x20, 0x00, 0x04}, L"A"},
      {{0x00, 0x00, 0x04}, L"A"},
      {{0x20, 0x02, 0x00}, L"LShift"},
      {{0x20, 0x00, 0x00}, L"com_key_nothing"},
      {{0x20, 0x02, 0x04}, L"LShift+A"},
      {{0x00, 0x02, 0x04}, L"LShift+A"},
      {{0x20, 0x03, 0x04}, L"LCtrl+LShift+A"},
      {{0x20, 0x05, 0x29}, L"LCtrl+LAlt+Esc"},
      {{0x20, 0xFF, 0x2C}, L"LCtrl+LShift+LAlt+LWin+RCtrl+RShift+RAlt+RWin+Space"},
      {{0x20, 0x11, 0x12}, L"LCtrl+RCtrl+O"},
      {{0x20, 0x10, 0x05}, L"RCtrl+B"},
      {{0x20, 0x03, 0x00}, L"LCtrl+LShift"},
      // Bare modifier bits are never read as the consumer or special key with those bytes.
      {{0x20, 0x1B, 0x00}, L"LCtrl+LShift+LWin+RCtrl"},
      {{0x20, 0xCD, 0x00}, L"LCtrl+LAlt+LWin+RAlt+RWin"},
      {{0x20, 0x02, 0xF0}, L""},  // a usage the key table does not know
      {{0x20, 0x00, 0xF0}, L""},
      // Ctrl shortcuts have names of their own.
      {{0x20, 0x10, 0x12}, L"custem_open"},
      {{0x00, 0x10, 0x06}, L"custem_copy"},
      {{0x20, 0x10, 0x2E}, L"custem_magnify"},
      // Mouse functions.
      {{0x10, 0x01, 0x00}, L"mouse_key_left"},
      {{0x10, 0x04, 0x00}, L"mouse_key_middle"},
      {{0x10, 0x02, 0x00}, L"mouse_key_right"},
      {{0x10, 0x03, 0x00}, L""},
      {{0x11, 0x35, 0x83}, L"mouse_key_right_Swing"},
      {{0x11, 0x35, 0x03}, L"mouse_key_left_Swing"},
      {{0x12, 0x35, 0xFD}, L"mouse_key_down_Swing"},
      {{0x12, 0x35, 0x03}, L"mouse_key_up_Swing"},
      {{0x13, 0x01, 0x00}, L"mouse_key_DPI_add"},
      {{0x13, 0x03, 0x00}, L"mouse_key_DPI_loop"},
      {{0x13, 0x09, 0x00}, L""},
      {{0x14, 0x50, 0x02}, L"mouse_key_fire_key"},
      {{0x14, 0x01, 0x09}, L"mouse_key_fire_key"},
      {{0x16, 0x00, 0x00}, L"mouse_key_DPI_shift"},
      {{0x23, 0x00, 0x00}, L"show_window"},
      // Shortcuts, media and system keys.
      {{0x22, 0x00, 0x03}, L"custem_save"},
      {{0x22, 0x00, 0x09}, L""},
      {{0x30, 0xCD, 0x00}, L"media_play"},
      {{0x30, 0x83, 0x01}, L"media_text"},
      {{0x30, 0x99, 0x09}, L""},
      {{0x40, 0x01, 0x00}, L"system_power"},
      {{0x40, 0x04, 0x00}, L"system_wake_up"},
      {{0x40, 0x08, 0x00}, L""},
      // Macros by list index.
      {{0x70, 0x01, 0x00}, L"Build"},
      {{0x71, 0x02, 0x05}, L"Sprint"},
      {{0x70, 0x03, 0x00}, L""},
      // Recoil presets.
      {{0x72, 0x00, 0x00}, L"gun_1_txt"},
      {{0x72, 0x03, 0x00}, L"gun_4_txt"},
      {{0x72, 0x04, 0x00}, off},
      // Special functions and on-board macro keys.
      {{0xA0, 0x02, 0x00}, L"mouse_key_smart_key"},
      {{0xA0, 0x00, 0x00}, L"com_key_nothing"},
      {{0xA0, 0x01, 0x00}, L"FN"},
      {{0xA0, 0x1B, 0x00}, L"GM"},
      {{0xA0, 0x55, 0x00}, L""},
      {{0xD0, 0xA2, 0x03}, L"M3"},
      {{0xD0, 0xA2, 0x09}, L""},
      // Stored-only types have no label; unknown types read "off".
      {{0x15, 0x01, 0x02}, L""},
      {{0x21, 0x00, 0x00}, L""},
      {{0x50, 0x00, 0x00}, L""},
      {{0x60, 0x00, 0x00}, L""},
      {{0xB0, 0x00, 0x00}, L""},
      {{0xC0, 0x00, 0x00}, L""},
      {{0x99, 0x00, 0x00}, off},
      {{0xFF, 0xFF, 0xFF}, off},
  };
  const FakeLanguage language;
  for (const Case& c : cases) {
    EXPECT_EQ(AssignmentDisplayName(c.a, language, kMacros), c.text) << Hex(c.a);
  }
}

TEST(AssignmentLabel, EveryKeyTableRowIsNamedByItsOwnRow) {
  for (const KeyTableRow& row : kKeyTable) {
    const AssignmentLabel label = DescribeAssignment(row.code);
    if (row.code.type == 0x30 || row.code.type == 0x40) {
      EXPECT_EQ(label.kind, LabelKind::kNameKeys) << Hex(row.code);  // named by the media/system tables
      continue;
    }
    EXPECT_EQ(label.nameKeys, std::vector<std::wstring_view>{row.nameKey}) << Hex(row.code);
  }
}

TEST(AssignmentLabel, ComposedLabelIsNotShownHalfResolved) {
  FakeLanguage language;
  language.missing.insert(L"keyboard_key_A");
  EXPECT_EQ(AssignmentDisplayName({0x20, 0x02, 0x04}, language, kMacros), L"");
  EXPECT_EQ(AssignmentDisplayName({0x20, 0x02, 0x05}, language, kMacros), L"LShift+B");
  EXPECT_EQ(AssignmentDisplayName({0x20, 0x00, 0x04}, LanguageLookup{}, kMacros), L"");
}

TEST(AssignmentLabel, MacroLabelsNeedTheMacroInTheList) {
  const FakeLanguage language;
  EXPECT_EQ(DescribeAssignment({0x70, 0x07, 0x00}).kind, LabelKind::kMacroName);
  EXPECT_EQ(DescribeAssignment({0x70, 0x07, 0x00}).macroIndex, 7u);
  EXPECT_EQ(AssignmentDisplayName({0x70, 0x00, 0x00}, language, {}), L"");
  EXPECT_EQ(AssignmentDisplayName({0x70, 0x00, 0x00}, language, kMacros), L"Reload");
}

}  // namespace
}  // namespace dw
