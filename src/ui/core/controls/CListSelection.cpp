#include "ui/core/controls/CListSelection.h"

#include <algorithm>

namespace dw::ui {

IListItemUI* CListSelection::AsListItem(CControlUI* control)
{
    return control != nullptr ? static_cast<IListItemUI*>(control->GetInterface(L"ListItem")) : nullptr;
}

CControlUI* CListSelection::SelectedItem() const
{
    return m_curSel >= 0 ? m_items.GetItemAt(m_curSel) : nullptr;
}

void CListSelection::Reindex(int from)
{
    for (int i = std::max(0, from); i < m_items.GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(m_items.GetItemAt(i))) {
            item->SetOwner(&m_owner);
            item->SetIndex(i);
        }
    }
}

void CListSelection::ItemInserted(int index)
{
    if (m_curSel >= index)
        ++m_curSel;
    Reindex(index);
}

void CListSelection::DetachItem(int index)
{
    if (IListItemUI* item = AsListItem(m_items.GetItemAt(index))) {
        item->Select(false);
        item->SetOwner(nullptr);
    }
}

void CListSelection::ItemRemoved(int index)
{
    if (m_curSel == index)
        m_curSel = -1;
    else if (m_curSel > index)
        --m_curSel;
    Reindex(index);
}

void CListSelection::ItemsReordered(CControlUI* selected)
{
    Reindex(0);
    m_curSel = selected != nullptr ? m_items.GetItemIndex(selected) : -1;
}

int CListSelection::MoveTo(int index)
{
    const int previous = m_curSel;
    if (IListItemUI* old = AsListItem(SelectedItem()))
        old->Select(false);
    m_curSel = index;
    if (index >= 0)
        AsListItem(m_items.GetItemAt(index))->Select(true);
    return previous;
}

}  // namespace dw::ui
