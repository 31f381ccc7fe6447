#include "ui/core/controls/CComboBodyUI.h"

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/controls/CComboUI.h"

namespace dw::ui {

CComboBodyUI::CComboBodyUI(CComboUI& owner) : m_owner(owner)
{
    EnableScrollBar(true, false);
}

CComboBodyUI::~CComboBodyUI()
{
    // Never delete the combo's items with the pop-up.
    m_items.clear();
}

std::wstring CComboBodyUI::GetClass() const
{
    return L"ComboBodyUI";
}

void CComboBodyUI::Borrow()
{
    m_items.clear();
    for (int i = 0; i < m_owner.GetCount(); ++i) {
        CControlUI* item = m_owner.GetItemAt(i);
        m_items.push_back(item);
        item->SetManager(m_manager, this, true);
    }
    NeedUpdate();
}

void CComboBodyUI::GiveBack()
{
    for (CControlUI* item : m_items) {
        if (m_manager != nullptr)
            m_manager->ReapObjects(item);
        item->SetManager(m_owner.GetManager(), &m_owner, false);
    }
    m_items.clear();
}

void CComboBodyUI::EnsureVisible(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    const UIRect item = GetItemAt(index)->GetPos();
    const UIRect area = GetClientRect();
    if (item.IsEmpty() || area.IsEmpty())
        return;
    int delta = 0;
    if (item.top < area.top)
        delta = item.top - area.top;
    else if (item.bottom > area.bottom)
        delta = item.bottom - area.bottom;
    if (delta != 0) {
        const UISize pos = GetScrollPos();
        SetScrollPos({pos.cx, pos.cy + delta});
    }
}

void CComboBodyUI::DoEvent(TEventUI& event)
{
    if (event.Type == UIEventType::KeyDown) {
        m_owner.DoEvent(event);
        return;
    }
    CVerticalLayoutUI::DoEvent(event);
}

}  // namespace dw::ui
