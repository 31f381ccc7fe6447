#include "ui/core/controls/CListHeaderItemUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

std::wstring CListHeaderItemUI::GetClass() const
{
    return L"ListHeaderItemUI";
}

void* CListHeaderItemUI::GetInterface(std::wstring_view name)
{
    if (name == L"ListHeaderItem")
        return this;
    return CControlUI::GetInterface(name);
}

int CListHeaderItemUI::GetSepWidth() const
{
    return Scale(m_sepWidth);
}

void CListHeaderItemUI::SetSepWidth(int width)
{
    m_sepWidth = std::max(0, width);
}

void CListHeaderItemUI::SetSepColor(UIColor color)
{
    if (color == m_sepColor)
        return;
    m_sepColor = color;
    Invalidate();
}

void CListHeaderItemUI::SetHotBkColor(UIColor color)
{
    m_hotBkColor = color;
}

void CListHeaderItemUI::SetPushedBkColor(UIColor color)
{
    m_pushedBkColor = color;
}

UIRect CListHeaderItemUI::SeparatorRect() const
{
    const UIRect& rc = GetPos();
    return {rc.right - GetSepWidth(), rc.top, rc.right, rc.bottom};
}

void CListHeaderItemUI::SetState(UINT state)
{
    if (state == m_state)
        return;
    m_state = state;
    Invalidate();
}

void CListHeaderItemUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (!IsEnabled())
            return;
        if (m_dragable && SeparatorRect().Contains(event.ptMouse)) {
            m_resizing = true;
            m_resizeStartX = event.ptMouse.x;
            m_resizeStartWidth = GetWidth();
            return;
        }
        SetState(m_state | UISTATE_PUSHED);
        return;
    case UIEventType::MouseMove:
        if (m_resizing) {
            // Widths are kept in 96-DPI units; the pointer moves in window pixels.
            const int width = std::max(0, m_resizeStartWidth + event.ptMouse.x - m_resizeStartX);
            const int dpi = GetManager() != nullptr ? GetManager()->GetDPI() : CPaintManagerUI::kDefaultDPI;
            const int unscaled = width * CPaintManagerUI::kDefaultDPI / dpi;
            SetFixedWidth(std::clamp(unscaled, std::max(1, m_min.cx), std::max(1, m_max.cx)));
            NeedParentUpdate();
            if (GetParent() != nullptr)
                GetParent()->NeedParentUpdate();
        } else if (m_dragable && SeparatorRect().Contains(event.ptMouse)) {
            SetCursor(CursorShape::SizeWE);
        } else {
            SetCursor(CursorShape::Arrow);
        }
        return;
    case UIEventType::ButtonUp:
        if (m_resizing) {
            m_resizing = false;
            return;
        }
        if ((m_state & UISTATE_PUSHED) != 0) {
            SetState(m_state & ~UISTATE_PUSHED);
            if (GetPos().Contains(event.ptMouse))
                SendNotify(notify::kHeaderClick);
        }
        return;
    case UIEventType::MouseEnter:
        if (IsEnabled())
            SetState(m_state | UISTATE_HOT);
        return;
    case UIEventType::MouseLeave:
        SetState(m_state & ~UISTATE_HOT);
        return;
    default:
        CControlUI::DoEvent(event);
        return;
    }
}

AttributeResult CListHeaderItemUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    if (key == L"dragable") {
        const auto on = ParseBool(value);
        if (!on)
            return AttributeResult::Malformed;
        SetDragable(*on);
        return AttributeResult::Ok;
    }
    if (key == L"sepwidth") {
        const auto width = ParseInt(value);
        if (!width)
            return AttributeResult::Malformed;
        SetSepWidth(*width);
        return AttributeResult::Ok;
    }
    if (key == L"sepcolor" || key == L"hotbkcolor" || key == L"pushedbkcolor") {
        const auto color = ParseColor(value);
        if (!color)
            return AttributeResult::Malformed;
        if (key == L"sepcolor")
            SetSepColor(*color);
        else if (key == L"hotbkcolor")
            SetHotBkColor(*color);
        else
            SetPushedBkColor(*color);
        return AttributeResult::Ok;
    }
    if (key == L"normalimage") {
        m_normalImage = value;
        return AttributeResult::Ok;
    }
    if (key == L"hotimage") {
        m_hotImage = value;
        return AttributeResult::Ok;
    }
    if (key == L"pushedimage") {
        m_pushedImage = value;
        return AttributeResult::Ok;
    }
    return CControlUI::SetAttribute(name, value);
}

void CListHeaderItemUI::PaintBkColor(IRenderContext& context)
{
    CControlUI::PaintBkColor(context);
    UIColor color = 0;
    if ((m_state & UISTATE_PUSHED) != 0)
        color = m_pushedBkColor;
    else if ((m_state & UISTATE_HOT) != 0)
        color = m_hotBkColor;
    if (color >> 24 != 0)
        context.FillRect(GetPos(), color);
}

void CListHeaderItemUI::PaintStatusImage(IRenderContext& context)
{
    const std::wstring* image = &m_normalImage;
    if ((m_state & UISTATE_PUSHED) != 0 && !m_pushedImage.empty())
        image = &m_pushedImage;
    else if ((m_state & UISTATE_HOT) != 0 && !m_hotImage.empty())
        image = &m_hotImage;
    if (!image->empty())
        DrawImage(context, *image);
    if (m_sepColor >> 24 != 0) {
        const UIRect& rc = GetPos();
        const int inset = rc.GetHeight() / 4;
        context.FillRect({rc.right - 1, rc.top + inset, rc.right, rc.bottom - inset}, m_sepColor);
    }
}

void CListHeaderItemUI::PaintText(IRenderContext& context)
{
    const std::wstring label = GetText();
    if (label.empty())
        return;
    UIRect rc = GetPos();
    rc.Deflate(GetTextPadding());
    context.DrawText(label, rc, GetFontSpec(), CurrentTextColor(), GetTextStyle() | text::kNoPrefix);
}

}  // namespace dw::ui
