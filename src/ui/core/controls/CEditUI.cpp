#include "ui/core/controls/CEditUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"
#include "ui/core/UIMessages.h"
#include "ui/core/controls/TextEditCommands.h"
#include "ui/core/controls/TextMeasure.h"

namespace dw::ui {

CEditUI::CEditUI()
{
    m_textPadding = {4, 0, 4, 0};
    m_cursor = CursorShape::IBeam;
}

std::wstring CEditUI::GetClass() const
{
    return L"EditUI";
}

void* CEditUI::GetInterface(std::wstring_view name)
{
    if (name == L"Edit")
        return this;
    return CLabelUI::GetInterface(name);
}

UINT CEditUI::GetControlFlags() const
{
    return IsEnabled() ? (UIFLAG_TABSTOP | UIFLAG_SETCURSOR) : 0;
}

void CEditUI::SetText(const std::wstring& text)
{
    m_model.SetText(text);
    m_scrollX = 0;
    CaretMoved();
}

void CEditUI::SetReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    CControlUI::Invalidate();
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
    CControlUI::Invalidate();
}

void CEditUI::SetPlaceholder(const std::wstring& text)
{
    if (text == m_placeholder)
        return;
    m_placeholder = text;
    CControlUI::Invalidate();
}

void CEditUI::SetPlaceholderColor(UIColor color)
{
    if (color == m_placeholderColor)
        return;
    m_placeholderColor = color;
    CControlUI::Invalidate();
}

void CEditUI::SetSelectedBkColor(UIColor color)
{
    if (color == m_selectedBkColor)
        return;
    m_selectedBkColor = color;
    CControlUI::Invalidate();
}

void CEditUI::SetCaretColor(UIColor color)
{
    if (color == m_caretColor)
        return;
    m_caretColor = color;
    CControlUI::Invalidate();
}

void CEditUI::SetSel(int start, int end)
{
    const size_t size = m_model.GetText().size();
    const size_t s = start < 0 ? size : static_cast<size_t>(start);
    const size_t e = end < 0 ? size : static_cast<size_t>(end);
    m_model.SetSelection(s, e);
    CaretMoved();
}

void CEditUI::SetSelAll()
{
    m_model.SelectAll();
    CaretMoved();
}

bool CEditUI::Activate()
{
    if (!CLabelUI::Activate())
        return false;
    SetFocus();
    return true;
}

void CEditUI::SetEnabled(bool enabled)
{
    CLabelUI::SetEnabled(enabled);
    if (!enabled) {
        m_buttonState = 0;
        m_selecting = false;
    }
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

int CEditUI::XOfPos(size_t pos)
{
    const std::wstring shown = DisplayText();
    pos = std::min(pos, shown.size());
    const int width = GetManager() != nullptr
                          ? MeasureLineWidth(GetManager()->GetTextMetrics(), GetFontSpec(), shown.substr(0, pos))
                          : 0;
    return TextRect().left - m_scrollX + width;
}

size_t CEditUI::PosFromX(int windowX)
{
    if (GetManager() == nullptr)
        return 0;
    const int x = windowX - TextRect().left + m_scrollX;
    return CaretFromX(GetManager()->GetTextMetrics(), GetFontSpec(), DisplayText(), x);
}

UIRect CEditUI::GetCaretRect()
{
    const UIRect text = TextRect();
    int lineHeight = text.GetHeight();
    if (GetManager() != nullptr)
        lineHeight = std::min(lineHeight, GetManager()->GetTextMetrics().LineHeight(GetFontSpec()));
    const int top = text.top + (text.GetHeight() - lineHeight) / 2;
    const int x = XOfPos(m_model.GetCaret());
    return {x, top, x + std::max(1, Scale(1)), top + lineHeight};
}

void CEditUI::CaretMoved()
{
    const UIRect text = TextRect();
    if (GetManager() != nullptr && text.GetWidth() > 0) {
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
    if (IsFocused()) {
        m_caretShown = true;
        m_blinks = 0;
        SetTimer(kCaretTimerId, kCaretBlinkMs);
        if (GetManager() != nullptr && GetManager()->GetHost() != nullptr)
            GetManager()->GetHost()->SetImeCursorRect(GetCaretRect());
    }
    CControlUI::Invalidate();
}

void CEditUI::TextChanged()
{
    CaretMoved();
    SendNotify(notify::kTextChanged);
}

void CEditUI::DoEvent(TEventUI& event)
{
    const EditOptions options{m_readOnly, m_password};
    switch (event.Type) {
    case UIEventType::SetFocus:
        CLabelUI::DoEvent(event);
        if (m_autoSelectAll)
            m_model.SelectAll();
        CaretMoved();
        return;
    case UIEventType::KillFocus:
        CLabelUI::DoEvent(event);
        KillTimer(kCaretTimerId);
        m_caretShown = false;
        m_selecting = false;
        CControlUI::Invalidate();
        return;
    case UIEventType::Timer:
        if (event.wParam == kCaretTimerId) {
            if (++m_blinks >= kCaretBlinkLimit) {
                KillTimer(kCaretTimerId);
                m_caretShown = IsFocused();
                CControlUI::Invalidate();
                return;
            }
            m_caretShown = !m_caretShown && IsFocused();
            CControlUI::Invalidate();
            return;
        }
        CLabelUI::DoEvent(event);
        return;
    case UIEventType::ButtonDown:
        if (!IsEnabled())
            return;
        if (!IsFocused())
            SetFocus();
        m_model.SetCaret(PosFromX(event.ptMouse.x), (event.wKeyState & UIKEYSTATE_SHIFT) != 0);
        m_selecting = true;
        CaretMoved();
        return;
    case UIEventType::DblClick:
        if (!IsEnabled())
            return;
        if (m_password)
            m_model.SelectAll();
        else
            m_model.SelectWordAt(PosFromX(event.ptMouse.x));
        m_selecting = false;
        CaretMoved();
        return;
    case UIEventType::MouseMove:
        if (m_selecting) {
            m_model.SetCaret(PosFromX(event.ptMouse.x), true);
            CaretMoved();
        }
        return;
    case UIEventType::ButtonUp:
        m_selecting = false;
        return;
    case UIEventType::MouseEnter:
        if (IsEnabled() && (m_buttonState & UISTATE_HOT) == 0) {
            m_buttonState |= UISTATE_HOT;
            CControlUI::Invalidate();
        }
        return;
    case UIEventType::MouseLeave:
        if ((m_buttonState & UISTATE_HOT) != 0) {
            m_buttonState &= ~UISTATE_HOT;
            CControlUI::Invalidate();
        }
        return;
    case UIEventType::KeyDown: {
        if (!IsEnabled())
            break;
        if (event.chKey == VK_RETURN) {
            SendNotify(notify::kReturn);
            return;
        }
        IUIBackend* backend = GetManager() != nullptr ? GetManager()->GetBackend() : nullptr;
        const EditOutcome out = ApplyEditKey(m_model, event.chKey, event.wKeyState, options, backend);
        if (!out.handled)
            break;
        if (out.textChanged)
            TextChanged();
        else
            CaretMoved();
        return;
    }
    case UIEventType::Char: {
        if (!IsEnabled())
            return;
        const EditOutcome out = ApplyEditChar(m_model, event.chKey, event.wKeyState, options);
        if (out.textChanged)
            TextChanged();
        return;
    }
    default:
        break;
    }
    CLabelUI::DoEvent(event);
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
    auto setColor = [&](auto&& apply) {
        const auto color = ParseColor(value);
        if (!color)
            return AttributeResult::Malformed;
        apply(*color);
        return AttributeResult::Ok;
    };
    if (key == L"readonly")
        return setBool([this](bool on) { SetReadOnly(on); });
    if (key == L"password")
        return setBool([this](bool on) { SetPasswordMode(on); });
    if (key == L"numberonly")
        return setBool([this](bool on) { SetNumberOnly(on); });
    if (key == L"autoselall")
        return setBool([this](bool on) { m_autoSelectAll = on; });
    if (key == L"maxchar") {
        const auto count = ParseInt(value);
        if (!count || *count < 0)
            return AttributeResult::Malformed;
        SetMaxChar(static_cast<size_t>(*count));
        return AttributeResult::Ok;
    }
    if (key == L"passwordchar") {
        if (value.size() != 1)
            return AttributeResult::Malformed;
        SetPasswordChar(value[0]);
        return AttributeResult::Ok;
    }
    if (key == L"prompttext" || key == L"tipvalue") {
        SetPlaceholder(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"promptcolor" || key == L"tipvaluecolor")
        return setColor([this](UIColor c) { SetPlaceholderColor(c); });
    if (key == L"selectedbkcolor")
        return setColor([this](UIColor c) { SetSelectedBkColor(c); });
    if (key == L"caretcolor")
        return setColor([this](UIColor c) { SetCaretColor(c); });
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
    if (key == L"text") {
        SetText(std::wstring(value));
        return AttributeResult::Ok;
    }
    return CLabelUI::SetAttribute(name, value);
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
            const UIRect band{left, GetCaretRect().top, right, GetCaretRect().bottom};
            context.PushClip(band);
            context.FillRect(band, IsFocused() ? m_selectedBkColor : 0xFF4A505A);
            context.DrawText(shown, line, font, 0xFFFFFFFF, style);
            context.PopClip();
        }
    }
    if (IsFocused() && m_caretShown && !m_readOnly) {
        const UIColor caret = m_caretColor >> 24 != 0 ? m_caretColor : CurrentTextColor();
        context.FillRect(GetCaretRect(), caret);
    }
    context.PopClip();
}

}  // namespace dw::ui
