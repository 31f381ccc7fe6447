#pragma once

#include <string>
#include <string_view>

#include "ui/core/CContainerUI.h"
#include "ui/core/CLabelUI.h"
#include "ui/core/controls/CTextEditModel.h"
#include "ui/core/controls/TextEditCommands.h"

namespace dw::ui {

// What every edit of the library does, whatever control it is built on: the text model, the
// read-only and number-only switches, the placeholder and the colours of selection and caret,
// the blinking caret (a control timer while the field has the focus; the window is told where
// the caret is so an input method's window follows it), pointer selection (click, Shift+click,
// drag, double click for a word), the editing keys and clipboard of TextEditCommands, typed
// characters, and the "textchanged" and "return" notifications.
//
// The single-line CEditUI builds on a label and the multi-line CRichEditUI on a container (for
// its scroll bar), so this is a class template over that base; it is compiled once for each of
// the two. A derived edit supplies the geometry: where the caret is, which character a point
// falls on, how the view scrolls to keep the caret visible.
template <class Base>
class CTextEditControl : public Base {
public:
    UINT GetControlFlags() const override;

    std::wstring GetText() const override { return m_model.GetText(); }

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    bool IsNumberOnly() const { return m_model.IsNumberOnly(); }
    void SetNumberOnly(bool numberOnly) { m_model.SetNumberOnly(numberOnly); }
    // Shown in the placeholder colour while the field is empty.
    const std::wstring& GetPlaceholder() const { return m_placeholder; }
    void SetPlaceholder(const std::wstring& text);
    UIColor GetPlaceholderColor() const { return m_placeholderColor; }
    void SetPlaceholderColor(UIColor color);
    UIColor GetSelectedBkColor() const { return m_selectedBkColor; }
    void SetSelectedBkColor(UIColor color);
    UIColor GetCaretColor() const { return m_caretColor; }
    void SetCaretColor(UIColor color);

    // Selection in characters; a negative position stands for the end, so SetSel(0, -1) selects
    // everything.
    void SetSel(int start, int end);
    void SetSelAll();
    size_t GetCaret() const { return m_model.GetCaret(); }
    std::wstring GetSelectedText() const { return m_model.GetSelectedText(); }
    bool IsCaretShown() const { return m_caretShown; }
    // The caret's rectangle in window pixels (what the input method is told).
    virtual UIRect GetCaretRect() const = 0;

    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;

    static constexpr UINT kCaretBlinkMs = 530;
    // The caret stops blinking (and stays shown) after this many blinks without input, so an
    // idle window with a focused field does not repaint forever.
    static constexpr int kCaretBlinkLimit = 20;

protected:
    explicit CTextEditControl(UINT caretTimerId);

    // The character position nearest to a point in window pixels.
    virtual size_t PosFromPoint(UIPoint pt) const = 0;
    // The caret moved or the text under it changed: the view scrolls so the caret is inside the
    // text rectangle.
    virtual void OnCaretMoved() = 0;
    // Called when the text changed, before the caret is placed: lines are laid out again.
    virtual void LayoutText() {}
    // A key the derived edit handles itself before the editing keys; true when it did.
    virtual bool HandleOwnKey(UINT key, uint16_t keyState);
    // How the editing keys treat the text (a password never goes to the clipboard).
    virtual EditOptions GetEditOptions() const { return {m_readOnly, false}; }

    // Keeps the caret in view, restarts the blink, tells the input method and repaints.
    void CaretMoved();
    // After a change the user made: lays out, places the caret and raises "textchanged".
    void TextChanged();
    // Draws the caret while it is shown in a focused, editable field.
    void PaintCaret(IRenderContext& context);

    CTextEditModel m_model;
    bool m_readOnly = false;
    bool m_caretShown = false;
    bool m_selecting = false;
    std::wstring m_placeholder;
    UIColor m_placeholderColor = 0xFF80868F;
    UIColor m_selectedBkColor = 0xFF2F6FB0;
    UIColor m_caretColor = 0;

private:
    const UINT m_caretTimerId;
    int m_blinks = 0;
};

extern template class CTextEditControl<CLabelUI>;
extern template class CTextEditControl<CContainerUI>;

}  // namespace dw::ui
