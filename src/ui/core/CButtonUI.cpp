#include "ui/core/CButtonUI.h"

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIString.h"

namespace dw::ui {

CButtonUI::CButtonUI() { m_textStyle = text::kCenter | text::kVCenter | text::kSingleLine; }

std::wstring CButtonUI::GetClass() const { return L"ButtonUI"; }

void* CButtonUI::GetInterface(std::wstring_view name)
{
    if (name == L"Button")
        return this;
    return CLabelUI::GetInterface(name);
}

UINT CButtonUI::GetControlFlags() const { return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | UIFLAG_SETCURSOR; }

bool CButtonUI::Activate()
{
    if (!CLabelUI::Activate())
        return false;
    SendNotify(notify::kClick);
    return true;
}

void CButtonUI::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_buttonState = enabled ? 0 : UISTATE_DISABLED;
    CLabelUI::SetEnabled(enabled);
}

void CButtonUI::DoEvent(TEventUI& event)
{
    const bool inside = m_rcItem.Contains(event.ptMouse);
    switch (event.Type) {
    case UIEventType::KeyDown:
        if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
            Activate();
            return;
        }
        break;
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (inside && IsEnabled()) {
            m_buttonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
        }
        return;
    case UIEventType::MouseMove:
        if ((m_buttonState & UISTATE_CAPTURED) != 0) {
            const UINT old = m_buttonState;
            if (inside)
                m_buttonState |= UISTATE_PUSHED;
            else
                m_buttonState &= ~UISTATE_PUSHED;
            if (old != m_buttonState)
                Invalidate();
        }
        return;
    case UIEventType::ButtonUp:
        if ((m_buttonState & UISTATE_CAPTURED) != 0) {
            m_buttonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            Invalidate();
            // A click is a release over the button that got the press.
            if (inside)
                Activate();
        }
        return;
    case UIEventType::MouseEnter:
        if (IsEnabled()) {
            m_buttonState |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEventType::MouseLeave:
        if ((m_buttonState & UISTATE_HOT) != 0) {
            m_buttonState &= ~UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEventType::SetCursor:
        if (m_manager != nullptr && m_manager->GetHost() != nullptr)
            m_manager->GetHost()->SetCursor(m_cursor);
        return;
    default:
        break;
    }
    CLabelUI::DoEvent(event);
}

const std::wstring& CButtonUI::StateImage() const
{
    if (!IsEnabled())
        return m_disabledImage.empty() ? m_normalImage : m_disabledImage;
    if ((m_buttonState & UISTATE_PUSHED) != 0 && !m_pushedImage.empty())
        return m_pushedImage;
    if ((m_buttonState & (UISTATE_HOT | UISTATE_PUSHED)) != 0 && !m_hotImage.empty())
        return m_hotImage;
    if (IsFocused() && !m_focusedImage.empty())
        return m_focusedImage;
    return m_normalImage;
}

UIColor CButtonUI::StateBkColor() const
{
    if (!IsEnabled())
        return m_disabledBkColor;
    if ((m_buttonState & UISTATE_PUSHED) != 0 && m_pushedBkColor != 0)
        return m_pushedBkColor;
    if ((m_buttonState & (UISTATE_HOT | UISTATE_PUSHED)) != 0)
        return m_hotBkColor;
    return 0;
}

UIColor CButtonUI::StateTextColor() const
{
    if (IsEnabled()) {
        if ((m_buttonState & UISTATE_PUSHED) != 0 && m_pushedTextColor != 0)
            return m_pushedTextColor;
        if ((m_buttonState & (UISTATE_HOT | UISTATE_PUSHED)) != 0 && m_hotTextColor != 0)
            return m_hotTextColor;
        if (IsFocused() && m_focusedTextColor != 0)
            return m_focusedTextColor;
    }
    return CurrentTextColor();
}

void CButtonUI::PaintBkColor(IRenderContext& context)
{
    const UIColor color = StateBkColor();
    if (color == 0) {
        CLabelUI::PaintBkColor(context);
        return;
    }
    const UISize round = GetBorderRound();
    if (round.cx > 0 || round.cy > 0)
        context.FillRoundRect(m_rcItem, round.cx, round.cy, color);
    else
        context.FillRect(m_rcItem, color);
}

void CButtonUI::PaintStatusImage(IRenderContext& context)
{
    const std::wstring& image = StateImage();
    if (!image.empty())
        DrawImage(context, image);
    if ((m_buttonState & UISTATE_HOT) != 0 && !m_hotForeImage.empty())
        DrawImage(context, m_hotForeImage);
    else if (!m_foreImage.empty())
        DrawImage(context, m_foreImage);
}

void CButtonUI::PaintText(IRenderContext& context)
{
    const std::wstring text = GetText();
    if (text.empty())
        return;
    UIRect rc = m_rcItem;
    rc.Deflate(GetTextPadding());
    context.DrawText(text, rc, GetFontSpec(), StateTextColor(), m_textStyle);
}

#define DW_BUTTON_SETTER(Name, member, Type) \
    void CButtonUI::Name(Type value)         \
    {                                        \
        if (member == value)                 \
            return;                          \
        member = value;                      \
        Invalidate();                        \
    }

DW_BUTTON_SETTER(SetNormalImage, m_normalImage, const std::wstring&)
DW_BUTTON_SETTER(SetHotImage, m_hotImage, const std::wstring&)
DW_BUTTON_SETTER(SetPushedImage, m_pushedImage, const std::wstring&)
DW_BUTTON_SETTER(SetFocusedImage, m_focusedImage, const std::wstring&)
DW_BUTTON_SETTER(SetDisabledImage, m_disabledImage, const std::wstring&)
DW_BUTTON_SETTER(SetHotForeImage, m_hotForeImage, const std::wstring&)
DW_BUTTON_SETTER(SetHotBkColor, m_hotBkColor, UIColor)
DW_BUTTON_SETTER(SetPushedBkColor, m_pushedBkColor, UIColor)
DW_BUTTON_SETTER(SetDisabledBkColor, m_disabledBkColor, UIColor)
DW_BUTTON_SETTER(SetHotTextColor, m_hotTextColor, UIColor)
DW_BUTTON_SETTER(SetPushedTextColor, m_pushedTextColor, UIColor)
DW_BUTTON_SETTER(SetFocusedTextColor, m_focusedTextColor, UIColor)

#undef DW_BUTTON_SETTER

AttributeResult CButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    struct ImageAttr {
        const wchar_t* name;
        void (CButtonUI::*set)(const std::wstring&);
    };
    static constexpr ImageAttr kImages[] = {
        {L"normalimage", &CButtonUI::SetNormalImage},   {L"hotimage", &CButtonUI::SetHotImage},
        {L"pushedimage", &CButtonUI::SetPushedImage},   {L"focusedimage", &CButtonUI::SetFocusedImage},
        {L"disabledimage", &CButtonUI::SetDisabledImage}, {L"hotforeimage", &CButtonUI::SetHotForeImage},
    };
    for (const auto& attr : kImages) {
        if (key == attr.name) {
            if (!ParseImageAttribute(value))
                return AttributeResult::Malformed;
            (this->*attr.set)(std::wstring(value));
            return AttributeResult::Ok;
        }
    }
    struct ColorAttr {
        const wchar_t* name;
        void (CButtonUI::*set)(UIColor);
    };
    static constexpr ColorAttr kColors[] = {
        {L"hotbkcolor", &CButtonUI::SetHotBkColor},       {L"pushedbkcolor", &CButtonUI::SetPushedBkColor},
        {L"disabledbkcolor", &CButtonUI::SetDisabledBkColor}, {L"hottextcolor", &CButtonUI::SetHotTextColor},
        {L"pushedtextcolor", &CButtonUI::SetPushedTextColor}, {L"focusedtextcolor", &CButtonUI::SetFocusedTextColor},
    };
    for (const auto& attr : kColors) {
        if (key == attr.name) {
            const auto color = ParseColor(value);
            if (!color)
                return AttributeResult::Malformed;
            (this->*attr.set)(*color);
            return AttributeResult::Ok;
        }
    }
    return CLabelUI::SetAttribute(name, value);
}

}  // namespace dw::ui
