#include "ui/core/controls/CTextEditModel.h"

#include <algorithm>
#include <cwctype>

namespace dw::ui {

namespace {

bool IsWordChar(wchar_t c)
{
    return std::iswalnum(static_cast<wint_t>(c)) != 0 || c == L'_';
}

}  // namespace

bool CTextEditModel::SetText(const std::wstring& text)
{
    const bool changed = text != m_text;
    m_text = text;
    m_caret = m_anchor = m_text.size();
    return changed;
}

std::wstring CTextEditModel::GetSelectedText() const
{
    return m_text.substr(GetSelectionStart(), GetSelectionEnd() - GetSelectionStart());
}

void CTextEditModel::SetCaret(size_t pos, bool extend)
{
    m_caret = std::min(pos, m_text.size());
    if (!extend)
        m_anchor = m_caret;
}

void CTextEditModel::SetSelection(size_t anchor, size_t caret)
{
    m_anchor = std::min(anchor, m_text.size());
    m_caret = std::min(caret, m_text.size());
}

void CTextEditModel::SelectAll()
{
    m_anchor = 0;
    m_caret = m_text.size();
}

void CTextEditModel::SelectWordAt(size_t pos)
{
    pos = std::min(pos, m_text.size());
    if (m_text.empty())
        return;
    // Judge by the character after pos, or before it at the end of the text.
    const size_t probe = pos < m_text.size() ? pos : pos - 1;
    const bool word = IsWordChar(m_text[probe]);
    size_t start = probe;
    while (start > 0 && IsWordChar(m_text[start - 1]) == word && m_text[start - 1] != L'\n')
        --start;
    size_t end = probe;
    while (end < m_text.size() && IsWordChar(m_text[end]) == word && m_text[end] != L'\n')
        ++end;
    SetSelection(start, end);
}

void CTextEditModel::MoveLeft(bool extend)
{
    if (!extend && HasSelection()) {
        SetCaret(GetSelectionStart(), false);
        return;
    }
    SetCaret(m_caret > 0 ? m_caret - 1 : 0, extend);
}

void CTextEditModel::MoveRight(bool extend)
{
    if (!extend && HasSelection()) {
        SetCaret(GetSelectionEnd(), false);
        return;
    }
    SetCaret(m_caret + 1, extend);
}

void CTextEditModel::MoveWordLeft(bool extend)
{
    size_t pos = m_caret;
    while (pos > 0 && !IsWordChar(m_text[pos - 1]))
        --pos;
    while (pos > 0 && IsWordChar(m_text[pos - 1]))
        --pos;
    SetCaret(pos, extend);
}

void CTextEditModel::MoveWordRight(bool extend)
{
    size_t pos = m_caret;
    while (pos < m_text.size() && IsWordChar(m_text[pos]))
        ++pos;
    while (pos < m_text.size() && !IsWordChar(m_text[pos]))
        ++pos;
    SetCaret(pos, extend);
}

std::wstring CTextEditModel::FilterInput(const std::wstring& text) const
{
    std::wstring kept;
    kept.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r') {
            // A CR LF pair (clipboard text from other programs) is one line break.
            if (i + 1 < text.size() && text[i + 1] == L'\n')
                continue;
            c = L'\n';
        }
        if (c == L'\n') {
            if (!m_multiLine)
                continue;
        } else if (c == L'\t') {
            if (!m_multiLine)
                continue;
        } else if (c < 0x20 || c == 0x7F) {
            continue;  // control characters never enter the text
        }
        if (m_numberOnly && (c < L'0' || c > L'9'))
            continue;
        kept.push_back(c);
    }
    if (m_maxChars != kNoLimit) {
        const size_t remaining = m_text.size() - (GetSelectionEnd() - GetSelectionStart());
        const size_t room = remaining >= m_maxChars ? 0 : m_maxChars - remaining;
        if (kept.size() > room)
            kept.resize(room);
    }
    return kept;
}

bool CTextEditModel::Insert(const std::wstring& text)
{
    const std::wstring kept = FilterInput(text);
    // A rejected keystroke leaves the text and the selection as they were.
    if (kept.empty())
        return false;
    const size_t start = GetSelectionStart();
    m_text.replace(start, GetSelectionEnd() - start, kept);
    m_caret = m_anchor = start + kept.size();
    return true;
}

bool CTextEditModel::DeleteSelection()
{
    if (!HasSelection())
        return false;
    const size_t start = GetSelectionStart();
    m_text.erase(start, GetSelectionEnd() - start);
    m_caret = m_anchor = start;
    return true;
}

bool CTextEditModel::DeleteBackward()
{
    if (HasSelection())
        return DeleteSelection();
    if (m_caret == 0)
        return false;
    m_text.erase(m_caret - 1, 1);
    m_caret = m_anchor = m_caret - 1;
    return true;
}

bool CTextEditModel::DeleteForward()
{
    if (HasSelection())
        return DeleteSelection();
    if (m_caret >= m_text.size())
        return false;
    m_text.erase(m_caret, 1);
    return true;
}

}  // namespace dw::ui
