#pragma once

// One top-level window: a handle in the message loop, a native host from the backend, and the
// virtual HandleMessage that every message of the window goes through. Input from the backend
// arrives as window messages too (DeliverHostMessage), so tests and real windows take the same
// path.
//
// Lifetime: Create registers the handle and sends WM_CREATE. DestroyWindow (or the default
// handling of WM_CLOSE) first destroys the windows this one owns, then sends WM_DESTROY, closes
// the native window, sends WM_NCDESTROY, forgets the handle and calls OnFinalMessage, where a
// window that was created with new may delete itself. Deleting the object while its window still
// exists removes the window silently (no messages, no OnFinalMessage).

#include <memory>
#include <string>

#include "ui/core/IPaintHost.h"
#include "ui/core/IUIBackend.h"
#include "ui/core/UIDefs.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::ui {

class CMessageLoop;

class CWindowWnd : public IPaintHost {
public:
    CWindowWnd();
    ~CWindowWnd() override;
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The loop the window was created in; null before Create.
    CMessageLoop* GetMessageLoop() const { return m_loop; }
    IUIBackend* GetBackend() const;
    IWindowHost* GetHost() const { return m_host.get(); }

    // Creates the window. An empty rect lets the backend choose position and size. The style bits
    // that mean something: WS_VISIBLE (show at once), WS_CAPTION/WS_THICKFRAME without WS_POPUP
    // (a frame drawn by the desktop; otherwise the skin draws its own), WS_DISABLED; extended:
    // WS_EX_TOOLWINDOW (no taskbar entry), WS_EX_TOPMOST. parent becomes the owner: the window
    // stays above it and is destroyed with it.
    bool Create(CMessageLoop& loop, HWND parent, const std::wstring& caption, DWORD style, DWORD exStyle,
                const UIRect& rect = {});
    // Destroys the window as described at the top of this file. Safe to call when there is none.
    void DestroyWindow();

    // show=false hides; takeFocus=false shows without activating.
    void ShowWindow(bool show = true, bool takeFocus = true);
    // SW_HIDE, SW_SHOW, SW_SHOWNOACTIVATE, SW_MINIMIZE/SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED,
    // SW_RESTORE/SW_SHOWNORMAL.
    void ShowWindowCommand(int command);
    // Shows the window modally: its owner gets no input until the window is gone. Returns the
    // value given to Close (IDCANCEL when the window went without Close). The object may be
    // deleted when this returns (a window that deletes itself in OnFinalMessage).
    UINT ShowModal();
    // Asks the window to close (WM_CLOSE with wParam = result, posted); the result is what
    // ShowModal returns.
    void Close(UINT result = IDOK);
    // Centres the window on its owner when the owner is visible, else on the work area of the
    // screen it is on.
    void CenterWindow();
    void SetIcon(const std::wstring& imagePath);
    void SetTopMost(bool topMost);
    void SetCaption(const std::wstring& caption);
    bool IsWindowVisible() const;
    bool IsIconic() const;
    bool IsZoomed() const;
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    // Screen rectangle of the window; empty without a window.
    UIRect GetWindowRect() const;
    void MoveWindow(const UIRect& screenRect);
    // Changes the size, keeping the top-left corner.
    void ResizeClient(int width, int height);

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // IPaintHost: what the window's paint manager asks of it. Posting to a window that is being
    // destroyed drops the message; timers go with the window.
    UIRect GetClientRect() const override;
    void Invalidate(const UIRect& rc) override;
    void SetCapture(bool capture) override;
    void SetCursor(CursorShape shape) override;
    bool SetTimer(UINT id, UINT elapseMs) override;
    void KillTimer(UINT id) override;
    void PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void SetImeCursorRect(const UIRect& rc) override;

    // Every message of the window comes here. The default handles WM_CLOSE (destroy) and
    // WM_SYSCOMMAND (minimise, maximise, restore, close).
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Entry for the backend's native events, already turned into messages. Input to a disabled
    // window (the owner of a modal window) is dropped and activates the modal window instead.
    LRESULT DeliverHostMessage(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    virtual std::wstring GetWindowClassName() const { return L"DwWindow"; }
    virtual UINT GetClassStyle() const { return 0; }
    // Called after WM_NCDESTROY, when the handle is gone.
    virtual void OnFinalMessage(HWND hwnd);
    // Paints the window's invalid part; the backend calls it from its paint event.
    virtual void PaintWindow(IRenderContext& context, const UIRect& invalid);
    // The default processing of a message nobody handled.
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct ModalState;

    static bool IsInputMessage(UINT msg);

    CMessageLoop* m_loop = nullptr;
    HWND m_hWnd = nullptr;
    std::unique_ptr<IWindowHost> m_host;
    bool m_destroying = false;
    ModalState* m_modal = nullptr;
};

}  // namespace dw::ui
