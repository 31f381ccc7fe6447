#pragma once

#include "ui/core/CContainerUI.h"
#include "ui/core/controls/CTextEditControl.h"
#include "ui/core/controls/CTextLineLayout.h"

namespace dw::ui {

// A multi-line plain-text edit: word wrap (on by default), a vertical scroll bar when the text
// is taller than the field, Enter inserting a line break (or raising "return" when
// "wantreturn" is off), Up/Down/PageUp/PageDown by lines, Home/End within the line (with Ctrl:
// the whole text). The editing keys, clipboard, placeholder, caret and notifications are
// CTextEditControl's, as for CEditUI.
class CRichEditUI : public CTextEditControl<CContainerUI> {
public:
    CRichEditUI();

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;

    void SetText(const std::wstring& text) override;

    bool IsWantReturn() const { return m_wantReturn; }
    void SetWantReturn(bool wantReturn) { m_wantReturn = wantReturn; }
    bool IsWordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    size_t GetLimitText() const { return m_model.GetMaxChars(); }
    void SetLimitText(size_t maxChars) { m_model.SetMaxChars(maxChars); }

    size_t GetLineCount() const { return m_layout.GetLineCount(); }
    UIRect GetCaretRect() const override;

    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintText(IRenderContext& context) override;

    static constexpr UINT kCaretTimerId = 0x5E2;

protected:
    void SetChildrenPos(const UIRect& client) override;
    size_t PosFromPoint(UIPoint pt) const override;
    void OnCaretMoved() override;
    void LayoutText() override;
    bool HandleOwnKey(UINT key, uint16_t keyState) override;

private:
    UIRect TextRect() const;
    // Places the caret moved up or down by lines: the column it started from is kept.
    void LineCaretMoved();
    bool HandleLineKey(UINT key, bool shift, bool ctrl);

    CTextLineLayout m_layout;
    bool m_wantReturn = true;
    bool m_wordWrap = true;
    int m_preferredX = -1;  // column kept while moving up and down
};

}  // namespace dw::ui
