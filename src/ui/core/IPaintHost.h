#pragma once

// What a paint manager needs from the window it paints: repaint requests, pointer capture,
// the cursor, window timers and posting to its own message queue. CWindowWnd implements it;
// core tests use a fake.

#include "ui/core/IUIBackend.h"
#include "ui/core/UIDefs.h"

namespace dw::ui {

class IPaintHost {
public:
    virtual ~IPaintHost() = default;

    // The client area in window pixels, origin (0, 0).
    virtual UIRect GetClientRect() const = 0;
    // Asks for a WM_PAINT covering rc; requests merge.
    virtual void Invalidate(const UIRect& rc) = 0;
    virtual void SetCapture(bool capture) = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    // A window timer: WM_TIMER with wParam = id reaches the manager's MessageHandler every
    // elapseMs until killed. Setting an existing id restarts it.
    virtual bool SetTimer(UINT id, UINT elapseMs) = 0;
    virtual void KillTimer(UINT id) = 0;
    // Queues a message to the window itself; it comes back through the window's message
    // handler (and so to the manager's MessageHandler) after the current message.
    virtual void PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // Where the caret is, for the input method's composition window.
    virtual void SetImeCursorRect(const UIRect& rc) = 0;
};

}  // namespace dw::ui
