#pragma once

// The pop-up list of an open combo: a tool window below the combo with its own paint manager,
// showing the combo's items in a scrolling column. The items stay the combo's: the pop-up
// borrows them while it is open and hands them back before its window goes. It closes on
// Escape, Enter, a click on an item, and when it loses activation or the keyboard focus; it
// deletes itself when its window is gone and tells the combo.

#include "ui/core/TEventUI.h"  // before the paint manager's header, which uses it

#include "ui/core/CNotifyPump.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CWindowWnd.h"

namespace dw::ui {

class CComboUI;
class CComboBodyUI;

class CComboDropDown : public CWindowWnd, public INotifyUI {
public:
    explicit CComboDropDown(CComboUI& owner);
    ~CComboDropDown() override;

    // Creates the window below the combo; false when the combo is not on a window.
    bool Open();
    // Gives the items back and destroys the window now (which deletes this object).
    void Dismiss();
    // Closes after the current message: used from inside the pop-up's own event handling.
    void CloseLater();
    // Lays the items out again after the combo's item list changed.
    void Refresh();
    void EnsureVisible(int index);
    void Scroll(bool up);

    CPaintManagerUI& GetPaintManager() { return m_manager; }
    CComboBodyUI* GetBody() const { return m_body; }

    // INotifyUI: a click on an item picks it.
    void Notify(TNotifyUI& msg) override;

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    std::wstring GetWindowClassName() const override { return L"ComboWnd"; }
    void OnFinalMessage(HWND hwnd) override;
    void PaintWindow(IRenderContext& context, const UIRect& invalid) override;

private:
    // Private message that closes the pop-up after the message being handled.
    static constexpr UINT kMsgClose = WM_APP + 0x3F10;

    void ReturnItems();

    CComboUI& m_owner;
    CPaintManagerUI m_manager;
    CComboBodyUI* m_body = nullptr;  // owned by m_manager once attached
    bool m_itemsReturned = true;
    bool m_closing = false;
};

}  // namespace dw::ui
