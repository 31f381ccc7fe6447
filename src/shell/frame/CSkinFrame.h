#pragma once

// The skin window: a small pop-up under the main window's skin button that changes the main
// window's background. It offers background images (each "skin_image_btn" carries its image in
// its user data), colours (each "skin_color_btn" shows its colour as its background), a custom
// picture chosen through a file dialog, and the skin's own background. A choice is announced
// through the skin observer; a chosen skin image is also recorded in "main.ini" of the per-user
// folder. The window closes when it loses the focus and deletes itself when it is gone.

#include <string>

#include "shell/SkinChanged.h"
#include "ui/core/WindowImplBase.h"

namespace dw {

namespace skinframe {
inline constexpr const wchar_t* kWindowClassName = L"UISkinFrame";
inline constexpr const wchar_t* kCaption = L"skinframe";
inline constexpr const wchar_t* kSkinFile = L"skin.xml";
// The skin's own background, which "skin_reset" brings back.
inline constexpr const wchar_t* kDefaultBackground = L"common/background.png";
inline constexpr const wchar_t* kCustomImageFilter = L"(*.png) | *.png |(*.*)|*.*||";

// Controls.
inline constexpr const wchar_t* kImageButton = L"skin_image_btn";
inline constexpr const wchar_t* kColourButton = L"skin_color_btn";
inline constexpr const wchar_t* kColourPage = L"skin_color";
inline constexpr const wchar_t* kImagePage = L"skin_image";
inline constexpr const wchar_t* kResetButton = L"skin_reset";
inline constexpr const wchar_t* kCustomButton = L"skin_Custom";
inline constexpr const wchar_t* kTab = L"skin_tab";
inline constexpr int kImageTabPage = 0;
inline constexpr int kColourTabPage = 1;

// The skin settings file and its values.
inline constexpr const char* kSettingsFileName = "main.ini";
inline constexpr const char* kSettingsSection = "SKINIMAGE";
inline constexpr const char* kFlagsKey = "FLAGS";
inline constexpr const char* kImageKey = "IMAGE";
inline constexpr int kFlagsDefault = 0;
inline constexpr int kFlagsSkinImage = 1;
}  // namespace skinframe

class CSkinFrame : public ui::WindowImplBase {
public:
    // `anchor` is the skin button's rectangle in screen coordinates: the window's right edge
    // lines up with its right edge and its top with its bottom. `settingsFile` is the full path
    // of "main.ini" (empty: nothing is recorded).
    CSkinFrame(ui::UIRect anchor, std::string settingsFile);

    // Creates the window owned by `owner` and shows it; the object then deletes itself when its
    // window is gone. Null when the window cannot be built.
    static CSkinFrame* Open(ui::CMessageLoop& loop, ui::HWND owner, ui::UIRect anchor, std::string settingsFile);

    void InitWindow() override;

protected:
    std::wstring GetWindowClassName() const override { return skinframe::kWindowClassName; }
    std::wstring GetSkinFile() override { return skinframe::kSkinFile; }
    void OnClick(ui::TNotifyUI& msg) override;
    ui::LRESULT OnKillFocus(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override;
    void OnFinalMessage(ui::HWND hwnd) override;

private:
    void ShowPage(int page);
    void ChooseCustomImage();
    void RecordSetting(int flags, const std::wstring& image);

    ui::UIRect m_anchor;
    std::string m_settingsFile;
    // The file dialog takes the focus; the window stays open while it runs.
    bool m_dialogOpen = false;
    bool m_deleteOnFinalMessage = false;
};

}  // namespace dw
