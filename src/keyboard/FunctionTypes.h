#pragma once

// The function types of an assignment (its first byte) and the named values their two value
// bytes take. A device runs the function; the program only stores, shows and writes it.

#include <cstdint>

namespace dw {

namespace fn {
inline constexpr uint8_t kKeyboardKeyAlt = 0x00;   // keyboard key, read as kKeyboardKey
inline constexpr uint8_t kMouseButton = 0x10;      // value 1: mouse::kButton* bit
inline constexpr uint8_t kPointerMove = 0x11;      // value 1: delay/speed; value 2: count, bit 7 = right
inline constexpr uint8_t kWheel = 0x12;            // value 1: delay/speed; value 2: signed count, > 0 up
inline constexpr uint8_t kDpi = 0x13;              // value 1: dpi::k*
inline constexpr uint8_t kFireKey = 0x14;          // value 1: interval; value 2: count
inline constexpr uint8_t kStoredOnly15 = 0x15;
inline constexpr uint8_t kDpiShift = 0x16;
inline constexpr uint8_t kKeyboardKey = 0x20;      // value 1: modifier bits; value 2: HID key usage
inline constexpr uint8_t kStoredOnly21 = 0x21;
inline constexpr uint8_t kBuiltInShortcut = 0x22;  // value 2: shortcut number 0..8
inline constexpr uint8_t kShowWindow = 0x23;
inline constexpr uint8_t kConsumer = 0x30;         // value 1/2: low/high byte of the consumer usage
inline constexpr uint8_t kSystem = 0x40;           // value 1: sys::k*
inline constexpr uint8_t kStoredOnly50 = 0x50;
inline constexpr uint8_t kStoredOnly60 = 0x60;
inline constexpr uint8_t kMacro = 0x70;            // value 1: macro number; value 2: end mode 0..3
inline constexpr uint8_t kMacroRepeat = 0x71;      // value 1: macro number; value 2: repeat count
inline constexpr uint8_t kGunKey = 0x72;           // value 1: recoil preset 0..3
inline constexpr uint8_t kSpecial = 0xA0;          // value 1: special::k*
inline constexpr uint8_t kStoredOnlyB0 = 0xB0;
inline constexpr uint8_t kStoredOnlyC0 = 0xC0;
inline constexpr uint8_t kOnboardMacro = 0xD0;     // value 1: kOnboardMacroMarker; value 2: key 1..5

inline constexpr uint8_t kOnboardMacroMarker = 0xA2;

// Types that a device stores and runs but that have no display name.
inline constexpr bool IsStoredOnly(uint8_t type) {
  return type == kStoredOnly15 || type == kStoredOnly21 || type == kStoredOnly50 ||
         type == kStoredOnly60 || type == kStoredOnlyB0 || type == kStoredOnlyC0;
}
inline constexpr bool IsKeyboardKey(uint8_t type) { return type == kKeyboardKey || type == kKeyboardKeyAlt; }
inline constexpr bool IsMacro(uint8_t type) { return type == kMacro || type == kMacroRepeat; }
}  // namespace fn

// HID modifier byte (value 1 of a keyboard-key assignment).
namespace modifier {
inline constexpr uint8_t kLCtrl = 0x01;
inline constexpr uint8_t kLShift = 0x02;
inline constexpr uint8_t kLAlt = 0x04;
inline constexpr uint8_t kLWin = 0x08;
inline constexpr uint8_t kRCtrl = 0x10;
inline constexpr uint8_t kRShift = 0x20;
inline constexpr uint8_t kRAlt = 0x40;
inline constexpr uint8_t kRWin = 0x80;
}  // namespace modifier

namespace mouse {
inline constexpr uint8_t kButtonLeft = 0x01;
inline constexpr uint8_t kButtonRight = 0x02;
inline constexpr uint8_t kButtonMiddle = 0x04;
inline constexpr uint8_t kButtonBack = 0x08;
inline constexpr uint8_t kButtonForward = 0x10;
// Value 2 of a pointer-movement assignment: bit 7 set moves right, the low 7 bits count.
inline constexpr uint8_t kMoveRightBit = 0x80;
inline constexpr uint8_t kMoveCountMask = 0x7F;
// Value 2 of a wheel assignment is a two's-complement count; bit 7 set means down.
inline constexpr uint8_t kWheelDownBit = 0x80;
}  // namespace mouse

namespace dpi {
inline constexpr uint8_t kUp = 1;
inline constexpr uint8_t kDown = 2;
inline constexpr uint8_t kCycle = 3;
}  // namespace dpi

namespace sys {
inline constexpr uint8_t kPower = 0x01;
inline constexpr uint8_t kSleep = 0x02;
inline constexpr uint8_t kWake = 0x04;
}  // namespace sys

namespace special {
inline constexpr uint8_t kNothing = 0x00;
inline constexpr uint8_t kFn = 0x01;
inline constexpr uint8_t kSmartKey = 0x02;
inline constexpr uint8_t kGameMode = 0x1B;
}  // namespace special

}  // namespace dw
