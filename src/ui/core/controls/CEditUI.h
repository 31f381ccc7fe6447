#pragma once

#include "ui/core/CLabelUI.h"
#include "ui/core/controls/CTextEditModel.h"

namespace dw::ui {

// A single-line text field drawn by the library. Typing (WM_CHAR, which also carries input
// method commits), caret keys with Shift selection, Home/End, Backspace/Delete, Ctrl+A/C/X/V
// and pointer selection edit the text; long text scrolls sideways to keep the caret in view.
// The caret blinks through a control timer while the field has the focus, and the window is
// told where it is so an input method's window follows it.
//
// Notifications: "textchanged" after every change the user makes (not after SetText), "return"
// on Enter; "setfocus" and "killfocus" come from the paint manager as for every control.
class CEditUI : public CLabelUI {
public:
    CEditUI();

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;

    std::wstring GetText() const override { return m_model.GetText(); }
    // Replaces the text; the caret goes to the end. No "textchanged".
    void SetText(const std::wstring& text) override;

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    bool IsPasswordMode() const { return m_password; }
    void SetPasswordMode(bool password);
    wchar_t GetPasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(wchar_t ch);
    bool IsNumberOnly() const { return m_model.IsNumberOnly(); }
    void SetNumberOnly(bool numberOnly) { m_model.SetNumberOnly(numberOnly); }
    // Most characters the user can enter; 0 for no limit.
    size_t GetMaxChar() const { return m_model.GetMaxChars(); }
    void SetMaxChar(size_t maxChars) { m_model.SetMaxChars(maxChars); }
    // Shown in the placeholder colour while the field is empty.
    const std::wstring& GetPlaceholder() const { return m_placeholder; }
    void SetPlaceholder(const std::wstring& text);
    UIColor GetPlaceholderColor() const { return m_placeholderColor; }
    void SetPlaceholderColor(UIColor color);
    UIColor GetSelectedBkColor() const { return m_selectedBkColor; }
    void SetSelectedBkColor(UIColor color);
    UIColor GetCaretColor() const { return m_caretColor; }
    void SetCaretColor(UIColor color);

    // Selection in characters; SetSel(0, -1) selects everything.
    void SetSel(int start, int end);
    void SetSelAll();
    size_t GetCaret() const { return m_model.GetCaret(); }
    std::wstring GetSelectedText() const { return m_model.GetSelectedText(); }
    bool IsCaretShown() const { return m_caretShown; }
    // The caret's rectangle in window pixels (what the input method is told).
    UIRect GetCaretRect();
    int GetScrollOffset() const { return m_scrollX; }

    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(IRenderContext& context) override;
    void PaintText(IRenderContext& context) override;

    static constexpr UINT kCaretTimerId = 0x5E1;
    static constexpr UINT kCaretBlinkMs = 530;
    // The caret stops blinking (and stays shown) after this many blinks without input, so an
    // idle window with a focused field does not repaint forever.
    static constexpr int kCaretBlinkLimit = 20;

private:
    // The text as shown: the mask characters in password mode.
    std::wstring DisplayText() const;
    UIRect TextRect() const;
    int XOfPos(size_t pos);
    size_t PosFromX(int windowX);
    // Scrolls so the caret is inside the text rectangle, restarts the blink and repaints.
    void CaretMoved();
    void TextChanged();

    CTextEditModel m_model;
    bool m_readOnly = false;
    bool m_password = false;
    wchar_t m_passwordChar = L'\u2022';
    std::wstring m_placeholder;
    UIColor m_placeholderColor = 0xFF80868F;
    UIColor m_selectedBkColor = 0xFF2F6FB0;
    UIColor m_caretColor = 0;
    bool m_autoSelectAll = false;
    bool m_caretShown = false;
    int m_blinks = 0;
    bool m_selecting = false;
    UINT m_buttonState = 0;
    int m_scrollX = 0;
    std::wstring m_normalImage;
    std::wstring m_hotImage;
    std::wstring m_focusedImage;
    std::wstring m_disabledImage;
};

}  // namespace dw::ui
