#pragma once

// The message box every part of the program uses to ask for a confirmation or to report a
// result: a modal window built from the skin's "XML_MSG" with a title, a text and the buttons
// "confirm_btn" and "cancel_btn". Its result is 1 when the user confirmed and 0 when the user
// cancelled or closed it in any other way.
//
//     if (ShowMessageBox(mainWindow, {}, L"message_text_22", mainWindow.GetDPI(), true, 1) == 1)
//         ... the user confirmed ...

#include <string>

#include "ui/core/WindowImplBase.h"

namespace dw {

namespace msgbox {
inline constexpr const wchar_t* kWindowClassName = L"MsgWnd";
inline constexpr const wchar_t* kSkinId = L"XML_MSG";
inline constexpr const wchar_t* kCaption = L"msgwnd";
inline constexpr const wchar_t* kTitleControl = L"MessageTitle";
inline constexpr const wchar_t* kTextControl = L"MessageText";
inline constexpr const wchar_t* kConfirmButton = L"confirm_btn";
inline constexpr const wchar_t* kCancelButton = L"cancel_btn";
// Buttons: only "confirm_btn" (an information box), or both (a confirmation box). Other values
// leave the buttons as the skin has them.
inline constexpr int kButtonsConfirmOnly = 0;
inline constexpr int kButtonsConfirmCancel = 1;
// Results.
inline constexpr int kConfirmed = 1;
inline constexpr int kCancelled = 0;
}  // namespace msgbox

class CMsgWnd : public ui::WindowImplBase {
public:
    CMsgWnd() = default;

    // Shows `title` in "MessageTitle" unless it is empty (the skin's own title then stays).
    void SetTitle(const std::wstring& title);
    // Shows `text` in "MessageText"; with `isLanguageKey` the control shows the language file's
    // text for the key (and follows later language changes).
    void SetText(const std::wstring& text, bool isLanguageKey);
    // Sets every window's density (see ShowMessageBox) and sizes this window for it.
    void SetDpi(int dpi);
    void SetButtons(int buttons);

    void InitWindow() override;
    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override;

protected:
    std::wstring GetWindowClassName() const override { return msgbox::kWindowClassName; }
    std::wstring GetSkinFile() override { return msgbox::kSkinId; }
    void OnClick(ui::TNotifyUI& msg) override;
    void OnFinalMessage(ui::HWND hwnd) override;

private:
    void OnDpiChanged(ui::WPARAM wParam, ui::LPARAM lParam);

    friend int ShowMessageBox(ui::CMessageLoop&, ui::HWND, const std::wstring&, const std::wstring&, int, bool, int);

    ui::CControlUI* m_closeButton = nullptr;
    int m_dpi = 96;
    // Set once the window exists: from then on the object deletes itself with its window.
    bool m_deleteOnFinalMessage = false;
};

// Opens a message box owned by `parent` (centred on it), runs it modally and returns
// msgbox::kConfirmed or msgbox::kCancelled. `dpi` must be one of 48, 72, 96, 120, 144, 168 and
// 192; another value is reported in the diagnostic output and replaced by 96. The density is
// applied to every window of the program, as the main window uses the same one. When the box
// cannot be built (no skin), the answer is msgbox::kCancelled: nothing was confirmed.
int ShowMessageBox(ui::CWindowWnd& parent, const std::wstring& title, const std::wstring& text, int dpi,
                   bool textIsLanguageKey, int buttons);
int ShowMessageBox(ui::CMessageLoop& loop, ui::HWND parent, const std::wstring& title, const std::wstring& text,
                   int dpi, bool textIsLanguageKey, int buttons);

}  // namespace dw
