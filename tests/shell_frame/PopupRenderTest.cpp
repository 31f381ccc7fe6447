// Pictures of the shell's pop-up windows as a user sees them, in both languages, written to the
// build folder for review. The check is that each window builds and paints.

#include <gtest/gtest.h>

#include <filesystem>

#include "FrameTestSupport.h"
#include "shell/frame/CAboutWnd.h"
#include "shell/frame/CMsgWnd.h"
#include "shell/frame/CSkinFrame.h"
#include "shell/frame/MessageTexts.h"
#include "ui/core/CMenuWnd.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::test {
namespace {

class PopupRenderTest : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage(GetParam()));
        ASSERT_TRUE(owner.Create(loop, nullptr, L"owner", ui::WS_POPUP | ui::WS_VISIBLE, 0, {100, 100, 1100, 740}));
        loop.RunUntilIdle();
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        loop.RunUntilIdle();
        ui::CResourceManager::GetInstance().LoadLanguage(L"lan_en.xml");
    }

    void Save(ui::HWND hwnd, const std::string& what)
    {
        const std::string language = GetParam() == std::wstring(L"lan_en.xml") ? "en" : "cn";
        const std::string png = std::filesystem::current_path().string() + "/popup_" + what + "_" + language + ".png";
        backend.FlushPaints();
        EXPECT_TRUE(backend.SavePng(hwnd, png)) << png;
    }

    ui::headless::CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    OwnerWindow owner;
};

TEST_P(PopupRenderTest, MessageBox)
{
    owner.ActLater([&] {
        Save(backend.GetActiveWindow(), "message");
        ClickControl(backend, backend.GetActiveWindow(), msgbox::kCancelButton);
    });
    ShowMessageBox(owner, {}, msgtext::MessageTextKey(msgtext::kMacroInUse), 96, true, msgbox::kButtonsConfirmCancel);
}

TEST_P(PopupRenderTest, AboutBox)
{
    owner.ActLater([&] {
        Save(backend.GetActiveWindow(), "about");
        ClickControl(backend, backend.GetActiveWindow(), L"closebtn");
    });
    ShowAboutBox(owner, {});
}

TEST_P(PopupRenderTest, SkinWindowBothPages)
{
    CSkinFrame* frame = CSkinFrame::Open(loop, owner.GetHWND(), {900, 110, 932, 142}, {});
    ASSERT_NE(frame, nullptr);
    const ui::HWND hwnd = frame->GetHWND();
    loop.RunUntilIdle();
    Save(hwnd, "skin_pictures");
    ClickControl(backend, hwnd, skinframe::kColourPage);
    Save(hwnd, "skin_colours");
}

TEST_P(PopupRenderTest, TrayMenu)
{
    ui::CMenuWnd menu;
    ASSERT_TRUE(menu.Init(owner, L"menu.xml", {1800, 1020}, 24));
    loop.RunUntilIdle();
    Save(menu.GetHWND(), "tray_menu");
}

INSTANTIATE_TEST_SUITE_P(Languages, PopupRenderTest, ::testing::Values(L"lan_en.xml", L"lan_cn.xml"));

}  // namespace
}  // namespace dw::test
