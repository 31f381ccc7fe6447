// Lists and combos driven through the paint manager: selection by pointer and keys, the order
// of "itemselect", "itemclick" and "itemactivate", scrolling into view, header columns, and
// the combo's pop-up list.

#include <gtest/gtest.h>

#include "ui/core/controls/CComboBodyUI.h"
#include "ui/core/controls/CComboDropDown.h"
#include "ui/core/controls/CComboUI.h"
#include "ui/core/controls/CListContainerElementUI.h"
#include "ui/core/controls/CListHeaderUI.h"
#include "ui/core/controls/CListLabelElementUI.h"
#include "ui/core/controls/CListUI.h"

#include "ControlTestWindow.h"

namespace dw::ui {
namespace {

using test::ControlHarness;

std::wstring ListLayout()
{
    std::wstring xml =
        L"<List name=\"macros\" height=\"130\" itemheight=\"20\" itemselectedbkcolor=\"#FF2F6FB0\">"
        L"<ListHeader name=\"head\" height=\"20\">"
        L"<ListHeaderItem name=\"col_name\" text=\"Name\" width=\"120\"/>"
        L"<ListHeaderItem name=\"col_delay\" text=\"Delay\" width=\"80\"/>"
        L"</ListHeader>";
    for (int i = 0; i < 12; ++i) {
        const std::wstring n = std::to_wstring(i);
        if (i == 3) {
            xml += L"<ListContainerElement name=\"row_3\" userdata=\"data-3\">"
                   L"<Label name=\"row_3_label\" text=\"three\"/><Edit name=\"row_3_delay\" text=\"50\"/>"
                   L"</ListContainerElement>";
        } else {
            xml += L"<ListLabelElement name=\"row_" + n + L"\" text=\"Item " + n + L"\"" +
                   (i == 5 ? L" enabled=\"false\"" : L"") + L"/>";
        }
    }
    xml += L"</List>";
    return xml;
}

TEST(List, PressSelectsReleaseClicksDoubleClickActivates)
{
    ControlHarness h(ListLayout());
    auto* list = h.Find<CListUI>(L"macros");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 12);  // the header is not an item
    EXPECT_EQ(list->GetCurSel(), -1);

    auto* row1 = h.Find<CControlUI>(L"row_1");
    h.Click(row1);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_TRUE(list->IsFocused());  // keys go to the list from now on
    const auto notes = h.Notes();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].type, notify::kItemSelect);
    EXPECT_EQ(notes[0].sender, L"macros");
    EXPECT_EQ(notes[0].wParam, 1u);
    EXPECT_EQ(notes[0].lParam, -1);
    EXPECT_EQ(notes[1].type, notify::kItemClick);
    EXPECT_EQ(notes[1].sender, L"row_1");

    // A press that is released elsewhere selects but does not click.
    h.Journal().clear();
    auto* row2 = h.Find<CControlUI>(L"row_2");
    h.Backend().MouseDown(h.Hwnd(), ControlHarness::Center(row2));
    h.Backend().MouseUp(h.Hwnd(), {395, 295});
    EXPECT_EQ(h.Types(), std::vector<std::wstring>{notify::kItemSelect});

    h.Journal().clear();
    h.Backend().DoubleClick(h.Hwnd(), ControlHarness::Center(row2));
    EXPECT_EQ(h.Count(notify::kItemActivate, L"row_2"), 1u);
    EXPECT_EQ(h.Count(notify::kItemSelect), 0u);  // already selected

    // The label inside a container row selects the row; the edit inside keeps its input.
    h.Journal().clear();
    h.Click(h.Find<CControlUI>(L"row_3_label"));
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_EQ(list->GetItemAt(3)->GetUserData(), L"data-3");
    h.Click(h.Find<CControlUI>(L"row_3_delay"));
    EXPECT_TRUE(h.Find<CControlUI>(L"row_3_delay")->IsFocused());

    // A disabled item ignores the pointer.
    h.Journal().clear();
    h.Click(h.Find<CControlUI>(L"row_5"));
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_TRUE(h.Notes().empty());
}

TEST(List, KeyboardNavigationSkipsDisabledItemsAndScrollsIntoView)
{
    ControlHarness h(ListLayout());
    auto* list = h.Find<CListUI>(L"macros");
    h.Click(h.Find<CControlUI>(L"row_4"));
    h.Journal().clear();

    struct Step {
        UINT key;
        int selected;
    };
    // 110 pixels under the header hold five 20-pixel rows: a page is five items.
    // A page down from 0 lands on 5, which is disabled: the nearest item inside the page wins.
    const Step steps[] = {{VK_DOWN, 6}, {VK_UP, 4},    {VK_END, 11}, {VK_HOME, 0}, {VK_NEXT, 4},
                          {VK_NEXT, 9}, {VK_PRIOR, 4}, {VK_UP, 3},   {VK_UP, 2}};
    int previous = 4;
    for (const Step& s : steps) {
        h.Key(s.key);
        EXPECT_EQ(list->GetCurSel(), s.selected) << "key " << s.key;
        const UIRect item = list->GetItemAt(list->GetCurSel())->GetPos();
        EXPECT_GE(item.top, list->GetHeader()->GetPos().bottom) << "key " << s.key;
        EXPECT_LE(item.bottom, list->GetPos().bottom) << "key " << s.key;
        if (s.selected != previous) {
            ASSERT_FALSE(h.Journal().empty());
            EXPECT_EQ(h.Journal().back().type, notify::kItemSelect);
            EXPECT_EQ(h.Journal().back().lParam, previous);
        }
        previous = s.selected;
    }
    h.Journal().clear();
    h.Key(VK_RETURN);
    EXPECT_EQ(h.Types(), std::vector<std::wstring>{notify::kItemActivate});
    EXPECT_EQ(h.Notes()[0].sender, L"row_2");
}

TEST(List, HeaderColumnsPlaceContainerChildrenAndRemovalKeepsSelection)
{
    ControlHarness h(ListLayout());
    auto* list = h.Find<CListUI>(L"macros");
    const UIRect name = h.Find<CControlUI>(L"col_name")->GetPos();
    const UIRect delay = h.Find<CControlUI>(L"col_delay")->GetPos();
    EXPECT_EQ(h.Find<CControlUI>(L"row_3_label")->GetPos().left, name.left);
    EXPECT_EQ(h.Find<CControlUI>(L"row_3_delay")->GetPos().left, delay.left);
    EXPECT_EQ(h.Find<CControlUI>(L"row_3_delay")->GetPos().right, delay.right);

    list->SelectItem(7, false, false);
    EXPECT_TRUE(h.Journal().empty());
    list->RemoveAt(2);
    EXPECT_EQ(list->GetCurSel(), 6);
    EXPECT_EQ(list->GetItemAt(6)->GetName(), L"row_7");
    auto* item = static_cast<IListItemUI*>(list->GetItemAt(6)->GetInterface(L"ListItem"));
    EXPECT_EQ(item->GetIndex(), 6);
    EXPECT_TRUE(item->IsSelected());
    list->RemoveAt(6);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_FALSE(list->SelectItem(40));
    EXPECT_FALSE(list->SelectItem(4));  // row_5, disabled
}

std::wstring ComboLayout()
{
    return L"<Combo name=\"mode\" height=\"30\" itemheight=\"24\">"
           L"<ListLabelElement name=\"m0\" text=\"Static\"/>"
           L"<ListLabelElement name=\"m1\" text=\"Breathing\" enabled=\"false\"/>"
           L"<ListLabelElement name=\"m2\" text=\"Wave\"/>"
           L"<ListLabelElement name=\"m3\" text=\"Ripple\"/>"
           L"</Combo>"
           L"<Button name=\"other\" height=\"30\" text=\"Other\"/>";
}

TEST(Combo, KeysAndWheelSelectOnTheClosedCombo)
{
    ControlHarness h(ComboLayout());
    auto* combo = h.Find<CComboUI>(L"mode");
    ASSERT_NE(combo, nullptr);
    combo->SetFocus();
    h.Journal().clear();

    h.Key(VK_DOWN);
    EXPECT_EQ(combo->GetCurSel(), 0);
    h.Key(VK_DOWN);  // the disabled item is skipped
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetText(), L"Wave");
    h.Key(VK_END);
    EXPECT_EQ(combo->GetCurSel(), 3);
    h.Key(VK_DOWN);  // nothing after the last
    h.Backend().Wheel(h.Hwnd(), ControlHarness::Center(combo), 120);
    EXPECT_EQ(combo->GetCurSel(), 2);

    ASSERT_EQ(h.Count(notify::kItemSelect, L"mode"), 4u);
    const auto& last = h.Journal().back();
    EXPECT_EQ(last.wParam, 2u);
    EXPECT_EQ(last.lParam, 3);

    // Selecting from code notifies only when asked.
    h.Journal().clear();
    combo->SelectItem(0, false, false);
    EXPECT_EQ(h.Count(notify::kItemSelect), 0u);
    combo->SelectItem(3, false, true);
    EXPECT_EQ(h.Count(notify::kItemSelect), 1u);
    EXPECT_FALSE(combo->SelectItem(1));  // disabled
    EXPECT_EQ(combo->GetCurSel(), 3);
}

TEST(Combo, ClickOpensTheListAndAClickOnAnItemSelectsAndCloses)
{
    ControlHarness h(ComboLayout());
    auto* combo = h.Find<CComboUI>(L"mode");
    h.Click(combo);
    ASSERT_TRUE(combo->IsDropDownOpen());
    EXPECT_EQ(h.Types(L"mode"), std::vector<std::wstring>{notify::kDropDown});

    CComboDropDown* dropDown = combo->GetDropDown();
    const HWND popup = dropDown->GetHWND();
    // Below the combo, as wide as it.
    const UIRect popupRect = dropDown->GetWindowRect();
    EXPECT_EQ(popupRect.top, 100 + combo->GetPos().bottom);
    EXPECT_EQ(popupRect.GetWidth(), combo->GetWidth());
    // The items live in the pop-up while it is open.
    CControlUI* wave = h.Find<CControlUI>(L"m2");
    EXPECT_EQ(wave->GetManager(), &dropDown->GetPaintManager());

    h.Journal().clear();
    h.Backend().Click(popup, ControlHarness::Center(wave));
    h.Loop().RunUntilIdle();
    EXPECT_FALSE(combo->IsDropDownOpen());
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(h.Types(L"mode"), std::vector<std::wstring>{notify::kItemSelect});
    EXPECT_EQ(wave->GetManager(), &h.Manager());

    // Keys in the open list move the selection; Escape closes it.
    h.Click(combo);
    ASSERT_TRUE(combo->IsDropDownOpen());
    h.Journal().clear();
    h.Backend().KeyPress(combo->GetDropDown()->GetHWND(), VK_DOWN);
    EXPECT_EQ(combo->GetCurSel(), 3);
    h.Backend().KeyPress(combo->GetDropDown()->GetHWND(), VK_ESCAPE);
    h.Loop().RunUntilIdle();
    EXPECT_FALSE(combo->IsDropDownOpen());
    EXPECT_EQ(combo->GetCurSel(), 3);
    EXPECT_EQ(h.Count(notify::kItemSelect, L"mode"), 1u);

    // A disabled combo does not open.
    combo->SetEnabled(false);
    h.Journal().clear();
    h.Click(combo);
    EXPECT_FALSE(combo->IsDropDownOpen());
    EXPECT_TRUE(h.Notes().empty());
}

TEST(Combo, ClosingWithTheComboStillOpenReturnsItsItems)
{
    auto h = std::make_unique<ControlHarness>(ComboLayout());
    auto* combo = h->Find<CComboUI>(L"mode");
    h->Click(combo);
    ASSERT_TRUE(combo->IsDropDownOpen());
    combo->RemoveAt(0);  // closes the list first
    EXPECT_FALSE(combo->IsDropDownOpen());
    EXPECT_EQ(combo->GetCount(), 3);
    h->Click(combo);
    ASSERT_TRUE(combo->IsDropDownOpen());
    h.reset();  // the window goes with the list open: nothing may be left dangling
}

TEST(Combo, DropBoxOpensUpwardsWithoutRoomBelow)
{
    ControlHarness h(ComboLayout());
    auto* combo = h.Find<CComboUI>(L"mode");
    const UIRect work{0, 0, 1920, 1040};
    const UIRect low{100, 1000, 300, 1030};
    const UIRect rc = combo->ComputeDropBoxRect(low, work);
    EXPECT_EQ(rc.bottom, low.top);
    EXPECT_GT(rc.GetHeight(), 0);
    const UIRect high{1800, 100, 2000, 130};
    const UIRect right = combo->ComputeDropBoxRect(high, work);
    EXPECT_EQ(right.top, high.bottom);
    EXPECT_LE(right.right, work.right);
}

}  // namespace
}  // namespace dw::ui
