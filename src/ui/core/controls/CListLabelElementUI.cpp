#include "ui/core/controls/CListLabelElementUI.h"

#include "ui/core/CPaintManagerUI.h"

namespace dw::ui {

CListLabelElementUI::CListLabelElementUI() : m_state(*this) {}

std::wstring CListLabelElementUI::GetClass() const
{
    return L"ListLabelElementUI";
}

void* CListLabelElementUI::GetInterface(std::wstring_view name)
{
    if (name == L"ListItem")
        return static_cast<IListItemUI*>(this);
    if (name == L"ListLabelElement" || name == L"ListElement")
        return this;
    return CControlUI::GetInterface(name);
}

bool CListLabelElementUI::Activate()
{
    if (!CControlUI::Activate())
        return false;
    if (GetOwner() != nullptr)
        GetOwner()->SelectItem(GetIndex(), true);
    return true;
}

UISize CListLabelElementUI::EstimateSize(UISize available)
{
    UISize size = CControlUI::EstimateSize(available);
    if (size.cy == 0)
        size.cy = m_state.DefaultHeight();
    return size;
}

void CListLabelElementUI::DoEvent(TEventUI& event)
{
    if (m_state.HandleEvent(event))
        return;
    CControlUI::DoEvent(event);
}

void CListLabelElementUI::PaintBkColor(IRenderContext& context)
{
    m_state.PaintBackground(context);
    CControlUI::PaintBkColor(context);
}

void CListLabelElementUI::PaintText(IRenderContext& context)
{
    DrawItemText(context, GetPos());
}

void CListLabelElementUI::DrawItemText(IRenderContext& context, const UIRect& rc)
{
    const std::wstring label = GetText();
    if (label.empty())
        return;
    const TListInfoUI* info = GetOwner() != nullptr ? GetOwner()->GetListInfo() : nullptr;
    UIRect textRc = rc;
    UINT style = GetTextStyle();
    UIFontSpec font = GetFontSpec();
    UIColor color = m_state.TextColor();
    if (info != nullptr) {
        textRc.Deflate(Scale(info->textPadding));
        style = info->textStyle;
        if (GetFont() == -1 && GetManager() != nullptr)
            font = GetManager()->GetFont(info->font);
    }
    if (color >> 24 == 0)
        color = CurrentTextColor();
    context.DrawText(label, textRc, font, color, style | text::kSingleLine | text::kNoPrefix);
}

}  // namespace dw::ui
