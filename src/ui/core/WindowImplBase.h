#pragma once

// The base of every skinned window: a CWindowWnd whose content is a control tree built from the
// window's skin file into its own paint manager. It routes window messages to small virtual
// handlers, then to HandleCustomMessage, then to the paint manager, then to the default
// processing; and notifications through the message maps of CNotifyPump, whose default "click"
// entry handles the caption buttons "closebtn" (Close), "minbtn", "maxbtn" and "restorebtn"
// (the matching WM_SYSCOMMAND).
//
// Caption area: a left press inside the caption area of the layout, not on an active control,
// starts moving the window (the press does not reach the controls).

#include <string>

#include "ui/core/CDialogBuilder.h"
#include "ui/core/CNotifyPump.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CWindowWnd.h"

namespace dw::ui {

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    CPaintManagerUI& GetPaintManager() { return m_pm; }

    // Called once the skin is built and attached, before "windowinit" arrives.
    virtual void InitWindow() {}
    // Notifications of the window's controls; the default runs the message maps.
    void Notify(TNotifyUI& msg) override;
    // Control classes of the skin that only this window knows; null lets the factory try.
    CControlUI* CreateControl(const std::wstring& className) override;
    // Sees the window's messages before the paint manager (a pre-message filter).
    LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Messages that the virtual handlers left unhandled; set handled to stop them here.
    virtual LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

protected:
    // The layout: a resource identifier of the index ("XML_MAIN") or a file of the skin folder.
    virtual std::wstring GetSkinFile() = 0;
    // A folder below the program folder that becomes the skin folder; empty keeps the current one.
    virtual std::wstring GetSkinFolder() { return {}; }
    // The layout's resource type, as CDialogBuilder takes it.
    virtual std::wstring GetSkinType() { return {}; }
    UINT GetClassStyle() const override { return CS_DBLCLKS; }
    void OnFinalMessage(HWND hwnd) override;
    void PaintWindow(IRenderContext& context, const UIRect& invalid) override;

    // Virtual handlers: each sets handled = false to let the message go on.
    virtual LRESULT OnCreate(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnClose(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnGetMinMaxInfo(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    // lParam: client coordinates. HTCAPTION inside the caption area away from active controls.
    virtual LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKeyDown(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKillFocus(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSetFocus(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonDown(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseMove(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseHover(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnTimer(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

    // The default "click" entry: the caption buttons.
    virtual void OnClick(TNotifyUI& msg);

    CPaintManagerUI m_pm;

private:
    // A left press in the caption area starts a system move; true when it did.
    bool TryCaptionDrag(LPARAM lParam);
    void ApplyWindowProperties();
};

}  // namespace dw::ui
