// The companions wired into a real main window on the program's skin: the stored language is
// applied at "windowinit" and again by message 3089, the skin observer reaches the window's
// root, the skin button opens the skin window under it, and the tray menu opens by the panel
// rule.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "FrameTestSupport.h"
#include "platform/screen/CFixedScreenInfo.h"
#include "platform/store/CMemoryRegistryStore.h"
#include "platform/store/RegistryKeys.h"
#include "shell/CMainWnd.h"
#include "shell/CSkinObserver.h"
#include "shell/frame/CShellWindows.h"
#include "shell/frame/CSkinFrame.h"
#include "shell/frame/TrayMenuPlacement.h"
#include "ui/core/CTrayIcon.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::test {
namespace {

class ShellWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { UseProgramSkin(); }
    void TearDown() override
    {
        if (window && window->GetHWND() != nullptr)
            window->DestroyWindow();
        loop.RunUntilIdle();
        window.reset();
        ui::CResourceManager::GetInstance().LoadLanguage(L"lan_en.xml");
        ui::CPaintManagerUI::SetAllDPI(96);
    }

    void CreateWindow()
    {
        MainWndServices services;
        services.windows = &shell;
        services.screens = &screens;
        window = std::make_unique<CMainWnd>(services);
        shell.Attach(*window);
        ASSERT_TRUE(window->Create(loop, nullptr, L"VEXLO Dunwake 75 tri-mode", ui::WS_POPUP | ui::WS_VISIBLE, 0,
                                   {0, 0, 1000, 640}));
        loop.RunUntilIdle();
    }
    // The stand-in device discovery reports its first (empty) scan from its own thread, and the
    // window then shows and raises itself. Waits for that, so that it cannot take the focus
    // from a pop-up a test opens afterwards.
    void WaitUntilShown()
    {
        for (int i = 0; i < 500 && !window->IsWindowVisible(); ++i) {
            loop.RunUntilIdle();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(window->IsWindowVisible());
        backend.AdvanceClock(mainwnd::kDisplayCheckDelayMs * 2);
        loop.RunUntilIdle();
    }
    std::wstring Shown(const wchar_t* control) { return window->GetPaintManager().FindControl(control)->GetText(); }

    ui::headless::CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    platform::CMemoryRegistryStore store;
    platform::CFixedScreenInfo screens{platform::ScreenMetrics{1920, 1080, 530, 300}};
    CShellWindows shell{store, ShellWindowsPaths{ProgramFolder() + L"DefaultData/Language.config", {}}};
    std::unique_ptr<CMainWnd> window;
};

TEST_F(ShellWindowsTest, TheStoredLanguageIsAppliedAtStartAndMessage3089SwitchesIt)
{
    store.SetDword(platform::kProgramSettingsKey, platform::kLanguageValueName, 2052);
    CreateWindow();
    EXPECT_EQ(shell.GetLanguageSwitcher().GetCurrentIndex(), 1);
    EXPECT_EQ(Shown(L"device_list_title"), L"我的设备");

    window->SendMessage(mainwnd::kMsgLanguageChosen, 0, 0);
    EXPECT_EQ(shell.GetLanguageSwitcher().GetCurrentIndex(), 0);
    EXPECT_EQ(Shown(L"device_list_title"), L"MY DEVICES");
    EXPECT_EQ(store.GetDword(platform::kProgramSettingsKey, platform::kLanguageValueName), 1033u);
}

TEST_F(ShellWindowsTest, SkinChangesReachTheRootOfTheMainWindow)
{
    CreateWindow();
    ui::CControlUI* root = window->GetPaintManager().FindControl(L"root");
    ASSERT_NE(root, nullptr);
    SkinChangedParam colour;
    colour.bkColor = 0xFF3A1512;
    CSkinObserver::GetInstance().Broadcast(colour);
    EXPECT_EQ(root->GetBkColor(), 0xFF3A1512u);
    EXPECT_TRUE(root->GetBkImage().empty());

    SkinChangedParam image;
    image.bgImage = L"skin/bg_forest.png";
    CSkinObserver::GetInstance().Broadcast(image);
    EXPECT_EQ(root->GetBkColor(), 0u);
    EXPECT_EQ(root->GetBkImage(), L"skin/bg_forest.png");

    // A picture of the user's whose name holds '=' is still named as one file.
    image.bgImage = L"/home/user/Pictures/a=b.png";
    CSkinObserver::GetInstance().Broadcast(image);
    const auto parsed = ui::ParseImageAttribute(root->GetBkImage());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->file, L"/home/user/Pictures/a=b.png");
}

TEST_F(ShellWindowsTest, TheSkinButtonOpensTheSkinWindowUnderItAndASecondClickClosesIt)
{
    CreateWindow();
    WaitUntilShown();
    ui::CControlUI* button = window->GetPaintManager().FindControl(L"skinbtn");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(ClickControl(backend, window->GetHWND(), button));
    const ui::HWND frame = backend.GetActiveWindow();
    ASSERT_NE(frame, window->GetHWND());
    ASSERT_NE(FindIn(frame, skinframe::kTab), nullptr) << "the skin window is open";
    const ui::UIRect anchor = button->GetPos();
    const ui::UIRect main = window->GetWindowRect();
    const ui::UIRect rc = loop.FromHandle(frame)->GetWindowRect();
    EXPECT_EQ(rc.right, main.left + anchor.right);
    EXPECT_EQ(rc.top, main.top + anchor.bottom);

    shell.OpenSkinWindow();
    loop.RunUntilIdle();
    EXPECT_FALSE(loop.IsWindow(frame));
}

TEST_F(ShellWindowsTest, TrayMenuOpensAboveTheBottomPanel)
{
    CreateWindow();
    WaitUntilShown();
    // The headless screen is 1920 x 1080 with a 40-pixel panel at the bottom (work area top
    // 1040): the menu's bottom-right corner goes to (x, 1020).
    ASSERT_EQ(backend.GetScreenWorkArea({0, 0}).bottom, 1040);
    ASSERT_TRUE(backend.ClickTray(ui::TrayEvent::RightClick, {1800, 1060}));
    backend.AdvanceClock(mainwnd::kTrayMenuDelayMs);
    loop.RunUntilIdle();
    ui::CMenuWnd* menu = shell.GetTrayMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->GetHWND(), nullptr);
    const ui::UIRect rc = menu->GetWindowRect();
    EXPECT_EQ(rc.right, 1800);
    EXPECT_EQ(rc.bottom, 1020);
    for (const wchar_t* item : {L"about_menu", L"setwnd_menu", L"exit"})
        EXPECT_NE(FindIn(menu->GetHWND(), item), nullptr) << Narrow(item);
    EXPECT_EQ(FindIn(menu->GetHWND(), L"exit")->GetText(), L"Exit");
}

}  // namespace
}  // namespace dw::test
