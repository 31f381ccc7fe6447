#pragma once

// The registered messages the main window sends and receives: their names (the contract with
// companion programs, the hook layer and the discovery thread) and this process's numbers for
// them. The numbers come from the process-wide name table, so every copy of CRegisteredMessages
// in the process holds the same numbers.

#include <array>
#include <string_view>

#include "ui/core/UIDefs.h"

namespace dw {

namespace msgname {
// The product title names the message that shows the window.
inline constexpr std::wstring_view kProductTitle = L"VEXLO Dunwake 75 tri-mode";
// Forwarded to the settings window when it is open.
inline constexpr std::wstring_view kSettingsForward = L"{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
// Lighting hand-over: broadcast by this program.
inline constexpr std::wstring_view kLightHandOverOut = L"{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";
// Lighting hand-over: received from another program.
inline constexpr std::wstring_view kLightHandOverIn = L"{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";
// For the audio-capture handler.
inline constexpr std::wstring_view kAudioCapture = L"{4695579F-999A-41d4-9FAF-EFFCE93EBF18}";
// Used by the audio-capture child and the sliders. The last group reads EBE19, not EBF19.
inline constexpr std::wstring_view kAudioChild = L"{4695579F-999A-41d4-9FAF-EFFCE93EBE19}";

inline constexpr size_t kHookMessageCount = 14;
inline constexpr std::array<std::wstring_view, kHookMessageCount> kHookMessages{
    L"WM_HOOK_KEY_SINGLEKEY_MSG",        L"WM_HOOK_KEY_HITKEY_MSG",          L"WM_HOOK_KEY_KBMACRO_MSG",
    L"WM_HOOK_KEY_MSMACRO_MSG",          L"WM_HOOK_KEY_KBMACROSINGLE_MSG",   L"WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
    L"WM_HOOK_KEY_KBMACROLATER_MSG",     L"WM_HOOK_MOU_SINGLEKEY_MSG",       L"WM_HOOK_MOU_HITKEY_MSG",
    L"WM_HOOK_MOU_KBMACRO_MSG",          L"WM_HOOK_MOU_MSMACRO_MSG",         L"WM_HOOK_KEY_MSMACROSINGLE_MSG",
    L"WM_HOOK_KEY_MSMACROPREVIOUS_MSG",  L"WM_HOOK_KEY_MSMACROLATER_MSG",
};

// Mouse events of the hook layer. The right-button-down name is registered twice by the
// callers that keep two variables for it; one number serves both.
inline constexpr size_t kMouseHookMessageCount = 5;
inline constexpr std::array<std::wstring_view, kMouseHookMessageCount> kMouseHookMessages{
    L"UWM_MOUSERBUTTONDOWN_USER_MSG", L"UWM_MOUSELBUTTONUP_USER_MSG", L"UWM_MOUSELBUTTONDOWN_USER_MSG",
    L"UWM_MOUSERBUTTONUP_USER_MSG",   L"UWM_MOUSEMOVE_USER_MSG",
};

// Game events from an outside program: wParam event code, lParam value.
inline constexpr size_t kGameMessageCount = 4;
inline constexpr std::array<std::wstring_view, kGameMessageCount> kGameMessages{
    L"Game_Start", L"Game_End", L"Game_Kill", L"Game_Death"};
}  // namespace msgname

struct CRegisteredMessages {
    ui::UINT productTitle = 0;
    ui::UINT settingsForward = 0;
    ui::UINT lightHandOverOut = 0;
    ui::UINT lightHandOverIn = 0;
    ui::UINT audioCapture = 0;
    ui::UINT audioChild = 0;
    std::array<ui::UINT, msgname::kHookMessageCount> hook{};
    std::array<ui::UINT, msgname::kMouseHookMessageCount> mouseHook{};
    std::array<ui::UINT, msgname::kGameMessageCount> game{};

    // Registers every name above (the same numbers on every call).
    static CRegisteredMessages Register();

    // Index of a hook message (the fourteen key messages, then the five mouse messages), or -1.
    int HookIndex(ui::UINT msg) const;
    // Index of a game message, or -1.
    int GameIndex(ui::UINT msg) const;
};

}  // namespace dw
