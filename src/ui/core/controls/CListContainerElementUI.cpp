#include "ui/core/controls/CListContainerElementUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"

namespace dw::ui {

namespace {

// Controls that take input themselves inside a row: anything that can hold the focus or acts
// as a button.
bool TakesOwnInput(CControlUI* control)
{
    return (control->GetControlFlags() & UIFLAG_TABSTOP) != 0 || control->GetInterface(L"Button") != nullptr;
}

}  // namespace

CListContainerElementUI::CListContainerElementUI() : m_state(*this) {}

std::wstring CListContainerElementUI::GetClass() const
{
    return L"ListContainerElementUI";
}

void* CListContainerElementUI::GetInterface(std::wstring_view name)
{
    if (name == L"ListItem")
        return static_cast<IListItemUI*>(this);
    if (name == L"ListContainerElement")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

bool CListContainerElementUI::Activate()
{
    if (!CHorizontalLayoutUI::Activate())
        return false;
    if (GetOwner() != nullptr)
        GetOwner()->SelectItem(GetIndex(), true);
    return true;
}

UISize CListContainerElementUI::EstimateSize(UISize available)
{
    UISize size = CHorizontalLayoutUI::EstimateSize(available);
    if (size.cy == 0)
        size.cy = m_state.DefaultHeight();
    return size;
}

CControlUI* CListContainerElementUI::FindControl(FindControlProc proc, void* data, UINT flags)
{
    CControlUI* found = CHorizontalLayoutUI::FindControl(proc, data, flags);
    if ((flags & UIFIND_HITTEST) == 0 || found == nullptr || found == this)
        return found;
    // Walk up from the hit child: the first control below the row that takes input keeps it.
    for (CControlUI* c = found; c != nullptr && c != this; c = c->GetParent()) {
        if (TakesOwnInput(c))
            return found;
    }
    return IsEnabled() && IsMouseEnabled() ? this : found;
}

void CListContainerElementUI::DoEvent(TEventUI& event)
{
    if (m_state.HandleEvent(event))
        return;
    CHorizontalLayoutUI::DoEvent(event);
}

void CListContainerElementUI::PaintBkColor(IRenderContext& context)
{
    m_state.PaintBackground(context);
    CHorizontalLayoutUI::PaintBkColor(context);
}

void CListContainerElementUI::DrawItemText(IRenderContext& context, const UIRect& rc)
{
    std::wstring label = GetText();
    for (int i = 0; label.empty() && i < GetCount(); ++i)
        label = GetItemAt(i)->GetText();
    if (label.empty())
        return;
    const TListInfoUI* info = GetOwner() != nullptr ? GetOwner()->GetListInfo() : nullptr;
    UIRect textRc = rc;
    UINT style = text::kLeft | text::kVCenter;
    UIFontSpec font = GetFontSpec();
    UIColor color = m_state.TextColor();
    if (info != nullptr) {
        textRc.Deflate(Scale(info->textPadding));
        style = info->textStyle;
        if (GetManager() != nullptr)
            font = GetManager()->GetFont(info->font);
    }
    if (color >> 24 == 0)
        color = CurrentTextColor();
    context.DrawText(label, textRc, font, color, style | text::kSingleLine | text::kNoPrefix);
}

void CListContainerElementUI::SetChildrenPos(const UIRect& client)
{
    const TListInfoUI* info = GetOwner() != nullptr ? GetOwner()->GetListInfo() : nullptr;
    if (info == nullptr || info->columns.empty()) {
        CHorizontalLayoutUI::SetChildrenPos(client);
        return;
    }
    // One visible child per header column, each centred vertically as the row aligns them.
    size_t column = 0;
    for (CControlUI* child : m_items) {
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            SetFloatPos(GetItemIndex(child));
            continue;
        }
        if (column >= info->columns.size()) {
            child->SetPos({client.left, client.top, client.left, client.top}, false);
            continue;
        }
        const UIRect pad = child->GetPadding();
        const int left = std::max(client.left, info->columns[column].first) + pad.left;
        const int right = std::min(client.right, info->columns[column].second) - pad.right;
        ++column;
        const int available = client.GetHeight() - pad.top - pad.bottom;
        int height = child->GetFixedHeight() > 0 ? std::min(child->GetFixedHeight(), available) : available;
        int top = client.top + pad.top;
        if (GetChildVAlign() == text::kVCenter)
            top += (available - height) / 2;
        else if (GetChildVAlign() == text::kBottom)
            top += available - height;
        height = std::max(0, height);
        child->SetPos({left, top, std::max(left, right), top + height}, false);
    }
}

}  // namespace dw::ui
