#include "ui/core/controls/CEditUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"
#include "ui/core/controls/TextMeasure.h"

namespace dw::ui {

CEditUI::CEditUI()
    : CTextEditControl(kCaretTimerId)
{
    m_textPadding = {4, 0, 4, 0};
}

std::wstring CEditUI::GetClass() const
{
    return L"EditUI";
}

void* CEditUI::GetInterface(std::wstring_view name)
{
    if (name == L"Edit")
        return this;
    return CTextEditControl::GetInterface(name);
}

void CEditUI::SetText(const std::wstring& text)
{
    m_model.SetText(text);
    m_scrollX = 0;
    CaretMoved();
}

void CEditUI::SetPasswordMode(bool password)
{
    if (password == m_password)
        return;
    m_password = password;
    CaretMoved();
}

void CEditUI::SetPasswordChar(wchar_t ch)
{
    if (ch == m_passwordChar || ch < 0x20)
        return;
    m_passwordChar = ch;
    Invalidate();
}

void CEditUI::SetEnabled(bool enabled)
{
    CTextEditControl::SetEnabled(enabled);
    if (!enabled)
        m_buttonState = 0;
}

std::wstring CEditUI::DisplayText() const
{
    if (m_password)
        return std::wstring(m_model.GetText().size(), m_passwordChar);
    return m_model.GetText();
}

UIRect CEditUI::TextRect() const
{
    UIRect rc = GetPos();
    rc.Deflate(GetTextPadding());
    return rc;
}

int CEditUI::XOfPos(size_t pos) const
{
    const std::wstring shown = DisplayText();
    pos = std::min(pos, shown.size());
    const int width = GetManager() != nullptr
                          ? MeasureLineWidth(GetManager()->GetTextMetrics(), GetFontSpec(), shown.substr(0, pos))
                          : 0;
    return TextRect().left - m_scrollX + width;
}

size_t CEditUI::PosFromPoint(UIPoint pt) const
{
    if (GetManager() == nullptr)
        return 0;
    const int x = pt.x - TextRect().left + m_scrollX;
    return CaretFromX(GetManager()->GetTextMetrics(), GetFontSpec(), DisplayText(), x);
}

UIRect CEditUI::GetCaretRect() const
{
    const UIRect text = TextRect();
    int lineHeight = text.GetHeight();
    if (GetManager() != nullptr)
        lineHeight = std::min(lineHeight, GetManager()->GetTextMetrics().LineHeight(GetFontSpec()));
    const int top = text.top + (text.GetHeight() - lineHeight) / 2;
    const int x = XOfPos(m_model.GetCaret());
    return {x, top, x + std::max(1, Scale(1)), top + lineHeight};
}

void CEditUI::OnCaretMoved()
{
    const UIRect text = TextRect();
    if (GetManager() == nullptr || text.GetWidth() <= 0)
        return;
    ITextMetrics& metrics = GetManager()->GetTextMetrics();
    const std::wstring shown = DisplayText();
    const int caretX = MeasureLineWidth(metrics, GetFontSpec(), shown.substr(0, m_model.GetCaret()));
    const int fullWidth = MeasureLineWidth(metrics, GetFontSpec(), shown);
    const int room = text.GetWidth() - std::max(1, Scale(1));
    if (caretX - m_scrollX > room)
        m_scrollX = caretX - room;
    else if (caretX < m_scrollX)
        m_scrollX = caretX;
    // Never leave empty space at the end while text is hidden at the start.
    m_scrollX = std::clamp(m_scrollX, 0, std::max(0, fullWidth - room));
}

void CEditUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEventType::SetFocus:
        if (m_autoSelectAll)
            m_model.SelectAll();
        break;
    case UIEventType::MouseEnter:
        if (IsEnabled() && (m_buttonState & UISTATE_HOT) == 0) {
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
    default:
        break;
    }
    CTextEditControl::DoEvent(event);
}

AttributeResult CEditUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    auto setBool = [&](auto&& apply) {
        const auto on = ParseBool(value);
        if (!on)
            return AttributeResult::Malformed;
        apply(*on);
        return AttributeResult::Ok;
    };
    if (key == L"password")
        return setBool([this](bool on) { SetPasswordMode(on); });
    if (key == L"autoselall")
        return setBool([this](bool on) { m_autoSelectAll = on; });
    if (key == L"passwordchar") {
        if (value.size() != 1)
            return AttributeResult::Malformed;
        SetPasswordChar(value[0]);
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
    if (key == L"focusedimage") {
        m_focusedImage = value;
        return AttributeResult::Ok;
    }
    if (key == L"disabledimage") {
        m_disabledImage = value;
        return AttributeResult::Ok;
    }
    return CTextEditControl::SetAttribute(name, value);
}

void CEditUI::PaintStatusImage(IRenderContext& context)
{
    const std::wstring* image = &m_normalImage;
    if (!IsEnabled() && !m_disabledImage.empty())
        image = &m_disabledImage;
    else if (IsFocused() && !m_focusedImage.empty())
        image = &m_focusedImage;
    else if ((m_buttonState & UISTATE_HOT) != 0 && !m_hotImage.empty())
        image = &m_hotImage;
    if (!image->empty())
        DrawImage(context, *image);
}

void CEditUI::PaintText(IRenderContext& context)
{
    const UIRect text = TextRect();
    if (text.IsEmpty())
        return;
    const UIFontSpec font = GetFontSpec();
    const UINT style = text::kLeft | text::kVCenter | text::kSingleLine | text::kNoPrefix;
    context.PushClip(text);

    const std::wstring shown = DisplayText();
    if (shown.empty()) {
        if (!m_placeholder.empty())
            context.DrawText(m_placeholder, text, font, m_placeholderColor, style | text::kEndEllipsis);
    } else {
        const int fullWidth = XOfPos(shown.size()) - XOfPos(0);
        const UIRect line{text.left - m_scrollX, text.top, text.left - m_scrollX + fullWidth + Scale(2), text.bottom};
        context.DrawText(shown, line, font, CurrentTextColor(), style);
        if (m_model.HasSelection() && (IsFocused() || m_readOnly)) {
            // The selection: a band behind the selected characters, drawn over with the text in
            // white so it stays readable whatever the field's colours are.
            const int left = XOfPos(m_model.GetSelectionStart());
            const int right = XOfPos(m_model.GetSelectionEnd());
            const UIRect caret = GetCaretRect();
            const UIRect band{left, caret.top, right, caret.bottom};
            context.PushClip(band);
            context.FillRect(band, IsFocused() ? m_selectedBkColor : 0xFF4A505A);
            context.DrawText(shown, line, font, 0xFFFFFFFF, style);
            context.PopClip();
        }
    }
    PaintCaret(context);
    context.PopClip();
}

}  // namespace dw::ui
