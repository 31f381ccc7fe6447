// The Qt backend with real windows under Qt's offscreen platform: a skinned window is shown,
// painted, clicked with Qt mouse events and grabbed; the message loop waits inside Qt's event
// dispatcher and is woken by workers and timers.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "ui/backend/qt/CQtBackend.h"
#include "ui/backend/qt/CQtRenderContext.h"
#include "ui/backend/qt/QtKeyMap.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/WindowImplBase.h"

namespace dw::ui {
namespace {

constexpr const wchar_t* kSkin = LR"(<Window size="300,200" caption="0,0,0,30">
  <VerticalLayout name="root" bkcolor="#FF202020">
    <HorizontalLayout height="30" bkcolor="#FF303030">
      <Label name="title" text="Dunwake" textcolor="#FFFFFFFF" />
      <Button name="closebtn" width="30" text="X" textcolor="#FFFFFFFF" />
    </HorizontalLayout>
    <Button name="okbtn" height="40" bkcolor="#FF00C000" text="OK" />
  </VerticalLayout>
</Window>)";

class QtSkinnedWindow : public WindowImplBase {
public:
    int clicks = 0;
    int timers = 0;
    std::atomic<int> doubled{0};

    void Notify(TNotifyUI& msg) override
    {
        if (msg.sType == notify::kClick)
            ++clicks;
        WindowImplBase::Notify(msg);
    }
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        if (msg == WM_USER + 1) {
            handled = true;
            doubled = static_cast<int>(wParam * 2);
            return static_cast<LRESULT>(wParam * 2);
        }
        if (msg == WM_TIMER && wParam == 5) {
            ++timers;
            KillTimer(5);
            handled = true;
            return 0;
        }
        return WindowImplBase::HandleCustomMessage(msg, wParam, lParam, handled);
    }

protected:
    std::wstring GetWindowClassName() const override { return L"QtTestWnd"; }
    std::wstring GetSkinFile() override { return kSkin; }
};

class QtBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("QT_QPA_PLATFORM", "offscreen", 1); }

    qt::CQtBackend backend;
    CMessageLoop loop{backend};
    QtSkinnedWindow window;

    void SetUp() override
    {
        ASSERT_TRUE(window.Create(loop, nullptr, L"Dunwake test", WS_POPUP | WS_VISIBLE, 0, {10, 10, 310, 210}));
        loop.RunUntilIdle();
    }
    QWidget* Widget() const { return backend.GetNativeWidget(window.GetHWND()); }
};

TEST_F(QtBackendTest, OpensARealWindowThatPaintsItsSkin)
{
    QWidget* widget = Widget();
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->size(), QSize(300, 200));
    const QImage image = widget->grab().toImage();
    ASSERT_FALSE(image.isNull());
    const qreal ratio = image.devicePixelRatio();
    // Sampled left of the button's centred caption, so glyph edges never touch the point.
    EXPECT_EQ(image.pixelColor(static_cast<int>(20 * ratio), static_cast<int>(50 * ratio)), QColor(0x00, 0xC0, 0x00));
    EXPECT_EQ(image.pixelColor(static_cast<int>(150 * ratio), static_cast<int>(150 * ratio)), QColor(0x20, 0x20, 0x20));
}

TEST_F(QtBackendTest, QtMouseEventsBecomeClicks)
{
    Widget()->grab();  // paint once, so the tree is laid out as on screen
    QTest::mouseClick(Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 50));
    loop.RunUntilIdle();
    EXPECT_EQ(window.clicks, 1);
    QTest::mouseClick(Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(285, 15));
    loop.RunUntilIdle();
    EXPECT_EQ(window.GetHWND(), nullptr) << "closebtn closed the window";
}

TEST_F(QtBackendTest, LoopIsWokenByWorkersAndTimers)
{
    window.SetTimer(5, 20);
    loop.RunUntil([&] { return window.timers == 1; });
    EXPECT_EQ(window.timers, 1);

    std::atomic<LRESULT> answer{-1};
    std::thread worker([&] { answer = loop.SendMessage(window.GetHWND(), WM_USER + 1, 21); });
    loop.RunUntil([&] { return window.doubled.load() != 0; });
    worker.join();
    EXPECT_EQ(answer.load(), 42);

    std::thread quitter([&] { loop.PostQuitMessage(9); });
    EXPECT_EQ(loop.Run(), 9);
    quitter.join();
}

TEST(QtKeyMap, QtKeysMapToVirtualKeyCodes)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        UINT vk;
    };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, 0x41},          {Qt::Key_Z, Qt::ShiftModifier, 0x5A},
        {Qt::Key_5, Qt::NoModifier, 0x35},          {Qt::Key_5, Qt::KeypadModifier, 0x65},
        {Qt::Key_F1, Qt::NoModifier, 0x70},         {Qt::Key_F12, Qt::NoModifier, 0x7B},
        {Qt::Key_Return, Qt::NoModifier, VK_RETURN}, {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN},
        {Qt::Key_Escape, Qt::NoModifier, VK_ESCAPE}, {Qt::Key_Left, Qt::NoModifier, VK_LEFT},
        {Qt::Key_Tab, Qt::NoModifier, VK_TAB},       {Qt::Key_Backtab, Qt::ShiftModifier, VK_TAB},
        {Qt::Key_Minus, Qt::NoModifier, 0xBD},      {Qt::Key_Minus, Qt::KeypadModifier, 0x6D},
        {Qt::Key_Apostrophe, Qt::NoModifier, 0xDE}, {Qt::Key_unknown, Qt::NoModifier, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(qt::QtKeyToVirtualKey(c.key, c.modifiers), c.vk);
    }
}

}  // namespace
}  // namespace dw::ui
