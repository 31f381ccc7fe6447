// Notifications fired by simulated input through the paint manager's message handler: when
// they come, in which order, and when they must not come.

#include <gtest/gtest.h>

#include "UITestHarness.h"
#include "ui/core/CButtonUI.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/COptionUI.h"
#include "ui/core/CProgressUI.h"
#include "ui/core/CScrollBarUI.h"

namespace dw::ui::test {
namespace {

const wchar_t* const kButtons =
    L"<Window><VerticalLayout name='root'>"
    L"<Button name='ok' height='40' text='OK'/>"
    L"<Button name='off' height='40' enabled='false'/>"
    L"<HorizontalLayout name='group' height='40' enabled='false'><Button name='inner'/></HorizontalLayout>"
    L"<Label name='label' height='40'/>"
    L"<Button name='other' height='40'/>"
    L"</VerticalLayout></Window>";

TEST(Input, WindowInitIsPostedOnceAfterAttach)
{
    UITestWindow window;
    CControlUI* root = window.builder.Create(kButtons, {}, nullptr, &window.manager);
    ASSERT_NE(root, nullptr);
    window.manager.AttachDialog(root);
    EXPECT_EQ(window.Count(notify::kWindowInit), 0) << "delivered after the attaching message, not inside it";
    window.Pump();
    EXPECT_EQ(window.Count(notify::kWindowInit, L"root"), 1);

    // A second tree (a skin reload) does not initialise the window again.
    window.manager.AttachDialog(window.builder.Create(L"<Window><Control name='root2'/></Window>", {}, nullptr, &window.manager));
    window.Pump();
    EXPECT_EQ(window.Count(notify::kWindowInit), 1);
}

TEST(Input, ClickComesOnReleaseInsideThePressedButton)
{
    UITestWindow window;
    window.Load(kButtons);
    window.notifications.clear();
    auto* ok = static_cast<CButtonUI*>(window.Find(L"ok")->GetInterface(L"Button"));
    const UIPoint inside = UITestWindow::Center(ok);

    window.Press(inside);
    EXPECT_EQ(window.Count(notify::kClick), 0) << "no click on the press";
    EXPECT_NE(ok->GetButtonState() & UISTATE_PUSHED, 0u);
    EXPECT_TRUE(window.host.captured);
    window.Release(inside);
    EXPECT_EQ(window.Count(notify::kClick, L"ok"), 1);
    EXPECT_FALSE(window.host.captured);

    // Pressed, dragged out and released elsewhere: no click, on either control.
    window.notifications.clear();
    window.Press(inside);
    window.MoveTo(UITestWindow::Center(window.Find(L"other")));
    EXPECT_EQ(ok->GetButtonState() & UISTATE_PUSHED, 0u) << "pushed look only while over the button";
    window.Release(UITestWindow::Center(window.Find(L"other")));
    EXPECT_EQ(window.Count(notify::kClick), 0);

    // Pressed elsewhere and released over the button: no click either.
    window.Press(UITestWindow::Center(window.Find(L"label")));
    window.Release(inside);
    EXPECT_EQ(window.Count(notify::kClick), 0);
}

TEST(Input, DisabledControlsAndChildrenOfDisabledContainersGetNothing)
{
    UITestWindow window;
    window.Load(kButtons);
    window.notifications.clear();
    window.Click(L"off");
    window.Click(L"inner");
    EXPECT_TRUE(window.notifications.empty()) << "first: " << std::string(window.Types().empty() ? "" : "notification");
    EXPECT_EQ(window.manager.GetFocus(), nullptr);

    // Enabled again, it clicks.
    window.Find(L"off")->SetEnabled(true);
    window.Click(L"off");
    EXPECT_EQ(window.Count(notify::kClick, L"off"), 1);
}

TEST(Input, HoverStateFollowsThePointer)
{
    UITestWindow window;
    window.Load(kButtons);
    auto* ok = static_cast<CButtonUI*>(window.Find(L"ok")->GetInterface(L"Button"));
    window.MoveTo(UITestWindow::Center(ok));
    EXPECT_EQ(window.manager.GetHover(), ok);
    EXPECT_NE(ok->GetButtonState() & UISTATE_HOT, 0u);
    window.MoveTo(UITestWindow::Center(window.Find(L"label")));
    EXPECT_EQ(ok->GetButtonState() & UISTATE_HOT, 0u);
    window.MoveTo(UITestWindow::Center(ok));
    window.Send(WM_MOUSELEAVE);
    EXPECT_EQ(ok->GetButtonState() & UISTATE_HOT, 0u);
    EXPECT_EQ(window.manager.GetHover(), nullptr);
}

TEST(Input, TabCyclesFocusAndEnterOrSpaceActivates)
{
    UITestWindow window;
    window.Load(kButtons);
    window.notifications.clear();
    window.Key(VK_TAB);
    EXPECT_EQ(window.manager.GetFocus(), window.Find(L"ok"));
    window.Key(VK_TAB);
    EXPECT_EQ(window.manager.GetFocus(), window.Find(L"other")) << "disabled buttons are skipped";
    window.Key(VK_TAB);
    EXPECT_EQ(window.manager.GetFocus(), window.Find(L"ok")) << "wraps";
    window.Send(WM_KEYDOWN, VK_SHIFT);
    window.Key(VK_TAB);
    window.Send(WM_KEYUP, VK_SHIFT);
    EXPECT_EQ(window.manager.GetFocus(), window.Find(L"other")) << "Shift+Tab goes back";

    window.notifications.clear();
    window.Key(VK_RETURN);
    window.Key(VK_SPACE);
    EXPECT_EQ(window.Count(notify::kClick, L"other"), 2);
}

TEST(Input, FocusMovesWithKillfocusBeforeSetfocus)
{
    UITestWindow window;
    window.Load(kButtons);
    window.Click(L"ok");
    window.notifications.clear();
    window.Click(L"other");
    const std::vector<std::wstring> expected{notify::kKillFocus, notify::kSetFocus, notify::kClick};
    EXPECT_EQ(window.Types(), expected);
    EXPECT_EQ(window.notifications[0].sender, L"ok");
    EXPECT_EQ(window.notifications[1].sender, L"other");
}

const wchar_t* const kOptions =
    L"<Window><VerticalLayout>"
    L"<Option name='a' group='g' height='30' selected='true'/>"
    L"<Option name='b' group='g' height='30'/>"
    L"<Option name='c' group='g' height='30'/>"
    L"<CheckBox name='check' height='30'/>"
    L"</VerticalLayout></Window>";

TEST(Input, SelectChangedOncePerChangeInsideAGroup)
{
    UITestWindow window;
    window.Load(kOptions);
    auto option = [&](const wchar_t* name) { return static_cast<COptionUI*>(window.Find(name)->GetInterface(L"Option")); };
    window.notifications.clear();

    window.Click(L"b");
    EXPECT_TRUE(option(L"b")->IsSelected());
    EXPECT_FALSE(option(L"a")->IsSelected());
    EXPECT_EQ(window.Count(notify::kSelectChanged, L"a"), 1);
    EXPECT_EQ(window.Count(notify::kSelectChanged, L"b"), 1);
    EXPECT_EQ(window.Count(notify::kSelectChanged, L"c"), 0) << "c did not change";
    EXPECT_EQ(window.Count(notify::kClick, L"b"), 1);

    // Clicking the selected option of a group changes nothing.
    window.notifications.clear();
    window.Click(L"b");
    EXPECT_EQ(window.Count(notify::kSelectChanged), 0);
    EXPECT_TRUE(option(L"b")->IsSelected());

    // A check box toggles on each click.
    window.notifications.clear();
    window.Click(L"check");
    window.Click(L"check");
    EXPECT_EQ(window.Count(notify::kSelectChanged, L"check"), 2);
    EXPECT_FALSE(option(L"check")->IsSelected());
}

TEST(Input, ControlTimersFollowTheVirtualClock)
{
    UITestWindow window;
    window.Load(kButtons);
    CControlUI* ok = window.Find(L"ok");
    ASSERT_TRUE(ok->SetTimer(7, 100));
    window.notifications.clear();
    window.Advance(99);
    EXPECT_EQ(window.Count(notify::kTimer), 0);
    window.Advance(1);
    EXPECT_EQ(window.Count(notify::kTimer, L"ok"), 1);
    EXPECT_EQ(window.notifications.back().wParam, 7u);
    window.Advance(250);
    EXPECT_EQ(window.Count(notify::kTimer, L"ok"), 3);
    ok->KillTimer(7);
    window.Advance(1000);
    EXPECT_EQ(window.Count(notify::kTimer), 3);

    // A control that leaves the tree takes its timers with it.
    ASSERT_TRUE(window.Find(L"other")->SetTimer(1, 10));
    auto* root = static_cast<CContainerUI*>(window.Find(L"root")->GetInterface(L"Container"));
    root->Remove(window.Find(L"other"));
    EXPECT_TRUE(window.host.timers.empty());
    window.Advance(100);
    EXPECT_EQ(window.Count(notify::kTimer), 3);
}

// A click handler that removes the button it was clicked on (a common "delete this row").
class RemoveSender : public INotifyUI {
public:
    void Notify(TNotifyUI& msg) override
    {
        if (msg.sType != notify::kClick)
            return;
        auto* parent = static_cast<CContainerUI*>(msg.pSender->GetParent()->GetInterface(L"Container"));
        parent->Remove(msg.pSender);
        // The sender stays valid until the dispatch ends.
        EXPECT_EQ(msg.pSender->GetName(), L"ok");
        ++removed;
    }
    int removed = 0;
};

TEST(Input, RemovingTheSenderInsideItsClickIsSafe)
{
    UITestWindow window;
    window.Load(kButtons);
    RemoveSender remover;
    window.manager.AddNotifier(&remover);
    window.Click(L"ok");
    window.manager.RemoveNotifier(&remover);
    EXPECT_EQ(remover.removed, 1);
    EXPECT_EQ(window.Find(L"ok"), nullptr);
    EXPECT_EQ(window.manager.GetHover() == nullptr || window.manager.GetHover()->GetName() != L"ok", true);
}

TEST(Input, WindowLosingFocusEndsAPressWithoutClick)
{
    UITestWindow window;
    window.Load(kButtons);
    window.notifications.clear();
    window.Press(UITestWindow::Center(window.Find(L"ok")));
    window.Send(WM_KILLFOCUS);
    window.Release(UITestWindow::Center(window.Find(L"ok")));
    EXPECT_EQ(window.Count(notify::kClick), 0);
    EXPECT_FALSE(window.host.captured);
}

TEST(Input, ScrollBarArrowsRepeatPagesAndThumbDragRaiseScroll)
{
    UITestWindow window(200, 300);
    window.Load(L"<Window><HorizontalLayout><ScrollBar name='sb' width='16' range='100' linesize='10'/>"
                L"<Control/></HorizontalLayout></Window>");
    auto* bar = static_cast<CScrollBarUI*>(window.Find(L"sb")->GetInterface(L"ScrollBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetButton2Rect(), Rect(0, 284, 16, 300));
    window.notifications.clear();

    // Held on the down arrow: one line at once, then one per repeat until released.
    const UIPoint arrow{8, 292};
    window.Press(arrow);
    EXPECT_EQ(bar->GetScrollPos(), 10);
    window.Advance(100);
    EXPECT_EQ(bar->GetScrollPos(), 30);
    window.Release(arrow);
    window.Advance(500);
    EXPECT_EQ(bar->GetScrollPos(), 30);
    EXPECT_EQ(window.Count(notify::kScroll, L"sb"), 3);
    EXPECT_EQ(window.notifications.back().wParam, 30u);

    // A click on the rail below the thumb pages (clamped at the end of the range).
    const UIRect thumb = bar->GetThumbRect();
    window.Press({8, thumb.bottom + 2});
    window.Release({8, thumb.bottom + 2});
    EXPECT_EQ(bar->GetScrollPos(), 100);

    // Dragging the thumb by half its travel moves half the range.
    bar->SetScrollPos(0);
    const UIRect top = bar->GetThumbRect();
    const int travel = 268 - top.GetHeight();
    const UIPoint grab{8, (top.top + top.bottom) / 2};
    window.Press(grab);
    window.MoveTo({8, grab.y + travel / 2});
    EXPECT_NEAR(bar->GetScrollPos(), 50, 2);
    window.MoveTo({100, grab.y + travel * 4});
    EXPECT_EQ(bar->GetScrollPos(), 100) << "the drag goes on outside the bar and is clamped";
    window.Release({100, grab.y});
}

TEST(Input, ProgressFillsItsShareHorizontallyAndVertically)
{
    UITestWindow window(200, 100);
    window.Load(L"<Window><VerticalLayout>"
                L"<Progress name='h' height='20' min='0' max='200' value='50'/>"
                L"<Progress name='v' height='80' hor='false' value='25'/>"
                L"<Progress name='late' height='20' value='150' max='300'/></VerticalLayout></Window>");
    auto progress = [&](const wchar_t* name) { return static_cast<CProgressUI*>(window.Find(name)->GetInterface(L"Progress")); };
    EXPECT_EQ(progress(L"h")->GetFilledRect(), Rect(0, 0, 50, 20));
    EXPECT_EQ(progress(L"v")->GetFilledRect(), Rect(0, 80, 200, 100));
    progress(L"h")->SetValue(500);
    EXPECT_EQ(progress(L"h")->GetValue(), 200);
    // A value written before the range that holds it is not cut to the default maximum.
    EXPECT_EQ(progress(L"late")->GetValue(), 150);
}

TEST(Input, AnIdleWindowDoesNotAskForRepaints)
{
    struct NullContext : IRenderContext {
        void FillRect(const UIRect&, UIColor) override {}
        void FillRoundRect(const UIRect&, int, int, UIColor) override {}
        void FillGradient(const UIRect&, UIColor, UIColor, bool) override {}
        void DrawRect(const UIRect&, int, UIColor, int, int) override {}
        void DrawLine(UIPoint, UIPoint, int, UIColor) override {}
        void FillEllipse(const UIRect&, UIColor) override {}
        void DrawArc(const UIRect&, double, double, int, UIColor) override {}
        void DrawImage(const UIImage&, const UIRect&, const UIImageDrawParams&) override {}
        void DrawText(const std::wstring&, const UIRect&, const UIFontSpec&, UIColor, UINT) override {}
        void PushClip(const UIRect&) override {}
        void PopClip() override {}
    } context;
    UITestWindow window(200, 100);
    window.Load(L"<Window><VerticalLayout padding='2,2,2,2' vscrollbar='true'><Label text='x' autocalcwidth='true'/>"
                L"<Control height='500'/></VerticalLayout></Window>");
    window.manager.Paint(context, window.host.client);
    window.host.invalidateCount = 0;
    window.manager.Paint(context, window.host.client);
    window.manager.Paint(context, window.host.client);
    EXPECT_EQ(window.host.invalidateCount, 0);
    EXPECT_FALSE(window.manager.IsUpdateNeeded());
}

}  // namespace
}  // namespace dw::ui::test
