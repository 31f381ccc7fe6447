#include "ui/core/controls/CComboDropDown.h"

#include "ui/core/CMessageLoop.h"
#include "ui/core/UIMessages.h"
#include "ui/core/controls/CComboBodyUI.h"
#include "ui/core/controls/CComboUI.h"

namespace dw::ui {

CComboDropDown::CComboDropDown(CComboUI& owner) : m_owner(owner) {}

CComboDropDown::~CComboDropDown()
{
    ReturnItems();
}

bool CComboDropDown::Open()
{
    CPaintManagerUI* ownerManager = m_owner.GetManager();
    CMessageLoop* loop = CMessageLoop::GetCurrent();
    if (ownerManager == nullptr || loop == nullptr)
        return false;
    HWND ownerWindow = ownerManager->GetPaintWindow();
    CWindowWnd* ownerWnd = loop->FromHandle(ownerWindow);
    if (ownerWnd == nullptr)
        return false;

    const UIRect window = ownerWnd->GetWindowRect();
    UIRect combo = m_owner.GetPos();
    combo.Offset(window.left, window.top);
    const UIRect workArea = loop->GetBackend().GetScreenWorkArea({combo.left, combo.bottom});
    const UIRect rc = m_owner.ComputeDropBoxRect(combo, workArea);
    return Create(*loop, ownerWindow, L"", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, rc);
}

void CComboDropDown::ReturnItems()
{
    if (m_itemsReturned || m_body == nullptr)
        return;
    m_itemsReturned = true;
    m_body->GiveBack();
}

void CComboDropDown::Dismiss()
{
    if (m_closing)
        return;
    m_closing = true;
    ReturnItems();
    if (GetHWND() != nullptr) {
        DestroyWindow();  // ends in OnFinalMessage, which deletes this object
        return;
    }
    m_owner.OnDropDownClosed();
    delete this;
}

void CComboDropDown::CloseLater()
{
    PostMessage(kMsgClose, 0, 0);
}

void CComboDropDown::Refresh()
{
    if (m_body == nullptr || m_itemsReturned)
        return;
    m_body->GiveBack();
    m_body->Borrow();
}

void CComboDropDown::EnsureVisible(int index)
{
    if (m_body != nullptr && !m_itemsReturned) {
        m_manager.UpdateLayout();
        m_body->EnsureVisible(index);
    }
}

void CComboDropDown::Scroll(bool up)
{
    if (m_body == nullptr)
        return;
    if (up)
        m_body->LineUp();
    else
        m_body->LineDown();
}

void CComboDropDown::OnFinalMessage(HWND /*hwnd*/)
{
    ReturnItems();
    m_owner.OnDropDownClosed();
    delete this;
}

void CComboDropDown::PaintWindow(IRenderContext& context, const UIRect& invalid)
{
    m_manager.Paint(context, invalid);
}

LRESULT CComboDropDown::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        m_manager.Init(GetHWND(), *GetBackend(), *this, L"ComboWnd");
        if (CPaintManagerUI* ownerManager = m_owner.GetManager())
            m_manager.SetDPI(ownerManager->GetDPI());
        m_manager.AddNotifier(this);
        m_body = new CComboBodyUI(m_owner);
        // A plain dark list unless the combo's "dropbox" attributes say otherwise.
        m_body->SetBkColor(0xFF1E2128);
        m_body->SetBorderColor(0xFF3A404C);
        m_body->SetBorderSize(1);
        m_body->SetInset({1, 1, 1, 1});
        if (!m_owner.GetDropBoxAttributeList().empty())
            m_body->ApplyAttributeList(m_owner.GetDropBoxAttributeList());
        m_manager.AttachDialog(m_body);
        m_body->Borrow();
        m_itemsReturned = false;
        m_manager.UpdateLayout();
        m_body->EnsureVisible(m_owner.GetCurSel());
        return 0;
    }
    case kMsgClose:
        Dismiss();
        return 0;
    case WM_KEYDOWN:
        // The list has no focus of its own: the combo interprets the keys.
        if (static_cast<UINT>(wParam) == VK_ESCAPE || static_cast<UINT>(wParam) == VK_RETURN) {
            Dismiss();
            return 0;
        }
        if (m_owner.HandleSelectionKey(static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_ACTIVATE:
        if (wParam == 0) {
            CloseLater();
            return 0;
        }
        break;
    case WM_KILLFOCUS:
        CloseLater();
        return 0;
    case WM_CLOSE:
        Dismiss();
        return 0;
    case WM_DESTROY:
        ReturnItems();
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (m_manager.MessageHandler(msg, wParam, lParam, result))
        return result;
    return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

void CComboDropDown::Notify(TNotifyUI& msg)
{
    if (msg.sType == notify::kItemClick && msg.pSender != nullptr) {
        CControlUI* item = msg.pSender;
        const int index = m_owner.GetItemIndex(item);
        if (index >= 0)
            m_owner.OnDropDownPick(index);
    }
}

}  // namespace dw::ui
