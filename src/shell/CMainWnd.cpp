#include "shell/CMainWnd.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/DebugOutput.h"
#include "platform/Utf8.h"
#include "platform/desktop/IDesktopSettingsLauncher.h"
#include "platform/ipc/IProgramMessageBus.h"
#include "platform/power/IPowerEvents.h"
#include "platform/screen/IScreenInfo.h"
#include "shell/CPendingParts.h"
#include "shell/CSkinObserver.h"
#include "shell/MainWndControlBuilder.h"
#include "shell/MainWndRouting.h"
#include "transport/CDeviceSlotList.h"
#include "transport/DeviceKinds.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CResourceManager.h"

namespace dw {

namespace {

using route::ClickAction;
using route::ComboAction;
using route::NotifyKind;

// WM_DPICHANGED: wParam carries the new DPI in both words, lParam the suggested window
// rectangle (a const UIRect*, or 0).
constexpr ui::UINT kWmDpiChanged = 0x02E0;

// The keyboard's link byte (info block byte 7, also the status the keyboard object keeps) while
// the keyboard is linked. The product-title check once compared the info byte with 0x34, which
// no linked keyboard reports: the overlay would cover a working keyboard.
constexpr uint8_t kKeyboardLinkStatusLinked = 0x40;

// Controls the window works with. The caption's optional buttons (maximise, restore, game mode,
// cloud, smart eyes) may be left out of a layout.
constexpr const wchar_t* kRequiredControls[] = {
    L"closebtn",         L"minbtn",           L"skinbtn",     L"setbtn", L"No_device_Link", L"control_light_status",
    L"device_select_layout", L"device_switch", L"device_power_switch",
};

namespace name {
constexpr const wchar_t* kRoot = L"root";
constexpr const wchar_t* kNoDevice = L"No_device_Link";
constexpr const wchar_t* kLightStatus = L"control_light_status";
constexpr const wchar_t* kSettingProgress = L"setting_progress";
constexpr const wchar_t* kDeviceList = L"device_select_layout";
constexpr const wchar_t* kProfileItem = L"DeviceProfileItem";
constexpr const wchar_t* kRepeatInput = L"repeat_input_richedit";
constexpr const wchar_t* kMacroAction = L"macro_action";
constexpr const wchar_t* kKeyTextEdit = L"keyset_keyboard_text_edit";
}  // namespace name

std::wstring SenderName(const ui::TNotifyUI& msg)
{
    return msg.pSender != nullptr ? msg.pSender->GetName() : std::wstring();
}

bool IsKeyboardOrMouse(const CKestovarUSBDevice& device)
{
    const int family = FamilyOfKind(static_cast<uint16_t>(device.GetKind()));
    return family == family::kKeyboard || family == family::kMouse;
}

}  // namespace

CMainWnd::CMainWnd(MainWndServices services)
    : m_pending(std::make_unique<CPendingParts>()), m_services(services), m_messages(CRegisteredMessages::Register())
{
    CPendingParts* pending = m_pending.get();
    if (m_services.deviceList == nullptr)
        m_services.deviceList = pending;
    if (m_services.lighting == nullptr)
        m_services.lighting = pending;
    if (m_services.keysAndMacros == nullptr)
        m_services.keysAndMacros = pending;
    if (m_services.deviceSettings == nullptr)
        m_services.deviceSettings = pending;
    if (m_services.profiles == nullptr)
        m_services.profiles = pending;
    if (m_services.headset == nullptr)
        m_services.headset = pending;
    if (m_services.windows == nullptr)
        m_services.windows = pending;

    AddVirtualWnd(CMainPage::kVirtualWndName, &m_mainPage);
    OnNotify(ui::notify::kItemActivate, name::kMacroAction,
             [this](ui::TNotifyUI& msg) { m_services.keysAndMacros->OnMacroActionActivated(msg); });
    OnNotify(ui::notify::kSetFocus, name::kKeyTextEdit, [this](ui::TNotifyUI&) { SendMessage(mainwnd::kMsgHook, 1, 0); });
}

CMainWnd::~CMainWnd()
{
    StopWorkers();
    if (m_services.messageBus != nullptr) {
        m_services.messageBus->SetMessageHandler({});
        m_services.messageBus->SetCopyDataHandler({});
    }
    if (m_services.power != nullptr)
        m_services.power->SetHandler({});
    CSkinObserver::GetInstance().RemoveReceiver(this);
    RemoveVirtualWnd(CMainPage::kVirtualWndName);
}

// ---- state ---------------------------------------------------------------------------------------

void CMainWnd::SetEditingState(bool touchDeviceList, bool enabled)
{
    if (touchDeviceList) {
        if (ui::CControlUI* list = Find(name::kDeviceList))
            list->SetEnabled(enabled);
        if (CKestovarUSBDevice* device = m_services.deviceList->SelectedDevice()) {
            if (ui::CControlUI* profile = m_pm.FindSubControlByName(device, name::kProfileItem))
                profile->SetEnabled(enabled);
            if (IsKeyboardOrMouse(*device))
                m_services.keysAndMacros->SetAssignmentInputsEnabled(*device, !enabled);
        }
    }
    m_editingState = enabled ? 1 : 0;
}

void CMainWnd::SetPopupWindow(Popup popup, ui::HWND window)
{
    m_popups[static_cast<size_t>(popup)] = window;
}

ui::HWND CMainWnd::GetPopupWindow(Popup popup) const
{
    return m_popups[static_cast<size_t>(popup)];
}

void CMainWnd::ClosePopups()
{
    ui::CMessageLoop* loop = GetMessageLoop();
    for (ui::HWND& popup : m_popups) {
        const ui::HWND window = std::exchange(popup, nullptr);
        if (loop != nullptr && window != nullptr && loop->IsWindow(window))
            loop->SendMessage(window, ui::WM_CLOSE, 0, 0);
    }
}

// ---- window set-up -------------------------------------------------------------------------------

void CMainWnd::InitWindow()
{
    ui::CResourceManager::GetInstance().LoadLanguage(kLanguageFile);
    CSkinObserver::GetInstance().AddReceiver(this);

    m_closeButton = Find(L"closebtn");
    m_maxButton = Find(L"maxbtn");
    m_restoreButton = Find(L"restorebtn");
    m_minButton = Find(L"minbtn");
    m_skinButton = Find(L"skinbtn");
    m_gameModeButton = Find(L"gamemodebtn");
    m_cloudButton = Find(L"cloudbtn");
    m_smartEyesButton = Find(L"smarteyesbtn");
    m_settingsButton = Find(L"setbtn");

    m_missingControls.clear();
    for (const wchar_t* required : kRequiredControls) {
        if (Find(required) != nullptr)
            continue;
        m_missingControls.emplace_back(required);
        const std::string line = "dunwake: the main window layout has no control named '" +
                                 platform::WideToUtf8(required) + "'; its function is unavailable\n";
        std::fputs(line.c_str(), stderr);
    }

    const std::wstring icon = ui::CPaintManagerUI::GetResourcePath() + kIconImage;
    SetIcon(icon);
    if (ui::CMessageLoop* loop = GetMessageLoop())
        m_tray.CreateTrayIcon(*loop, GetHWND(), icon, kTrayToolTip, mainwnd::kMsgTrayIcon);
    ConnectPlatformServices();
}

void CMainWnd::ConnectPlatformServices()
{
    ui::CMessageLoop* loop = GetMessageLoop();
    const ui::HWND hwnd = GetHWND();
    if (loop == nullptr)
        return;
    if (platform::IProgramMessageBus* bus = m_services.messageBus) {
        // Messages from other programs arrive on the UI thread; they are queued so that each is
        // handled as a message of its own, in order, after the current one.
        bus->SetMessageHandler([loop, hwnd](ui::UINT id, ui::WPARAM wParam, ui::LPARAM lParam) {
            loop->PostMessage(hwnd, id, wParam, lParam);
        });
        bus->SetCopyDataHandler([loop, hwnd](uintptr_t dwData, std::vector<uint8_t> bytes) {
            loop->PostCopyData(hwnd, nullptr, dwData, bytes);
        });
        if (bus->IsConnected())
            bus->ClaimProgramName(std::string(platform::kMainProgramName));
        else
            DebugOutput(L"no session bus: messages between programs are not available");
    }
    if (platform::IPowerEvents* power = m_services.power) {
        power->SetHandler([loop, hwnd](ui::UINT msg, ui::WPARAM event) { loop->SendMessage(hwnd, msg, event, 0); });
    }
}

void CMainWnd::ListenToProgramMessages()
{
    platform::IProgramMessageBus* bus = m_services.messageBus;
    if (bus == nullptr)
        return;
    // The messages other programs may send us. EBF17 is listened to as well: receiving it is
    // the other half of the lighting hand-over, and so are the game events.
    for (std::wstring_view name : {msgname::kProductTitle, msgname::kSettingsForward, msgname::kLightHandOverOut,
                                   msgname::kLightHandOverIn, msgname::kAudioCapture})
        bus->Listen(std::wstring(name));
    for (std::wstring_view name : msgname::kHookMessages)
        bus->Listen(std::wstring(name));
    for (std::wstring_view name : msgname::kMouseHookMessages)
        bus->Listen(std::wstring(name));
    for (std::wstring_view name : msgname::kGameMessages)
        bus->Listen(std::wstring(name));
}

ui::CControlUI* CMainWnd::CreateControl(const std::wstring& className)
{
    return CreateMainWndControl(className, *this, &m_pm);
}

void CMainWnd::OnSkinChanged(const SkinChangedParam& param)
{
    m_services.windows->ApplySkin(param);
}

ui::CControlUI* CMainWnd::Find(const wchar_t* controlName) const
{
    return const_cast<ui::CPaintManagerUI&>(m_pm).FindControl(controlName);
}

// ---- notifications -------------------------------------------------------------------------------

void CMainWnd::Notify(ui::TNotifyUI& msg)
{
    if (msg.sType != ui::notify::kTimer && DebugOutputEnabled())
        DebugOutput(L"notify " + msg.sType + L" from '" + SenderName(msg) + L"'");

    const NotifyKind kind = route::ResolveNotifyType(msg.sType);
    switch (kind) {
    case NotifyKind::WindowInit:
        OnWindowInit();
        break;
    case NotifyKind::WindowSize:
        OnWindowSize(msg);
        break;
    case NotifyKind::ColourChanged:
        switch (route::ResolveColourChanged(SenderName(msg))) {
        case route::ColourTarget::Lighting:
            m_services.lighting->OnLightingColourChanged(msg);
            break;
        case route::ColourTarget::AudioLighting:
            m_services.lighting->OnAudioColourChanged(msg);
            break;
        case route::ColourTarget::None:
            break;
        }
        break;
    case NotifyKind::Click:
        OnClickNotify(msg);
        break;
    case NotifyKind::SelectChanged:
        m_services.deviceSettings->OnSelectChanged(msg);
        break;
    case NotifyKind::ValueChanged:
        m_services.deviceSettings->OnValueChanged(msg);
        break;
    case NotifyKind::MoveValueChanged:
        m_services.deviceSettings->OnMoveValueChanged(msg);
        break;
    case NotifyKind::ItemSelect:
        OnItemSelect(msg);
        break;
    case NotifyKind::KillFocus:
        m_services.deviceSettings->OnKillFocus(msg);
        break;
    case NotifyKind::ClickSelectEnd:
        switch (route::ResolveSelectionEnd(SenderName(msg))) {
        case route::KeyPanel::Keyboard:
            m_services.lighting->OnRubberBandSelection(msg, false);
            break;
        case route::KeyPanel::Mouse:
            m_services.lighting->OnRubberBandSelection(msg, true);
            break;
        case route::KeyPanel::None:
            break;
        }
        break;
    case NotifyKind::Swallowed:
        return;
    case NotifyKind::PassOn:
        break;
    }
    // The window may be gone now (a handler closed it); its message maps are then not run.
    if (GetHWND() != nullptr)
        WindowImplBase::Notify(msg);
}

void CMainWnd::OnClick(ui::TNotifyUI& /*msg*/)
{
}

void CMainWnd::OnWindowInit()
{
    if (m_windowInitDone)
        return;
    m_windowInitDone = true;

    ListenToProgramMessages();
    BroadcastLightControl();
    m_services.windows->ApplyLanguageSetting();
    m_slots = std::make_unique<CDeviceSlotList>();
    m_services.deviceList->CreateStartupPages();
    StoreScreenSize();
    ShowWindow(false);

    ui::CMessageLoop* loop = GetMessageLoop();
    const ui::HWND hwnd = GetHWND();
    IDeviceList* devices = m_services.deviceList;
    if (loop != nullptr) {
        m_workers.Start(mainwnd::kDiscoveryWorker,
                        [devices, loop, hwnd](CStopEvent& stop) { devices->RunDiscovery({stop, *loop, hwnd}); });
        m_workers.Start(mainwnd::kLightingSyncWorker,
                        [devices, loop, hwnd](CStopEvent& stop) { devices->RunLightingSync({stop, *loop, hwnd}); });
    }
    SetTimer(mainwnd::kTimerDisplayCheck, mainwnd::kDisplayCheckDelayMs);
    m_services.lighting->SetUpAudioDocuments();
}

void CMainWnd::OnWindowSize(ui::TNotifyUI& msg)
{
    if (msg.pSender == nullptr || !route::EqualsIgnoringCase(msg.pSender->GetName(), name::kRoot))
        return;
    m_rootWidth = msg.pSender->GetWidth();
    m_rootHeight = msg.pSender->GetHeight();
    if (m_displayChanged) {
        m_displayChanged = false;
        DisplayCheck();
    }
}

void CMainWnd::OnClickNotify(ui::TNotifyUI& msg)
{
    ui::CControlUI* sender = msg.pSender;
    if (sender == nullptr)
        return;

    // The caption buttons recognised by the pointers InitWindow looked up.
    if (sender == m_minButton) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MINIMIZE, 0);
        return;
    }
    if (sender == m_maxButton) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MAXIMIZE, 0);
        return;
    }
    if (sender == m_restoreButton) {
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
        return;
    }
    if (sender == m_skinButton) {
        m_services.windows->OpenSkinWindow();
        return;
    }
    if (sender == m_settingsButton) {
        const ui::UIRect rect = GetWindowRect();
        m_services.windows->OpenSettingsWindow(
            ui::UIPoint{rect.right - m_pm.Scale(mainwnd::kSettingsRightInset), rect.top + m_pm.Scale(mainwnd::kSettingsTopOffset)});
        return;
    }

    const route::ClickRoute click = route::ResolveClick(sender->GetName());
    ILightingHandlers& lighting = *m_services.lighting;
    IKeyMacroHandlers& keys = *m_services.keysAndMacros;
    switch (click.action) {
    case ClickAction::None:
        break;
    case ClickAction::Close:
        ClosePopups();
        ShowWindow(false);
        SetLinkStatusHolds(1);
        break;
    case ClickAction::NoDeviceOk:
        ShowWindow(false);
        break;
    case ClickAction::ControlLightStatus:
        OnLightControlClicked();
        break;
    case ClickAction::KeyButton:
        lighting.OnKeyButton(msg, click.index);
        break;
    case ClickAction::ColourOption:
        lighting.OnColourOption(msg, click.index);
        break;
    case ClickAction::AudioColourOption:
        lighting.OnAudioColourOption(msg, click.index);
        break;
    case ClickAction::DesktopSettings:
        OpenDesktopSettings(click.index);
        break;
    case ClickAction::DpiColourOption:
        lighting.OpenDpiColourPalette(click.index);
        break;
    case ClickAction::RestoreDefaults:
        m_services.profiles->RestoreDefaults();
        break;
    case ClickAction::ResetRepeatTest:
        if (CKestovarUSBDevice* device = m_services.deviceList->SelectedDevice(); device != nullptr && device->GetKind() == kind::kKeyboard)
            if (ui::CControlUI* field = m_pm.FindSubControlByName(device, name::kRepeatInput))
                field->SetText(L"");
        break;
    case ClickAction::ProfileButton:
        m_services.profiles->OnProfileButton(msg);
        break;
    case ClickAction::KeyAssignmentButton:
        keys.OnKeyAssignmentButton(msg);
        break;
    case ClickAction::MacroRecordStart:
        keys.StartRecording();
        break;
    case ClickAction::MacroRecordStop:
        keys.StopRecording();
        break;
    case ClickAction::MacroEditorButton:
        keys.OnMacroEditorButton(msg);
        break;
    case ClickAction::RecoilButton:
        m_services.deviceSettings->OnRecoilButton(msg);
        break;
    case ClickAction::CustomLightingAllOn:
        lighting.OnCustomLightingAll(true);
        break;
    case ClickAction::CustomLightingAllOff:
        lighting.OnCustomLightingAll(false);
        break;
    case ClickAction::SynchroniseLighting:
        m_services.deviceList->SynchroniseLighting();
        break;
    case ClickAction::EqualiserButton:
        m_services.headset->OnEqualiserButton(msg);
        break;
    case ClickAction::ProfilePanelSpread:
        m_services.profiles->OnProfilePanelSpread(msg);
        break;
    case ClickAction::MacroInsertButton:
        keys.OnMacroInsertButton(msg);
        break;
    case ClickAction::DeviceSelectPrevious:
        m_services.deviceList->SelectPrevious();
        break;
    case ClickAction::DeviceSelectNext:
        m_services.deviceList->SelectNext();
        break;
    case ClickAction::AudioBackgroundColour:
        lighting.OnAudioBackgroundColour(msg);
        break;
    case ClickAction::AudioStyleWindow:
        lighting.OpenAudioStyleWindow();
        break;
    }
}

void CMainWnd::OnItemSelect(ui::TNotifyUI& msg)
{
    const route::ComboRoute combo = route::ResolveItemSelect(SenderName(msg));
    switch (combo.action) {
    case ComboAction::None:
        break;
    case ComboAction::ProfileSwitch:
        SetTimer(mainwnd::kTimerProfileSwitch, mainwnd::kProfileSwitchDelayMs);
        break;
    case ComboAction::LightingMode:
        m_services.lighting->OnLightingModeSelected(msg);
        break;
    case ComboAction::AudioLightingMode:
        m_services.lighting->OnAudioLightingModeSelected(msg);
        break;
    case ComboAction::KeyFunction:
        m_services.keysAndMacros->OnKeyFunctionSelected(msg);
        break;
    case ComboAction::MacroSelected:
        m_services.keysAndMacros->OnMacroSelected(msg);
        break;
    case ComboAction::EqualiserPreset:
        m_services.headset->OnEqualiserPresetSelected(msg);
        break;
    }
    if (combo.appliesAssignment)
        m_services.keysAndMacros->ApplyEditedAssignment();
}

void CMainWnd::OpenDesktopSettings(size_t index)
{
    if (index > static_cast<size_t>(platform::DesktopSettingsPage::Mouse))
        return;
    if (m_services.desktopSettings == nullptr || !m_services.desktopSettings->Open(static_cast<platform::DesktopSettingsPage>(index)))
        DebugOutput(L"no desktop settings program to open");
}

// ---- lighting hand-over --------------------------------------------------------------------------

void CMainWnd::OnLightControlClicked()
{
    SetLightControl(m_lightControl == 1 ? 0 : 1);
    BroadcastLightControl();
    ApplyLightControl();
}

void CMainWnd::OnLightHandOverReceived(ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (wParam != mainwnd::kLightHandOverWParam || (lParam != 0 && lParam != 1))
        return;
    SetLightControl(static_cast<int>(lParam));
    ApplyLightControl();
}

void CMainWnd::SetLightControl(int flag)
{
    m_lightControl = flag;
    if (ui::CControlUI* status = Find(name::kLightStatus))
        status->SetText(flag == 1 ? kLightControlOnText : kLightControlOffText);
}

void CMainWnd::BroadcastLightControl()
{
    platform::IProgramMessageBus* bus = m_services.messageBus;
    if (bus == nullptr)
        return;
    if (bus->Broadcast(std::wstring(msgname::kLightHandOverOut), mainwnd::kLightHandOverWParam, m_lightControl) != platform::kIpcOk)
        DebugOutput(L"the lighting hand-over could not be announced to other programs");
}

void CMainWnd::ApplyLightControl()
{
    for (CKestovarUSBDevice* device : LightingDevices())
        device->SetLightingEnabled(m_lightControl);
}

std::vector<CKestovarUSBDevice*> CMainWnd::LightingDevices() const
{
    std::vector<CKestovarUSBDevice*> devices;
    for (int family : {family::kMouse, family::kMousepad, family::kKeyboard})
        for (CKestovarUSBDevice* device : m_services.deviceList->Devices(family))
            if (device != nullptr)
                devices.push_back(device);
    return devices;
}

void CMainWnd::SetPreviewPainting(int painting)
{
    for (CKestovarUSBDevice* device : LightingDevices())
        device->SetPreviewPainting(painting);
}

void CMainWnd::SetLinkStatusHolds(int hold)
{
    for (int family : {family::kMouse, family::kKeyboard})
        for (CKestovarUSBDevice* device : m_services.deviceList->Devices(family))
            if (device != nullptr)
                device->SetLinkStatusHold(hold);
}

// ---- messages ------------------------------------------------------------------------------------

ui::LRESULT CMainWnd::HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled)
{
    handled = false;
    switch (msg) {
    case ui::WM_ACTIVATE:
        OnActivate(wParam != ui::WA_INACTIVE);
        return 0;
    case ui::WM_MOUSEHOVER:
        SetPreviewPainting(1);
        return 0;
    case ui::WM_MOUSELEAVE:
        SetPreviewPainting(0);
        return 0;
    default:
        break;
    }
    if (HandleRegisteredMessage(msg, wParam, lParam)) {
        handled = true;
        return 0;
    }
    if (msg == ui::WM_DESTROY) {
        ShowWindow(false);
        StopWorkers();
        m_services.lighting->StopAudioCapture();
        if (ui::CMessageLoop* loop = GetMessageLoop())
            loop->PostQuitMessage(0);
        handled = true;
        return 0;
    }
    if (msg == ui::WM_POWERBROADCAST) {
        OnPowerBroadcast(wParam);
        handled = true;
        return 1;
    }
    // Everything below waits while the computer sleeps.
    if (!m_notSuspended)
        return 0;
    ui::LRESULT result = 0;
    handled = HandleGatedMessage(msg, wParam, lParam, result);
    return result;
}

bool CMainWnd::HandleRegisteredMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (msg == 0)
        return false;
    if (msg == m_messages.productTitle) {
        OnProductTitle();
        return true;
    }
    if (msg == m_messages.settingsForward) {
        ui::CMessageLoop* loop = GetMessageLoop();
        const ui::HWND settings = GetPopupWindow(Popup::Settings);
        if (loop != nullptr && settings != nullptr && loop->IsWindow(settings))
            loop->PostMessage(settings, msg, wParam, lParam);
        return true;
    }
    if (msg == m_messages.lightHandOverIn) {
        OnLightHandOverReceived(wParam, lParam);
        return true;
    }
    if (msg == m_messages.audioCapture) {
        m_services.lighting->OnAudioCaptureMessage(wParam, lParam);
        return true;
    }
    return false;
}

bool CMainWnd::HandleGatedMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT& result)
{
    if (const int hook = m_messages.HookIndex(msg); hook >= 0) {
        m_services.keysAndMacros->OnHookMessage(static_cast<size_t>(hook), wParam, lParam);
        return true;
    }
    if (m_messages.GameIndex(msg) >= 0) {
        OnGameEvent(wParam, lParam);
        return true;
    }
    switch (msg) {
    case mainwnd::kMsgTrayIcon:
        OnTrayIcon(lParam);
        return true;
    case mainwnd::kMsgHook:
        if (wParam == 0)
            m_services.keysAndMacros->RemoveHook();
        else if (wParam == 1)
            m_services.keysAndMacros->InstallHook();
        return true;
    case mainwnd::kMsgMenuCommand:
        if (wParam != 0)
            OnMenuCommand(*reinterpret_cast<const std::wstring*>(wParam));
        return true;
    case mainwnd::kMsgShowSettingProgress:
        if (ui::CControlUI* progress = Find(name::kSettingProgress))
            progress->SetVisible(true);
        return true;
    case mainwnd::kMsgLanguageChosen:
        m_services.windows->ApplyLanguage(static_cast<int>(wParam));
        m_services.deviceSettings->RelabelKeys();
        return true;
    case mainwnd::kMsgDeviceArrival:
    case mainwnd::kMsgDeviceRemoval:
        // A slot index outside the slot list (or before the list exists) is ignored.
        if (m_slots == nullptr || wParam >= CDeviceSlotList::Count())
            return true;
        if (msg == mainwnd::kMsgDeviceArrival)
            m_services.deviceList->OnDeviceArrival(wParam);
        else
            m_services.deviceList->OnDeviceRemoval(wParam);
        return true;
    case mainwnd::kMsgOpenSettings:
        m_services.windows->OpenSettingsWindow(std::nullopt);
        return true;
    case mainwnd::kMsgClearSettingsBadge:
        if (m_settingsButton != nullptr)
            m_settingsButton->SetForeImage(L"");
        return true;
    case mainwnd::kMsgRefreshNoDevice:
        RefreshNoDeviceOverlay(wParam);
        return true;
    case mainwnd::kMsgLinkChange:
        m_services.deviceList->OnLinkChange(wParam, lParam != 0);
        return true;
    case ui::WM_TIMER:
        // Control timers of the paint manager come this way too; they go on to it.
        OnTimerMessage(static_cast<ui::UINT>(wParam));
        return false;
    case ui::WM_COPYDATA:
        OnCopyData(reinterpret_cast<const ui::UICopyData*>(lParam));
        result = 1;
        return true;
    case ui::WM_DISPLAYCHANGE:
        m_displayChanged = true;
        DisplayCheck();
        return true;
    case kWmDpiChanged:
        OnDpiChanged(wParam, lParam);
        return true;
    default:
        return false;
    }
}

void CMainWnd::OnActivate(bool active)
{
    m_active = active;
    SetPreviewPainting(active ? 1 : 0);
}

void CMainWnd::OnPowerBroadcast(ui::WPARAM event)
{
    if (event == ui::PBT_APMSUSPEND) {
        m_notSuspended = false;
        for (CKestovarUSBDevice* device : LightingDevices())
            device->SetLightingEnabled(0);
    } else if (event == ui::PBT_APMRESUMEAUTOMATIC) {
        m_notSuspended = true;
        ApplyLightControl();
    }
}

void CMainWnd::OnMenuCommand(const std::wstring& command)
{
    if (route::EqualsIgnoringCase(command, L"exit")) {
        ClosePopups();
        Close();
    } else if (route::EqualsIgnoringCase(command, L"about_menu")) {
        m_services.windows->OpenAboutBox();
    } else if (route::EqualsIgnoringCase(command, L"setwnd_menu")) {
        m_services.windows->OpenSettingsWindow(std::nullopt);
    } else {
        m_services.keysAndMacros->OnMacroMenuCommand(command);
    }
}

void CMainWnd::OnTrayIcon(ui::LPARAM event)
{
    if (event == static_cast<ui::LPARAM>(ui::WM_RBUTTONUP)) {
        SetTimer(mainwnd::kTimerTrayMenu, mainwnd::kTrayMenuDelayMs);
        return;
    }
    if (event != static_cast<ui::LPARAM>(ui::WM_LBUTTONUP))
        return;
    SetOverlayVisible(m_services.deviceList->ConnectedCount() == 0);
    const bool visible = IsWindowVisible() && !IsIconic();
    ClosePopups();
    if (visible) {
        ShowWindow(false);
        SetLinkStatusHolds(1);
    } else {
        DisplayCheck();
        BringToFront();
        m_pm.Invalidate();
        SetLinkStatusHolds(0);
        m_pm.NeedUpdate();
    }
    SendMessage(mainwnd::kMsgRefreshNoDevice, 0, 0);
}

void CMainWnd::OnCopyData(const ui::UICopyData* data)
{
    if (data == nullptr || data->bytes.empty())
        return;
    std::span<uint8_t> buffer;
    size_t* length = nullptr;
    if (data->dwData == mainwnd::kCopyDataAudioSpectrum) {
        buffer = m_audioSpectrum;
        length = &m_audioSpectrumLength;
    } else if (data->dwData == mainwnd::kCopyDataAudioLevels) {
        buffer = m_audioLevels;
        length = &m_audioLevelsLength;
    } else {
        return;
    }
    // A block longer than its buffer is cut to the buffer; the rest is dropped.
    const size_t count = std::min(buffer.size(), data->bytes.size());
    if (count < data->bytes.size())
        DebugOutput(L"audio block of " + std::to_wstring(data->bytes.size()) + L" bytes cut to " + std::to_wstring(count));
    std::copy_n(data->bytes.begin(), count, buffer.begin());
    *length = count;
    m_services.lighting->OnAudioData(data->dwData, buffer.first(count));
}

void CMainWnd::OnDpiChanged(ui::WPARAM wParam, ui::LPARAM lParam)
{
    m_pm.SetDPI(ui::LoWord(wParam));
    m_pm.ResetDPIAssets();
    if (const auto* suggested = reinterpret_cast<const ui::UIRect*>(lParam); suggested != nullptr && !suggested->IsEmpty())
        MoveWindow(*suggested);
    CenterWindow();
    if (ui::CControlUI* root = m_pm.GetRoot())
        root->NeedUpdate();
}

// ---- timers ----------------------------------------------------------------------------------------

void CMainWnd::OnTimerMessage(ui::UINT id)
{
    switch (id) {
    case mainwnd::kTimerDisplayCheck:
        KillTimer(id);
        DisplayCheck();
        m_pm.Invalidate();
        break;
    case mainwnd::kTimerKeepAlive:
        KillTimer(id);
        SetTimer(id, mainwnd::kKeepAlivePeriodMs);
        break;
    case mainwnd::kTimerTrayMenu:
        KillTimer(id);
        m_services.windows->OpenTrayMenu(m_tray.GetLastClickPoint());
        break;
    case mainwnd::kTimerProfileSwitch:
        KillTimer(id);
        m_services.profiles->SwitchToSelectedProfile();
        break;
    case mainwnd::kTimerGameRestore:
        KillTimer(id);
        OnGameRestore();
        break;
    default:
        break;
    }
}

// ---- game events -----------------------------------------------------------------------------------

void CMainWnd::OnGameEvent(ui::WPARAM code, ui::LPARAM value)
{
    CKestovarUSBDevice* device = m_services.deviceList->SelectedDevice();
    if (device != nullptr && code <= 2) {
        device->SetSynchronisedLighting(0);
        m_services.lighting->SelectEffect(*device, static_cast<int>(value));
        LightingRecord record = device->GetLightingRecord();
        if (code == 0) {
            // The effect the game replaces, to come back to; 0 and indexes above 20 are not
            // effects a user picks, so the first effect stands in for them.
            record.OldLedmode = (record.SelectItem == 0 || record.SelectItem > 20) ? 1 : record.SelectItem;
        }
        record.SelectItem = static_cast<uint8_t>(value & 0xFF);
        ApplyGameLighting(*device, record);
    }
    SetTimer(mainwnd::kTimerGameRestore, mainwnd::kGameRestoreDelayMs);
}

void CMainWnd::OnGameRestore()
{
    CKestovarUSBDevice* device = m_services.deviceList->SelectedDevice();
    if (device == nullptr)
        return;
    device->SetSynchronisedLighting(0);
    LightingRecord record = device->GetLightingRecord();
    m_services.lighting->SelectEffect(*device, record.OldLedmode);
    record.SelectItem = record.OldLedmode;
    ApplyGameLighting(*device, record);
}

void CMainWnd::ApplyGameLighting(CKestovarUSBDevice& device, const LightingRecord& record)
{
    device.SetLightingRecord(record);
    device.SaveProfile();
    device.ApplyLightingEffect();
    device.ApplySettings(0, 0, 1, m_screenWidth, m_screenHeight);
}

// ---- showing the window ------------------------------------------------------------------------------

void CMainWnd::OnProductTitle()
{
    RefreshOverlayAfterScan();
    SetLinkStatusHolds(0);
    BringToFront();
}

void CMainWnd::BringToFront()
{
    SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    SetTopMost(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(mainwnd::kRaiseTopMostMs));
    SetTopMost(false);
}

void CMainWnd::SetOverlayVisible(bool visible)
{
    if (ui::CControlUI* overlay = Find(name::kNoDevice))
        overlay->SetVisible(visible);
}

void CMainWnd::RefreshOverlayAfterScan()
{
    if (m_slots == nullptr || m_slots->ConnectedSlots().empty()) {
        SetOverlayVisible(true);
        return;
    }
    SetOverlayVisible(false);
    // A keyboard whose transport is open says in its info block whether it is linked. Without
    // an open keyboard the other devices that are connected keep the overlay hidden.
    for (CKestovarUSBDevice* keyboard : m_services.deviceList->Devices(family::kKeyboard)) {
        if (keyboard == nullptr || !keyboard->CommandTransport().IsOpened())
            continue;
        const uint8_t linkState = m_services.deviceList->ReadKeyboardInfoLinkState(*keyboard).value_or(0);
        SetOverlayVisible(linkState != kKeyboardLinkStatusLinked);
        return;
    }
}

void CMainWnd::RefreshNoDeviceOverlay(ui::WPARAM status)
{
    const CKestovarUSBDevice* device = m_services.deviceList->SelectedDevice();
    if (device == nullptr) {
        SetOverlayVisible(true);
        return;
    }
    const bool opened = const_cast<CKestovarUSBDevice*>(device)->CommandTransport().IsOpened();
    if (FamilyOfKind(static_cast<uint16_t>(device->GetKind())) != family::kKeyboard) {
        // Only a keyboard reports a link status; any other device is linked while it is open.
        SetOverlayVisible(!opened);
        return;
    }
    if (device->GetKind() == kind::kKeyboard)
        status = m_services.deviceList->KeyboardLinkStatus(*device);
    SetOverlayVisible(!(opened && status == kKeyboardLinkStatusLinked));
}

void CMainWnd::StoreScreenSize()
{
    if (m_services.screens != nullptr) {
        if (const std::optional<platform::ScreenMetrics> screen = m_services.screens->PrimaryScreen()) {
            m_screenWidth = screen->widthPixels;
            m_screenHeight = screen->heightPixels;
            return;
        }
    }
    if (ui::IUIBackend* backend = GetBackend()) {
        const ui::UIRect screen = backend->GetScreenRect({0, 0});
        m_screenWidth = screen.GetWidth();
        m_screenHeight = screen.GetHeight();
    }
}

void CMainWnd::DisplayCheck()
{
    const bool wasVisible = IsWindowVisible() && !IsIconic();
    // A minimised window is restored so that its size can be set; a hidden one is sized where
    // it is, without being shown for a moment (it would flash up from the tray).
    if (IsIconic())
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);

    const ui::UIRect rect = GetWindowRect();
    const int centreX = (rect.left + rect.right) / 2;
    const int centreY = (rect.top + rect.bottom) / 2;
    int width = 0;
    int height = 0;
    if (m_services.screens != nullptr) {
        if (const std::optional<platform::ScreenMetrics> screen = m_services.screens->ScreenNearest(centreX, centreY)) {
            width = screen->widthPixels;
            height = screen->heightPixels;
        }
    } else if (ui::IUIBackend* backend = GetBackend()) {
        const ui::UIRect screen = backend->GetScreenRect({centreX, centreY});
        width = screen.GetWidth();
        height = screen.GetHeight();
    }
    m_dpi = (width > mainwnd::kLargeScreenMinWidth && height > mainwnd::kLargeScreenMinHeight) ? mainwnd::kLargeScreenDPI
                                                                                                : mainwnd::kNormalDPI;

    // The window's size is given at 96 DPI and then scaled with the chosen DPI.
    ui::CPaintManagerUI::SetAllDPI(mainwnd::kNormalDPI);
    ResizeClient(mainwnd::kCheckedWidth, mainwnd::kCheckedHeight);
    ui::CPaintManagerUI::SetAllDPI(m_dpi);
    ResizeClient(m_pm.Scale(mainwnd::kCheckedWidth), m_pm.Scale(mainwnd::kCheckedHeight));
    CenterWindow();
    ShowWindow(wasVisible);
}

// ---- destruction -------------------------------------------------------------------------------------

ui::LRESULT CMainWnd::OnDestroy(ui::UINT, ui::WPARAM, ui::LPARAM, bool& handled)
{
    m_tray.DeleteTrayIcon();
    if (ui::CMessageLoop* loop = GetMessageLoop())
        loop->PostQuitMessage(0);
    handled = false;
    return 0;
}

ui::LRESULT CMainWnd::OnGetMinMaxInfo(ui::UINT, ui::WPARAM, ui::LPARAM, bool& handled)
{
    handled = true;
    return 0;
}

void CMainWnd::StopWorkers()
{
    const std::vector<size_t> overran = m_workers.StopAll(std::chrono::milliseconds(mainwnd::kWorkerStopBoundMs));
    for (size_t slot : overran)
        DebugOutput(L"main window: worker " + std::to_wstring(slot) + L" overran its stop bound");
}

}  // namespace dw
