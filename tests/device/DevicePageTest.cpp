// The device object as a page: binding its key-button and light controls from a built layout,
// painting the preview into them, the function tabs, the light-state vectors, the identity
// setters and the routing of notifications.

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>

#include "DeviceProbe.h"
#include "UITestHarness.h"
#include "keyboard/ui/CDeviceKeyButtonUI.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "keyboard/ui/KeyPanelControls.h"
#include "transport/device/IDevicePowerControl.h"
#include "ui/core/CTabLayoutUI.h"

namespace dw {
namespace {

using test::DeviceProbe;
using test::ProbeBuilderCallback;

constexpr size_t kKeyboardKeys = 126;
constexpr size_t kKeyboardLights = 170;
constexpr size_t kButtons = 120;       // key_0 .. key_119 in the panel
constexpr size_t kLitButtons = 104;    // of which key_0 .. key_103 carry light_N

std::wstring Button(const std::wstring& name, const std::wstring& userData, bool visible = true)
{
    std::wstring xml = L"<DeviceKeyButton name=\"" + name + L"\" width=\"4\" height=\"4\"";
    if (!userData.empty())
        xml += L" userdata=\"" + userData + L"\"";
    if (!visible)
        xml += L" visible=\"false\"";
    return xml + L"/>";
}

// A keyboard-like page: 120 key buttons, the first 104 with a light, except that key_7 has
// none and key_12 shows light 7; key_3's light is hidden; a few buttons that must not bind.
std::wstring KeyboardPage()
{
    std::wstring panel;
    for (size_t i = 0; i < kButtons; ++i) {
        const std::wstring name = L"key_" + std::to_wstring(i);
        std::wstring light;
        if (i == 7)
            light.clear();
        else if (i == 12)
            light = L"light_7";
        else if (i == 5)
            light = L"LIGHT_5";  // prefixes compare without case
        else if (i < kLitButtons)
            light = L"light_" + std::to_wstring(i);
        panel += Button(i == 30 ? L"Key_30" : name, light, i != 3);
    }
    panel += Button(L"key_200", L"light_200");            // beyond both tables
    panel += L"<Button name=\"key_121\" userdata=\"light_121\"/>";  // not a key button
    panel += Button(L"keyboard", L"light");                 // no index
    return L"<Window size=\"800,600\"><KestovarUSBDevice name=\"kb_page\">"
           L"<SelectPanel name=\"kb_panel\">" +
           panel +
           L"</SelectPanel>" + Button(L"key_122", L"light_122") +  // outside the panel
           L"<TabLayout name=\"device_function_switch\"><Control/><Control/><Control/><Control/></TabLayout>"
           L"<TabLayout name=\"device_key_function_switch\"><Control/><Control/><Control/></TabLayout>"
           L"</KestovarUSBDevice></Window>";
}

class DevicePage : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterKeyPanelControls();
        window.Load(KeyboardPage(), &callback);
        ASSERT_EQ(callback.created.size(), 1u) << window.builder.GetLastErrorMessage();
        page = callback.created.front();
        page->SetPageLayoutPath(L"XML\\keyboard.xml");
        page->SetKeyButtonCount(kKeyboardKeys);
        page->SetLightCount(kKeyboardLights);
        page->BindPageControls();
    }

    CDeviceKeyButtonUI* Named(const std::wstring& name)
    {
        return static_cast<CDeviceKeyButtonUI*>(window.Find(name)->GetInterface(CDeviceKeyButtonUI::kClassName));
    }

    ui::test::UITestWindow window{800, 600};
    ProbeBuilderCallback callback;
    DeviceProbe* page = nullptr;
};

TEST_F(DevicePage, BindsKeyButtonsByNameAndLightsByUserData)
{
    ASSERT_NE(page->GetSelectPanel(), nullptr);
    EXPECT_EQ(static_cast<ui::CControlUI*>(page->GetSelectPanel()), window.Find(L"kb_panel"));

    for (size_t i = 0; i < kKeyboardKeys; ++i) {
        SCOPED_TRACE(i);
        if (i < kButtons)
            EXPECT_EQ(page->GetKeyButton(i), Named(i == 30 ? L"Key_30" : L"key_" + std::to_wstring(i)));
        else
            EXPECT_EQ(page->GetKeyButton(i), nullptr);
    }
    for (size_t i = 0; i < kKeyboardLights; ++i) {
        SCOPED_TRACE(i);
        if (i == 7)
            EXPECT_EQ(page->GetLightControl(i), Named(L"key_12"));
        else if (i == 12 || i >= kLitButtons)
            EXPECT_EQ(page->GetLightControl(i), nullptr);
        else
            EXPECT_EQ(page->GetLightControl(i), Named(i == 30 ? L"Key_30" : L"key_" + std::to_wstring(i)));
    }
    // key_12 is both key-button 12 and light 7.
    EXPECT_EQ(page->GetKeyButton(12), page->GetLightControl(7));

    // Bound lights start white and opaque with their swatch on; others are untouched.
    CDeviceKeyButtonUI* light = page->GetLightControl(0);
    EXPECT_EQ(light->GetPreviewColour(), 0xFFFFFFFFu);
    EXPECT_EQ(light->GetPreviewAlpha(), 255);
    EXPECT_TRUE(light->IsPreview());
    EXPECT_FALSE(Named(L"key_110")->IsPreview());
    EXPECT_FALSE(Named(L"key_7")->IsPreview());
    // Buttons outside the panel or beyond the tables are never bound.
    EXPECT_FALSE(Named(L"key_122")->IsPreview());
    EXPECT_FALSE(Named(L"key_200")->IsPreview());
}

TEST_F(DevicePage, PaintingReachesOnlyVisibleBoundLights)
{
    for (int i = 0; i < static_cast<int>(kKeyboardLights); ++i)
        page->SetLightState(i, PackLightColour(10, 20, static_cast<uint8_t>(i), 99), 0);
    page->PaintPreview();

    EXPECT_EQ(page->GetLightControl(0)->GetPreviewColour(), 0xFF0A1400u);
    EXPECT_EQ(page->GetLightControl(0)->GetPreviewAlpha(), 99);
    EXPECT_EQ(page->GetLightControl(7)->GetPreviewColour(), 0xFF0A1407u);  // key_12 shows light 7
    EXPECT_EQ(page->GetLightControl(103)->GetPreviewColour(), 0xFF0A1467u);
    // The hidden key_3 keeps its colour.
    EXPECT_EQ(Named(L"key_3")->GetPreviewColour(), 0xFFFFFFFFu);
    EXPECT_EQ(Named(L"key_3")->GetPreviewAlpha(), 255);

    // With lighting off nothing is painted.
    page->SetLightingEnabled(0);
    page->SetLightState(0, PackLightColour(1, 2, 3, 4), 0);
    page->PaintPreview();
    EXPECT_EQ(page->GetLightControl(0)->GetPreviewColour(), 0xFF0A1400u);
}

TEST_F(DevicePage, RebindingForgetsControlsTheLayoutNoLongerHas)
{
    auto* panel = page->GetSelectPanel();
    panel->Remove(Named(L"key_1"));
    window.Pump();
    page->BindPageControls();
    EXPECT_EQ(page->GetKeyButton(1), nullptr);
    EXPECT_EQ(page->GetLightControl(1), nullptr);
    EXPECT_NE(page->GetKeyButton(2), nullptr);
}

TEST_F(DevicePage, EmptyLayoutPathUnbindsEverything)
{
    page->SetPageLayoutPath(L"");
    page->BindPageControls();
    EXPECT_EQ(page->GetKeyButtonCount(), 0u);
    EXPECT_EQ(page->GetLightCount(), 0u);
    EXPECT_EQ(page->GetSelectPanel(), nullptr);
    page->PaintPreview();  // nothing to paint, nothing touched
}

TEST(DevicePageWithoutPanel, BindsNothing)
{
    RegisterKeyPanelControls();
    ui::test::UITestWindow window;
    ProbeBuilderCallback callback;
    window.Load(L"<Window><KestovarUSBDevice><HorizontalLayout>" + Button(L"key_1", L"light_1") +
                    L"</HorizontalLayout></KestovarUSBDevice></Window>",
                &callback);
    ASSERT_EQ(callback.created.size(), 1u);
    DeviceProbe& page = *callback.created.front();
    page.SetPageLayoutPath(L"XML\\mouse.xml");
    page.SetKeyButtonCount(4);
    page.SetLightCount(4);
    page.BindPageControls();
    EXPECT_EQ(page.GetSelectPanel(), nullptr);
    EXPECT_EQ(page.GetKeyButton(1), nullptr);
    EXPECT_EQ(page.GetLightControl(1), nullptr);
    page.SetLightState(1, PackLightColour(1, 2, 3, 4), 0);
    page.PaintPreview();
}

TEST_F(DevicePage, FunctionTabsFollowTheStateTable)
{
    auto* functionTab = static_cast<ui::CTabLayoutUI*>(window.Find(L"device_function_switch"));
    auto* keyTab = static_cast<ui::CTabLayoutUI*>(window.Find(L"device_key_function_switch"));
    struct Case {
        int state;
        int kind;
        int functionBefore, keyBefore;
        int functionAfter, keyAfter;
    };
    constexpr int kb = 1, ms = 2, pad = 3, hs = 7;
    const Case cases[] = {
        {2, kb, 3, 0, 0, 1},
        {6, hs, 3, 2, 0, 1},
        {3, kb, 0, 2, 1, 2},  // key function page unchanged
        {8, pad, 0, 1, 1, 1},
        {4, kb, 0, 1, 3, 1},  // a keyboard shows its fourth page
        {4, ms, 0, 2, 3, 2},
        {4, hs, 3, 1, 0, 2},  // a headset shows page 0 and key function page 2
        {4, pad, 3, 0, 0, 2},
        {7, kb, 3, 0, 0, 2},
        {5, ms, 0, 1, 2, 1},
        {1, kb, 3, 2, 0, 0},
        {0, hs, 3, 2, 0, 0},
        {-1, kb, 3, 2, 0, 0},
        {99, kb, 3, 2, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " kind " << c.kind);
        functionTab->SelectItem(c.functionBefore);
        keyTab->SelectItem(c.keyBefore);
        page->SetKindAndRole(c.kind, 0);
        page->SelectFunctionTab(c.state);
        EXPECT_EQ(page->GetFunctionTabState(), c.state);
        EXPECT_EQ(functionTab->GetCurSel(), c.functionAfter);
        EXPECT_EQ(keyTab->GetCurSel(), c.keyAfter);
    }
}

TEST(DevicePageTabs, MissingTabsOnlyRememberTheState)
{
    DeviceProbe page;
    EXPECT_EQ(page.GetFunctionTabState(), 1);
    page.SelectFunctionTab(5);
    EXPECT_EQ(page.GetFunctionTabState(), 5);
}

// Two device pages of one window whose buttons share a name: each page hears only its own.
TEST(DevicePageNotifications, OnlyThisPagesControlsReachItsMessageMap)
{
    RegisterKeyPanelControls();
    ui::test::UITestWindow window(400, 100);
    ProbeBuilderCallback callback;
    const std::wstring pageXml =
        L"<KestovarUSBDevice width=\"200\"><Button name=\"apply_btn\"/><Button name=\"other_btn\"/></KestovarUSBDevice>";
    window.Load(L"<Window><HorizontalLayout>" + pageXml + pageXml + L"</HorizontalLayout></Window>", &callback);
    ASSERT_EQ(callback.created.size(), 2u);
    DeviceProbe& left = *callback.created[0];
    DeviceProbe& right = *callback.created[1];
    left.ListenForClicks();
    right.ListenForClicks();
    window.manager.AddNotifier(&left);
    window.manager.AddNotifier(&right);

    ui::CControlUI* rightApply = window.manager.FindSubControlByName(&right, L"apply_btn");
    ASSERT_NE(rightApply, window.manager.FindSubControlByName(&left, L"apply_btn"));
    const ui::UIPoint at = ui::test::UITestWindow::Center(rightApply);
    window.Press(at);
    window.Release(at);
    window.Pump();
    EXPECT_EQ(left.clicks, 0);
    EXPECT_EQ(right.clicks, 1);
    EXPECT_EQ(right.lastSender, L"apply_btn");

    // A notification whose sender is not in the tree at all reaches nobody.
    ui::CButtonUI stray;
    stray.SetName(L"apply_btn");
    ui::TNotifyUI msg;
    msg.sType = ui::notify::kClick;
    msg.pSender = &stray;
    left.Notify(msg);
    right.Notify(msg);
    EXPECT_EQ(left.clicks, 0);
    EXPECT_EQ(right.clicks, 1);

    window.manager.RemoveNotifier(&left);
    window.manager.RemoveNotifier(&right);
}

// ---- state without a page -------------------------------------------------------------------

TEST(DeviceLights, SettingTheLightCountAlwaysClearsTheStates)
{
    DeviceProbe device;
    device.SetLightCount(3);
    LightExtra extra;
    extra.bytes.fill(9);
    for (int i = 0; i < 3; ++i) {
        device.SetLightState(i, PackLightColour(1, 2, 3, 4), 1);
        device.SetLightExtra(static_cast<size_t>(i), extra);
    }
    device.SetLightCount(3);  // the same count
    EXPECT_EQ(device.GetLightStates(), std::vector<LightState>(3));
    EXPECT_EQ(device.GetLightExtras(), std::vector<LightExtra>(3));

    device.SetLightState(2, PackLightColour(1, 2, 3, 4), 1);
    device.SetLightCount(5);
    EXPECT_EQ(device.GetLightCount(), 5u);
    EXPECT_EQ(device.GetLightStates(), std::vector<LightState>(5));
    EXPECT_EQ(device.GetLightExtras().size(), 5u);
}

TEST(DeviceLights, OutOfRangeIndicesAreIgnored)
{
    DeviceProbe device;
    device.SetLightCount(3);
    for (int index : {-1, 3, 4, INT_MAX, INT_MIN})
        device.SetLightState(index, PackLightColour(9, 9, 9, 9), 9);
    EXPECT_EQ(device.GetLightStates(), std::vector<LightState>(3));
    device.SetLightState(2, PackLightColour(5, 6, 7, 8), 1);
    for (int index : {-1, 3, INT_MAX, INT_MIN})
        EXPECT_EQ(device.GetLightState(index), LightState{}) << index;
    EXPECT_EQ(device.GetLightState(2), (LightState{5, 6, 7, 8, 1}));
}

class RecordingPowerControl : public IDevicePowerControl {
public:
    void SetPowerPageFlag(int flag) override { flags.push_back(flag); }
    std::vector<int> flags;
};

TEST(DeviceIdentity, StartsAsTheContractSaysAndTakesKindAndRoleFromItsEntry)
{
    DeviceProbe device;
    EXPECT_EQ(device.GetClass(), L"KestovarUSBDevice");
    EXPECT_EQ(device.GetInterface(L"KestovarUSBDevice"), static_cast<void*>(&device));
    EXPECT_EQ(device.GetInterface(L"HorizontalLayout"), static_cast<void*>(static_cast<ui::CHorizontalLayoutUI*>(&device)));
    EXPECT_EQ(device.GetFamilyRow(), -1);
    EXPECT_EQ(device.GetDeviceOrdinal(), 0);
    EXPECT_EQ(device.GetLightingEnabled(), 1);
    EXPECT_EQ(device.GetPreviewPainting(), 1);
    EXPECT_EQ(device.GetSynchronisedLighting(), 0);
    EXPECT_EQ(device.GetSelectedKey(), -1);
    EXPECT_EQ(device.GetSelectedLight(), -1);
    EXPECT_TRUE(device.IsLinkUp());
    EXPECT_TRUE(device.CollectUsedMacros().empty());

    DeviceInterfaceEntry entry;
    entry.kind = 9;
    entry.role = 255;
    entry.path = L"hid#vid_5a3c&pid_6a21&mi_01&col03#/dev/hidraw-emu1";
    device.SetInterfaceEntry(entry);
    EXPECT_EQ(device.GetKind(), 9);
    EXPECT_EQ(device.GetRole(), 255);
    EXPECT_EQ(device.GetInterfaceEntry().path, entry.path);
}

TEST(DeviceIdentity, PowerPageFlagReachesThePowerControlAndGatesTheHold)
{
    DeviceProbe device;
    RecordingPowerControl power;
    EXPECT_FALSE(device.SetLinkStatusHold(1));  // no power page yet
    EXPECT_EQ(device.GetLinkStatusHold(), 0);

    device.SetPowerPageFlag(1);
    device.SetPowerControl(&power);  // the control learns the current flag
    EXPECT_EQ(power.flags, std::vector<int>{1});
    EXPECT_TRUE(device.SetLinkStatusHold(1));
    EXPECT_EQ(device.GetLinkStatusHold(), 1);

    device.SetPowerPageFlag(0);
    EXPECT_EQ(power.flags, (std::vector<int>{1, 0}));
    EXPECT_TRUE(device.SetLinkStatusHold(0));  // a hold can always be released
    EXPECT_EQ(device.GetLinkStatusHold(), 0);
    EXPECT_FALSE(device.SetLinkStatusHold(1));
}

TEST(DeviceFiles, FamilyFoldersComeFromTheProfileFolders)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("dw-devbase-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    DeviceProbe device;
    device.SetProfileFolders(CProfileFolders((root / "data").wstring(), (root / "res").wstring()));
    device.SetFamilyName(L"keyboard");

    const std::wstring folder = device.GetUserFamilyFolder();
    EXPECT_EQ(folder, (root / "data" / "VEXLO Dunwake 75 tri-mode" / "keyboard").wstring() + L"/");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(device.GetDefaultDataFolder(), (root / "res" / "DefaultData").wstring() + L"/");
    EXPECT_EQ(device.GetDefaultProfileFile(), (root / "res" / "DefaultData" / "keyboard.Json").wstring());
    EXPECT_FALSE(std::filesystem::exists(root / "res"));  // the factory folder is never created
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace dw
