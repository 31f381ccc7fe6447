#pragma once

// Message numbers, control names and fixed values shared by the shell's pop-up windows.

#include "ui/core/UIMessages.h"

namespace dw::shellframe {

// Sent to an open pop-up window after the language changed: it shows its texts anew.
inline constexpr ui::UINT kMsgLanguageChanged = 3089;
// A window moved to a screen of another density: LOWORD(wParam) is the new DPI, lParam the
// suggested window rectangle (a const ui::UIRect*, or 0).
inline constexpr ui::UINT kMsgDpiChanged = 0x02E0;

// The caption buttons every pop-up window may have.
namespace name {
inline constexpr const wchar_t* kCloseButton = L"closebtn";
inline constexpr const wchar_t* kMaxButton = L"maxbtn";
inline constexpr const wchar_t* kRestoreButton = L"restorebtn";
inline constexpr const wchar_t* kMinButton = L"minbtn";
inline constexpr const wchar_t* kMenuButton = L"menubtn";
}  // namespace name

// The densities a window may be set to; any other value becomes kDefaultDpi.
inline constexpr int kAllowedDpis[] = {48, 72, 96, 120, 144, 168, 192};
inline constexpr int kDefaultDpi = 96;

// `dpi` when it is one of kAllowedDpis, else kDefaultDpi.
constexpr int ValidDpiOrDefault(int dpi)
{
    for (int allowed : kAllowedDpis)
        if (allowed == dpi)
            return dpi;
    return kDefaultDpi;
}

}  // namespace dw::shellframe
