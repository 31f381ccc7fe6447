#include "keyboard/KeyboardNotification.h"

namespace dw {

KeyboardEvent DecodeKeyboardNotification(uint16_t code) {
  using namespace kbnotify;
  KeyboardEvent event;
  event.code = code;
  const auto high = static_cast<uint8_t>(code >> 8);
  const auto low = static_cast<uint8_t>(code & 0xFF);

  switch (code) {
    case kResync:
      event.kind = KeyboardEventKind::Resync;
      return event;
    case kResyncWithProfileReload:
      event.kind = KeyboardEventKind::ResyncWithProfileReload;
      return event;
    case kHeartbeat:
      event.kind = KeyboardEventKind::Heartbeat;
      return event;
    default:
      break;
  }
  switch (high) {
    case kKeyPressedHigh:
      event.kind = KeyboardEventKind::KeyPressed;
      event.key = low;
      break;
    case kKeyReleasedHigh:
      event.kind = KeyboardEventKind::KeyReleased;
      event.key = low;
      break;
    case kActiveProfileHigh:
      event.kind = KeyboardEventKind::ActiveProfile;
      event.profile = low & kProfileMask;
      break;
    case kActiveProfileStateHigh:
      event.kind = KeyboardEventKind::ActiveProfileWithState;
      event.profile = low & kProfileMask;
      event.extraState = static_cast<uint8_t>(low >> kExtraStateShift);
      break;
    default:
      break;
  }
  return event;
}

}  // namespace dw
