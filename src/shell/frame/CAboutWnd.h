#pragma once

// The about box: the program's version, in a modal window built from "AboutWnd.xml". The
// version line is the language's "software_rev_text" followed by the program's version tag.

#include <functional>
#include <string>

#include "ui/core/WindowImplBase.h"

namespace dw {

namespace aboutbox {
inline constexpr const wchar_t* kWindowClassName = L"AboutWnd";
inline constexpr const wchar_t* kSkinFile = L"AboutWnd.xml";
// Two spaces: the window has no caption text of its own.
inline constexpr const wchar_t* kCaption = L"  ";
inline constexpr int kWidth = 800;
inline constexpr int kHeight = 572;
inline constexpr const wchar_t* kVersionLabel = L"software_ver_label";
// A hidden resource-text control through which the version key is translated.
inline constexpr const wchar_t* kTranslateControl = L"text_test";
inline constexpr const wchar_t* kVersionTextKey = L"software_rev_text";
inline constexpr const wchar_t* kHomepageButton = L"homepage_btn";
// The timer the window kills when it fires.
inline constexpr ui::UINT kOneShotTimer = 1;
}  // namespace aboutbox

class CAboutWnd : public ui::WindowImplBase {
public:
    explicit CAboutWnd(std::wstring versionTag);

    // The text "software_ver_label" shows: the translated version key and the version tag.
    std::wstring ComposeVersionText();

    void InitWindow() override;
    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override;

protected:
    std::wstring GetWindowClassName() const override { return aboutbox::kWindowClassName; }
    std::wstring GetSkinFile() override { return aboutbox::kSkinFile; }
    void OnClick(ui::TNotifyUI& msg) override;
    ui::LRESULT OnSysCommand(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override;
    ui::LRESULT OnTimer(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override;

private:
    void ShowVersionText();
    // Shows the one of "maxbtn" and "restorebtn" that fits the window's state.
    void ShowSizeButtons();

    std::wstring m_versionTag;
    ui::CControlUI* m_closeButton = nullptr;
    ui::CControlUI* m_maxButton = nullptr;
    ui::CControlUI* m_restoreButton = nullptr;
    ui::CControlUI* m_minButton = nullptr;
    ui::CControlUI* m_menuButton = nullptr;
};

// Opens the about box owned by `owner`, centred on it, and runs it modally. `onOpen` is told
// the box's window handle when it opens and null when it has closed, so that the owner can
// reach it while it is open (a language change). The version tag is the program's, from the
// model-name table.
void ShowAboutBox(ui::CWindowWnd& owner, const std::function<void(ui::HWND)>& onOpen);

}  // namespace dw
