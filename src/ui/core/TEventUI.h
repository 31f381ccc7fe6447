#pragma once

// An input or state event delivered to one control (the control under the pointer, the
// focused control, or the owner of a timer). The paint manager builds these from window
// messages; controls never see raw window messages.

#include <cstdint>

#include "ui/core/UIDefs.h"

namespace dw::ui {

class CControlUI;

enum class UIEventType {
    MouseMove,
    MouseEnter,
    MouseLeave,
    ButtonDown,     // left button pressed
    ButtonUp,       // left button released (delivered to the control that got the press)
    DblClick,       // left button double click
    RButtonDown,
    RButtonUp,
    ContextMenu,
    ScrollWheel,    // wParam: SB_LINEUP / SB_LINEDOWN, lParam: the raw wheel delta
    KeyDown,        // chKey: virtual key code
    KeyUp,
    Char,           // chKey: the character typed
    SetFocus,
    KillFocus,
    Timer,          // wParam: the control's own timer id
    SetCursor,
    WindowSize,
    ImeComposition  // wParam/lParam as the window message carries them
};

// Wheel directions carried in wParam of UIEventType::ScrollWheel.
inline constexpr WPARAM SB_LINEUP = 0;
inline constexpr WPARAM SB_LINEDOWN = 1;

// Key state bits carried in wKeyState (same values as the MK_* of mouse messages).
inline constexpr uint16_t UIKEYSTATE_LBUTTON = 0x0001;
inline constexpr uint16_t UIKEYSTATE_RBUTTON = 0x0002;
inline constexpr uint16_t UIKEYSTATE_SHIFT = 0x0004;
inline constexpr uint16_t UIKEYSTATE_CONTROL = 0x0008;
inline constexpr uint16_t UIKEYSTATE_ALT = 0x0020;

struct TEventUI {
    UIEventType Type = UIEventType::MouseMove;
    CControlUI* pSender = nullptr;
    uint64_t dwTimestamp = 0;
    UIPoint ptMouse;
    wchar_t chKey = 0;
    uint16_t wKeyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

}  // namespace dw::ui
