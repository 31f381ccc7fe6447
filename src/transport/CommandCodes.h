#pragma once

// The command codes of the 64-byte command frame (CommandFrame.h). Every device of the family
// speaks the same set; a device answers only the commands its kind has (the recoil image, for
// instance, is a mouse's) and rejects the others with status 0xFF.

#include <cstdint>

namespace dw {

namespace cmd {
inline constexpr uint8_t kBegin = 0x01;
inline constexpr uint8_t kEnd = 0x02;
inline constexpr uint8_t kReadInfo = 0x03;
inline constexpr uint8_t kReadSettings = 0x05;
inline constexpr uint8_t kWriteSettings = 0x06;
inline constexpr uint8_t kReadKeyMap = 0x07;
inline constexpr uint8_t kWriteKeyMap = 0x09;
inline constexpr uint8_t kReadCustomColours = 0x0A;
inline constexpr uint8_t kWriteCustomBitmap = 0x0B;
inline constexpr uint8_t kLightFrame = 0x12;
inline constexpr uint8_t kWriteMacroImage = 0x15;
inline constexpr uint8_t kWriteRecoilImage = 0x17;
inline constexpr uint8_t kReadStatus = 0x1A;
inline constexpr uint8_t kReadSlotBytes = 0x1B;
inline constexpr uint8_t kHostLightingControl = 0x1C;
inline constexpr uint8_t kWriteKeyMapLayer2 = 0x27;
inline constexpr uint8_t kLinkQuery = 0xAA;
}  // namespace cmd

// Reply of the receiver link query: data byte 0 (frame byte 8) is 0xFF while the device behind
// the receiver is linked.
inline constexpr uint8_t kLinkQueryLinked = 0xFF;

}  // namespace dw
