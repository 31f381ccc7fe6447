#include "app/CDunwakeApp.h"

#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/CAppMessageWindow.h"
#include "app/CAutomationChannel.h"
#include "app/CAutomationExecutor.h"
#include "app/CEmulatorControl.h"
#include "app/ProgramControlClasses.h"
#include "app/ResourceFolder.h"
#include "app/StartupTables.h"
#include "platform/DebugOutput.h"
#include "platform/Utf8.h"
#include "platform/desktop/CDesktopSettingsLauncher.h"
#include "platform/hid/HidBackendSelection.h"
#include "platform/instance/CFlockSingleInstance.h"
#include "platform/ipc/CDBusProgramMessageBus.h"
#include "platform/power/CLogindPowerEvents.h"
#include "platform/screen/CQtScreenInfo.h"
#include "shell/CMainWnd.h"
#include "shell/frame/CShellWindows.h"
#include "platform/store/CJsonRegistryStore.h"
#include "shell/MainWndMessages.h"
#include "shell/devices/CDeviceList.h"
#include "ui/backend/qt/CQtBackend.h"
#include "ui/core/CControlFactory.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CResourceManager.h"
#include "ui/core/UIMessages.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::app {

namespace {

using platform::Utf8ToWide;

constexpr const char* kSkinFolder = "skin\\";
constexpr const wchar_t* kResourceIndex = L"res.xml";
constexpr ui::UINT kTimerStartupWatch = 1;
constexpr ui::UINT kTimerScreenshotSettle = 2;
constexpr ui::UINT kMsgStartWatch = ui::WM_APP + 0x0A02;
// How long a second instance gives its wake-up message to leave the process.
constexpr int kWakeFlushMs = 1000;

// The style the main window is created with: a skinned pop-up with the caption functions.
constexpr ui::DWORD kMainWindowStyle = ui::WS_POPUP | ui::WS_VISIBLE | ui::WS_CLIPSIBLINGS | ui::WS_CLIPCHILDREN |
                                       ui::WS_CAPTION | ui::WS_SYSMENU | ui::WS_MINIMIZEBOX;

void Debug(const std::wstring& text)
{
    DebugOutput(L"dunwake: " + text);
}

// Loads the private fonts in their order; a missing or invalid file is skipped without a word
// to the user (the skin then falls back to the system's faces).
int LoadPrivateFonts(ui::IUIBackend& backend, const std::string& resourceFolder)
{
    int loaded = 0;
    for (std::string_view name : kPrivateFontFiles) {
        const std::string path = ResourcePath(resourceFolder, name);
        if (!path.empty() && backend.AddFontFile(Utf8ToWide(path)))
            ++loaded;
        else
            Debug(L"private font not loaded: " + Utf8ToWide(path));
    }
    return loaded;
}

// Off-screen drawing through Qt's own platform plugin, unless the caller chose a platform.
void UseOffscreenPlatform()
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

}  // namespace

CDunwakeApp::CDunwakeApp(AppOptions options, std::chrono::steady_clock::time_point processStart)
    : m_options(std::move(options)), m_processStart(processStart)
{
}

CDunwakeApp::~CDunwakeApp() = default;

int CDunwakeApp::Run()
{
    if (m_options.help) {
        std::cout << AppUsage();
        return kExitSuccess;
    }
    const bool display = HasDisplay(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
    if (m_options.headless || (m_options.screenshotPath && !display)) {
        UseOffscreenPlatform();
    } else if (!display) {
        std::cout << NoDisplayMessage();
        return kExitSuccess;
    }

    const ResourceFolderLookup resources = FindResourceFolder();
    if (resources.source == ResourceFolderSource::NotFound) {
        std::cerr << "dunwake: the resource folder was not found; looked in:\n";
        for (const std::string& folder : resources.tried)
            std::cerr << "    " << folder << '\n';
        std::cerr << "Set DUNWAKE_RESOURCES to the folder holding skin/ and DefaultData/.\n";
        return kExitSuccess;
    }
    Debug(L"resources: " + Utf8ToWide(resources.folder));

    if (m_options.emulate) {
        std::string error;
        m_emulator = CEmulatorControl::Create(*m_options.emulate, error);
        if (!m_emulator) {
            std::cerr << "dunwake: " << error << '\n';
            return kExitUsage;
        }
        hid::SelectHidBackend(m_emulator->Backend());
    }

    // The backend first: fonts, the message bus and the screens all need its application object.
    ui::qt::CQtBackend backend;
    ui::CMessageLoop loop(backend);

    // 1. Private fonts.
    LoadPrivateFonts(backend, resources.folder);

    // 4. The product-title message, before the instance test: a second instance needs it.
    const ui::UINT productTitleMessage = ui::CMessageLoop::RegisterWindowMessage(std::wstring(msgname::kProductTitle));
    Debug(L"product-title message: " + std::to_wstring(productTitleMessage));

    // 5. Single instance.
    platform::CFlockSingleInstance instance = platform::CFlockSingleInstance::FromEnvironment();
    if (instance.Acquire() == platform::InstanceRole::Second) {
        std::unique_ptr<platform::CDBusProgramMessageBus> bus = platform::CDBusProgramMessageBus::ConnectToSessionBus();
        const int sent = bus->Broadcast(std::wstring(msgname::kProductTitle), 0, mainwnd::kShowFromSecondInstance);
        if (sent != platform::kIpcOk || !bus->Flush(kWakeFlushMs))
            std::cerr << "dunwake: already running, but it could not be asked to show its window "
                         "(no session bus).\n";
        Debug(L"second instance: asked the first to show its window");
        return kExitSuccess;
    }

    const int exitCode = RunFirstInstance(loop, backend, resources.folder);

    // 16. The instance goes last but for the fonts, which the backend's application object
    // gives back when it ends.
    instance.Release();
    return exitCode;
}

int CDunwakeApp::RunFirstInstance(ui::CMessageLoop& loop, ui::IUIBackend& backend, const std::string& resourceFolder)
{
    // 6-7. Skin set-up: plain files under "<resources>/skin/", the resource index, the classes.
    ui::CPaintManagerUI::SetInstance(Utf8ToWide(ResourcePath(resourceFolder, "")));
    ui::CPaintManagerUI::SetResourceType(ui::UIResourceType::File);
    ui::CPaintManagerUI::SetResourcePath(Utf8ToWide(ResourcePath(resourceFolder, kSkinFolder)));
    if (!ui::CResourceManager::GetInstance().LoadResource(kResourceIndex))
        Debug(L"the resource index res.xml could not be loaded");
    const int registered = RegisterProgramControls(ui::CControlFactory::GetInstance());
    Debug(L"control classes registered: " + std::to_wstring(registered) + L" of " +
          std::to_wstring(ProgramControlClasses().size()));

    // 8. The registered messages of the first instance, in their order.
    for (std::wstring_view name : kFirstInstanceMessages)
        ui::CMessageLoop::RegisterWindowMessage(std::wstring(name));

    // The platform services the main window is built on. Each works, or degrades to nothing,
    // on its own: no session bus means no messages between programs, no system bus no
    // suspend and resume.
    std::unique_ptr<platform::CDBusProgramMessageBus> bus = platform::CDBusProgramMessageBus::ConnectToSessionBus();
    bus->ClaimProgramName(std::string(platform::kMainProgramName));
    std::unique_ptr<platform::CLogindPowerEvents> power = platform::CLogindPowerEvents::ConnectToSystemBus();
    platform::CQtScreenInfo screens;
    platform::CDesktopSettingsLauncher desktopSettings = platform::CDesktopSettingsLauncher::FromEnvironment();

    // The device list: discovery, hot-plug and the list entries (on the active HID backend).
    CDeviceList deviceList;
    MainWndServices services;
    services.deviceList = &deviceList;
    services.messageBus = bus.get();
    services.power = power.get();
    services.screens = &screens;
    services.desktopSettings = &desktopSettings;

    // The skin window, languages, tray menu, message and about boxes.
    platform::CJsonRegistryStore registry = platform::CJsonRegistryStore::FromEnvironment();
    CShellWindows shellWindows(registry, ShellWindowsPaths::ForProgram());
    services.windows = &shellWindows;

    // 9-12. The main window: created visible, hidden again by its "windowinit", shown by the
    // first device scan.
    auto mainWindow = std::make_unique<CMainWnd>(services);
    deviceList.Attach(*mainWindow);
    shellWindows.Attach(*mainWindow);
    shellWindows.SetTrayGeometrySource([window = mainWindow.get()] { return window->GetTrayIcon().GetGeometry(); });
    if (!mainWindow->Create(loop, nullptr, kMainWindowCaption, kMainWindowStyle, 0,
                            {0, 0, kMainWindowWidth, kMainWindowHeight})) {
        Debug(L"the main window could not be created");
        ui::CResourceManager::GetInstance().Release();
        return kExitSuccess;
    }
    mainWindow->CenterWindow();

    CAppMessageWindow mailbox;
    mailbox.Create(loop);
    CAutomationExecutor executor(loop, *mainWindow, m_emulator.get());
    std::unique_ptr<CAutomationChannel> automation;
    if (m_options.automationPath) {
        automation = std::make_unique<CAutomationChannel>(loop, mailbox, executor, *m_options.automationPath);
        if (automation->Start() != kAutomationOk)
            std::cerr << "dunwake: the automation channel cannot listen on " << *m_options.automationPath << '\n';
    }
    WatchStartup(loop, mailbox, *mainWindow);

    // 13. The message loop.
    loop.Run();

    // 14-15. Teardown: the automation reader first (it reaches into the window), then the
    // window (its destruction has already stopped the workers), the resources.
    if (automation)
        automation->Stop();
    automation.reset();
    mailbox.DestroyWindow();
    mainWindow->DestroyWindow();
    deviceList.Detach();
    mainWindow.reset();
    ui::CResourceManager::GetInstance().Release();
    (void)backend;
    return kExitSuccess;
}

void CDunwakeApp::WatchStartup(ui::CMessageLoop& loop, CAppMessageWindow& mailbox, ui::WindowImplBase& mainWindow)
{
    const uint64_t started = loop.GetTickCount();
    // Posted now, handled after the window's "windowinit" (queued before it), which hides the
    // window until the first device scan.
    mailbox.SetMessageHandler(kMsgStartWatch, [this, &loop, &mailbox, &mainWindow, started](ui::WPARAM, ui::LPARAM) {
        // A window that "windowinit" left visible waits for no scan.
        if (mainWindow.GetHWND() != nullptr && mainWindow.IsWindowVisible()) {
            OnMainWindowShown(loop, mailbox, mainWindow, false);
            return 0;
        }
        mailbox.StartTimer(kTimerStartupWatch, kShownPollMs, [this, &loop, &mailbox, &mainWindow, started] {
            const bool shown = mainWindow.GetHWND() != nullptr && mainWindow.IsWindowVisible();
            const bool timedOut = loop.GetTickCount() - started >= kScreenshotWaitMs;
            if (shown || timedOut) {
                mailbox.StopTimer(kTimerStartupWatch);
                OnMainWindowShown(loop, mailbox, mainWindow, !shown);
            }
        });
        return 0;
    });
    mailbox.PostMessage(kMsgStartWatch, 0, 0);
}

void CDunwakeApp::OnMainWindowShown(ui::CMessageLoop& loop, CAppMessageWindow& mailbox, ui::WindowImplBase& mainWindow,
                                    bool timedOut)
{
    if (m_shownHandled)
        return;
    m_shownHandled = true;
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_processStart);
    if (timedOut)
        Debug(L"the window was not shown by a first device scan within " + std::to_wstring(kScreenshotWaitMs) + L" ms");
    else
        Debug(L"window shown " + std::to_wstring(elapsed.count()) + L" ms after start");

    if (!m_options.screenshotPath)
        return;
    if (timedOut) {
        std::cerr << "dunwake: no first device scan showed the window; saving it as it is.\n";
        SaveScreenshotAndLeave(loop, mainWindow);
        return;
    }
    mailbox.StartTimer(kTimerScreenshotSettle, kScreenshotSettleMs, [this, &loop, &mailbox, &mainWindow] {
        mailbox.StopTimer(kTimerScreenshotSettle);
        SaveScreenshotAndLeave(loop, mainWindow);
    });
}

void CDunwakeApp::SaveScreenshotAndLeave(ui::CMessageLoop& loop, ui::WindowImplBase& mainWindow)
{
    ui::IUIBackend* backend = mainWindow.GetBackend();
    if (backend == nullptr || !backend->SaveWindowImage(mainWindow.GetHWND(), *m_options.screenshotPath))
        std::cerr << "dunwake: cannot save the window to " << *m_options.screenshotPath << '\n';
    // Leave through the tray's "exit" path, so the workers stop as they always do.
    auto command = std::make_shared<std::wstring>(L"exit");
    const auto wParam = reinterpret_cast<ui::WPARAM>(command.get());
    if (!loop.PostMessageOwning(mainWindow.GetHWND(), ui::WM_MENUCLICK, wParam, 0, std::move(command)))
        loop.PostQuitMessage(kExitSuccess);
}

}  // namespace dw::app
