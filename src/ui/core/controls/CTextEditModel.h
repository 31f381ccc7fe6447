#pragma once

// The text, caret and selection of an edit box, without any drawing. CEditUI and CRichEditUI
// keep one each and translate keys and clicks into these operations; every rule about what may
// be typed (digits only, a character limit, one line) lives here so it holds for typing, input
// method commits and pasting alike.

#include <cstddef>
#include <string>

namespace dw::ui {

class CTextEditModel {
public:
    // No limit on the number of characters.
    static constexpr size_t kNoLimit = 0;

    const std::wstring& GetText() const { return m_text; }
    // Replaces the whole text as the program gives it; the caret goes to the end and the
    // selection is dropped. Input rules are not applied: the program owns what it sets.
    // Returns whether the text changed.
    bool SetText(const std::wstring& text);

    void SetNumberOnly(bool numberOnly) { m_numberOnly = numberOnly; }
    bool IsNumberOnly() const { return m_numberOnly; }
    void SetMaxChars(size_t maxChars) { m_maxChars = maxChars; }
    size_t GetMaxChars() const { return m_maxChars; }
    void SetMultiLine(bool multiLine) { m_multiLine = multiLine; }
    bool IsMultiLine() const { return m_multiLine; }

    size_t GetCaret() const { return m_caret; }
    size_t GetAnchor() const { return m_anchor; }
    bool HasSelection() const { return m_caret != m_anchor; }
    size_t GetSelectionStart() const { return m_caret < m_anchor ? m_caret : m_anchor; }
    size_t GetSelectionEnd() const { return m_caret < m_anchor ? m_anchor : m_caret; }
    std::wstring GetSelectedText() const;

    // Moves the caret to pos (clamped to the text); with extend the anchor stays, so the
    // selection grows or shrinks, else the selection is dropped.
    void SetCaret(size_t pos, bool extend);
    void SetSelection(size_t anchor, size_t caret);
    void SelectAll();
    // Selects the word (or the run of other characters) around pos, as a double click does.
    void SelectWordAt(size_t pos);

    // Caret movement by one character or one word. Without extend, a selection collapses to
    // its start (left) or end (right) first, as users expect.
    void MoveLeft(bool extend);
    void MoveRight(bool extend);
    void MoveWordLeft(bool extend);
    void MoveWordRight(bool extend);

    // Replaces the selection with text after applying the input rules (digits only, one line,
    // the character limit). Returns whether the text changed.
    bool Insert(const std::wstring& text);
    // Backspace and Delete: remove the selection, else one character before or after the caret.
    bool DeleteBackward();
    bool DeleteForward();
    bool DeleteSelection();

    // What Insert would keep of text at the current caret and selection.
    std::wstring FilterInput(const std::wstring& text) const;

private:
    std::wstring m_text;
    size_t m_caret = 0;
    size_t m_anchor = 0;
    size_t m_maxChars = kNoLimit;
    bool m_numberOnly = false;
    bool m_multiLine = false;
};

}  // namespace dw::ui
