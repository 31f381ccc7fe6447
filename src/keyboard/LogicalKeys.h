#pragma once

// Logical keys: the keyboard page numbers its keys 0..169. Keys 0..125 are the grid keys;
// each is identified by its default assignment, the code of one key-table row, and finds its
// place in a keyboard's key map by that code. Key 104 and keys 126..169 identify no key.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "keyboard/Assignment.h"
#include "keyboard/KeyEntry.h"
#include "keyboard/KeyTable.h"

namespace dw {

namespace logicalkey {
inline constexpr size_t kCount = 170;
inline constexpr size_t kGridCount = 126;
// The default assignment of a logical key that stands for no key.
inline constexpr Assignment kNoKey{fn::kKeyboardKey, 0, 0};
// Marks a grid position without a key-table row.
inline constexpr uint8_t kNoKeyRow = 0xFF;
}  // namespace logicalkey

// Key-table row of each grid key, by logical key number.
// clang-format off
inline constexpr std::array<uint8_t, logicalkey::kGridCount> kGridKeyRows = [] {
  using logicalkey::kNoKeyRow;
  constexpr std::array<size_t, logicalkey::kGridCount> rows{{
    KeyRowIndexOf(L"keyboard_key_Esc"),  // 0
    KeyRowIndexOf(L"keyboard_key_F1"),  // 1
    KeyRowIndexOf(L"keyboard_key_F2"),  // 2
    KeyRowIndexOf(L"keyboard_key_F3"),  // 3
    KeyRowIndexOf(L"keyboard_key_F4"),  // 4
    KeyRowIndexOf(L"keyboard_key_F5"),  // 5
    KeyRowIndexOf(L"keyboard_key_F6"),  // 6
    KeyRowIndexOf(L"keyboard_key_F7"),  // 7
    KeyRowIndexOf(L"keyboard_key_F8"),  // 8
    KeyRowIndexOf(L"keyboard_key_F9"),  // 9
    KeyRowIndexOf(L"keyboard_key_F10"),  // 10
    KeyRowIndexOf(L"keyboard_key_F11"),  // 11
    KeyRowIndexOf(L"keyboard_key_F12"),  // 12
    KeyRowIndexOf(L"keyboard_key_Print Scr"),  // 13
    KeyRowIndexOf(L"keyboard_key_Scroll Lock"),  // 14
    KeyRowIndexOf(L"keyboard_key_Pause"),  // 15
    KeyRowIndexOf(L"keyboard_key_GM"),  // 16
    KeyRowIndexOf(L"keyboard_key_Launch App2"),  // 17
    KeyRowIndexOf(L"keyboard_key_Volume Mute"),  // 18
    KeyRowIndexOf(L"keyboard_key_Volume Down"),  // 19
    KeyRowIndexOf(L"keyboard_key_Volume Up"),  // 20
    KeyRowIndexOf(L"keyboard_key_`"),  // 21
    KeyRowIndexOf(L"keyboard_key_1"),  // 22
    KeyRowIndexOf(L"keyboard_key_2"),  // 23
    KeyRowIndexOf(L"keyboard_key_3"),  // 24
    KeyRowIndexOf(L"keyboard_key_4"),  // 25
    KeyRowIndexOf(L"keyboard_key_5"),  // 26
    KeyRowIndexOf(L"keyboard_key_6"),  // 27
    KeyRowIndexOf(L"keyboard_key_7"),  // 28
    KeyRowIndexOf(L"keyboard_key_8"),  // 29
    KeyRowIndexOf(L"keyboard_key_9"),  // 30
    KeyRowIndexOf(L"keyboard_key_0"),  // 31
    KeyRowIndexOf(L"keyboard_key_-"),  // 32
    KeyRowIndexOf(L"keyboard_key_="),  // 33
    KeyRowIndexOf(L"keyboard_key_BackSpace"),  // 34
    KeyRowIndexOf(L"keyboard_key_Insert"),  // 35
    KeyRowIndexOf(L"keyboard_key_Home"),  // 36
    KeyRowIndexOf(L"keyboard_key_Page Up"),  // 37
    KeyRowIndexOf(L"keyboard_key_Num Lock"),  // 38
    KeyRowIndexOf(L"keyboard_key_Num /"),  // 39
    KeyRowIndexOf(L"keyboard_key_Num *"),  // 40
    KeyRowIndexOf(L"keyboard_key_Num -"),  // 41
    KeyRowIndexOf(L"keyboard_key_Tab"),  // 42
    KeyRowIndexOf(L"keyboard_key_Q"),  // 43
    KeyRowIndexOf(L"keyboard_key_W"),  // 44
    KeyRowIndexOf(L"keyboard_key_E"),  // 45
    KeyRowIndexOf(L"keyboard_key_R"),  // 46
    KeyRowIndexOf(L"keyboard_key_T"),  // 47
    KeyRowIndexOf(L"keyboard_key_Y"),  // 48
    KeyRowIndexOf(L"keyboard_key_U"),  // 49
    KeyRowIndexOf(L"keyboard_key_I"),  // 50
    KeyRowIndexOf(L"keyboard_key_O"),  // 51
    KeyRowIndexOf(L"keyboard_key_P"),  // 52
    KeyRowIndexOf(L"keyboard_key_["),  // 53
    KeyRowIndexOf(L"keyboard_key_]"),  // 54
    KeyRowIndexOf(L"keyboard_key_xiegang"),  // 55
    KeyRowIndexOf(L"keyboard_key_Delete"),  // 56
    KeyRowIndexOf(L"keyboard_key_End"),  // 57
    KeyRowIndexOf(L"keyboard_key_Page Down"),  // 58
    KeyRowIndexOf(L"keyboard_key_Num 7"),  // 59
    KeyRowIndexOf(L"keyboard_key_Num 8"),  // 60
    KeyRowIndexOf(L"keyboard_key_Num 9"),  // 61
    KeyRowIndexOf(L"keyboard_key_K42"),  // 62
    KeyRowIndexOf(L"keyboard_key_Caplk"),  // 63
    KeyRowIndexOf(L"keyboard_key_A"),  // 64
    KeyRowIndexOf(L"keyboard_key_S"),  // 65
    KeyRowIndexOf(L"keyboard_key_D"),  // 66
    KeyRowIndexOf(L"keyboard_key_F"),  // 67
    KeyRowIndexOf(L"keyboard_key_G"),  // 68
    KeyRowIndexOf(L"keyboard_key_H"),  // 69
    KeyRowIndexOf(L"keyboard_key_J"),  // 70
    KeyRowIndexOf(L"keyboard_key_K"),  // 71
    KeyRowIndexOf(L"keyboard_key_L"),  // 72
    KeyRowIndexOf(L"keyboard_key_;"),  // 73
    KeyRowIndexOf(L"keyboard_key_'"),  // 74
    KeyRowIndexOf(L"keyboard_key_Enter"),  // 75
    KeyRowIndexOf(L"keyboard_key_Num 4"),  // 76
    KeyRowIndexOf(L"keyboard_key_Num 5"),  // 77
    KeyRowIndexOf(L"keyboard_key_Num 6"),  // 78
    KeyRowIndexOf(L"keyboard_key_K132"),  // 79
    KeyRowIndexOf(L"keyboard_key_K131"),  // 80
    KeyRowIndexOf(L"keyboard_key_K151"),  // 81
    KeyRowIndexOf(L"keyboard_key_K150"),  // 82
    KeyRowIndexOf(L"keyboard_key_K133"),  // 83
    KeyRowIndexOf(L"keyboard_key_LShift"),  // 84
    KeyRowIndexOf(L"keyboard_key_Z"),  // 85
    KeyRowIndexOf(L"keyboard_key_X"),  // 86
    KeyRowIndexOf(L"keyboard_key_C"),  // 87
    KeyRowIndexOf(L"keyboard_key_V"),  // 88
    KeyRowIndexOf(L"keyboard_key_B"),  // 89
    KeyRowIndexOf(L"keyboard_key_N"),  // 90
    KeyRowIndexOf(L"keyboard_key_M"),  // 91
    KeyRowIndexOf(L"keyboard_key_<"),  // 92
    KeyRowIndexOf(L"keyboard_key_."),  // 93
    KeyRowIndexOf(L"keyboard_key_/"),  // 94
    KeyRowIndexOf(L"keyboard_key_RShift"),  // 95
    KeyRowIndexOf(L"keyboard_key_Up"),  // 96
    KeyRowIndexOf(L"keyboard_key_Num 1"),  // 97
    KeyRowIndexOf(L"keyboard_key_Num 2"),  // 98
    KeyRowIndexOf(L"keyboard_key_Num 3"),  // 99
    KeyRowIndexOf(L"keyboard_key_K56"),  // 100
    KeyRowIndexOf(L"keyboard_key_K14"),  // 101
    KeyRowIndexOf(L"keyboard_key_K45"),  // 102
    KeyRowIndexOf(L"keyboard_key_K107"),  // 103
    kNoKeyRow,  // 104: no key
    KeyRowIndexOf(L"keyboard_key_LCtrl"),  // 105
    KeyRowIndexOf(L"keyboard_key_LWin"),  // 106
    KeyRowIndexOf(L"keyboard_key_LAlt"),  // 107
    KeyRowIndexOf(L"keyboard_key_Space"),  // 108
    KeyRowIndexOf(L"keyboard_key_RAlt"),  // 109
    KeyRowIndexOf(L"keyboard_key_FN"),  // 110
    KeyRowIndexOf(L"keyboard_key_App"),  // 111
    KeyRowIndexOf(L"keyboard_key_RCtrl"),  // 112
    KeyRowIndexOf(L"keyboard_key_Left"),  // 113
    KeyRowIndexOf(L"keyboard_key_Down"),  // 114
    KeyRowIndexOf(L"keyboard_key_Right"),  // 115
    KeyRowIndexOf(L"keyboard_key_Num 0"),  // 116
    KeyRowIndexOf(L"keyboard_key_Decimal"),  // 117
    KeyRowIndexOf(L"keyboard_key_Num Enter"),  // 118
    KeyRowIndexOf(L"keyboard_key_Num +"),  // 119
    KeyRowIndexOf(L"keyboard_key_M1"),  // 120
    KeyRowIndexOf(L"keyboard_key_M2"),  // 121
    KeyRowIndexOf(L"keyboard_key_M3"),  // 122
    KeyRowIndexOf(L"keyboard_key_M4"),  // 123
    KeyRowIndexOf(L"keyboard_key_M5"),  // 124
    KeyRowIndexOf(L"keyboard_key_RWin"),  // 125
  }};
  std::array<uint8_t, logicalkey::kGridCount> out{};
  for (size_t i = 0; i < rows.size(); ++i) {
    out[i] = static_cast<uint8_t>(rows[i]);
  }
  return out;
}();
// clang-format on

// A misspelt name above would give keytable::kRowCount; catch it where it is written.
static_assert([] {
  for (uint8_t row : kGridKeyRows) {
    if (row != logicalkey::kNoKeyRow && row >= keytable::kRowCount) {
      return false;
    }
  }
  return true;
}());

constexpr bool IsGridKey(size_t logicalKey) { return logicalKey < logicalkey::kGridCount; }

// The default assignment of a logical key: the code of its key-table row for a grid key,
// logicalkey::kNoKey for key 104, keys 126..169 and any number past the end.
constexpr Assignment DefaultAssignmentOf(size_t logicalKey) {
  if (!IsGridKey(logicalKey) || kGridKeyRows[logicalKey] == logicalkey::kNoKeyRow) {
    return logicalkey::kNoKey;
  }
  return kKeyTable[kGridKeyRows[logicalKey]].code;
}

// The grid key a default assignment identifies (0x20 0 0x29 is key 0, Esc). The "no key"
// code identifies none.
std::optional<size_t> LogicalKeyOfDefault(const Assignment& defaults);

// A key list of all logical keys as they come out of the box: entry i is key i with its
// default assignment as both current and default.
std::vector<KeyEntry> MakeDefaultKeyList();

}  // namespace dw
