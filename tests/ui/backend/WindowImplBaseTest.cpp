// Skinned windows, menus, the tray icon and file dialog filters on the headless backend.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/backend/headless/CHeadlessWindowHost.h"
#include "ui/core/CFileDialog.h"
#include "ui/core/CMenuWnd.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CTrayIcon.h"
#include "ui/core/WindowImplBase.h"

namespace dw::ui {
namespace {

using headless::CHeadlessBackend;

// 300 x 200; a 30-pixel caption row with a title label and a close button at its right end,
// then a green button, then the dark background.
constexpr const wchar_t* kSkin = LR"(<Window size="300,200" caption="0,0,0,30">
  <VerticalLayout name="root" bkcolor="#FF202020">
    <HorizontalLayout name="caption" height="30" bkcolor="#FF303030">
      <Label name="title" text="Title" />
      <Button name="minbtn" width="30" text="_" />
      <Button name="closebtn" width="30" text="X" />
    </HorizontalLayout>
    <Button name="okbtn" height="40" bkcolor="#FF00C000" />
  </VerticalLayout>
</Window>)";

constexpr UIPoint kTitlePoint{100, 15};
constexpr UIPoint kMinPoint{255, 15};
constexpr UIPoint kClosePoint{285, 15};
constexpr UIPoint kOkPoint{150, 50};
constexpr UIPoint kBackgroundPoint{150, 150};

class SkinnedWindow : public WindowImplBase {
public:
    int windowInits = 0;
    int clicks = 0;
    std::vector<std::wstring> menuCommands;
    bool finalMessage = false;

    void Notify(TNotifyUI& msg) override
    {
        if (msg.sType == notify::kWindowInit)
            ++windowInits;
        if (msg.sType == notify::kClick)
            ++clicks;
        WindowImplBase::Notify(msg);
    }

    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        if (msg == WM_MENUCLICK) {
            menuCommands.push_back(*reinterpret_cast<const std::wstring*>(wParam));
            handled = true;
            return 0;
        }
        return WindowImplBase::HandleCustomMessage(msg, wParam, lParam, handled);
    }

protected:
    std::wstring GetWindowClassName() const override { return L"TestWnd"; }
    std::wstring GetSkinFile() override { return kSkin; }
    void OnFinalMessage(HWND hwnd) override
    {
        finalMessage = true;
        WindowImplBase::OnFinalMessage(hwnd);
    }
};

class WindowImplBaseTest : public ::testing::Test {
protected:
    CHeadlessBackend backend;
    CMessageLoop loop{backend};
    SkinnedWindow window;

    void SetUp() override
    {
        ASSERT_TRUE(window.Create(loop, nullptr, L"test", WS_POPUP | WS_VISIBLE, 0));
        loop.RunUntilIdle();
    }
    HWND Hwnd() const { return window.GetHWND(); }
    headless::CHeadlessWindowHost& Host() { return *backend.GetHost(Hwnd()); }
};

TEST_F(WindowImplBaseTest, BuildsTheSkinAndSendsWindowInitOnce)
{
    EXPECT_EQ(window.GetWindowRect().GetWidth(), 300) << "the layout's size";
    EXPECT_EQ(window.GetWindowRect().GetHeight(), 200);
    EXPECT_NE(window.GetPaintManager().FindControl(L"okbtn"), nullptr);
    EXPECT_EQ(window.windowInits, 1);
    backend.Click(Hwnd(), kOkPoint);
    backend.AdvanceClock(1000);
    EXPECT_EQ(window.windowInits, 1);
    EXPECT_EQ(window.clicks, 1);
}

TEST_F(WindowImplBaseTest, CaptionButtonsDoTheirDefaultWork)
{
    backend.Click(Hwnd(), kMinPoint);
    EXPECT_TRUE(window.IsIconic());
    window.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    backend.Click(Hwnd(), kClosePoint);
    EXPECT_EQ(window.GetHWND(), nullptr) << "closebtn closes the window";
    EXPECT_TRUE(window.finalMessage);
}

TEST_F(WindowImplBaseTest, DraggingTheCaptionMovesTheWindowButNotFromAButton)
{
    struct Case {
        const char* name;
        UIPoint at;
        int moves;
    };
    const Case cases[] = {
        {"caption label", kTitlePoint, 1},
        {"button in the caption", kClosePoint, 0},
        {"below the caption", kBackgroundPoint, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = Host().GetSystemMoveCount();
        backend.MouseMove(Hwnd(), c.at);
        backend.MouseDown(Hwnd(), c.at);
        EXPECT_EQ(Host().GetSystemMoveCount() - before, c.moves);
        // Release outside every button so nothing is clicked.
        backend.MouseUp(Hwnd(), kBackgroundPoint);
    }
    EXPECT_NE(window.GetHWND(), nullptr);
    EXPECT_EQ(window.clicks, 0);
}

TEST_F(WindowImplBaseTest, RendersTheSkinIntoAnImage)
{
    const QImage image = backend.RenderToImage(Hwnd());
    ASSERT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(image.pixelColor(kOkPoint.x, kOkPoint.y), QColor(0x00, 0xC0, 0x00));
    EXPECT_EQ(image.pixelColor(kBackgroundPoint.x, kBackgroundPoint.y), QColor(0x20, 0x20, 0x20));
    EXPECT_EQ(image.pixelColor(kTitlePoint.x + 60, 5), QColor(0x30, 0x30, 0x30));

    Host().SetDevicePixelRatio(2.0);
    const QImage sharp = backend.RenderToImage(Hwnd());
    EXPECT_EQ(sharp.size(), QSize(600, 400)) << "drawn at the device pixel ratio";
    EXPECT_EQ(sharp.pixelColor(kOkPoint.x * 2, kOkPoint.y * 2), QColor(0x00, 0xC0, 0x00));
}

TEST_F(WindowImplBaseTest, AnIdleWindowAsksForNoRepaint)
{
    backend.RenderToImage(Hwnd());
    backend.AdvanceClock(5000);
    EXPECT_EQ(Host().GetInvalidateCount(), 0) << "nothing changes, so nothing is repainted";
}

constexpr const wchar_t* kMenu = LR"(<Menu width="120">
  <MenuElement name="about_menu" text="About" height="24" />
  <MenuElement name="exit" text="Exit" height="24" />
</Menu>)";

TEST_F(WindowImplBaseTest, ChoosingAMenuItemSendsItsNameToTheOwner)
{
    CMenuWnd menu;
    ASSERT_TRUE(menu.Init(window, kMenu, {500, 400}, CMenuWnd::kAlignLeft | CMenuWnd::kAlignTop));
    loop.RunUntilIdle();
    EXPECT_EQ(menu.GetWindowRect(), (UIRect{500, 400, 620, 448}));
    EXPECT_TRUE(menu.IsWindowVisible());
    backend.Click(menu.GetHWND(), {60, 36});  // the second item
    EXPECT_EQ(window.menuCommands, (std::vector<std::wstring>{L"exit"}));
    EXPECT_EQ(menu.GetHWND(), nullptr) << "the menu closes after a choice";
}

TEST_F(WindowImplBaseTest, MenuClosesWithoutChoiceOnEscapeOrWhenItLosesActivation)
{
    CMenuWnd menu;
    ASSERT_TRUE(menu.Init(window, kMenu, {500, 400}));
    backend.KeyPress(menu.GetHWND(), VK_ESCAPE);
    EXPECT_EQ(menu.GetHWND(), nullptr);

    ASSERT_TRUE(menu.Init(window, kMenu, {500, 400}));
    backend.MouseDown(Hwnd(), kBackgroundPoint);  // the owner becomes active
    backend.MouseUp(Hwnd(), kBackgroundPoint);
    EXPECT_EQ(menu.GetHWND(), nullptr);
    EXPECT_TRUE(window.menuCommands.empty());
}

TEST(CMenuWndPlacement, AlignmentChoosesTheCornerAtThePoint)
{
    const UIRect work{0, 0, 1920, 1040};
    const UISize size{100, 50};
    struct Case {
        UINT alignment;
        UIRect expected;
    };
    const Case cases[] = {
        {CMenuWnd::kAlignLeft | CMenuWnd::kAlignTop, {500, 500, 600, 550}},      // 6
        {CMenuWnd::kAlignTop | CMenuWnd::kAlignRight, {400, 500, 500, 550}},     // 12
        {CMenuWnd::kAlignLeft | CMenuWnd::kAlignBottom, {500, 450, 600, 500}},   // 18
        {CMenuWnd::kAlignRight | CMenuWnd::kAlignBottom, {400, 450, 500, 500}},  // 24
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        EXPECT_EQ(CMenuWnd::PlaceMenu({500, 500}, c.alignment, size, work), c.expected);
    }
    EXPECT_EQ(CMenuWnd::PlaceMenu({1900, 1030}, 6, size, work), (UIRect{1820, 990, 1920, 1040}))
        << "kept on the work area";
}

TEST_F(WindowImplBaseTest, TrayClicksArriveAsTheCallbackMessage)
{
    struct TrayWindow : SkinnedWindow {
        std::vector<LPARAM> events;
        LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override
        {
            if (msg == CTrayIcon::kDefaultCallbackMessage) {
                events.push_back(lParam);
                handled = true;
                return 0;
            }
            return SkinnedWindow::HandleCustomMessage(msg, wParam, lParam, handled);
        }
    } owner;
    ASSERT_TRUE(owner.Create(loop, nullptr, L"tray owner", WS_POPUP, 0));
    CTrayIcon tray;
    ASSERT_TRUE(tray.CreateTrayIcon(loop, owner.GetHWND(), L"icon.png", L"tool tip"));
    backend.ClickTray(TrayEvent::LeftClick, {10, 1070});
    backend.ClickTray(TrayEvent::RightClick, {12, 1071});
    EXPECT_EQ(owner.events, (std::vector<LPARAM>{WM_LBUTTONUP, WM_RBUTTONUP}));
    EXPECT_EQ(tray.GetLastClickPoint(), (UIPoint{12, 1071}));
    tray.DeleteTrayIcon();
    EXPECT_FALSE(backend.ClickTray(TrayEvent::LeftClick));
}

TEST(CFileDialogFilter, ParsesTheProgramsFilterStrings)
{
    struct Case {
        const wchar_t* filter;
        std::vector<FileDialogFilter> expected;
    };
    const Case cases[] = {
        {L"Profile Files(*.json)|*.json;|", {{L"Profile Files(*.json)", {L"*.json"}}}},
        {L"(*.png) | *.png |(*.*)|*.*||", {{L"(*.png)", {L"*.png"}}, {L"(*.*)", {L"*.*"}}}},
        {L"Images|*.png; *.jpg", {{L"Images", {L"*.png", L"*.jpg"}}}},
        {L"Everything", {{L"Everything", {L"*"}}}},
        {L"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.filter)));
        const auto parsed = CFileDialog::ParseFilter(c.filter);
        ASSERT_EQ(parsed.size(), c.expected.size());
        for (size_t i = 0; i < parsed.size(); ++i) {
            EXPECT_EQ(parsed[i].description, c.expected[i].description);
            EXPECT_EQ(parsed[i].patterns, c.expected[i].patterns);
        }
    }
}

TEST(CFileDialogFilter, DialogsGoThroughTheBackend)
{
    CHeadlessBackend backend;
    backend.SetNextFileDialogResult(L"/tmp/profile.json");
    EXPECT_EQ(CFileDialog::Open(backend, nullptr, L"Profile Files(*.json)|*.json;|"), L"/tmp/profile.json");
    ASSERT_EQ(backend.GetLastFileDialogFilters().size(), 1u);
    EXPECT_EQ(CFileDialog::Save(backend, nullptr, L"Macro Files(*.mac)|*.mac;|"), L"") << "cancelled";
}

}  // namespace
}  // namespace dw::ui
