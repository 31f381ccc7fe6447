// Layout results of the four layouts and floating controls, built from real layout XML.

#include <gtest/gtest.h>

#include "UITestHarness.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CScrollBarUI.h"
#include "ui/core/CTabLayoutUI.h"

namespace dw::ui::test {
namespace {

struct LayoutCase {
    const char* what;
    const wchar_t* xml;
    std::vector<std::pair<const wchar_t*, UIRect>> expected;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, PlacesNamedControls)
{
    const LayoutCase& c = GetParam();
    UITestWindow window(400, 300);
    ASSERT_NE(window.Load(c.xml), nullptr) << window.builder.GetLastErrorMessage();
    EXPECT_FALSE(window.builder.HasErrors()) << window.builder.GetLastErrorMessage();
    for (const auto& [name, rc] : c.expected) {
        CControlUI* control = window.Find(name);
        ASSERT_NE(control, nullptr) << c.what << ": " << std::string(name, name + wcslen(name));
        EXPECT_EQ(control->GetPos(), rc) << c.what << ": control " << std::string(name, name + wcslen(name));
    }
}

const LayoutCase kLayoutCases[] = {
    {"horizontal: fixed widths first, the rest shared evenly",
     L"<Window><HorizontalLayout name='root'>"
     L"<Control name='a' width='100'/><Control name='b'/><Control name='c'/>"
     L"</HorizontalLayout></Window>",
     {{L"root", Rect(0, 0, 400, 300)}, {L"a", Rect(0, 0, 100, 300)}, {L"b", Rect(100, 0, 250, 300)},
      {L"c", Rect(250, 0, 400, 300)}}},
    {"horizontal: inset, child padding and child padding around each child",
     L"<Window><HorizontalLayout inset='10,20,10,20' childpadding='5'>"
     L"<Control name='a' width='50' padding='3,4,7,2'/><Control name='b'/>"
     L"</HorizontalLayout></Window>",
     {{L"a", Rect(13, 24, 63, 278)}, {L"b", Rect(75, 20, 390, 280)}}},
    {"horizontal: a stretching child below its min width takes the min, the rest is reshared",
     L"<Window><HorizontalLayout>"
     L"<Control name='a' width='300'/><Control name='b' minwidth='80'/><Control name='c'/>"
     L"</HorizontalLayout></Window>",
     {{L"a", Rect(0, 0, 300, 300)}, {L"b", Rect(300, 0, 380, 300)}, {L"c", Rect(380, 0, 400, 300)}}},
    {"horizontal: a stretching child above its max width takes the max",
     L"<Window><HorizontalLayout>"
     L"<Control name='a' maxwidth='50'/><Control name='b'/>"
     L"</HorizontalLayout></Window>",
     {{L"a", Rect(0, 0, 50, 300)}, {L"b", Rect(50, 0, 400, 300)}}},
    {"horizontal: fixed height aligned by childvalign",
     L"<Window><HorizontalLayout childvalign='vcenter'>"
     L"<Control name='a' width='40' height='100'/>"
     L"</HorizontalLayout></Window>",
     {{L"a", Rect(0, 100, 40, 200)}}},
    {"vertical: fixed heights, stretch and child padding",
     L"<Window><VerticalLayout childpadding='10'>"
     L"<Control name='top' height='30'/><Control name='mid'/><Control name='bottom' height='60'/>"
     L"</VerticalLayout></Window>",
     {{L"top", Rect(0, 0, 400, 30)}, {L"mid", Rect(0, 40, 400, 230)}, {L"bottom", Rect(0, 240, 400, 300)}}},
    {"vertical: min height and fixed width centred by childalign",
     L"<Window><VerticalLayout childalign='center'>"
     L"<Control name='a' height='280'/><Control name='b' minheight='50' width='100'/>"
     L"</VerticalLayout></Window>",
     {{L"a", Rect(0, 0, 400, 280)}, {L"b", Rect(150, 280, 250, 330)}}},
    {"float: pos inside the parent, out of the flow",
     L"<Window><VerticalLayout inset='5,5,5,5'>"
     L"<Control name='flow'/><Control name='f' float='true' pos='20,30,70,50'/>"
     L"</VerticalLayout></Window>",
     {{L"flow", Rect(5, 5, 395, 295)}, {L"f", Rect(20, 30, 70, 50)}}},
    {"relative float: edges follow fractions of the parent",
     L"<Window><VerticalLayout>"
     L"<Control name='f' float='0.5,0.5,0.5,0.5' pos='-20,-10,20,10'/>"
     L"</VerticalLayout></Window>",
     {{L"f", Rect(180, 140, 220, 160)}}},
    {"tab: every page gets the client area",
     L"<Window><TabLayout name='tab' inset='1,2,3,4'><Control name='p0'/><Control name='p1'/></TabLayout></Window>",
     {{L"p0", Rect(1, 2, 397, 296)}}},
    {"tile: columns share the width, rows as high as the tallest fixed child",
     L"<Window><TileLayout columns='3' childpadding='5'>"
     L"<Control name='t0' height='40'/><Control name='t1'/><Control name='t2'/><Control name='t3' height='20'/>"
     L"</TileLayout></Window>",
     {{L"t0", Rect(0, 0, 130, 40)}, {L"t1", Rect(135, 0, 265, 40)}, {L"t2", Rect(270, 0, 400, 40)},
      {L"t3", Rect(0, 45, 130, 65)}}},
    {"tile: item size decides the columns",
     L"<Window><TileLayout itemsize='120,50'>"
     L"<Control name='t0'/><Control name='t1'/><Control name='t2'/><Control name='t3'/>"
     L"</TileLayout></Window>",
     {{L"t0", Rect(0, 0, 120, 50)}, {L"t2", Rect(240, 0, 360, 50)}, {L"t3", Rect(0, 50, 120, 100)}}},
    {"label with autocalcwidth is as wide as its text plus padding",
     L"<Window><HorizontalLayout>"
     L"<Label name='l' text='abcd' autocalcwidth='true' textpadding='3,0,5,0'/><Control name='rest'/>"
     L"</HorizontalLayout></Window>",
     {{L"l", Rect(0, 0, 36, 300)}, {L"rest", Rect(36, 0, 400, 300)}}},
};

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutTest, ::testing::ValuesIn(kLayoutCases));

TEST(LayoutBehaviour, TabShowsOnlyTheSelectedPageAndRaisesTabselect)
{
    UITestWindow window;
    window.Load(L"<Window><TabLayout name='tab' selectedid='1'>"
                L"<Control name='p0'/><Control name='p1'/><Control name='p2'/></TabLayout></Window>");
    auto* tab = static_cast<CTabLayoutUI*>(window.Find(L"tab")->GetInterface(L"TabLayout"));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_FALSE(window.Find(L"p0")->IsVisible());
    EXPECT_TRUE(window.Find(L"p1")->IsVisible());

    window.notifications.clear();
    EXPECT_TRUE(tab->SelectItem(2));
    EXPECT_TRUE(tab->SelectItem(2));  // no change, no second notification
    EXPECT_FALSE(tab->SelectItem(3));
    EXPECT_EQ(window.Count(notify::kTabSelect, L"tab"), 1);
    EXPECT_TRUE(window.Find(L"p2")->IsVisible());
    EXPECT_FALSE(window.Find(L"p1")->IsVisible());

    // Removing the shown page shows the one that took its place.
    tab->Remove(window.Find(L"p2"));
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_TRUE(window.Find(L"p1")->IsVisible());
}

TEST(LayoutBehaviour, HiddenChildTakesNoSpaceAndShowingItRelaysOut)
{
    UITestWindow window;
    window.Load(L"<Window><HorizontalLayout><Control name='a' visible='false'/><Control name='b'/></HorizontalLayout></Window>");
    EXPECT_EQ(window.Find(L"b")->GetPos(), Rect(0, 0, 400, 300));
    window.Find(L"a")->SetVisible(true);
    EXPECT_TRUE(window.manager.IsUpdateNeeded());
    window.manager.UpdateLayout();
    EXPECT_EQ(window.Find(L"a")->GetPos(), Rect(0, 0, 200, 300));
    EXPECT_EQ(window.Find(L"b")->GetPos(), Rect(200, 0, 400, 300));
}

TEST(LayoutBehaviour, VerticalScrollBarAppearsForTallContentAndScrollsChildren)
{
    UITestWindow window(200, 100);
    window.Load(L"<Window><VerticalLayout name='list' vscrollbar='true' vscrollbarstyle='thickness=\"10\"'>"
                L"<Control name='a' height='80'/><Control name='b' height='80'/></VerticalLayout></Window>");
    auto* list = static_cast<CContainerUI*>(window.Find(L"list")->GetInterface(L"Container"));
    ASSERT_NE(list->GetVerticalScrollBar(), nullptr);
    EXPECT_TRUE(list->GetVerticalScrollBar()->IsOwnVisible());
    EXPECT_EQ(list->GetScrollRange().cy, 60);
    // The bar takes its width from the children.
    EXPECT_EQ(window.Find(L"a")->GetPos(), Rect(0, 0, 190, 80));

    const UIPoint over{50, 50};
    window.MoveTo(over);
    window.Send(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(-120)) << 16, MakeLParam(over.x, over.y));
    EXPECT_GT(list->GetScrollPos().cy, 0);
    list->EndDown();
    EXPECT_EQ(list->GetScrollPos().cy, 60);
    EXPECT_EQ(window.Find(L"b")->GetPos(), Rect(0, 20, 190, 100));
    list->SetScrollPos({0, 1000});  // clamped
    EXPECT_EQ(list->GetScrollPos().cy, 60);
}

TEST(LayoutBehaviour, DpiScalesSizesPaddingAndFonts)
{
    UITestWindow window(600, 450);
    window.Load(L"<Window><Font id='1' name='Sans' size='14'/>"
                L"<HorizontalLayout inset='4,4,4,4'><Label name='a' width='100' padding='2,0,0,0' font='1'/>"
                L"<Control name='b'/></HorizontalLayout></Window>");
    EXPECT_EQ(window.Find(L"a")->GetPos(), Rect(6, 4, 106, 446));
    EXPECT_EQ(window.Find(L"a")->GetFontSpec().size, 14);

    window.manager.SetDPI(144);
    window.manager.UpdateLayout();
    EXPECT_EQ(window.Find(L"a")->GetPos(), Rect(9, 6, 159, 444));
    EXPECT_EQ(window.Find(L"a")->GetFontSpec().size, 21);

    EXPECT_FALSE(window.manager.SetDPI(300));
    EXPECT_FALSE(window.manager.SetDPI(20));
    EXPECT_EQ(window.manager.GetDPI(), 144);

    CPaintManagerUI::SetAllDPI(96);
    EXPECT_EQ(window.manager.GetDPI(), 96);
}

}  // namespace
}  // namespace dw::ui::test
