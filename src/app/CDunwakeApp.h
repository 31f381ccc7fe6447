#pragma once

// The life of the `dunwake` process, in the order the program fixes: private fonts, the
// product-title message, the single instance (a second start wakes the first and ends), the skin
// (resource folder, "res.xml"), the program's control classes, the registered messages, the main
// window (captioned with the product title, 800 x 572, centred), the message loop, and the
// teardown in the reverse order. Every path ends with exit code 0, except a command line that
// cannot be understood (kExitUsage).
//
// Around that sequence sit the development aids of the command line: emulated devices, the
// automation channel, the start-up screenshot and off-screen drawing.

#include <chrono>
#include <memory>
#include <string>

#include "app/AppOptions.h"

namespace dw::ui {
class CMessageLoop;
class IUIBackend;
class WindowImplBase;
}  // namespace dw::ui

namespace dw::app {

class CAppMessageWindow;
class CEmulatorControl;

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitUsage = 2;

// The caption of the main window, and the size it is created with.
inline constexpr const wchar_t* kMainWindowCaption = L"VEXLO Dunwake 75 tri-mode";
inline constexpr int kMainWindowWidth = 800;
inline constexpr int kMainWindowHeight = 572;

// How long --screenshot waits for the first device scan to show the window before it saves the
// window as it is.
inline constexpr unsigned kScreenshotWaitMs = 10000;
// How often the start-up watch looks whether the window has been shown.
inline constexpr unsigned kShownPollMs = 20;
// --screenshot waits this long after the window is shown, so that the devices the first scan
// found have been connected, listed and painted.
inline constexpr unsigned kScreenshotSettleMs = 700;

class CDunwakeApp {
public:
    CDunwakeApp(AppOptions options, std::chrono::steady_clock::time_point processStart);
    ~CDunwakeApp();
    CDunwakeApp(const CDunwakeApp&) = delete;
    CDunwakeApp& operator=(const CDunwakeApp&) = delete;

    // Runs the program; returns the exit code.
    int Run();

private:
    int RunFirstInstance(ui::CMessageLoop& loop, ui::IUIBackend& backend, const std::string& resourceFolder);
    // Watches for the main window to be shown after the first device scan: notes the time and,
    // with --screenshot, saves the picture and leaves.
    void WatchStartup(ui::CMessageLoop& loop, CAppMessageWindow& mailbox, ui::WindowImplBase& mainWindow);
    void OnMainWindowShown(ui::CMessageLoop& loop, CAppMessageWindow& mailbox, ui::WindowImplBase& mainWindow,
                           bool timedOut);
    void SaveScreenshotAndLeave(ui::CMessageLoop& loop, ui::WindowImplBase& mainWindow);

    AppOptions m_options;
    std::chrono::steady_clock::time_point m_processStart;
    std::unique_ptr<CEmulatorControl> m_emulator;
    bool m_shownHandled = false;
};

}  // namespace dw::app
