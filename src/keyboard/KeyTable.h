#pragma once

// The key table: every key a keyboard of the family can send, with the name key of its
// display text, its Windows virtual-key code (the row's identifier in the function
// vocabulary), its PC scan code where it has one and its assignment code. Rows are fixed by
// position: other tables and documents refer to keys by row number or by code.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "keyboard/Assignment.h"
#include "keyboard/FunctionTypes.h"

namespace dw {

struct KeyTableRow {
  std::wstring_view nameKey;
  uint16_t virtualKey = 0;  // 0xFF when the key has none, 0 for the keyboard's own keys
  uint16_t scanCode = 0;    // set 1; 0x100 added for E0-prefixed keys; kNoScanCode if none
  Assignment code;
};

namespace keytable {
inline constexpr size_t kRowCount = 142;
inline constexpr uint16_t kNoScanCode = 0;
inline constexpr uint16_t kExtendedScanFlag = 0x100;
inline constexpr uint16_t kNoVirtualKey = 0xFF;

inline constexpr size_t kFirstModifierRow = 0;
inline constexpr size_t kModifierRowCount = 8;
inline constexpr size_t kFirstOrdinaryRow = 8;
inline constexpr size_t kFirstConsumerRow = 114;
inline constexpr size_t kFirstSystemRow = 132;
inline constexpr size_t kFirstOnboardMacroRow = 135;
inline constexpr size_t kFnRow = 140;
inline constexpr size_t kGameModeRow = 141;
// Only the rows before this one carry scan codes; captured key presses search them.
inline constexpr size_t kScanCodeRowCount = 113;

// The name list of the key table holds one more name that no row uses.
inline constexpr std::wstring_view kUnusedNameKey = L"keyboard_key_COLOR";

namespace detail {
constexpr KeyTableRow Modifier(std::wstring_view name, uint16_t vk, uint16_t scan, uint8_t bit) {
  return {name, vk, scan, {fn::kKeyboardKey, bit, 0}};
}
constexpr KeyTableRow Key(std::wstring_view name, uint16_t vk, uint16_t scan, uint8_t usage) {
  return {name, vk, scan, {fn::kKeyboardKey, 0, usage}};
}
constexpr KeyTableRow Consumer(std::wstring_view name, uint16_t vk, uint16_t usage) {
  return {name, vk, kNoScanCode,
          {fn::kConsumer, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)}};
}
constexpr KeyTableRow System(std::wstring_view name, uint16_t vk, uint8_t bit) {
  return {name, vk, kNoScanCode, {fn::kSystem, bit, 0}};
}
constexpr KeyTableRow OnboardMacro(std::wstring_view name, uint8_t number) {
  return {name, 0, kNoScanCode, {fn::kOnboardMacro, fn::kOnboardMacroMarker, number}};
}
constexpr KeyTableRow Special(std::wstring_view name, uint8_t value) {
  return {name, 0, kNoScanCode, {fn::kSpecial, value, 0}};
}
}  // namespace detail
}  // namespace keytable

// clang-format off
inline constexpr std::array<KeyTableRow, keytable::kRowCount> kKeyTable = [] {
  using namespace keytable;
  using namespace keytable::detail;
  return std::array<KeyTableRow, kRowCount>{{
    // Rows 0..7: modifiers.
    Modifier(L"keyboard_key_LCtrl", 0xA2, 0x01D, modifier::kLCtrl),
    Modifier(L"keyboard_key_LShift", 0xA0, 0x02A, modifier::kLShift),
    Modifier(L"keyboard_key_LAlt", 0xA4, 0x038, modifier::kLAlt),
    Modifier(L"keyboard_key_LWin", 0x5B, 0x15B, modifier::kLWin),
    Modifier(L"keyboard_key_RCtrl", 0xA3, 0x11D, modifier::kRCtrl),
    Modifier(L"keyboard_key_RShift", 0xA1, 0x036, modifier::kRShift),
    Modifier(L"keyboard_key_RAlt", 0xA5, 0x138, modifier::kRAlt),
    Modifier(L"keyboard_key_RWin", 0x5C, 0x15C, modifier::kRWin),
    // Rows 8..113: ordinary keys (HID keyboard usages).
    Key(L"keyboard_key_A", 0x41, 0x01E, 0x04),
    Key(L"keyboard_key_B", 0x42, 0x030, 0x05),
    Key(L"keyboard_key_C", 0x43, 0x02E, 0x06),
    Key(L"keyboard_key_D", 0x44, 0x020, 0x07),
    Key(L"keyboard_key_E", 0x45, 0x012, 0x08),
    Key(L"keyboard_key_F", 0x46, 0x021, 0x09),
    Key(L"keyboard_key_G", 0x47, 0x022, 0x0A),
    Key(L"keyboard_key_H", 0x48, 0x023, 0x0B),
    Key(L"keyboard_key_I", 0x49, 0x017, 0x0C),
    Key(L"keyboard_key_J", 0x4A, 0x024, 0x0D),
    Key(L"keyboard_key_K", 0x4B, 0x025, 0x0E),
    Key(L"keyboard_key_L", 0x4C, 0x026, 0x0F),
    Key(L"keyboard_key_M", 0x4D, 0x032, 0x10),
    Key(L"keyboard_key_N", 0x4E, 0x031, 0x11),
    Key(L"keyboard_key_O", 0x4F, 0x018, 0x12),
    Key(L"keyboard_key_P", 0x50, 0x019, 0x13),
    Key(L"keyboard_key_Q", 0x51, 0x010, 0x14),
    Key(L"keyboard_key_R", 0x52, 0x013, 0x15),
    Key(L"keyboard_key_S", 0x53, 0x01F, 0x16),
    Key(L"keyboard_key_T", 0x54, 0x014, 0x17),
    Key(L"keyboard_key_U", 0x55, 0x016, 0x18),
    Key(L"keyboard_key_V", 0x56, 0x02F, 0x19),
    Key(L"keyboard_key_W", 0x57, 0x011, 0x1A),
    Key(L"keyboard_key_X", 0x58, 0x02D, 0x1B),
    Key(L"keyboard_key_Y", 0x59, 0x015, 0x1C),
    Key(L"keyboard_key_Z", 0x5A, 0x02C, 0x1D),
    Key(L"keyboard_key_1", 0x31, 0x002, 0x1E),
    Key(L"keyboard_key_2", 0x32, 0x003, 0x1F),
    Key(L"keyboard_key_3", 0x33, 0x004, 0x20),
    Key(L"keyboard_key_4", 0x34, 0x005, 0x21),
    Key(L"keyboard_key_5", 0x35, 0x006, 0x22),
    Key(L"keyboard_key_6", 0x36, 0x007, 0x23),
    Key(L"keyboard_key_7", 0x37, 0x008, 0x24),
    Key(L"keyboard_key_8", 0x38, 0x009, 0x25),
    Key(L"keyboard_key_9", 0x39, 0x00A, 0x26),
    Key(L"keyboard_key_0", 0x30, 0x00B, 0x27),
    Key(L"keyboard_key_Enter", 0x0D, 0x01C, 0x28),
    Key(L"keyboard_key_Esc", 0x1B, 0x001, 0x29),
    Key(L"keyboard_key_BackSpace", 0x08, 0x00E, 0x2A),
    Key(L"keyboard_key_Tab", 0x09, 0x00F, 0x2B),
    Key(L"keyboard_key_Space", 0x20, 0x039, 0x2C),
    Key(L"keyboard_key_-", 0xBD, 0x00C, 0x2D),
    Key(L"keyboard_key_=", 0xBB, 0x00D, 0x2E),
    Key(L"keyboard_key_[", 0xDB, 0x01A, 0x2F),
    Key(L"keyboard_key_]", 0xDD, 0x01B, 0x30),
    Key(L"keyboard_key_xiegang", 0xDC, 0x02B, 0x31),
    Key(L"keyboard_key_;", 0xBA, 0x027, 0x33),
    Key(L"keyboard_key_'", 0xDE, 0x028, 0x34),
    Key(L"keyboard_key_`", 0xC0, 0x029, 0x35),
    Key(L"keyboard_key_<", 0xBC, 0x033, 0x36),
    Key(L"keyboard_key_.", 0xBE, 0x034, 0x37),
    Key(L"keyboard_key_/", 0xBF, 0x035, 0x38),
    Key(L"keyboard_key_Caplk", 0x14, 0x03A, 0x39),
    Key(L"keyboard_key_F1", 0x70, 0x03B, 0x3A),
    Key(L"keyboard_key_F2", 0x71, 0x03C, 0x3B),
    Key(L"keyboard_key_F3", 0x72, 0x03D, 0x3C),
    Key(L"keyboard_key_F4", 0x73, 0x03E, 0x3D),
    Key(L"keyboard_key_F5", 0x74, 0x03F, 0x3E),
    Key(L"keyboard_key_F6", 0x75, 0x040, 0x3F),
    Key(L"keyboard_key_F7", 0x76, 0x041, 0x40),
    Key(L"keyboard_key_F8", 0x77, 0x042, 0x41),
    Key(L"keyboard_key_F9", 0x78, 0x043, 0x42),
    Key(L"keyboard_key_F10", 0x79, 0x044, 0x43),
    Key(L"keyboard_key_F11", 0x7A, 0x057, 0x44),
    Key(L"keyboard_key_F12", 0x7B, 0x058, 0x45),
    Key(L"keyboard_key_Print Scr", 0x2C, 0x137, 0x46),
    Key(L"keyboard_key_Scroll Lock", 0x91, 0x046, 0x47),
    Key(L"keyboard_key_Pause", 0x13, 0x045, 0x48),
    Key(L"keyboard_key_Insert", 0x2D, 0x152, 0x49),
    Key(L"keyboard_key_Home", 0x24, 0x147, 0x4A),
    Key(L"keyboard_key_Page Up", 0x21, 0x149, 0x4B),
    Key(L"keyboard_key_Delete", 0x2E, 0x153, 0x4C),
    Key(L"keyboard_key_End", 0x23, 0x14F, 0x4D),
    Key(L"keyboard_key_Page Down", 0x22, 0x151, 0x4E),
    Key(L"keyboard_key_Right", 0x27, 0x14D, 0x4F),
    Key(L"keyboard_key_Left", 0x25, 0x14B, 0x50),
    Key(L"keyboard_key_Down", 0x28, 0x150, 0x51),
    Key(L"keyboard_key_Up", 0x26, 0x148, 0x52),
    Key(L"keyboard_key_Num Lock", 0x90, 0x145, 0x53),
    Key(L"keyboard_key_Num /", 0x6F, 0x135, 0x54),
    Key(L"keyboard_key_Num *", 0x6A, 0x037, 0x55),
    Key(L"keyboard_key_Num -", 0x6D, 0x04A, 0x56),
    Key(L"keyboard_key_Num +", 0x6B, 0x04E, 0x57),
    Key(L"keyboard_key_Num Enter", 0x101, 0x11C, 0x58),
    Key(L"keyboard_key_Num 1", 0x61, 0x04F, 0x59),
    Key(L"keyboard_key_Num 2", 0x62, 0x050, 0x5A),
    Key(L"keyboard_key_Num 3", 0x63, 0x051, 0x5B),
    Key(L"keyboard_key_Num 4", 0x64, 0x04B, 0x5C),
    Key(L"keyboard_key_Num 5", 0x65, 0x04C, 0x5D),
    Key(L"keyboard_key_Num 6", 0x66, 0x04D, 0x5E),
    Key(L"keyboard_key_Num 7", 0x67, 0x047, 0x5F),
    Key(L"keyboard_key_Num 8", 0x68, 0x048, 0x60),
    Key(L"keyboard_key_Num 9", 0x69, 0x049, 0x61),
    Key(L"keyboard_key_Num 0", 0x60, 0x052, 0x62),
    Key(L"keyboard_key_Decimal", 0x6E, 0x053, 0x63),
    Key(L"keyboard_key_App", 0x5D, 0x15D, 0x65),
    Key(L"keyboard_key_K45", 0xE2, 0x056, 0x64),
    Key(L"keyboard_key_K56", 0xC1, 0x073, 0x87),
    Key(L"keyboard_key_K14", 0xFF, 0x07D, 0x89),
    Key(L"keyboard_key_K107", 0xC2, 0x07E, 0x85),
    Key(L"keyboard_key_K131", 0xEB, 0x07B, 0x8B),
    Key(L"keyboard_key_K132", 0xFF, 0x079, 0x8A),
    Key(L"keyboard_key_K133", 0xFF, 0x070, 0x88),
    Key(L"keyboard_key_K150", 0xE9, 0x071, 0x91),
    Key(L"keyboard_key_K151", 0xFF, 0x072, 0x90),
    // K42 shares virtual key 0xBF with "/" and carries no scan code, so a captured key press
    // never selects it.
    Key(L"keyboard_key_K42", 0xBF, kNoScanCode, 0x32),
    // Rows 114..131: consumer keys.
    Consumer(L"keyboard_key_Launch App2", 0xB7, 0x0192),
    Consumer(L"keyboard_key_Browaer Home", 0xAC, 0x0223),
    Consumer(L"keyboard_key_Media Play Pause", 0xB3, 0x00CD),
    Consumer(L"keyboard_key_Browser Search", 0xAA, 0x0221),
    Consumer(L"keyboard_key_Launch Mail", 0xB4, 0x018A),
    Consumer(L"keyboard_key_Volume Up", 0xAF, 0x00E9),
    Consumer(L"keyboard_key_Volume Mute", 0xAD, 0x00E2),
    Consumer(L"keyboard_key_Media Stop", 0xB2, 0x00B7),
    Consumer(L"keyboard_key_Volume Down", 0xAE, 0x00EA),
    Consumer(L"keyboard_key_Browser Favorites", 0xAB, 0x022A),
    Consumer(L"keyboard_key_Browser ForWard", 0xA7, 0x0225),
    Consumer(L"keyboard_key_Browser Back", 0xA6, 0x0224),
    Consumer(L"keyboard_key_Media Prev Track", 0xB1, 0x00B6),
    Consumer(L"keyboard_key_Media Next Track", 0xB0, 0x00B5),
    Consumer(L"keyboard_key_Computer", 0xB6, 0x0194),
    Consumer(L"keyboard_key_Browser Refresh", 0xA8, 0x0227),
    Consumer(L"wed_stop", 0xA9, 0x0226),
    Consumer(L"keyboard_key_Launch Media Select", 0xB5, 0x0183),
    // Rows 132..134: system keys; 135..139: on-board macro keys; 140 Fn; 141 game mode.
    System(L"keyboard_key_Power", 0x103, sys::kPower),
    System(L"keyboard_key_Sleep", 0x104, sys::kSleep),
    System(L"keyboard_key_Wakeup", 0x105, sys::kWake),
    OnboardMacro(L"keyboard_key_M1", 1),
    OnboardMacro(L"keyboard_key_M2", 2),
    OnboardMacro(L"keyboard_key_M3", 3),
    OnboardMacro(L"keyboard_key_M4", 4),
    OnboardMacro(L"keyboard_key_M5", 5),
    Special(L"keyboard_key_FN", special::kFn),
    Special(L"keyboard_key_GM", special::kGameMode),
  }};
}();
// clang-format on

// Index of the first row whose code equals `code` in all three bytes.
std::optional<size_t> FindKeyRowByCode(const Assignment& code);

// Index of the row (among the first keytable::kScanCodeRowCount) that a captured key press
// with this scan code and extended-key flag belongs to.
std::optional<size_t> FindKeyRowByScanCode(uint8_t scanCode, bool extended);

// Index of the row with this name key, or keytable::kRowCount when there is none. Usable in
// constant expressions, so tables that refer to keys by name are checked when compiled.
constexpr size_t KeyRowIndexOf(std::wstring_view nameKey) {
  for (size_t i = 0; i < kKeyTable.size(); ++i) {
    if (kKeyTable[i].nameKey == nameKey) {
      return i;
    }
  }
  return keytable::kRowCount;
}

}  // namespace dw
