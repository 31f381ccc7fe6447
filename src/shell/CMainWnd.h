#pragma once

// The program's only top-level window. It owns the device pages (through the device list) and
// the slot list, routes the skin's notifications to the parts of the program that handle them,
// receives the program's private and registered messages, runs the window timers, and starts
// and stops the worker threads.
//
// Companions that are not part of the window itself (the device list, the lighting, key, macro,
// profile and headset handlers, the skin, tray, about and settings windows, the message bus
// between programs, the screens, power events and the desktop's settings) are handed in through
// MainWndServices. A companion left null is replaced by a stand-in whose entry points do nothing
// and say so in the diagnostic output (CPendingParts); a missing platform service disables only
// what it carries (no bus: no messages to other programs).
//
// Everything here runs on the UI thread, except the worker bodies.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "profiles/LightingGroups.h"
#include "shell/CMainPage.h"
#include "shell/CWorkerSlots.h"
#include "shell/MainWndMessages.h"
#include "shell/RegisteredMessages.h"
#include "shell/SkinChanged.h"
#include "ui/core/CTrayIcon.h"
#include "ui/core/WindowImplBase.h"

namespace dw {

namespace platform {
class IDesktopSettingsLauncher;
class IPowerEvents;
class IProgramMessageBus;
class IScreenInfo;
}  // namespace platform

namespace ui {
struct UICopyData;
}

class CDeviceSlotList;
class CKestovarUSBDevice;
class CPendingParts;
class IDeviceList;
class IDeviceSettingsHandlers;
class IHeadsetHandlers;
class IKeyMacroHandlers;
class ILightingHandlers;
class IProfileHandlers;
class IShellWindows;

// Non-owning; each must outlive the window.
struct MainWndServices {
    IDeviceList* deviceList = nullptr;
    ILightingHandlers* lighting = nullptr;
    IKeyMacroHandlers* keysAndMacros = nullptr;
    IDeviceSettingsHandlers* deviceSettings = nullptr;
    IProfileHandlers* profiles = nullptr;
    IHeadsetHandlers* headset = nullptr;
    IShellWindows* windows = nullptr;
    platform::IProgramMessageBus* messageBus = nullptr;
    platform::IScreenInfo* screens = nullptr;
    platform::IPowerEvents* power = nullptr;
    platform::IDesktopSettingsLauncher* desktopSettings = nullptr;
};

class CMainWnd : public ui::WindowImplBase, public ISkinChangedReceiver {
public:
    static constexpr const wchar_t* kWindowClassName = L"MainWnd";
    static constexpr const wchar_t* kSkinId = L"XML_MAIN";
    // The window's and the tray's icon (an image of the skin folder).
    static constexpr const wchar_t* kIconImage = L"common/logo.png";
    static constexpr const wchar_t* kTrayToolTip = L"VEXLO Dunwake 75 tri-modes";
    static constexpr const wchar_t* kLanguageFile = L"lan_cn.xml";
    // The texts of "control_light_status"; language keys when the control shows resource text.
    static constexpr const wchar_t* kLightControlOnText = L"控制灯光";
    static constexpr const wchar_t* kLightControlOffText = L"不控制灯光";

    // The pop-up windows the main window closes before it hides or closes.
    enum class Popup { Settings = 0, About, ColourPalette, AudioStyle };
    static constexpr size_t kPopupCount = 4;

    explicit CMainWnd(MainWndServices services = {});
    ~CMainWnd() override;

    // ---- state other parts read or set ---------------------------------------------------------
    // Enables or disables the device list and the selected device's profile control when
    // `touchDeviceList` is set, gives the selected keyboard's or mouse's key-assignment inputs
    // the opposite state, and stores `enabled` as the editing-state flag (0 while the user edits
    // key assignments or macros).
    void SetEditingState(bool touchDeviceList, bool enabled);
    int GetEditingState() const { return m_editingState; }
    // Whether this program drives the device lighting (1) or leaves it to another program (0).
    int GetLightControlFlag() const { return m_lightControl; }
    bool IsNotSuspended() const { return m_notSuspended; }
    int GetDPI() const { return m_dpi; }
    int GetScreenWidth() const { return m_screenWidth; }
    int GetScreenHeight() const { return m_screenHeight; }
    // The slot list; null until "windowinit" has filled it.
    CDeviceSlotList* GetSlotList() const { return m_slots.get(); }
    CWorkerSlots& GetWorkers() { return m_workers; }
    const CRegisteredMessages& GetMessages() const { return m_messages; }
    // The tray icon; its screen rectangle places the tray menu where the desktop has no panel strip.
    const ui::CTrayIcon& GetTrayIcon() const { return m_tray; }
    // A companion that opens a pop-up window registers its handle here (null when it closes).
    void SetPopupWindow(Popup popup, ui::HWND window);
    ui::HWND GetPopupWindow(Popup popup) const;
    // Sends WM_CLOSE to every open pop-up window.
    void ClosePopups();
    // The audio blocks last received, cut to their buffers.
    std::span<const uint8_t> GetAudioSpectrum() const { return {m_audioSpectrum.data(), m_audioSpectrumLength}; }
    std::span<const uint8_t> GetAudioLevels() const { return {m_audioLevels.data(), m_audioLevelsLength}; }
    // Names of the controls the window needs that its layout lacked when it loaded.
    const std::vector<std::wstring>& GetMissingControls() const { return m_missingControls; }

    // ---- window --------------------------------------------------------------------------------
    void InitWindow() override;
    void Notify(ui::TNotifyUI& msg) override;
    ui::CControlUI* CreateControl(const std::wstring& className) override;
    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override;

    // ISkinChangedReceiver
    void OnSkinChanged(const SkinChangedParam& param) override;

protected:
    std::wstring GetWindowClassName() const override { return kWindowClassName; }
    std::wstring GetSkinFile() override { return kSkinId; }
    ui::LRESULT OnDestroy(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override;
    ui::LRESULT OnGetMinMaxInfo(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override;
    // The caption buttons are handled in Notify; the base's handler would close the window on
    // "closebtn", where the main window only hides to the tray.
    void OnClick(ui::TNotifyUI& msg) override;

private:
    // Notifications.
    void OnWindowInit();
    void OnWindowSize(ui::TNotifyUI& msg);
    void OnClickNotify(ui::TNotifyUI& msg);
    void OnItemSelect(ui::TNotifyUI& msg);
    void OnLightControlClicked();

    // Messages.
    bool HandleRegisteredMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam);
    bool HandleGatedMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT& result);
    void OnProductTitle();
    void OnLightHandOverReceived(ui::WPARAM wParam, ui::LPARAM lParam);
    void OnPowerBroadcast(ui::WPARAM event);
    void OnActivate(bool active);
    void OnMenuCommand(const std::wstring& command);
    void OnTrayIcon(ui::LPARAM event);
    void OnCopyData(const ui::UICopyData* data);
    void OnDpiChanged(ui::WPARAM wParam, ui::LPARAM lParam);
    void OnTimerMessage(ui::UINT id);
    void OnGameEvent(ui::WPARAM code, ui::LPARAM value);
    void OnGameRestore();
    void StopWorkers();

    // Actions shared by several handlers.
    void SetLightControl(int flag);
    void ApplyLightControl();
    void SetPreviewPainting(int painting);
    void SetLinkStatusHolds(int hold);
    void RefreshNoDeviceOverlay(ui::WPARAM status);
    void RefreshOverlayAfterScan();
    void SetOverlayVisible(bool visible);
    void DisplayCheck();
    void BringToFront();
    void OpenDesktopSettings(size_t index);
    void StoreScreenSize();
    // Stores, saves and sends a device's lighting record as the game events do.
    void ApplyGameLighting(CKestovarUSBDevice& device, const LightingRecord& record);
    std::vector<CKestovarUSBDevice*> LightingDevices() const;
    ui::CControlUI* Find(const wchar_t* name) const;
    void BroadcastLightControl();
    void ListenToProgramMessages();
    void ConnectPlatformServices();

    std::unique_ptr<CPendingParts> m_pending;
    MainWndServices m_services;
    CMainPage m_mainPage;
    CRegisteredMessages m_messages;
    CWorkerSlots m_workers;
    std::unique_ptr<CDeviceSlotList> m_slots;
    ui::CTrayIcon m_tray;

    // Caption buttons, looked up by InitWindow.
    ui::CControlUI* m_closeButton = nullptr;
    ui::CControlUI* m_maxButton = nullptr;
    ui::CControlUI* m_restoreButton = nullptr;
    ui::CControlUI* m_minButton = nullptr;
    ui::CControlUI* m_skinButton = nullptr;
    ui::CControlUI* m_gameModeButton = nullptr;
    ui::CControlUI* m_cloudButton = nullptr;
    ui::CControlUI* m_smartEyesButton = nullptr;
    ui::CControlUI* m_settingsButton = nullptr;

    std::array<ui::HWND, kPopupCount> m_popups{};
    std::vector<std::wstring> m_missingControls;

    int m_lightControl = 1;
    int m_editingState = 1;
    bool m_notSuspended = true;
    bool m_windowInitDone = false;
    bool m_displayChanged = false;
    bool m_active = false;
    int m_dpi = mainwnd::kNormalDPI;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    int m_rootWidth = 0;
    int m_rootHeight = 0;

    std::array<uint8_t, mainwnd::kAudioSpectrumBufferBytes> m_audioSpectrum{};
    size_t m_audioSpectrumLength = 0;
    std::array<uint8_t, mainwnd::kAudioLevelsBufferBytes> m_audioLevels{};
    size_t m_audioLevelsLength = 0;
};

}  // namespace dw
