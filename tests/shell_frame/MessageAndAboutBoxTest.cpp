// The message box and the about box on the program's skin, driven through the headless backend
// while they run modally.

#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "shell/frame/CAboutWnd.h"
#include "shell/frame/CMsgWnd.h"
#include "shell/frame/MessageTexts.h"
#include "shell/frame/ShellFrameMessages.h"
#include "transport/DeviceTables.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::test {
namespace {

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseProgramSkin();
        ASSERT_TRUE(owner.Create(loop, nullptr, L"owner", ui::WS_POPUP | ui::WS_VISIBLE, 0, {100, 100, 700, 500}));
        loop.RunUntilIdle();
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        loop.RunUntilIdle();
        ui::CPaintManagerUI::SetAllDPI(96);
    }

    // The pop-up the modal loop runs: the active window.
    ui::HWND Popup() const { return backend.GetActiveWindow(); }

    ui::headless::CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    OwnerWindow owner;
};

struct BoxCase {
    const char* name;
    int buttons;
    const wchar_t* click;     // the control the user clicks
    int result;
    bool cancelVisible;
};

TEST_F(PopupTest, MessageBoxButtonsAndResults)
{
    const BoxCase cases[] = {
        {"information box confirmed", msgbox::kButtonsConfirmOnly, msgbox::kConfirmButton, msgbox::kConfirmed, false},
        {"information box closed", msgbox::kButtonsConfirmOnly, L"closebtn", msgbox::kCancelled, false},
        {"confirmation confirmed", msgbox::kButtonsConfirmCancel, msgbox::kConfirmButton, msgbox::kConfirmed, true},
        {"confirmation cancelled", msgbox::kButtonsConfirmCancel, msgbox::kCancelButton, msgbox::kCancelled, true},
        {"confirmation closed", msgbox::kButtonsConfirmCancel, L"closebtn", msgbox::kCancelled, true},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        bool cancelVisible = !c.cancelVisible;
        bool clicked = false;
        owner.ActLater([&] {
            ui::CControlUI* cancel = FindIn(Popup(), msgbox::kCancelButton);
            cancelVisible = cancel != nullptr && cancel->IsVisible();
            clicked = ClickControl(backend, Popup(), c.click);
        });
        EXPECT_EQ(ShowMessageBox(owner, {}, msgtext::MessageTextKey(msgtext::kRestoreDefaults), 96, true, c.buttons), c.result);
        EXPECT_TRUE(clicked);
        EXPECT_EQ(cancelVisible, c.cancelVisible);
    }
}

TEST_F(PopupTest, MessageTextIsALanguageKeyOnlyWhenFlagged)
{
    const std::wstring key = msgtext::MessageTextKey(msgtext::kDeleteProfile);
    for (bool flagged : {true, false}) {
        std::wstring shown;
        std::wstring title;
        owner.ActLater([&] {
            shown = FindIn(Popup(), msgbox::kTextControl)->GetText();
            title = FindIn(Popup(), msgbox::kTitleControl)->GetText();
            ClickControl(backend, Popup(), msgbox::kConfirmButton);
        });
        ShowMessageBox(owner, {}, key, 96, flagged, msgbox::kButtonsConfirmOnly);
        EXPECT_EQ(shown, flagged ? ui::CResourceManager::GetInstance().GetText(key) : key) << flagged;
        EXPECT_EQ(title, ui::CResourceManager::GetInstance().GetText(L"message_title_text")) << "the skin's own title stays";
    }
    EXPECT_NE(ui::CResourceManager::GetInstance().GetText(key), key) << "the English file has the message";
}

TEST_F(PopupTest, MessageBoxDpiOutsideTheListBecomes96)
{
    struct Case {
        int given;
        int applied;
    };
    for (const Case c : {Case{100, 96}, Case{144, 144}, Case{0, 96}, Case{-96, 96}, Case{192, 192}, Case{193, 96}}) {
        owner.GetPaintManager().SetDPI(120);
        int boxDpi = 0;
        owner.ActLater([&] {
            boxDpi = PaintManagerOf(Popup())->GetDPI();
            ClickControl(backend, Popup(), msgbox::kConfirmButton);
        });
        EXPECT_EQ(ShowMessageBox(owner, {}, L"x", c.given, false, msgbox::kButtonsConfirmOnly), msgbox::kConfirmed) << c.given;
        EXPECT_EQ(boxDpi, c.applied) << c.given;
        EXPECT_EQ(owner.GetPaintManager().GetDPI(), c.applied) << "every window takes the density";
    }
}

TEST_F(PopupTest, AMessageBoxThatGoesWithoutAnswerIsNotAConfirmation)
{
    // The owner is destroyed while the box is open: the box goes with it, and nothing was
    // confirmed.
    owner.ActLater([&] { owner.DestroyWindow(); });
    EXPECT_EQ(ShowMessageBox(owner, {}, L"x", 96, false, msgbox::kButtonsConfirmCancel), msgbox::kCancelled);
}

TEST_F(PopupTest, AboutBoxShowsTheVersionTextAndFollowsLanguageChanges)
{
    const std::wstring tag(kModelNames.back().versionTag);
    ASSERT_EQ(tag, L"W2200");
    std::wstring english;
    std::wstring chinese;
    ui::HWND openHandle = nullptr;
    bool stillOpenAfterSysClose = true;
    owner.ActLater([&] {
        ui::HWND about = Popup();
        english = FindIn(about, aboutbox::kVersionLabel)->GetText();
        ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage(L"lan_cn.xml"));
        loop.SendMessage(about, shellframe::kMsgLanguageChanged, 0, 0);
        chinese = FindIn(about, aboutbox::kVersionLabel)->GetText();
        // The desktop's close closes the about box only.
        loop.SendMessage(about, ui::WM_SYSCOMMAND, ui::SC_CLOSE, 0);
        loop.RunUntilIdle();
        stillOpenAfterSysClose = loop.IsWindow(about);
    });
    ShowAboutBox(owner, [&](ui::HWND hwnd) {
        if (hwnd != nullptr)
            openHandle = hwnd;
        else
            openHandle = reinterpret_cast<ui::HWND>(-1);
    });
    ui::CResourceManager::GetInstance().LoadLanguage(L"lan_en.xml");
    EXPECT_EQ(english, L"Version W2200");
    EXPECT_EQ(chinese, L"版本 W2200");
    EXPECT_FALSE(stillOpenAfterSysClose);
    EXPECT_FALSE(loop.IsQuitRequested()) << "closing the about box does not end the program";
    EXPECT_EQ(openHandle, reinterpret_cast<ui::HWND>(-1)) << "the owner is told when the box has gone";
}

TEST_F(PopupTest, AboutBoxCloseButton)
{
    bool clicked = false;
    owner.ActLater([&] { clicked = ClickControl(backend, Popup(), L"closebtn"); });
    ShowAboutBox(owner, {});
    // ShowAboutBox returned: the box is gone.
    EXPECT_TRUE(clicked);
}

}  // namespace
}  // namespace dw::test
