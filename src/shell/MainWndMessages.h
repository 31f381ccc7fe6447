#pragma once

// The main window's own message numbers and timer ids. The numbers are fixed: other parts of
// the program (the discovery thread, device objects, menus, the settings window) send them.

#include "ui/core/UIMessages.h"

namespace dw::mainwnd {

// ---- private window messages ---------------------------------------------------------------
// The tray icon's callback: lParam WM_LBUTTONUP toggles the window, WM_RBUTTONUP opens the menu.
inline constexpr ui::UINT kMsgTrayIcon = ui::WM_USER + 1;
// wParam 0: remove the input hook; 1: install it for the main window.
inline constexpr ui::UINT kMsgHook = 1054;
// A menu window reports the chosen item; wParam points to its name (a std::wstring).
inline constexpr ui::UINT kMsgMenuCommand = ui::WM_MENUCLICK;
// Show the control "setting_progress".
inline constexpr ui::UINT kMsgShowSettingProgress = 3072;
// The user chose a language in the settings window; wParam is its index.
inline constexpr ui::UINT kMsgLanguageChosen = 3089;
// From the discovery thread: a slot's interface arrived / went away; wParam is the slot index.
inline constexpr ui::UINT kMsgDeviceArrival = 3090;
inline constexpr ui::UINT kMsgDeviceRemoval = 3091;
// Open the settings window centred.
inline constexpr ui::UINT kMsgOpenSettings = 3093;
// From the settings window: clear the settings button's foreground image.
inline constexpr ui::UINT kMsgClearSettingsBadge = 3094;
// From device objects; the main window leaves them to the default processing.
inline constexpr ui::UINT kMsgDeviceReport1 = 3328;
inline constexpr ui::UINT kMsgDeviceReport2 = 3329;
// Refresh the "No_device_Link" overlay from the selected device; wParam is a link status value.
inline constexpr ui::UINT kMsgRefreshNoDevice = 3330;
// Wireless link change of the device-list entry at wParam: lParam 0 lost, 1 up.
inline constexpr ui::UINT kMsgLinkChange = 3331;

// ---- registered messages: parameters -------------------------------------------------------
// The lighting hand-over messages carry this wParam; lParam is the light-control flag.
inline constexpr ui::WPARAM kLightHandOverWParam = 1;
// The product-title message: lParam 1 from a second instance, 0 after the first device scan.
inline constexpr ui::LPARAM kShowFromSecondInstance = 1;
inline constexpr ui::LPARAM kShowAfterFirstScan = 0;

// ---- WM_COPYDATA kinds and their buffers -----------------------------------------------------
inline constexpr uintptr_t kCopyDataAudioSpectrum = 1;
inline constexpr uintptr_t kCopyDataAudioLevels = 2;
inline constexpr size_t kAudioSpectrumBufferBytes = 4280;
inline constexpr size_t kAudioLevelsBufferBytes = 156;

// ---- window timers -------------------------------------------------------------------------
inline constexpr ui::UINT kTimerDisplayCheck = 1011;
inline constexpr ui::UINT kTimerKeepAlive = 1031;
inline constexpr ui::UINT kTimerTrayMenu = 1032;
inline constexpr ui::UINT kTimerProfileSwitch = 1055;
inline constexpr ui::UINT kTimerGameRestore = 1066;

inline constexpr ui::UINT kDisplayCheckDelayMs = 100;
inline constexpr ui::UINT kKeepAlivePeriodMs = 5000;
inline constexpr ui::UINT kTrayMenuDelayMs = 10;
inline constexpr ui::UINT kProfileSwitchDelayMs = 400;
inline constexpr ui::UINT kGameRestoreDelayMs = 5000;

// ---- worker slots ----------------------------------------------------------------------------
inline constexpr size_t kWorkerSlotCount = 20;
inline constexpr size_t kDiscoveryWorker = 0;
inline constexpr size_t kLightingSyncWorker = 8;
// How long the main window waits for each worker when it is destroyed.
inline constexpr unsigned kWorkerStopBoundMs = 1000;

// ---- display check ---------------------------------------------------------------------------
// The window's size at 96 DPI after a display check.
inline constexpr int kCheckedWidth = 1000;
inline constexpr int kCheckedHeight = 640;
// A monitor larger than this in both directions (device pixels) gets the large DPI.
inline constexpr int kLargeScreenMinWidth = 1500;
inline constexpr int kLargeScreenMinHeight = 960;
inline constexpr int kLargeScreenDPI = 144;
inline constexpr int kNormalDPI = 96;

// Settings window placement: its right edge this far left of the main window's right edge, its
// top this far below the main window's top (96-DPI pixels, scaled).
inline constexpr int kSettingsRightInset = 30;
inline constexpr int kSettingsTopOffset = 60;

// How long the window stays top-most while it is brought to the front.
inline constexpr unsigned kRaiseTopMostMs = 10;

}  // namespace dw::mainwnd
