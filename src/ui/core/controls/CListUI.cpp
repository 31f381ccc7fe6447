#include "ui/core/controls/CListUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIMessages.h"
#include "ui/core/UIString.h"
#include "ui/core/controls/CListHeaderUI.h"
#include "ui/core/controls/IListItemUI.h"

namespace dw::ui {

CListUI::CListUI()
{
    EnableScrollBar(true, false);
}

CListUI::~CListUI()
{
    delete m_header;
}

std::wstring CListUI::GetClass() const
{
    return L"ListUI";
}

void* CListUI::GetInterface(std::wstring_view name)
{
    if (name == L"List")
        return this;
    if (name == L"IListOwner")
        return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

UINT CListUI::GetControlFlags() const
{
    return IsEnabled() ? UIFLAG_TABSTOP : 0;
}

void CListUI::SetHeader(CListHeaderUI* header)
{
    if (header == m_header)
        return;
    if (m_header != nullptr) {
        if (m_manager != nullptr)
            m_manager->ReapObjects(m_header);
        delete m_header;
    }
    m_header = header;
    if (m_header != nullptr && m_headerHidden)
        m_header->SetVisible(false);
    if (m_header != nullptr && m_manager != nullptr)
        m_header->SetManager(m_manager, this, true);
    NeedUpdate();
}

bool CListUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CListUI::AddAt(CControlUI* control, int index)
{
    if (control == nullptr)
        return false;
    if (control->GetInterface(L"ListHeader") != nullptr) {
        if (control->GetParent() != nullptr)
            return false;
        SetHeader(static_cast<CListHeaderUI*>(control));
        return true;
    }
    index = std::clamp(index, 0, GetCount());
    if (!CVerticalLayoutUI::AddAt(control, index))
        return false;
    m_selection.ItemInserted(index);
    return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy)
{
    const int index = GetItemIndex(control);
    if (index < 0)
        return false;
    return RemoveAt(index, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy)
{
    if (index < 0 || index >= GetCount())
        return false;
    m_selection.DetachItem(index);
    if (!CVerticalLayoutUI::RemoveAt(index, doNotDestroy))
        return false;
    m_selection.ItemRemoved(index);
    return true;
}

void CListUI::RemoveAll()
{
    m_selection.Clear();
    m_pendingEnsureVisible = -1;
    CVerticalLayoutUI::RemoveAll();
}

bool CListUI::SetItemIndex(CControlUI* control, int index)
{
    CControlUI* selected = m_selection.SelectedItem();
    if (!CVerticalLayoutUI::SetItemIndex(control, index))
        return false;
    m_selection.ItemsReordered(selected);
    return true;
}

bool CListUI::SelectItem(int index, bool takeFocus, bool notify)
{
    if (index < -1 || index >= GetCount())
        return false;
    if (index >= 0) {
        CControlUI* control = GetItemAt(index);
        IListItemUI* item = CListSelection::AsListItem(control);
        if (item == nullptr || !control->IsVisible() || !control->IsEnabled())
            return false;
    }
    if (takeFocus && IsEnabled())
        SetFocus();
    if (index == GetCurSel())
        return true;
    const int previous = m_selection.MoveTo(index);
    if (index >= 0)
        EnsureVisible(index);
    if (notify)
        SendNotify(notify::kItemSelect, static_cast<WPARAM>(index), previous);
    return true;
}

UIRect CListUI::ItemArea() const
{
    UIRect area = GetClientRect();
    if (m_header != nullptr && m_header->IsVisible())
        area.top = std::min(area.bottom, m_header->GetPos().bottom);
    return area;
}

void CListUI::EnsureVisible(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    const UIRect item = GetItemAt(index)->GetPos();
    if (item.IsEmpty() || GetPos().IsEmpty()) {
        // Items are not placed yet; scroll once the next layout has placed them.
        m_pendingEnsureVisible = index;
        return;
    }
    m_pendingEnsureVisible = -1;
    const UIRect area = ItemArea();
    int delta = 0;
    if (item.top < area.top)
        delta = item.top - area.top;
    else if (item.bottom > area.bottom)
        delta = std::min(item.bottom - area.bottom, item.top - area.top);
    if (delta != 0) {
        const UISize pos = GetScrollPos();
        SetScrollPos({pos.cx, pos.cy + delta});
    }
}

int CListUI::ItemsPerPage() const
{
    const int areaHeight = ItemArea().GetHeight();
    int itemHeight = 0;
    if (GetCurSel() >= 0)
        itemHeight = GetItemAt(GetCurSel())->GetHeight();
    if (itemHeight <= 0)
        itemHeight = Scale(m_info.itemHeight > 0 ? m_info.itemHeight : CListHeaderUI::kDefaultHeight);
    return std::max(1, areaHeight / std::max(1, itemHeight));
}

int CListUI::TargetForKey(UINT key) const
{
    const int count = GetCount();
    if (count == 0)
        return -1;
    switch (key) {
    case VK_UP:
        return GetCurSel() < 0 ? FindSelectable(count - 1, false) : FindSelectable(GetCurSel() - 1, false);
    case VK_DOWN:
        return GetCurSel() < 0 ? FindSelectable(0, true) : FindSelectable(GetCurSel() + 1, true);
    case VK_HOME:
        return FindSelectable(0, true);
    case VK_END:
        return FindSelectable(count - 1, false);
    case VK_PRIOR: {
        const int target = std::max(0, (GetCurSel() < 0 ? 0 : GetCurSel()) - ItemsPerPage());
        const int found = FindSelectable(target, true);
        return found >= 0 && (GetCurSel() < 0 || found <= GetCurSel()) ? found : FindSelectable(target, false);
    }
    case VK_NEXT: {
        const int target = std::min(count - 1, (GetCurSel() < 0 ? 0 : GetCurSel()) + ItemsPerPage());
        const int found = FindSelectable(target, false);
        return found >= 0 && found >= GetCurSel() ? found : FindSelectable(target, true);
    }
    default:
        return -1;
    }
}

void CListUI::DoEvent(TEventUI& event)
{
    if (event.Type == UIEventType::KeyDown && IsEnabled()) {
        if (event.chKey == VK_RETURN) {
            if (GetCurSel() >= 0 && m_manager != nullptr)
                m_manager->SendNotify(GetItemAt(GetCurSel()), notify::kItemActivate);
            return;
        }
        const int target = TargetForKey(event.chKey);
        if (target >= 0) {
            SelectItem(target, true, true);
            return;
        }
        switch (event.chKey) {
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
            return;  // no item to move to: nothing else should take the key
        default:
            break;
        }
    }
    CVerticalLayoutUI::DoEvent(event);
}

void CListUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    CVerticalLayoutUI::SetManager(manager, parent, init);
    if (m_header != nullptr)
        m_header->SetManager(manager, this, init);
}

CControlUI* CListUI::FindControl(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible())
        return nullptr;
    if (m_header != nullptr) {
        if (CControlUI* found = m_header->FindControl(proc, data, flags))
            return found;
    }
    return CVerticalLayoutUI::FindControl(proc, data, flags);
}

void CListUI::SetVisible(bool visible)
{
    CVerticalLayoutUI::SetVisible(visible);
    if (m_header != nullptr)
        m_header->SetInternVisible(IsVisible());
}

void CListUI::SetInternVisible(bool visible)
{
    CVerticalLayoutUI::SetInternVisible(visible);
    if (m_header != nullptr)
        m_header->SetInternVisible(IsVisible());
}

void CListUI::SetPos(UIRect rc, bool needInvalidate)
{
    CVerticalLayoutUI::SetPos(rc, needInvalidate);
    if (m_pendingEnsureVisible >= 0)
        EnsureVisible(m_pendingEnsureVisible);
}

void CListUI::SetChildrenPos(const UIRect& client)
{
    UIRect items = client;
    m_info.columns.clear();
    if (m_header != nullptr && m_header->IsVisible()) {
        const UISize size = m_header->EstimateSize({client.GetWidth(), client.GetHeight()});
        const int height = std::min(size.cy, client.GetHeight());
        m_header->SetPos({client.left, client.top, client.right, client.top + height}, false);
        items.top += height;
        for (int i = 0; i < m_header->GetCount(); ++i) {
            CControlUI* column = m_header->GetItemAt(i);
            if (column->IsVisible())
                m_info.columns.emplace_back(column->GetX(), column->GetPos().right);
        }
    }
    CVerticalLayoutUI::SetChildrenPos(items);
}

void CListUI::Move(UISize offset, bool needInvalidate)
{
    CVerticalLayoutUI::Move(offset, needInvalidate);
    if (m_header != nullptr)
        m_header->Move(offset, false);
    for (auto& column : m_info.columns) {
        column.first += offset.cx;
        column.second += offset.cx;
    }
}

void CListUI::DoPaint(IRenderContext& context, const UIRect& paint)
{
    CVerticalLayoutUI::DoPaint(context, paint);
    // The header stays above the items scrolled under it.
    if (m_header != nullptr && m_header->IsVisible()) {
        const UIRect clip = m_header->GetPos().Intersect(paint);
        if (!clip.IsEmpty()) {
            context.PushClip(clip);
            m_header->DoPaint(context, clip);
            context.PopClip();
        }
    }
}

void CListUI::ReloadText()
{
    CVerticalLayoutUI::ReloadText();
    if (m_header != nullptr)
        m_header->ReloadText();
}

AttributeResult CListUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    if (const auto result = SetListInfoAttribute(m_info, name, value)) {
        Invalidate();
        return *result;
    }
    if (key == L"header") {
        // "hidden" hides the header row.
        if (value != L"hidden" && value != L"visible")
            return AttributeResult::Malformed;
        m_headerHidden = value == L"hidden";
        if (m_header != nullptr)
            m_header->SetVisible(!m_headerHidden);
        return AttributeResult::Ok;
    }
    return CVerticalLayoutUI::SetAttribute(name, value);
}

}  // namespace dw::ui
