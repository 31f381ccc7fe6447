#pragma once

#include "ui/core/CContainerUI.h"
#include "ui/core/controls/CTextEditModel.h"
#include "ui/core/controls/CTextLineLayout.h"

namespace dw::ui {

// A multi-line plain-text edit: word wrap (on by default), a vertical scroll bar when the text
// is taller than the field, Enter inserting a line break (or raising "return" when
// "wantreturn" is off), Up/Down/PageUp/PageDown by lines, Home/End within the line (with Ctrl:
// the whole text), and the editing keys, clipboard, placeholder, caret and notifications of
// CEditUI.
class CRichEditUI : public CContainerUI {
public:
    CRichEditUI();

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;

    std::wstring GetText() const override { return m_model.GetText(); }
    void SetText(const std::wstring& text) override;

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    bool IsWantReturn() const { return m_wantReturn; }
    void SetWantReturn(bool wantReturn) { m_wantReturn = wantReturn; }
    bool IsWordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    size_t GetLimitText() const { return m_model.GetMaxChars(); }
    void SetLimitText(size_t maxChars) { m_model.SetMaxChars(maxChars); }
    bool IsNumberOnly() const { return m_model.IsNumberOnly(); }
    void SetNumberOnly(bool numberOnly) { m_model.SetNumberOnly(numberOnly); }
    const std::wstring& GetPlaceholder() const { return m_placeholder; }
    void SetPlaceholder(const std::wstring& text);
    UIColor GetPlaceholderColor() const { return m_placeholderColor; }
    void SetPlaceholderColor(UIColor color);

    void SetSel(int start, int end);
    size_t GetCaret() const { return m_model.GetCaret(); }
    std::wstring GetSelectedText() const { return m_model.GetSelectedText(); }
    size_t GetLineCount() const { return m_layout.GetLineCount(); }
    UIRect GetCaretRect() const;
    bool IsCaretShown() const { return m_caretShown; }

    bool Activate() override;
    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintText(IRenderContext& context) override;

    static constexpr UINT kCaretTimerId = 0x5E2;
    static constexpr UINT kCaretBlinkMs = 530;
    // The caret stops blinking (and stays shown) after this many blinks without input, so an
    // idle window with a focused field does not repaint forever.
    static constexpr int kCaretBlinkLimit = 20;

protected:
    void SetChildrenPos(const UIRect& client) override;

private:
    UIRect TextRect() const;
    void RebuildLayout();
    size_t PosFromPoint(UIPoint pt) const;
    void CaretMoved(bool keepColumn = false);
    void TextChanged();
    bool HandleLineKey(UINT key, bool shift, bool ctrl);

    CTextEditModel m_model;
    CTextLineLayout m_layout;
    bool m_readOnly = false;
    bool m_wantReturn = true;
    bool m_wordWrap = true;
    bool m_caretShown = false;
    int m_blinks = 0;
    bool m_selecting = false;
    int m_preferredX = -1;  // column kept while moving up and down
    std::wstring m_placeholder;
    UIColor m_placeholderColor = 0xFF80868F;
    UIColor m_selectedBkColor = 0xFF2F6FB0;
    UIColor m_caretColor = 0;
};

}  // namespace dw::ui
