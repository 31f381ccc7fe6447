#pragma once

// Device-kind codes, interface roles and family indexes used throughout the program.

#include <cstdint>

namespace dw {

namespace kind {
inline constexpr uint16_t kKeyboard = 1;          // keyboard by cable
inline constexpr uint16_t kMouse = 2;             // mouse by cable
inline constexpr uint16_t kMousepad = 3;          // mousepad, cable only
inline constexpr uint16_t kMouseReceiver = 6;     // mouse through its 2.4 GHz receiver
inline constexpr uint16_t kHeadset = 7;           // USB headset
inline constexpr uint16_t kKeyboardReceiver = 9;  // keyboard through its 2.4 GHz receiver
}  // namespace kind

namespace role {
inline constexpr uint16_t kCommand = 0;         // vendor collection 0xFF1C/0x92: the command channel
inline constexpr uint16_t kNotification = 255;  // Consumer Control collection: notification reports
}  // namespace role

// Index into the device-option, device-page and model-name tables.
namespace family {
inline constexpr int kMouse = 0;
inline constexpr int kKeyboard = 1;
inline constexpr int kMousepad = 2;
inline constexpr int kHeadset = 3;
inline constexpr int kCount = 4;
}  // namespace family

// Link mode handed to CDeviceTransport::SetLinkMode.
namespace link {
inline constexpr int kWired = 1;
inline constexpr int kReceiver = 2;
}  // namespace link

// True for the kinds that reach their device through a 2.4 GHz receiver.
constexpr bool IsReceiverKind(uint16_t k) { return k == kind::kMouseReceiver || k == kind::kKeyboardReceiver; }

// The link mode a device of this kind is opened with (mousepad and headset are given none and
// keep the transport's construction state; this returns 0 for them).
constexpr int LinkModeOfKind(uint16_t k)
{
    switch (k) {
    case kind::kKeyboard:
    case kind::kMouse:
        return link::kWired;
    case kind::kKeyboardReceiver:
    case kind::kMouseReceiver:
        return link::kReceiver;
    default:
        return 0;
    }
}

// The family a kind belongs to, or -1 for an unknown kind.
constexpr int FamilyOfKind(uint16_t k)
{
    switch (k) {
    case kind::kMouse:
    case kind::kMouseReceiver:
        return family::kMouse;
    case kind::kKeyboard:
    case kind::kKeyboardReceiver:
        return family::kKeyboard;
    case kind::kMousepad:
        return family::kMousepad;
    case kind::kHeadset:
        return family::kHeadset;
    default:
        return -1;
    }
}

}  // namespace dw
