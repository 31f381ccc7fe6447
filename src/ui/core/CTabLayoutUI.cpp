#include "ui/core/CTabLayoutUI.h"

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"

namespace dw::ui {

std::wstring CTabLayoutUI::GetClass() const { return L"TabLayoutUI"; }

void* CTabLayoutUI::GetInterface(std::wstring_view name)
{
    if (name == L"TabLayout")
        return this;
    return CContainerUI::GetInterface(name);
}

void CTabLayoutUI::ApplyVisibility()
{
    for (int i = 0; i < GetCount(); ++i)
        m_items[static_cast<size_t>(i)]->SetVisible(i == m_curSel);
}

bool CTabLayoutUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* control, int index)
{
    if (!CContainerUI::AddAt(control, index))
        return false;
    if (m_pendingSel >= 0 && m_pendingSel < GetCount()) {
        m_curSel = m_pendingSel;
        m_pendingSel = -1;
    } else if (m_curSel < 0) {
        m_curSel = 0;
    } else if (index <= m_curSel) {
        ++m_curSel;
    }
    ApplyVisibility();
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy)
{
    const int index = GetItemIndex(control);
    if (index < 0 || !CContainerUI::Remove(control, doNotDestroy))
        return false;
    if (GetCount() == 0) {
        m_curSel = -1;
    } else if (index < m_curSel) {
        --m_curSel;
    } else if (index == m_curSel) {
        // The shown page went; show the one that took its place (or the new last one).
        if (m_curSel >= GetCount())
            m_curSel = GetCount() - 1;
    }
    ApplyVisibility();
    return true;
}

void CTabLayoutUI::RemoveAll()
{
    m_curSel = -1;
    m_pendingSel = -1;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int index, bool triggerEvent)
{
    if (index < 0 || index >= GetCount())
        return false;
    if (index == m_curSel)
        return true;
    const int old = m_curSel;
    m_curSel = index;
    ApplyVisibility();
    NeedUpdate();
    Invalidate();
    if (triggerEvent)
        SendNotify(notify::kTabSelect, static_cast<WPARAM>(m_curSel), static_cast<LPARAM>(old));
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control, bool triggerEvent)
{
    const int index = GetItemIndex(control);
    return index >= 0 && SelectItem(index, triggerEvent);
}

void CTabLayoutUI::SetChildrenPos(const UIRect& client)
{
    // Every page gets the whole client area, so switching pages needs no new layout.
    const UISize scroll = GetScrollPos();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = m_items[static_cast<size_t>(i)];
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        UIRect rc = client;
        rc.Deflate(child->GetPadding());
        rc.Offset(-scroll.cx, -scroll.cy);
        child->SetPos(rc, false);
    }
    ProcessScrollBar(client, 0, 0);
}

AttributeResult CTabLayoutUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (EqualsNoCase(name, L"selectedid")) {
        const auto v = ParseInt(value);
        if (!v || *v < 0)
            return AttributeResult::Malformed;
        // Pages are usually added after the attribute is read; out-of-range is kept for later.
        if (!SelectItem(*v, false))
            m_pendingSel = *v;
        return AttributeResult::Ok;
    }
    return CContainerUI::SetAttribute(name, value);
}

}  // namespace dw::ui
