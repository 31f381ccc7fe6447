// Single- and multi-line edits driven through the paint manager: typing, input rules,
// selection, clipboard, focus notifications, the caret timer and line movement.

#include <gtest/gtest.h>

#include "ui/core/controls/CEditUI.h"
#include "ui/core/controls/CRichEditUI.h"

#include "ControlTestWindow.h"

namespace dw::ui {
namespace {

using test::ControlHarness;
using test::FixedTextMetrics;

const std::wstring kEdits =
    L"<Edit name=\"name\" height=\"30\" textpadding=\"4,0,4,0\" prompttext=\"Profile name\"/>"
    L"<Edit name=\"digits\" height=\"30\" numberonly=\"true\" maxchar=\"5\"/>"
    L"<Edit name=\"secret\" height=\"30\" password=\"true\"/>"
    L"<Edit name=\"narrow\" width=\"48\" height=\"30\" textpadding=\"4,0,4,0\"/>"
    L"<Edit name=\"locked\" height=\"30\" readonly=\"true\" text=\"fixed\"/>"
    L"<Edit name=\"off\" height=\"30\" enabled=\"false\"/>";

TEST(Edit, TypingRaisesTextChangedPerCharacterAndReturnOnEnter)
{
    ControlHarness h(kEdits);
    auto* edit = h.Find<CEditUI>(L"name");
    ASSERT_NE(edit, nullptr);
    h.Click(edit);
    EXPECT_TRUE(edit->IsFocused());
    h.Type(L"Boss");
    EXPECT_EQ(edit->GetText(), L"Boss");
    h.Key(VK_RETURN, L'\r');
    const std::vector<std::wstring> expected = {notify::kSetFocus, notify::kTextChanged, notify::kTextChanged,
                                                notify::kTextChanged, notify::kTextChanged, notify::kReturn};
    EXPECT_EQ(h.Types(L"name", true), expected);
    // The Enter character itself never enters a single-line field.
    EXPECT_EQ(edit->GetText(), L"Boss");

    // Setting the text from code is not a user change.
    h.Journal().clear();
    edit->SetText(L"Other");
    EXPECT_EQ(h.Count(notify::kTextChanged), 0u);
}

TEST(Edit, InputRulesHoldForTypingAndPasting)
{
    ControlHarness h(kEdits);
    auto* digits = h.Find<CEditUI>(L"digits");
    h.Click(digits);
    h.Type(L"1a2b3");
    EXPECT_EQ(digits->GetText(), L"123");
    EXPECT_EQ(h.Count(notify::kTextChanged, L"digits"), 3u);  // rejected keys change nothing

    h.Backend().SetClipboardText(L"4,567,890");
    h.Chord({VK_CONTROL}, 'V');
    EXPECT_EQ(digits->GetText(), L"12345");  // digits only, cut at five characters
    h.Type(L"6");
    EXPECT_EQ(digits->GetText(), L"12345");

    auto* locked = h.Find<CEditUI>(L"locked");
    h.Click(locked);
    h.Type(L"x");
    h.Key(VK_BACK);
    EXPECT_EQ(locked->GetText(), L"fixed");
    EXPECT_EQ(h.Count(notify::kTextChanged, L"locked"), 0u);

    auto* off = h.Find<CEditUI>(L"off");
    h.Click(off);
    EXPECT_FALSE(off->IsFocused());
    EXPECT_EQ(h.Count(notify::kSetFocus, L"off"), 0u);
}

TEST(Edit, SelectionAndClipboard)
{
    ControlHarness h(kEdits);
    auto* edit = h.Find<CEditUI>(L"name");
    h.Click(edit);
    h.Type(L"hello world");
    h.Chord({VK_SHIFT}, VK_HOME);
    EXPECT_EQ(edit->GetSelectedText(), L"hello world");
    h.Key(VK_END);
    h.Chord({VK_SHIFT, VK_CONTROL}, VK_LEFT);
    EXPECT_EQ(edit->GetSelectedText(), L"world");
    h.Chord({VK_CONTROL}, 'X');
    EXPECT_EQ(h.Backend().GetClipboardText(), L"world");
    EXPECT_EQ(edit->GetText(), L"hello ");
    h.Key(VK_HOME);
    h.Chord({VK_CONTROL}, 'V');
    EXPECT_EQ(edit->GetText(), L"worldhello ");
    h.Chord({VK_CONTROL}, 'A');
    h.Chord({VK_CONTROL}, 'C');
    EXPECT_EQ(h.Backend().GetClipboardText(), L"worldhello ");
    h.Key(VK_DELETE);
    EXPECT_EQ(edit->GetText(), L"");

    // A password never reaches the clipboard.
    auto* secret = h.Find<CEditUI>(L"secret");
    h.Click(secret);
    h.Type(L"hunter2");
    h.Chord({VK_CONTROL}, 'A');
    h.Chord({VK_CONTROL}, 'C');
    h.Chord({VK_CONTROL}, 'X');
    EXPECT_EQ(h.Backend().GetClipboardText(), L"worldhello ");
    EXPECT_EQ(secret->GetText(), L"hunter2");
}

TEST(Edit, PointerPlacesCaretAndDragSelects)
{
    ControlHarness h(kEdits);
    auto* edit = h.Find<CEditUI>(L"name");
    edit->SetText(L"abcdefgh");
    const UIRect rc = edit->GetPos();
    const int textLeft = rc.left + 4;
    const int y = (rc.top + rc.bottom) / 2;
    // Between the third and fourth character.
    h.Click({textLeft + 3 * FixedTextMetrics::kCharWidth + 1, y});
    EXPECT_EQ(edit->GetCaret(), 3u);
    h.Backend().MouseDown(h.Hwnd(), {textLeft + 1 * FixedTextMetrics::kCharWidth, y});
    h.Backend().MouseMove(h.Hwnd(), {textLeft + 5 * FixedTextMetrics::kCharWidth, y}, MK_LBUTTON);
    h.Backend().MouseUp(h.Hwnd(), {textLeft + 5 * FixedTextMetrics::kCharWidth, y});
    EXPECT_EQ(edit->GetSelectedText(), L"bcde");
    h.Backend().DoubleClick(h.Hwnd(), {textLeft + 2 * FixedTextMetrics::kCharWidth, y});
    EXPECT_EQ(edit->GetSelectedText(), L"abcdefgh");
}

TEST(Edit, KillFocusWhenFocusLeavesAndCaretBlinksOnTheClock)
{
    ControlHarness h(kEdits);
    auto* name = h.Find<CEditUI>(L"name");
    auto* digits = h.Find<CEditUI>(L"digits");
    h.Click(name);
    EXPECT_TRUE(name->IsCaretShown());
    h.Backend().AdvanceClock(CEditUI::kCaretBlinkMs);
    EXPECT_FALSE(name->IsCaretShown());
    h.Backend().AdvanceClock(CEditUI::kCaretBlinkMs);
    EXPECT_TRUE(name->IsCaretShown());
    // Typing shows the caret at once.
    h.Backend().AdvanceClock(CEditUI::kCaretBlinkMs);
    h.Type(L"a");
    EXPECT_TRUE(name->IsCaretShown());

    h.Journal().clear();
    h.Click(digits);
    const std::vector<std::wstring> expected = {notify::kKillFocus, notify::kSetFocus};
    EXPECT_EQ(h.Types(L"", true), expected);
    EXPECT_EQ(h.Journal()[0].sender, L"name");
    EXPECT_FALSE(name->IsCaretShown());
    h.Backend().AdvanceClock(10 * CEditUI::kCaretBlinkMs);
    EXPECT_FALSE(name->IsCaretShown());

    // Without input the caret stops blinking, shown, and the timer goes: an idle window with a
    // focused field does not repaint forever.
    h.Backend().AdvanceClock(CEditUI::kCaretBlinkLimit * CEditUI::kCaretBlinkMs);
    EXPECT_TRUE(digits->IsCaretShown());
    EXPECT_FALSE(h.Loop().NextTimerDeadline().has_value());

    // Tab moves the focus on as well.
    h.Journal().clear();
    h.Key(VK_TAB);
    EXPECT_EQ(h.Count(notify::kKillFocus, L"digits"), 1u);
}

TEST(Edit, LongTextScrollsToKeepTheCaretVisible)
{
    ControlHarness h(kEdits);
    auto* narrow = h.Find<CEditUI>(L"narrow");
    h.Click(narrow);
    h.Type(L"0123456789");  // 80 pixels in a 40-pixel text area
    const UIRect caret = narrow->GetCaretRect();
    const UIRect rc = narrow->GetPos();
    EXPECT_GT(narrow->GetScrollOffset(), 0);
    EXPECT_GE(caret.left, rc.left + 4);
    EXPECT_LE(caret.right, rc.right - 4);
    h.Key(VK_HOME);
    EXPECT_EQ(narrow->GetScrollOffset(), 0);
}

const std::wstring kRichEdits =
    L"<RichEdit name=\"notes\" width=\"104\" height=\"70\" textpadding=\"4,3,4,3\"/>"
    L"<RichEdit name=\"single\" width=\"104\" height=\"30\" wantreturn=\"false\"/>";

TEST(RichEdit, EnterInsertsLinesAndArrowsMoveBetweenThem)
{
    ControlHarness h(kRichEdits);
    auto* notes = h.Find<CRichEditUI>(L"notes");
    ASSERT_NE(notes, nullptr);
    h.Click(notes);
    h.Type(L"first");
    h.Key(VK_RETURN, L'\r');
    h.Type(L"second line");
    EXPECT_EQ(notes->GetText(), L"first\nsecond line");
    EXPECT_EQ(h.Count(notify::kReturn), 0u);
    EXPECT_EQ(h.Count(notify::kTextChanged, L"notes"), 17u);

    h.Key(VK_UP);  // from column 11 to the end of "first"
    EXPECT_EQ(notes->GetCaret(), 5u);
    h.Key(VK_HOME);
    EXPECT_EQ(notes->GetCaret(), 0u);
    h.Key(VK_DOWN);
    EXPECT_EQ(notes->GetCaret(), 6u);
    h.Chord({VK_SHIFT}, VK_END);
    EXPECT_EQ(notes->GetSelectedText(), L"second line");

    auto* single = h.Find<CRichEditUI>(L"single");
    h.Click(single);
    h.Type(L"x");
    h.Key(VK_RETURN, L'\r');
    EXPECT_EQ(single->GetText(), L"x");
    EXPECT_EQ(h.Count(notify::kReturn, L"single"), 1u);
}

TEST(RichEdit, WrapsAndScrollsTheCaretIntoView)
{
    ControlHarness h(kRichEdits);
    auto* notes = h.Find<CRichEditUI>(L"notes");
    // 96 pixels of text: twelve characters per line, fewer once the scroll bar shows.
    notes->SetText(L"one two three four five six seven eight nine ten eleven twelve");
    h.Manager().UpdateLayout();
    EXPECT_GT(notes->GetLineCount(), 4u);
    h.Click(notes);
    h.Chord({VK_CONTROL}, VK_END);
    const UIRect caret = notes->GetCaretRect();
    EXPECT_GT(notes->GetScrollPos().cy, 0);
    EXPECT_LE(caret.bottom, notes->GetPos().bottom);
    h.Chord({VK_CONTROL}, VK_HOME);
    EXPECT_EQ(notes->GetScrollPos().cy, 0);
}

}  // namespace
}  // namespace dw::ui
