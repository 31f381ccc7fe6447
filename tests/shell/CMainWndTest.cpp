// The main window driven headless: its set-up, the routing of notifications and messages, the
// lighting hand-over, the suspend gate, the overlay, the game events on the virtual clock, the
// product-title message and the worker shutdown.

#include <gtest/gtest.h>

#include <numeric>

#include "MainWndHarness.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "shell/MainWndMessages.h"
#include "shell/RegisteredMessages.h"
#include "transport/CDeviceSlotList.h"
#include "transport/DeviceKinds.h"
#include "ui/core/CButtonUI.h"

namespace dw::test {
namespace {

using ui::TNotifyUI;

class MainWndTest : public ::testing::Test {
protected:
    // Each test starts with the entry points of "windowinit" set aside.
    MainWndTest() : initReached(std::exchange(h.parts.reached, {})) {}

    // Declared before the window's harness, so the devices outlive the window: its destruction
    // still reaches them, as the program's device list outlives its window.
    std::vector<std::unique_ptr<RecordingDevice>> devices;
    MainWndHarness h;
    std::vector<std::wstring> initReached;
    CMainWnd& Window() { return *h.window; }
    const CRegisteredMessages& Ids() { return Window().GetMessages(); }

    // Adds a device to a family of the recording device list.
    RecordingDevice& AddDevice(int family, int kind)
    {
        devices.push_back(std::make_unique<RecordingDevice>());
        RecordingDevice& device = *devices.back();
        device.SetKindAndRole(kind, role::kCommand);
        h.parts.families[family].push_back(&device);
        return device;
    }
    void Broadcast(std::wstring_view name, ui::WPARAM wParam, ui::LPARAM lParam)
    {
        ASSERT_EQ(h.companion.Broadcast(std::wstring(name), wParam, lParam), platform::kIpcOk);
        h.loop.RunUntilIdle();
    }
    std::wstring LightStatusText() { return h.Find(L"control_light_status")->GetText(); }

};

TEST_F(MainWndTest, BuildsItsSkinWithTheProgramsOwnElements)
{
    ASSERT_TRUE(h.created);
    EXPECT_TRUE(Window().GetMissingControls().empty());
    // "DeviceProfileUI" is a layout row: its file is built in place with the same callback,
    // which also creates the select panel inside it.
    ASSERT_NE(h.Find(L"DeviceProfileItem"), nullptr);
    ui::CControlUI* panel = h.Find(L"profile_select_panel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetClass(), CSelectPanelUI::kClassName);
}

TEST(MainWndSkin, MissingRequiredControlsAreReportedWhenTheLayoutLoads)
{
    MainWndHarness h(L"res_sparse.xml");
    ASSERT_TRUE(h.created);
    const std::vector<std::wstring>& missing = h.window->GetMissingControls();
    for (const wchar_t* name : {L"setbtn", L"skinbtn", L"No_device_Link", L"control_light_status", L"device_switch"})
        EXPECT_NE(std::find(missing.begin(), missing.end(), name), missing.end()) << name;
    EXPECT_EQ(std::find(missing.begin(), missing.end(), L"closebtn"), missing.end());
    // A layout without them still runs; the functions that need them do nothing.
    h.window->SendMessage(mainwnd::kMsgRefreshNoDevice, 0, 0);
}

TEST_F(MainWndTest, WindowInitHidesFillsTheSlotsStartsTwoWorkersAndTakesTheLighting)
{
    EXPECT_FALSE(Window().IsWindowVisible()) << "shown only by the first product-title message";
    ASSERT_NE(Window().GetSlotList(), nullptr);
    EXPECT_EQ(Window().GetSlotList()->Count(), 11u);
    for (size_t slot = 0; slot < CWorkerSlots::Count(); ++slot)
        EXPECT_EQ(Window().GetWorkers().IsRunning(slot), slot == mainwnd::kDiscoveryWorker || slot == mainwnd::kLightingSyncWorker)
            << "slot " << slot;
    const auto sent = h.Sent(msgname::kLightHandOverOut);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].wParam, 1u);
    EXPECT_EQ(sent[0].lParam, 1);
    EXPECT_EQ(Window().GetScreenWidth(), 1920);
    EXPECT_EQ(Window().GetScreenHeight(), 1080);
    for (const wchar_t* entry : {L"languages: apply the language setting", L"device list: create the start-up pages",
                                 L"audio lighting: set up AudioFile.json"})
        EXPECT_NE(std::find(initReached.begin(), initReached.end(), entry), initReached.end());
}

TEST(MainWndDisplay, TheDisplayCheckChoosesTheDpiFromTheMonitorAndSizesTheWindow)
{
    struct Case {
        const char* name;
        std::optional<platform::ScreenMetrics> screen;
        int dpi;
    };
    const Case cases[] = {
        {"large monitor", platform::ScreenMetrics{1920, 1080, 0, 0}, 144},
        {"exactly 1500 x 960 is not larger", platform::ScreenMetrics{1500, 960, 0, 0}, 96},
        {"wide but short", platform::ScreenMetrics{2560, 900, 0, 0}, 96},
        {"laptop", platform::ScreenMetrics{1366, 768, 0, 0}, 96},
        {"no display information", std::nullopt, 96},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainWndHarness h(L"res.xml", c.screen);
        h.backend.AdvanceClock(mainwnd::kDisplayCheckDelayMs);  // timer 1011
        EXPECT_EQ(h.window->GetDPI(), c.dpi);
        const ui::UIRect rect = h.window->GetWindowRect();
        EXPECT_EQ(rect.GetWidth(), 1000 * c.dpi / 96);
        EXPECT_EQ(rect.GetHeight(), 640 * c.dpi / 96);
        EXPECT_FALSE(h.window->IsWindowVisible()) << "a hidden window stays hidden";
        h.backend.AdvanceClock(1000);
        EXPECT_EQ(h.window->GetWindowRect(), rect) << "timer 1011 runs once";
    }
}

// ---- routing -------------------------------------------------------------------------------------

TEST_F(MainWndTest, EveryRoutingRowReachesItsHandler)
{
    struct Row {
        const wchar_t* type;
        const wchar_t* sender;
        std::vector<std::wstring> reached;
    };
    const Row rows[] = {
        {L"colorchanged", L"deng_Color_Pallet", {L"lighting control: colour changed"}},
        {L"colorchanged", L"DENG_AUDIOCOLOR_PALLET", {L"audio lighting: colour changed"}},
        {L"colorchanged", L"other_pallet", {}},
        {L"selectchanged", L"mouse_dpi_option", {L"device settings: selection changed (mouse_dpi_option)"}},
        {L"valuechanged", L"light_slider", {L"device settings: slider value (light_slider)"}},
        {L"movevaluechanged", L"light_slider", {L"device settings: slider drag (light_slider)"}},
        {L"killfocus", L"dpi_edit", {L"device settings: edit box left (dpi_edit)"}},
        {L"itemselect", L"light_combo_modeSelect", {L"lighting control: mode selected (light_combo_modeSelect)"}},
        {L"itemselect", L"light_combo_ZZCCmodeSelect", {L"lighting control: mode selected (light_combo_ZZCCmodeSelect)"}},
        {L"itemselect", L"light_combo_audiomodeSelect", {L"audio lighting: mode selected"}},
        {L"itemselect", L"keyset_function_combo",
         {L"key assignment: function selected (keyset_function_combo)", L"key assignment: apply the edited assignment"}},
        {L"itemselect", L"keyset_media_combo", {L"key assignment: apply the edited assignment"}},
        {L"itemselect", L"macro_name_list", {L"macro editor: macro selected"}},
        {L"itemselect", L"custom_eq_name_combo", {L"headset equaliser: preset selected"}},
        {L"click_select_end", L"device_key_light", {L"key panel: rubber-band selection (keyboard)"}},
        {L"click_select_end", L"mouse_device_key_light", {L"key panel: rubber-band selection (mouse)"}},
        {L"click", L"key_12", {L"key panel: key button (12)"}},
        {L"click", L"KEY_3", {L"key panel: key button (3)"}},
        {L"click", L"color_option_2", {L"lighting control: colour option (2)"}},
        {L"click", L"audiocolor_option_5", {L"audio lighting: colour option (5)"}},
        {L"click", L"DPI_color_option_1", {L"colour palette: DPI stage colour (1)"}},
        {L"click", L"default_btn", {L"profiles: restore defaults"}},
        {L"click", L"Device_Copy_Btn", {L"profile list: button (Device_Copy_Btn)"}},
        {L"click", L"device_profile_edit_save_btn", {L"profile list: button (device_profile_edit_save_btn)"}},
        {L"click", L"key_butt_keysave", {L"key assignment: button (key_butt_keysave)"}},
        {L"click", L"macro_btn_starredio", {L"macro recording: start"}},
        {L"click", L"macro_btn_stopredio", {L"macro recording: stop"}},
        {L"click", L"macro_btn_deleteall", {L"macro editor: button (macro_btn_deleteall)"}},
        {L"click", L"shootdate_import_btn", {L"recoil patterns: button (shootdate_import_btn)"}},
        {L"click", L"bullet_selected_next", {L"recoil patterns: button (bullet_selected_next)"}},
        {L"click", L"custom_bright_color_btn", {L"lighting control: all custom keys (lit)"}},
        {L"click", L"custom_off_color_btn", {L"lighting control: all custom keys (dark)"}},
        {L"click", L"deng_same_mode", {L"device list: synchronised lighting"}},
        {L"click", L"hs_EQ_btn_delete", {L"headset equaliser: button (hs_EQ_btn_delete)"}},
        {L"click", L"profile_fun_spread_btn", {L"profile list: panel"}},
        {L"click", L"Profile_Fun_Spread_Btn", {}},
        {L"click", L"macro_inset_moveupkey_btn", {L"macro editor: insert button (macro_inset_moveupkey_btn)"}},
        {L"click", L"MACRO_INSET_MOVEUPKEY_BTN", {}},
        {L"click", L"device_select_prev", {L"device list: select the previous entry"}},
        {L"click", L"device_select_next", {L"device list: select the next entry"}},
        {L"click", L"Close_bkColor_btn", {L"audio lighting: background colour"}},
        {L"click", L"music_setting_btn", {L"audio lighting: style window"}},
        {L"click", L"skinbtn", {L"skin window: open"}},
        {L"click", L"setbtn", {L"settings window: open (placed)"}},
        {L"click", L"no_such_btn", {}},
        {L"click_wpremove", L"key_1", {}},
        {L"itemactivate", L"macro_action", {L"macro editor: action activated"}},
        {L"itemclick", L"macro_name_list", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << std::string(row.type, row.type + wcslen(row.type)) << " "
                                        << std::string(row.sender, row.sender + wcslen(row.sender)));
        // A control of the skin when it has one by that name (the caption buttons are
        // recognised by pointer), else a control standing alone with the name.
        ui::CButtonUI loose;
        loose.SetName(row.sender);
        ui::CControlUI* sender = h.Find(row.sender);
        TNotifyUI msg;
        msg.sType = row.type;
        msg.pSender = sender != nullptr ? sender : &loose;
        h.parts.reached.clear();
        Window().Notify(msg);
        EXPECT_EQ(h.parts.reached, row.reached);
    }
}

TEST_F(MainWndTest, DesktopSettingsButtonsOpenTheKeyboardOrMousePage)
{
    for (const wchar_t* name : {L"windowdeviceset_0", L"windowdeviceset_1", L"windowdeviceset_2"}) {
        ui::CButtonUI button;
        button.SetName(name);
        TNotifyUI msg;
        msg.sType = ui::notify::kClick;
        msg.pSender = &button;
        Window().Notify(msg);
    }
    EXPECT_EQ(h.launcher.opened,
              (std::vector<platform::DesktopSettingsPage>{platform::DesktopSettingsPage::Keyboard, platform::DesktopSettingsPage::Mouse}));
}

TEST_F(MainWndTest, FocusOnTheKeyEditInstallsTheHookAndMessage1054Switches)
{
    h.window->GetPaintManager().SendNotify(h.Find(L"keyset_keyboard_text_edit"), ui::notify::kSetFocus);
    Window().SendMessage(mainwnd::kMsgHook, 0, 0);
    EXPECT_EQ(h.parts.reached, (std::vector<std::wstring>{L"input hook: install", L"input hook: remove"}));
}

TEST_F(MainWndTest, SettingTheEditingStateLocksTheDeviceListAndFreesTheKeyInputs)
{
    RecordingDevice& keyboard = AddDevice(family::kKeyboard, kind::kKeyboard);
    h.parts.selected = &keyboard;
    Window().SetEditingState(true, false);
    EXPECT_FALSE(h.Find(L"device_select_layout")->IsEnabled());
    EXPECT_EQ(Window().GetEditingState(), 0);
    EXPECT_TRUE(h.parts.Reached(L"key assignment: inputs enabled (on)"));

    h.parts.reached.clear();
    Window().SetEditingState(false, true);
    EXPECT_FALSE(h.Find(L"device_select_layout")->IsEnabled()) << "the list is left alone";
    EXPECT_EQ(Window().GetEditingState(), 1);
    EXPECT_TRUE(h.parts.reached.empty());

    Window().SetEditingState(true, true);
    EXPECT_TRUE(h.Find(L"device_select_layout")->IsEnabled());
}

// ---- lighting hand-over ----------------------------------------------------------------------------

TEST_F(MainWndTest, TogglingLightControlTwiceRestoresFlagAndTextAndBroadcastsOnceEachTime)
{
    RecordingDevice& mouse = AddDevice(family::kMouse, kind::kMouse);
    RecordingDevice& headset = AddDevice(family::kHeadset, kind::kHeadset);
    const std::wstring textBefore = LightStatusText();
    ASSERT_EQ(Window().GetLightControlFlag(), 1);
    ASSERT_EQ(h.Sent(msgname::kLightHandOverOut).size(), 1u) << "the announcement at windowinit";
    Broadcast(msgname::kProductTitle, 0, 0);

    h.Click(L"control_light_status");
    EXPECT_EQ(Window().GetLightControlFlag(), 0);
    EXPECT_EQ(LightStatusText(), CMainWnd::kLightControlOffText);
    EXPECT_EQ(mouse.GetLightingEnabled(), 0);
    EXPECT_EQ(headset.GetLightingEnabled(), 1) << "the headset is not handed over";
    auto sent = h.Sent(msgname::kLightHandOverOut);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].wParam, 1u);
    EXPECT_EQ(sent[1].lParam, 0);

    h.Click(L"control_light_status");
    EXPECT_EQ(Window().GetLightControlFlag(), 1);
    EXPECT_EQ(LightStatusText(), textBefore);
    EXPECT_EQ(mouse.GetLightingEnabled(), 1);
    sent = h.Sent(msgname::kLightHandOverOut);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2].lParam, 1);
}

TEST_F(MainWndTest, ReceivedHandOverSetsTheFlagOnlyWithWParam1)
{
    RecordingDevice& keyboard = AddDevice(family::kKeyboard, kind::kKeyboardReceiver);
    struct Step {
        ui::WPARAM wParam;
        ui::LPARAM lParam;
        int flag;
        const wchar_t* text;
    };
    const Step steps[] = {
        {2, 0, 1, CMainWnd::kLightControlOnText},   // wParam 2 changes nothing
        {1, 0, 0, CMainWnd::kLightControlOffText},
        {2, 1, 0, CMainWnd::kLightControlOffText},
        {1, 7, 0, CMainWnd::kLightControlOffText},  // an unknown lParam changes nothing either
        {1, 1, 1, CMainWnd::kLightControlOnText},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "EBF17 " << step.wParam << "," << step.lParam);
        Broadcast(msgname::kLightHandOverIn, step.wParam, step.lParam);
        EXPECT_EQ(Window().GetLightControlFlag(), step.flag);
        EXPECT_EQ(LightStatusText(), step.text);
        EXPECT_EQ(keyboard.GetLightingEnabled(), step.flag);
    }
    EXPECT_EQ(h.Sent(msgname::kLightHandOverOut).size(), 1u) << "receiving never answers with EBF16";
}

// ---- suspend -----------------------------------------------------------------------------------------

TEST_F(MainWndTest, WhileSuspendedHookGameAndPrivateMessagesAreIgnored)
{
    RecordingDevice& mouse = AddDevice(family::kMouse, kind::kMouse);
    h.parts.selected = &mouse;
    h.power.AnnounceSleep(true);
    EXPECT_FALSE(Window().IsNotSuspended());
    EXPECT_EQ(mouse.GetLightingEnabled(), 0) << "the lighting goes off for the sleep";

    h.parts.reached.clear();
    h.loop.PostMessage(h.Hwnd(), Ids().hook[0], 1, 2);
    h.loop.PostMessage(h.Hwnd(), Ids().mouseHook[4], 1, 2);
    Broadcast(msgname::kGameMessages[0], 0, 9);
    Window().SendMessage(mainwnd::kMsgDeviceArrival, 0, 0);
    h.loop.RunUntilIdle();
    h.backend.AdvanceClock(mainwnd::kGameRestoreDelayMs);
    EXPECT_TRUE(h.parts.reached.empty());
    EXPECT_TRUE(mouse.calls.empty());

    // The product-title message is handled before the gate.
    Broadcast(msgname::kProductTitle, 0, 1);
    EXPECT_TRUE(Window().IsWindowVisible());

    h.power.AnnounceSleep(false);
    EXPECT_TRUE(Window().IsNotSuspended());
    EXPECT_EQ(mouse.GetLightingEnabled(), 1) << "the light-control flag is applied again";
    h.loop.PostMessage(h.Hwnd(), Ids().hook[0], 1, 2);
    h.loop.PostMessage(h.Hwnd(), Ids().mouseHook[4], 1, 2);
    h.loop.RunUntilIdle();
    EXPECT_EQ(h.parts.reached, (std::vector<std::wstring>{L"input hook: message (0)", L"input hook: message (18)"}));
}

// ---- overlay, slots, copy data --------------------------------------------------------------------------

TEST_F(MainWndTest, Message3330RefreshesTheNoDeviceOverlayFromTheSelectedDevice)
{
    struct Case {
        const char* name;
        int kind;  // 0: no device selected
        bool opened;
        uint8_t cachedStatus;
        ui::WPARAM status;
        bool overlay;
    };
    const Case cases[] = {
        {"no device", 0, false, 0, 0x40, true},
        {"mouse not opened", kind::kMouse, false, 0, 0, true},
        {"mouse opened", kind::kMouse, true, 0, 0, false},
        {"keyboard by cable: its own status, linked", kind::kKeyboard, true, 0x40, 0, false},
        {"keyboard by cable: its own status, not linked", kind::kKeyboard, true, 0, 0x40, true},
        {"receiver keyboard linked", kind::kKeyboardReceiver, true, 0, 0x40, false},
        {"receiver keyboard not linked", kind::kKeyboardReceiver, true, 0, 0, true},
        {"receiver keyboard closed", kind::kKeyboardReceiver, false, 0, 0x40, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDevice device;
        device.SetKindAndRole(c.kind, role::kCommand);
        device.CommandTransport().SetOpened(c.opened);
        h.parts.selected = c.kind == 0 ? nullptr : &device;
        h.parts.keyboardLinkStatus = c.cachedStatus;
        h.Find(L"No_device_Link")->SetVisible(!c.overlay);
        Window().SendMessage(mainwnd::kMsgRefreshNoDevice, c.status, 0);
        EXPECT_EQ(h.Visible(L"No_device_Link"), c.overlay);
        h.parts.selected = nullptr;
    }
}

TEST_F(MainWndTest, ArrivalAndRemovalIgnoreSlotIndexesOutsideTheSlotList)
{
    for (ui::WPARAM slot : {ui::WPARAM{0}, ui::WPARAM{10}, ui::WPARAM{11}, ~ui::WPARAM{0}}) {
        Window().SendMessage(mainwnd::kMsgDeviceArrival, slot, 0);
        Window().SendMessage(mainwnd::kMsgDeviceRemoval, slot, 0);
    }
    EXPECT_EQ(h.parts.reached,
              (std::vector<std::wstring>{L"device list: device arrival (slot 0)", L"device list: device removal (slot 0)",
                                         L"device list: device arrival (slot 10)", L"device list: device removal (slot 10)"}));
}

TEST_F(MainWndTest, CopyDataPayloadsLongerThanTheirBuffersAreCut)
{
    struct Case {
        uintptr_t kind;
        size_t size;
        std::optional<size_t> delivered;
    };
    const Case cases[] = {
        {1, 10, 10},      {1, 4280, 4280}, {1, 4281, 4280}, {1, 60000, 4280},
        {2, 156, 156},    {2, 157, 156},   {2, 5000, 156},  {3, 10, std::nullopt},
        {1, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", " << c.size << " bytes");
        std::vector<uint8_t> bytes(c.size);
        std::iota(bytes.begin(), bytes.end(), static_cast<uint8_t>(c.size));
        h.parts.audioBlockSizes.clear();
        h.loop.SendCopyData(h.Hwnd(), nullptr, c.kind, bytes);
        if (!c.delivered) {
            EXPECT_TRUE(h.parts.audioBlockSizes.empty());
            continue;
        }
        EXPECT_EQ(h.parts.audioBlockSizes, std::vector<size_t>{*c.delivered});
        const std::span<const uint8_t> kept = c.kind == 1 ? Window().GetAudioSpectrum() : Window().GetAudioLevels();
        ASSERT_EQ(kept.size(), *c.delivered);
        EXPECT_TRUE(std::equal(kept.begin(), kept.end(), bytes.begin()));
    }
}

TEST_F(MainWndTest, CopyDataFromTheAudioProgramArrivesThroughTheBus)
{
    const std::vector<uint8_t> block(5000, 0x5A);
    ASSERT_EQ(h.companion.SendCopyData(std::string(platform::kMainProgramName), 1, block), platform::kIpcOk);
    h.loop.RunUntilIdle();
    EXPECT_EQ(h.parts.audioBlockSizes, std::vector<size_t>{4280});
}

// ---- game events ---------------------------------------------------------------------------------------

TEST_F(MainWndTest, AGameEventSwitchesTheEffectAndTheTimerRestoresItAfter5000ms)
{
    RecordingDevice& keyboard = AddDevice(family::kKeyboard, kind::kKeyboard);
    LightingRecord record;
    record.SelectItem = 5;
    keyboard.CKestovarUSBDevice::SetLightingRecord(record);
    keyboard.SetSynchronisedLighting(1);
    h.parts.selected = &keyboard;
    const std::vector<std::string> applied{"SetLightingRecord", "SaveProfile", "ApplyLightingEffect", "ApplySettings(0,0,1)"};

    Broadcast(msgname::kGameMessages[0], 0, 0x10C);  // Game_Start, code 0, effect 12 in the low byte
    EXPECT_EQ(keyboard.GetSynchronisedLighting(), 0);
    EXPECT_EQ(keyboard.calls, applied);
    EXPECT_EQ(keyboard.GetLightingRecord().SelectItem, 12);
    EXPECT_EQ(keyboard.GetLightingRecord().OldLedmode, 5);
    EXPECT_EQ(keyboard.lastScreenWidth, 1920);
    EXPECT_TRUE(h.parts.Reached(L"lighting control: select effect (268)"));

    keyboard.calls.clear();
    h.backend.AdvanceClock(mainwnd::kGameRestoreDelayMs - 1);
    EXPECT_TRUE(keyboard.calls.empty());
    h.backend.AdvanceClock(1);
    EXPECT_EQ(keyboard.calls, applied);
    EXPECT_EQ(keyboard.GetLightingRecord().SelectItem, 5);
    EXPECT_TRUE(h.parts.Reached(L"lighting control: select effect (5)"));

    keyboard.calls.clear();
    h.backend.AdvanceClock(3 * mainwnd::kGameRestoreDelayMs);
    EXPECT_TRUE(keyboard.calls.empty()) << "the restore runs once";
}

TEST_F(MainWndTest, GameEventCodesKeepOrReplaceTheEffectToComeBackTo)
{
    struct Case {
        const char* name;
        ui::WPARAM code;
        uint8_t current;
        uint8_t oldBefore;
        uint8_t oldAfter;
        bool changes;
    };
    const Case cases[] = {
        {"start keeps the current effect", 0, 7, 3, 7, true},
        {"start from effect 0 keeps effect 1", 0, 0, 3, 1, true},
        {"start from an index above 20 keeps effect 1", 0, 21, 3, 1, true},
        {"end keeps the effect kept before", 1, 7, 3, 3, true},
        {"kill keeps the effect kept before", 2, 7, 3, 3, true},
        {"an unknown code changes nothing", 3, 7, 3, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDevice device;
        device.SetKindAndRole(kind::kMouse, role::kCommand);
        LightingRecord record;
        record.SelectItem = c.current;
        record.OldLedmode = c.oldBefore;
        device.CKestovarUSBDevice::SetLightingRecord(record);
        h.parts.selected = &device;
        Broadcast(msgname::kGameMessages[c.code % 4], c.code, 9);
        EXPECT_EQ(device.GetLightingRecord().OldLedmode, c.oldAfter);
        EXPECT_EQ(device.GetLightingRecord().SelectItem, c.changes ? 9 : c.current);
        // The restore timer runs in every case; it puts the kept effect back.
        h.backend.AdvanceClock(mainwnd::kGameRestoreDelayMs);
        EXPECT_EQ(device.GetLightingRecord().SelectItem, c.oldAfter);
        h.parts.selected = nullptr;
    }
}

TEST_F(MainWndTest, AGameEventWithoutADeviceOnlyArmsTheRestore)
{
    Broadcast(msgname::kGameMessages[1], 1, 4);
    EXPECT_FALSE(h.parts.Reached(L"lighting control: select effect (4)"));
    // A device selected before the timer fires gets its kept effect back.
    RecordingDevice& mouse = AddDevice(family::kMouse, kind::kMouse);
    LightingRecord record;
    record.SelectItem = 9;
    record.OldLedmode = 2;
    mouse.CKestovarUSBDevice::SetLightingRecord(record);
    h.parts.selected = &mouse;
    h.backend.AdvanceClock(mainwnd::kGameRestoreDelayMs);
    EXPECT_EQ(mouse.GetLightingRecord().SelectItem, 2);
}

// ---- showing and hiding ------------------------------------------------------------------------------

TEST_F(MainWndTest, TheProductTitleMessageRestoresAHiddenOrMinimisedWindowAndClearsTheHolds)
{
    RecordingDevice& mouse = AddDevice(family::kMouse, kind::kMouseReceiver);
    mouse.SetPowerPageFlag(1);
    ASSERT_TRUE(mouse.SetLinkStatusHold(1));
    ASSERT_FALSE(Window().IsWindowVisible());

    Broadcast(msgname::kProductTitle, 0, mainwnd::kShowFromSecondInstance);
    EXPECT_TRUE(Window().IsWindowVisible());
    EXPECT_FALSE(Window().IsIconic());
    EXPECT_EQ(mouse.GetLinkStatusHold(), 0);
    EXPECT_TRUE(h.Visible(L"No_device_Link")) << "no slot is connected";

    Window().SendMessage(ui::WM_SYSCOMMAND, ui::SC_MINIMIZE, 0);
    ASSERT_TRUE(Window().IsIconic());
    Broadcast(msgname::kProductTitle, 0, mainwnd::kShowFromSecondInstance);
    EXPECT_TRUE(Window().IsWindowVisible());
    EXPECT_FALSE(Window().IsIconic());
}

TEST_F(MainWndTest, TheCloseButtonHidesToTheTrayAndClosesThePopups)
{
    RecordingDevice& keyboard = AddDevice(family::kKeyboard, kind::kKeyboard);
    keyboard.SetPowerPageFlag(1);
    Broadcast(msgname::kProductTitle, 0, 0);
    ui::CWindowWnd popup;
    ASSERT_TRUE(popup.Create(h.loop, nullptr, L"settings", ui::WS_POPUP | ui::WS_VISIBLE, 0, {10, 10, 100, 100}));
    Window().SetPopupWindow(CMainWnd::Popup::Settings, popup.GetHWND());

    h.Click(L"closebtn");
    EXPECT_NE(h.Hwnd(), nullptr) << "the window is only hidden";
    EXPECT_FALSE(Window().IsWindowVisible());
    EXPECT_EQ(popup.GetHWND(), nullptr);
    EXPECT_EQ(keyboard.GetLinkStatusHold(), 1);
    EXPECT_FALSE(h.loop.IsQuitRequested());
}

TEST_F(MainWndTest, TheTrayIconTogglesTheWindowAndOpensItsMenu)
{
    Window().SendMessage(mainwnd::kMsgTrayIcon, ui::CTrayIcon::kTrayIconId, ui::WM_LBUTTONUP);
    EXPECT_TRUE(Window().IsWindowVisible());
    EXPECT_TRUE(h.Visible(L"No_device_Link")) << "nothing is connected";
    Window().SendMessage(mainwnd::kMsgTrayIcon, ui::CTrayIcon::kTrayIconId, ui::WM_LBUTTONUP);
    EXPECT_FALSE(Window().IsWindowVisible());

    Window().SendMessage(mainwnd::kMsgTrayIcon, ui::CTrayIcon::kTrayIconId, ui::WM_RBUTTONUP);
    EXPECT_FALSE(h.parts.Reached(L"tray: open the menu"));
    h.backend.AdvanceClock(mainwnd::kTrayMenuDelayMs);
    EXPECT_TRUE(h.parts.Reached(L"tray: open the menu"));
}

TEST_F(MainWndTest, MenuCommandsReachTheirWindowsAndExitClosesTheMainWindow)
{
    for (const wchar_t* command : {L"about_menu", L"setwnd_menu", L"macro_action_edit"}) {
        const std::wstring name = command;
        Window().SendMessage(mainwnd::kMsgMenuCommand, reinterpret_cast<ui::WPARAM>(&name), 0);
    }
    Window().SendMessage(mainwnd::kMsgOpenSettings, 0, 0);
    EXPECT_EQ(h.parts.reached, (std::vector<std::wstring>{L"about box: open", L"settings window: open (centred)",
                                                          L"macro editor: menu command (macro_action_edit)",
                                                          L"settings window: open (centred)"}));

    const std::wstring exit = L"exit";
    Window().SendMessage(mainwnd::kMsgMenuCommand, reinterpret_cast<ui::WPARAM>(&exit), 0);
    h.loop.RunUntilIdle();
    EXPECT_EQ(h.Hwnd(), nullptr);
    EXPECT_TRUE(h.loop.IsQuitRequested());
}

TEST_F(MainWndTest, DestroyingTheWindowStopsEveryWorker)
{
    ASSERT_TRUE(Window().GetWorkers().IsRunning(mainwnd::kDiscoveryWorker));
    Window().DestroyWindow();
    for (size_t slot = 0; slot < CWorkerSlots::Count(); ++slot)
        EXPECT_FALSE(Window().GetWorkers().IsRunning(slot)) << "slot " << slot;
    EXPECT_EQ(h.parts.discoveryRuns.load(), 1);
    EXPECT_EQ(h.parts.lightingRuns.load(), 1);
    EXPECT_EQ(h.parts.workersEnded.load(), 2);
    EXPECT_TRUE(h.parts.Reached(L"audio lighting: stop the audio-capture program"));
    EXPECT_TRUE(h.loop.IsQuitRequested());
}

}  // namespace
}  // namespace dw::test
