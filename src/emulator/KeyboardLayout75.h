#pragma once

// The factory key map of the emulated 75% keyboard: which key slot holds which key, and the
// key's factory assignment (type, value 1, value 2). The firmware's slot matrix is 6 rows of
// 22 slots; row r starts at slot 22 r and the host's logical key j of that row sits in slot
// j + r, so subtracting the row gives the key's light position back. Keys a 75% board does
// not have (numeric pad, ISO/JIS extras, on-board macro keys, right Windows key) have no slot.
// Ordinary keys are type 0x20 with the HID keyboard usage in value 2; modifiers carry their
// modifier bit in value 1; the volume knob sends consumer usages (type 0x30, usage low byte
// first); Fn is special function 0xA0 0x01.

#include <array>
#include <cstddef>
#include <cstdint>

namespace dw::emu {

struct FactoryKey {
    uint8_t logicalKey;   // the host's grid key number
    uint8_t slot;
    uint8_t type;
    uint8_t value1;
    uint8_t value2;
};

inline constexpr size_t kKeyboardSlotCount = 132;   // 6 rows x 22 slots
inline constexpr size_t kKeyboardSlotsPerRow = 22;

namespace keyset {
inline constexpr uint8_t kKey = 0x20;
inline constexpr uint8_t kConsumer = 0x30;
inline constexpr uint8_t kSpecial = 0xA0;
}  // namespace keyset

// Row of a logical key in the firmware's matrix (0..5).
constexpr uint8_t KeyboardRowOf(uint8_t logicalKey)
{
    if (logicalKey <= 20)
        return 0;
    if (logicalKey <= 40)
        return 1;
    if (logicalKey <= 61)
        return 2;
    if (logicalKey <= 82)
        return 3;
    if (logicalKey <= 103)
        return 4;
    return 5;
}

constexpr FactoryKey Key(uint8_t logicalKey, uint8_t usage)
{
    return {logicalKey, static_cast<uint8_t>(logicalKey + KeyboardRowOf(logicalKey)), keyset::kKey, 0x00, usage};
}
constexpr FactoryKey Modifier(uint8_t logicalKey, uint8_t bit)
{
    return {logicalKey, static_cast<uint8_t>(logicalKey + KeyboardRowOf(logicalKey)), keyset::kKey, bit, 0x00};
}
constexpr FactoryKey Consumer(uint8_t logicalKey, uint16_t usage)
{
    return {logicalKey, static_cast<uint8_t>(logicalKey + KeyboardRowOf(logicalKey)), keyset::kConsumer,
            static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)};
}

inline constexpr auto kKeyboard75Layout = std::to_array<FactoryKey>({
    // Row 0: Esc, F1..F12, Print Screen, volume knob.
    Key(0, 0x29),                                             // Esc
    Key(1, 0x3A), Key(2, 0x3B), Key(3, 0x3C), Key(4, 0x3D),   // F1..F4
    Key(5, 0x3E), Key(6, 0x3F), Key(7, 0x40), Key(8, 0x41),   // F5..F8
    Key(9, 0x42), Key(10, 0x43), Key(11, 0x44), Key(12, 0x45),  // F9..F12
    Key(13, 0x46),                                            // Print Screen
    Consumer(18, 0x00E2),                                     // Mute (knob press)
    Consumer(19, 0x00EA),                                     // Volume Down (knob)
    Consumer(20, 0x00E9),                                     // Volume Up (knob)
    // Row 1: ` 1..0 - = Backspace, Home, Page Up.
    Key(21, 0x35),                                            // `
    Key(22, 0x1E), Key(23, 0x1F), Key(24, 0x20), Key(25, 0x21), Key(26, 0x22),  // 1..5
    Key(27, 0x23), Key(28, 0x24), Key(29, 0x25), Key(30, 0x26), Key(31, 0x27),  // 6..0
    Key(32, 0x2D), Key(33, 0x2E), Key(34, 0x2A),              // - = Backspace
    Key(36, 0x4A), Key(37, 0x4B),                             // Home, Page Up
    // Row 2: Tab Q..P [ ] \, Delete, End, Page Down.
    Key(42, 0x2B),                                            // Tab
    Key(43, 0x14), Key(44, 0x1A), Key(45, 0x08), Key(46, 0x15), Key(47, 0x17),  // Q W E R T
    Key(48, 0x1C), Key(49, 0x18), Key(50, 0x0C), Key(51, 0x12), Key(52, 0x13),  // Y U I O P
    Key(53, 0x2F), Key(54, 0x30), Key(55, 0x31),              // [ ] backslash
    Key(56, 0x4C), Key(57, 0x4D), Key(58, 0x4E),              // Delete, End, Page Down
    // Row 3: Caps Lock A..L ; ' Enter.
    Key(63, 0x39),                                            // Caps Lock
    Key(64, 0x04), Key(65, 0x16), Key(66, 0x07), Key(67, 0x09), Key(68, 0x0A),  // A S D F G
    Key(69, 0x0B), Key(70, 0x0D), Key(71, 0x0E), Key(72, 0x0F),               // H J K L
    Key(73, 0x33), Key(74, 0x34), Key(75, 0x28),              // ; ' Enter
    // Row 4: Left Shift Z..M , . / Right Shift, Up.
    Modifier(84, 0x02),                                       // Left Shift
    Key(85, 0x1D), Key(86, 0x1B), Key(87, 0x06), Key(88, 0x19),  // Z X C V
    Key(89, 0x05), Key(90, 0x11), Key(91, 0x10),              // B N M
    Key(92, 0x36), Key(93, 0x37), Key(94, 0x38),              // , . /
    Modifier(95, 0x20),                                       // Right Shift
    Key(96, 0x52),                                            // Up
    // Row 5: Left Ctrl, Left Win, Left Alt, Space, Right Alt, Fn, Right Ctrl, arrows.
    Modifier(105, 0x01), Modifier(106, 0x08), Modifier(107, 0x04),  // LCtrl LWin LAlt
    Key(108, 0x2C),                                           // Space
    Modifier(109, 0x40),                                      // Right Alt
    FactoryKey{110, 110 + 5, keyset::kSpecial, 0x01, 0x00},   // Fn
    Modifier(112, 0x10),                                      // Right Ctrl
    Key(113, 0x50), Key(114, 0x51), Key(115, 0x4F),           // Left Down Right
});

}  // namespace dw::emu
