#include "ui/core/controls/CRichEditUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CScrollBarUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"
#include "ui/core/controls/TextMeasure.h"

namespace dw::ui {

CRichEditUI::CRichEditUI()
    : CTextEditControl(kCaretTimerId)
{
    m_model.SetMultiLine(true);
    m_textPadding = {4, 3, 4, 3};
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
    return CTextEditControl::GetInterface(name);
}

UINT CRichEditUI::GetControlFlags() const
{
    UINT flags = CTextEditControl::GetControlFlags();
    if (m_wantReturn && !m_readOnly)
        flags |= UIFLAG_WANTRETURN;
    return flags;
}

void CRichEditUI::SetText(const std::wstring& text)
{
    m_model.SetText(text);
    LayoutText();
    CaretMoved();
}

void CRichEditUI::SetWordWrap(bool wordWrap)
{
    if (wordWrap == m_wordWrap)
        return;
    m_wordWrap = wordWrap;
    LayoutText();
    Invalidate();
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

void CRichEditUI::LayoutText()
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

void CRichEditUI::OnCaretMoved()
{
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
}

void CRichEditUI::LineCaretMoved()
{
    const int column = m_preferredX;
    CaretMoved();
    m_preferredX = column;
}

bool CRichEditUI::HandleOwnKey(UINT key, uint16_t keyState)
{
    if (key == VK_RETURN) {
        if (!m_wantReturn || m_readOnly)
            return CTextEditControl::HandleOwnKey(key, keyState);  // "return"
        if (m_model.Insert(L"\n"))
            TextChanged();
        return true;
    }
    return HandleLineKey(key, (keyState & UIKEYSTATE_SHIFT) != 0, (keyState & UIKEYSTATE_CONTROL) != 0);
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
        LineCaretMoved();
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
    if (key == L"wantreturn")
        return setBool([this](bool on) { SetWantReturn(on); });
    if (key == L"wordwrap")
        return setBool([this](bool on) { SetWordWrap(on); });
    if (key == L"multiline")  // always multi-line; accepted for layouts that state it
        return setBool([](bool) {});
    if (key == L"limittext")  // the multi-line edit's name for maxchar
        return CTextEditControl::SetAttribute(L"maxchar", value);
    return CTextEditControl::SetAttribute(name, value);
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
    PaintCaret(context);
    context.PopClip();
}

}  // namespace dw::ui
