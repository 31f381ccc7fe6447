#pragma once

#include "ui/core/CLabelUI.h"
#include "ui/core/controls/CTextEditControl.h"

namespace dw::ui {

// A single-line text field drawn by the library. Typing (WM_CHAR, which also carries input
// method commits), caret keys with Shift selection, Home/End, Backspace/Delete, Ctrl+A/C/X/V
// and pointer selection edit the text; long text scrolls sideways to keep the caret in view.
// The caret blinks through a control timer while the field has the focus, and the window is
// told where it is so an input method's window follows it (all of it CTextEditControl's).
// Password mode shows mask characters and keeps the text off the clipboard; the field's status
// images follow hover, focus and the disabled state.
//
// Notifications: "textchanged" after every change the user makes (not after SetText), "return"
// on Enter; "setfocus" and "killfocus" come from the paint manager as for every control.
class CEditUI : public CTextEditControl<CLabelUI> {
public:
    CEditUI();

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    // Replaces the text; the caret goes to the end. No "textchanged".
    void SetText(const std::wstring& text) override;

    bool IsPasswordMode() const { return m_password; }
    void SetPasswordMode(bool password);
    wchar_t GetPasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(wchar_t ch);
    // Most characters the user can enter; 0 for no limit.
    size_t GetMaxChar() const { return m_model.GetMaxChars(); }
    void SetMaxChar(size_t maxChars) { m_model.SetMaxChars(maxChars); }

    UIRect GetCaretRect() const override;
    int GetScrollOffset() const { return m_scrollX; }

    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(IRenderContext& context) override;
    void PaintText(IRenderContext& context) override;

    static constexpr UINT kCaretTimerId = 0x5E1;

protected:
    size_t PosFromPoint(UIPoint pt) const override;
    void OnCaretMoved() override;
    EditOptions GetEditOptions() const override { return {m_readOnly, m_password}; }

private:
    // The text as shown: the mask characters in password mode.
    std::wstring DisplayText() const;
    UIRect TextRect() const;
    int XOfPos(size_t pos) const;

    bool m_password = false;
    wchar_t m_passwordChar = L'\u2022';
    bool m_autoSelectAll = false;
    UINT m_buttonState = 0;
    int m_scrollX = 0;
    std::wstring m_normalImage;
    std::wstring m_hotImage;
    std::wstring m_focusedImage;
    std::wstring m_disabledImage;
};

}  // namespace dw::ui
