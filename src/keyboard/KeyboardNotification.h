#pragma once

// The unsolicited notifications a keyboard sends on its Consumer Control interface: a 16-bit
// code, decoded here into what it asks of the host.

#include <cstdint>

namespace dw {

namespace kbnotify {
inline constexpr uint16_t kResync = 0x0401;
inline constexpr uint16_t kResyncWithProfileReload = 0x0402;
inline constexpr uint16_t kHeartbeat = 0x0404;
inline constexpr uint8_t kKeyPressedHigh = 0x05;   // 0x05kk: key k pressed
inline constexpr uint8_t kKeyReleasedHigh = 0x06;  // 0x06kk: key k released
inline constexpr uint8_t kActiveProfileHigh = 0x10;          // 0x10xy: active profile y
inline constexpr uint8_t kActiveProfileStateHigh = 0x11;     // 0x11xy: profile y, extra state x
inline constexpr uint8_t kProfileMask = 0x0F;
inline constexpr uint8_t kExtraStateShift = 4;
}  // namespace kbnotify

enum class KeyboardEventKind : uint8_t {
  Unknown,
  Resync,                    // re-read the settings shortly
  ResyncWithProfileReload,   // the same, reloading the profile from disk first
  Heartbeat,                 // counted only
  KeyPressed,                // reactive lighting
  KeyReleased,
  ActiveProfile,             // the keyboard switched its on-board profile
  ActiveProfileWithState,    // the same, with the extra state byte for settings byte 17
};

struct KeyboardEvent {
  KeyboardEventKind kind = KeyboardEventKind::Unknown;
  uint16_t code = 0;
  uint8_t key = 0;         // KeyPressed / KeyReleased: the keyboard's own key number (its slot)
  uint8_t profile = 0;     // ActiveProfile*: low 4 bits of the low byte
  uint8_t extraState = 0;  // ActiveProfileWithState: high 4 bits of the low byte
  friend constexpr bool operator==(const KeyboardEvent&, const KeyboardEvent&) = default;
};

KeyboardEvent DecodeKeyboardNotification(uint16_t code);

}  // namespace dw
