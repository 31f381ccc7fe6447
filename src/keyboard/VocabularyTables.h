#pragma once

// The function vocabulary besides the key table: fixed rows that give each function a
// display-name key (looked up in the language texts). Declared in the order a name lookup
// tries them after the key table. A row's identifier is a serial number within its table
// (the built-in shortcuts carry 0x21..0x29); nothing outside these tables refers to it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "keyboard/Assignment.h"
#include "keyboard/FunctionTypes.h"

namespace dw {

struct VocabularyRow {
  uint16_t identifier = 0;
  Assignment code;
  std::wstring_view nameKey;
};

// clang-format off
inline constexpr std::array<VocabularyRow, 5> kMouseButtonTable{{
    {1, {fn::kMouseButton, mouse::kButtonLeft, 0}, L"mouse_key_left"},
    {2, {fn::kMouseButton, mouse::kButtonMiddle, 0}, L"mouse_key_middle"},
    {3, {fn::kMouseButton, mouse::kButtonRight, 0}, L"mouse_key_right"},
    {4, {fn::kMouseButton, mouse::kButtonForward, 0}, L"mouse_key_forward"},
    {5, {fn::kMouseButton, mouse::kButtonBack, 0}, L"mouse_key_back"},
}};

inline constexpr std::array<VocabularyRow, 3> kDpiTable{{
    {1, {fn::kDpi, dpi::kUp, 0}, L"mouse_key_DPI_add"},
    {2, {fn::kDpi, dpi::kDown, 0}, L"mouse_key_DPI_sub"},
    {3, {fn::kDpi, dpi::kCycle, 0}, L"mouse_key_DPI_loop"},
}};

namespace vocabulary::detail {
constexpr Assignment Consumer(uint16_t usage) {
  return {fn::kConsumer, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)};
}
}  // namespace vocabulary::detail

inline constexpr std::array<VocabularyRow, 18> kMediaTable{{
    {1, vocabulary::detail::Consumer(0x0183), L"media_text"},
    {2, vocabulary::detail::Consumer(0x00CD), L"media_play"},
    {3, vocabulary::detail::Consumer(0x00B7), L"media_stop"},
    {4, vocabulary::detail::Consumer(0x00B6), L"media_prev"},
    {5, vocabulary::detail::Consumer(0x00B5), L"media_next"},
    {6, vocabulary::detail::Consumer(0x00EA), L"media_vol_sub"},
    {7, vocabulary::detail::Consumer(0x00E9), L"media_vol_add"},
    {8, vocabulary::detail::Consumer(0x00E2), L"media_mute"},
    {9, vocabulary::detail::Consumer(0x0223), L"web_text"},
    {10, vocabulary::detail::Consumer(0x0227), L"web_refresh"},
    {11, vocabulary::detail::Consumer(0x0226), L"wed_stop"},
    {12, vocabulary::detail::Consumer(0x0224), L"wed_back"},
    {13, vocabulary::detail::Consumer(0x0225), L"wed_forward"},
    {14, vocabulary::detail::Consumer(0x022A), L"wed_favorite"},
    {15, vocabulary::detail::Consumer(0x0221), L"web_search"},
    {16, vocabulary::detail::Consumer(0x0194), L"media_mypc"},
    {17, vocabulary::detail::Consumer(0x0192), L"media_calc"},
    {18, vocabulary::detail::Consumer(0x018A), L"media_mail"},
}};

inline constexpr std::array<VocabularyRow, 3> kSystemTable{{
    {1, {fn::kSystem, sys::kPower, 0}, L"system_power"},
    {2, {fn::kSystem, sys::kSleep, 0}, L"system_sleep"},
    {3, {fn::kSystem, sys::kWake, 0}, L"system_wake_up"},
}};

// Ctrl shortcuts, sent as right Ctrl plus a key usage.
inline constexpr std::array<VocabularyRow, 11> kCombinationShortcutTable{{
    {1, {fn::kKeyboardKey, modifier::kRCtrl, 0x12}, L"custem_open"},        // O
    {2, {fn::kKeyboardKey, modifier::kRCtrl, 0x11}, L"custem_new"},         // N
    {3, {fn::kKeyboardKey, modifier::kRCtrl, 0x1D}, L"custem_undo"},        // Z
    {4, {fn::kKeyboardKey, modifier::kRCtrl, 0x16}, L"custem_save"},        // S
    {5, {fn::kKeyboardKey, modifier::kRCtrl, 0x06}, L"custem_copy"},        // C
    {6, {fn::kKeyboardKey, modifier::kRCtrl, 0x1B}, L"custem_cut"},         // X
    {7, {fn::kKeyboardKey, modifier::kRCtrl, 0x19}, L"custem_paste"},       // V
    {8, {fn::kKeyboardKey, modifier::kRCtrl, 0x09}, L"custem_find"},        // F
    {9, {fn::kKeyboardKey, modifier::kRCtrl, 0x04}, L"custem_select_all"},  // A
    {10, {fn::kKeyboardKey, modifier::kRCtrl, 0x2D}, L"custem_narrow"},     // minus
    {11, {fn::kKeyboardKey, modifier::kRCtrl, 0x2E}, L"custem_magnify"},    // equals
}};

// The same functions as the first nine combination shortcuts, run by the device itself.
inline constexpr std::array<VocabularyRow, 9> kBuiltInShortcutTable{{
    {0x21, {fn::kBuiltInShortcut, 0, 0}, L"custem_open"},
    {0x22, {fn::kBuiltInShortcut, 0, 1}, L"custem_new"},
    {0x23, {fn::kBuiltInShortcut, 0, 2}, L"custem_undo"},
    {0x24, {fn::kBuiltInShortcut, 0, 3}, L"custem_save"},
    {0x25, {fn::kBuiltInShortcut, 0, 4}, L"custem_copy"},
    {0x26, {fn::kBuiltInShortcut, 0, 5}, L"custem_cut"},
    {0x27, {fn::kBuiltInShortcut, 0, 6}, L"custem_paste"},
    {0x28, {fn::kBuiltInShortcut, 0, 7}, L"custem_find"},
    {0x29, {fn::kBuiltInShortcut, 0, 8}, L"custem_select_all"},
}};

// The mouse page's function list. Its middle and right buttons are 0x02 and 0x04, the reverse
// of the mouse-button table; the keyboard only reads this table for types 0x16, 0x23, 0xA0
// and 0xD0, where those rows never match.
inline constexpr std::array<VocabularyRow, 15> kSpecialTable{{
    {1, {fn::kMouseButton, 0x01, 0}, L"mouse_key_left"},
    {2, {fn::kMouseButton, 0x02, 0}, L"mouse_key_middle"},
    {3, {fn::kMouseButton, 0x04, 0}, L"mouse_key_right"},
    {4, {fn::kMouseButton, 0x10, 0}, L"mouse_key_forward"},
    {5, {fn::kMouseButton, 0x08, 0}, L"mouse_key_back"},
    {6, {fn::kFireKey, 0x50, 0x02}, L"mouse_key_fire_key"},
    {7, {fn::kKeyboardKey, 0, 0}, L"mouse_key_shortcut_key"},
    {8, {fn::kKeyboardKey, modifier::kRWin, 0}, L"win_key_text"},
    {9, {fn::kSpecial, special::kSmartKey, 0}, L"mouse_key_smart_key"},
    {10, {fn::kSpecial, special::kNothing, 0}, L"com_key_nothing"},
    {11, {fn::kDpi, dpi::kCycle, 0}, L"mouse_key_DPI_loop"},
    {12, {fn::kDpi, dpi::kUp, 0}, L"mouse_key_DPI_add"},
    {13, {fn::kDpi, dpi::kDown, 0}, L"mouse_key_DPI_sub"},
    {14, {fn::kDpiShift, 0, 0}, L"mouse_key_DPI_shift"},
    {15, {fn::kShowWindow, 0, 0}, L"show_window"},
}};

inline constexpr std::array<VocabularyRow, 4> kGunPresetTable{{
    {1, {fn::kGunKey, 0, 0}, L"gun_1_txt"},
    {2, {fn::kGunKey, 1, 0}, L"gun_2_txt"},
    {3, {fn::kGunKey, 2, 0}, L"gun_3_txt"},
    {4, {fn::kGunKey, 3, 0}, L"gun_4_txt"},
}};

// Only bit 7 of value 2 tells the directions apart; the rows carry a count of one step.
inline constexpr std::array<VocabularyRow, 4> kMovementTable{{
    {1, {fn::kWheel, 0, 0x01}, L"mouse_key_up_Swing"},
    {2, {fn::kWheel, 0, 0xFF}, L"mouse_key_down_Swing"},
    {3, {fn::kPointerMove, 0, 0x01}, L"mouse_key_left_Swing"},
    {4, {fn::kPointerMove, 0, 0x81}, L"mouse_key_right_Swing"},
}};
// clang-format on

// Where a name lookup finds these fixed names outside the tables above.
namespace vocabulary {
inline constexpr std::wstring_view kNothingKey = L"com_key_nothing";
inline constexpr std::wstring_view kFireKeyKey = L"mouse_key_fire_key";
inline constexpr std::wstring_view kWheelUpKey = L"mouse_key_up_Swing";
inline constexpr std::wstring_view kWheelDownKey = L"mouse_key_down_Swing";
inline constexpr std::wstring_view kMoveLeftKey = L"mouse_key_left_Swing";
inline constexpr std::wstring_view kMoveRightKey = L"mouse_key_right_Swing";
}  // namespace vocabulary

// Which bytes of an assignment a lookup compares.
enum class VocabularyMatch : uint8_t {
  kType,               // type only
  kTypeValue1,         // type and value 1
  kTypeValue1Value2,   // all three bytes
};

// The first row of `table` that equals `code` in the compared bytes.
constexpr std::optional<VocabularyRow> FindVocabularyRow(std::span<const VocabularyRow> table,
                                                         const Assignment& code, VocabularyMatch match) {
  for (const VocabularyRow& row : table) {
    const bool same = row.code.type == code.type &&
                      (match == VocabularyMatch::kType || row.code.value1 == code.value1) &&
                      (match != VocabularyMatch::kTypeValue1Value2 || row.code.value2 == code.value2);
    if (same) {
      return row;
    }
  }
  return std::nullopt;
}

}  // namespace dw
