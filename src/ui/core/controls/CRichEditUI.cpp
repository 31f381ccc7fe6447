#include "ui/core/controls/CRichEditUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CScrollBarUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"
#include "ui/core/UIMessages.h"
#include "ui/core/controls/TextEditCommands.h"
#include "ui/core/controls/TextMeasure.h"

namespace dw::ui {

CRichEditUI::CRichEditUI()
{
    m_model.SetMultiLine(true);
    m_textPadding = {4, 3, 4, 3};
    m_cursor = CursorShape::IBeam;
    EnableScrollBar(true, false);
}

std::wstring CRichEditUI::GetClass() const
{
    return L"RichEditUI";
}

void* CRichEditUI::GetInterface(std::wstring_view name)
{
    if (name == L"RichEdit")
        return this;
    return CContainerUI::GetInterface(name);
}

UINT CRichEditUI::GetControlFlags() const
{
    UINT flags = IsEnabled() ? (UIFLAG_TABSTOP | UIFLAG_SETCURSOR) : 0;
    if (m_wantReturn && !m_readOnly)
        flags |= UIFLAG_WANTRETURN;
    return flags;
}

void CRichEditUI::SetText(const std::wstring& text)
{
    m_model.SetText(text);
    RebuildLayout();
    CaretMoved();
}

void CRichEditUI::SetReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    Invalidate();
}

void CRichEditUI::SetWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    RebuildLayout();
    Invalidate();
}

void CRichEditUI::SetPlaceholder(const std::wstring& text)
{
    if (text == m_placeholder)
        return;
    m_placeholder = text;
    Invalidate();
}

void CRichEditUI::SetPlaceholderColor(UIColor color)
{
    if (color == m_placeholderColor)
        return;
    m_placeholderColor = color;
    Invalidate();
}

void CRichEditUI::SetSel(int start, int end)
{
    const size_t size = m_model.GetText().size();
    m_model.SetSelection(start < 0 ? size : static_cast<size_t>(start), end < 0 ? size : static_cast<size_t>(end));
    CaretMoved();
}

bool CRichEditUI::Activate()
{
    if (!CContainerUI::Activate())
        return false;
    SetFocus();
    return true;
}

UIRect CRichEditUI::TextRect() const
{
    UIRect rc = GetClientRect();
    rc.Deflate(GetTextPadding());
    return rc;
}

void CRichEditUI::SetChildrenPos(const UIRect& client)
{
    UIRect text = client;
    text.Deflate(GetTextPadding());
    if (GetManager() != nullptr)
        m_layout.Build(m_model.GetText(), GetManager()->GetTextMetrics(), GetFontSpec(), text.GetWidth(), m_wordWrap);
    const UIRect padding = GetTextPadding();
    ProcessScrollBar(client, 0, m_layout.GetContentHeight() + padding.top + padding.bottom);
}

void CRichEditUI::RebuildLayout()
{
    if (GetPos().IsEmpty()) {
        NeedUpdate();
        return;
    }
    SetChildrenPos(GetClientRect());
}

UIRect CRichEditUI::GetCaretRect() const
{
    const UIRect text = TextRect();
    const size_t caret = m_model.GetCaret();
    const int line = static_cast<int>(m_layout.LineOfPos(caret));
    const int lineHeight = m_layout.GetLineHeight();
    const int x = text.left + m_layout.XOfPos(caret);
    const int top = text.top - GetScrollPos().cy + line * lineHeight;
    return {x, top, x + std::max(1, Scale(1)), top + lineHeight};
}

size_t CRichEditUI::PosFromPoint(UIPoint pt) const
{
    const UIRect text = TextRect();
    return m_layout.PosFromPoint(pt.x - text.left, pt.y - text.top + GetScrollPos().cy);
}

void CRichEditUI::CaretMoved(bool keepColumn)
{
    if (!keepColumn)
        m_preferredX = -1;
    // Scroll the caret's line into view.
    const UIRect caret = GetCaretRect();
    const UIRect text = TextRect();
    if (!text.IsEmpty()) {
        int delta = 0;
        if (caret.top < text.top)
            delta = caret.top - text.top;
        else if (caret.bottom > text.bottom)
            delta = caret.bottom - text.bottom;
        if (delta != 0)
            SetScrollPos({0, GetScrollPos().cy + delta});
    }
    if (IsFocused()) {
        m_caretShown = true;
        m_blinks = 0;
        SetTimer(kCaretTimerId, kCaretBlinkMs);
        if (GetManager() != nullptr && GetManager()->GetHost() != nullptr)
            GetManager()->GetHost()->SetImeCursorRect(GetCaretRect());
    }
    Invalidate();
}

void CRichEditUI::TextChanged()
{
    RebuildLayout();
    CaretMoved();
    SendNotify(notify::kTextChanged);
}

bool CRichEditUI::HandleLineKey(UINT key, bool shift, bool ctrl)
{
    const size_t caret = m_model.GetCaret();
    const size_t line = m_layout.LineOfPos(caret);
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (m_preferredX < 0)
            m_preferredX = m_layout.XOfPos(caret);
        const int visibleLines = std::max(1, TextRect().GetHeight() / std::max(1, m_layout.GetLineHeight()));
        const int step = (key == VK_UP || key == VK_DOWN) ? 1 : visibleLines;
        const bool up = key == VK_UP || key == VK_PRIOR;
        size_t target;
        if (up) {
            if (line == 0) {
                m_model.SetCaret(0, shift);
                CaretMoved();
                return true;
            }
            target = line > static_cast<size_t>(step) ? line - step : 0;
        } else {
            if (line + 1 >= m_layout.GetLineCount()) {
                m_model.SetCaret(m_model.GetText().size(), shift);
                CaretMoved();
                return true;
            }
            target = std::min(m_layout.GetLineCount() - 1, line + step);
        }
        m_model.SetCaret(m_layout.PosOnLine(target, m_preferredX), shift);
        CaretMoved(true);
        return true;
    }
    case VK_HOME:
        if (ctrl)
            m_model.SetCaret(0, shift);
        else if (m_layout.GetLineCount() > 0)
            m_model.SetCaret(m_layout.GetLine(line).start, shift);
        CaretMoved();
        return true;
    case VK_END:
        if (ctrl || m_layout.GetLineCount() == 0) {
            m_model.SetCaret(m_model.GetText().size(), shift);
        } else {
            const auto& l = m_layout.GetLine(line);
            size_t end = l.start + l.length;
            // The end of a wrapped line is the start of the next; stop before its trailing space.
            if (line + 1 < m_layout.GetLineCount() && m_layout.GetLine(line + 1).start == end && l.length > 0)
                --end;
            m_model.SetCaret(end, shift);
        }
        CaretMoved();
        return true;
    default:
        return false;
    }
}

void CRichEditUI::DoEvent(TEventUI& event)
{
    const EditOptions options{m_readOnly, false};
    const bool shift = (event.wKeyState & UIKEYSTATE_SHIFT) != 0;
    const bool ctrl = (event.wKeyState & UIKEYSTATE_CONTROL) != 0;
    switch (event.Type) {
    case UIEventType::SetFocus:
        CContainerUI::DoEvent(event);
        CaretMoved();
        return;
    case UIEventType::KillFocus:
        CContainerUI::DoEvent(event);
        KillTimer(kCaretTimerId);
        m_caretShown = false;
        m_selecting = false;
        Invalidate();
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
            Invalidate();
            return;
        }
        break;
    case UIEventType::ButtonDown:
        if (!IsEnabled())
            return;
        if (!IsFocused())
            SetFocus();
        m_model.SetCaret(PosFromPoint(event.ptMouse), shift);
        m_selecting = true;
        CaretMoved();
        return;
    case UIEventType::DblClick:
        if (!IsEnabled())
            return;
        m_model.SelectWordAt(PosFromPoint(event.ptMouse));
        m_selecting = false;
        CaretMoved();
        return;
    case UIEventType::MouseMove:
        if (m_selecting) {
            m_model.SetCaret(PosFromPoint(event.ptMouse), true);
            CaretMoved();
        }
        return;
    case UIEventType::ButtonUp:
        m_selecting = false;
        return;
    case UIEventType::KeyDown: {
        if (!IsEnabled())
            break;
        if (event.chKey == VK_RETURN) {
            if (m_wantReturn && !m_readOnly) {
                if (m_model.Insert(L"\n"))
                    TextChanged();
            } else {
                SendNotify(notify::kReturn);
            }
            return;
        }
        if (HandleLineKey(event.chKey, shift, ctrl))
            return;
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
    CContainerUI::DoEvent(event);
}

AttributeResult CRichEditUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    auto setBool = [&](auto&& apply) {
        const auto on = ParseBool(value);
        if (!on)
            return AttributeResult::Malformed;
        apply(*on);
        return AttributeResult::Ok;
    };
    auto setColor = [&](UIColor& target) {
        const auto color = ParseColor(value);
        if (!color)
            return AttributeResult::Malformed;
        target = *color;
        Invalidate();
        return AttributeResult::Ok;
    };
    if (key == L"readonly")
        return setBool([this](bool on) { SetReadOnly(on); });
    if (key == L"wantreturn")
        return setBool([this](bool on) { SetWantReturn(on); });
    if (key == L"wordwrap")
        return setBool([this](bool on) { SetWordWrap(on); });
    if (key == L"multiline")  // always multi-line; accepted for layouts that state it
        return setBool([](bool) {});
    if (key == L"numberonly")
        return setBool([this](bool on) { SetNumberOnly(on); });
    if (key == L"maxchar" || key == L"limittext") {
        const auto count = ParseInt(value);
        if (!count || *count < 0)
            return AttributeResult::Malformed;
        SetLimitText(static_cast<size_t>(*count));
        return AttributeResult::Ok;
    }
    if (key == L"prompttext" || key == L"tipvalue") {
        SetPlaceholder(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"promptcolor" || key == L"tipvaluecolor")
        return setColor(m_placeholderColor);
    if (key == L"selectedbkcolor")
        return setColor(m_selectedBkColor);
    if (key == L"caretcolor")
        return setColor(m_caretColor);
    if (key == L"text") {
        SetText(std::wstring(value));
        return AttributeResult::Ok;
    }
    return CContainerUI::SetAttribute(name, value);
}

void CRichEditUI::PaintText(IRenderContext& context)
{
    const UIRect text = TextRect();
    if (text.IsEmpty())
        return;
    const UIFontSpec font = GetFontSpec();
    const UINT style = text::kLeft | text::kSingleLine | text::kNoPrefix;
    const int lineHeight = m_layout.GetLineHeight();
    const int scrollY = GetScrollPos().cy;
    context.PushClip(text);

    const std::wstring& all = m_model.GetText();
    if (all.empty() && !m_placeholder.empty())
        context.DrawText(m_placeholder, text, font, m_placeholderColor, text::kLeft | text::kWordBreak | text::kNoPrefix);

    const size_t selStart = m_model.GetSelectionStart();
    const size_t selEnd = m_model.GetSelectionEnd();
    const bool showSelection = m_model.HasSelection() && IsFocused();
    ITextMetrics* metrics = GetManager() != nullptr ? &GetManager()->GetTextMetrics() : nullptr;
    for (size_t i = 0; i < m_layout.GetLineCount() && lineHeight > 0; ++i) {
        const int top = text.top - scrollY + static_cast<int>(i) * lineHeight;
        if (top + lineHeight < text.top)
            continue;
        if (top > text.bottom)
            break;
        const auto& line = m_layout.GetLine(i);
        const std::wstring content = all.substr(line.start, line.length);
        const UIRect rc{text.left, top, text.right + Scale(2), top + lineHeight};
        if (showSelection && metrics != nullptr && selStart < line.start + line.length + 1 && selEnd > line.start) {
            const size_t a = std::max(selStart, line.start) - line.start;
            const size_t b = std::min(selEnd, line.start + line.length) - line.start;
            const int left = text.left + MeasureLineWidth(*metrics, font, content.substr(0, a));
            int right = text.left + MeasureLineWidth(*metrics, font, content.substr(0, b));
            if (selEnd > line.start + line.length)
                right += Scale(4);  // the selected line break
            context.FillRect({left, top, right, top + lineHeight}, m_selectedBkColor);
        }
        if (!content.empty())
            context.DrawText(content, rc, font, CurrentTextColor(), style);
    }
    if (IsFocused() && m_caretShown && !m_readOnly) {
        const UIColor caret = m_caretColor >> 24 != 0 ? m_caretColor : CurrentTextColor();
        context.FillRect(GetCaretRect(), caret);
    }
    context.PopClip();
}

}  // namespace dw::ui
