#include <gtest/gtest.h>

#include "ui/core/controls/CTextEditModel.h"
#include "ui/core/controls/CTextLineLayout.h"
#include "ui/core/controls/TextMeasure.h"

#include "FixedTextMetrics.h"

namespace dw::ui {
namespace {

using test::FixedTextMetrics;

struct InsertCase {
    const char* name;
    bool numberOnly;
    bool multiLine;
    size_t maxChars;
    std::wstring before;
    size_t anchor;
    size_t caret;
    std::wstring typed;
    std::wstring after;
    size_t caretAfter;
    bool changed;
};

TEST(TextEditModel, InsertAppliesTheInputRules)
{
    const InsertCase cases[] = {
        {"plain insert at caret", false, false, 0, L"helo", 3, 3, L"l", L"hello", 4, true},
        {"replaces the selection", false, false, 0, L"hello", 1, 4, L"ipp", L"hippo", 4, true},
        {"digits only keeps digits of a paste", true, false, 0, L"", 0, 0, L"1,024 dpi", L"1024", 4, true},
        {"rejected key keeps the selection", true, false, 0, L"123", 0, 3, L"x", L"123", 3, false},
        {"limit cuts a paste", false, false, 6, L"1234", 4, 4, L"56789", L"123456", 6, true},
        {"limit counts the replaced selection", false, false, 4, L"abcd", 1, 3, L"XYZ", L"aXYd", 3, true},
        {"full edit refuses more", false, false, 3, L"abc", 3, 3, L"d", L"abc", 3, false},
        {"single line drops line breaks", false, false, 0, L"", 0, 0, L"a\r\nb\nc", L"abc", 3, true},
        {"multi line keeps one break per CR LF", false, true, 0, L"", 0, 0, L"a\r\nb\rc", L"a\nb\nc", 5, true},
        {"control characters never enter", false, false, 0, L"", 0, 0, std::wstring(L"a\x01\x7f" L"b"), L"ab", 2, true},
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTextEditModel model;
        model.SetNumberOnly(c.numberOnly);
        model.SetMultiLine(c.multiLine);
        model.SetMaxChars(c.maxChars);
        model.SetText(c.before);
        model.SetSelection(c.anchor, c.caret);
        EXPECT_EQ(model.Insert(c.typed), c.changed);
        EXPECT_EQ(model.GetText(), c.after);
        EXPECT_EQ(model.GetCaret(), c.caretAfter);
    }
}

TEST(TextEditModel, DeletionAndSelection)
{
    CTextEditModel model;
    model.SetText(L"abcdef");
    EXPECT_EQ(model.GetCaret(), 6u);
    EXPECT_TRUE(model.DeleteBackward());
    EXPECT_EQ(model.GetText(), L"abcde");
    EXPECT_FALSE(model.DeleteForward());  // nothing after the caret

    model.SetCaret(1, false);
    model.SetCaret(3, true);
    EXPECT_EQ(model.GetSelectedText(), L"bc");
    model.MoveLeft(false);  // collapses to the start instead of moving
    EXPECT_EQ(model.GetCaret(), 1u);
    EXPECT_FALSE(model.HasSelection());

    model.SelectAll();
    EXPECT_TRUE(model.DeleteForward());
    EXPECT_EQ(model.GetText(), L"");
    EXPECT_FALSE(model.DeleteBackward());

    model.SetText(L"one two  three");
    model.SetCaret(0, false);
    model.MoveWordRight(false);
    EXPECT_EQ(model.GetCaret(), 4u);
    model.MoveWordRight(true);
    EXPECT_EQ(model.GetSelectedText(), L"two  ");
    model.SetCaret(14, false);
    model.MoveWordLeft(false);
    EXPECT_EQ(model.GetCaret(), 9u);
}

TEST(TextEditModel, SetCaretIsClampedToTheText)
{
    CTextEditModel model;
    model.SetText(L"abc");
    model.SetCaret(100, false);
    EXPECT_EQ(model.GetCaret(), 3u);
    model.SetSelection(50, 60);
    EXPECT_EQ(model.GetSelectionStart(), 3u);
    EXPECT_EQ(model.GetSelectedText(), L"");
}

TEST(TextMeasure, CaretFromXPicksTheNearestBoundary)
{
    FixedTextMetrics metrics;
    const UIFontSpec font;
    const std::wstring text = L"abcdef";  // boundaries every 8 pixels
    struct Case {
        int x;
        size_t caret;
    };
    for (const Case c : {Case{-5, 0}, Case{0, 0}, Case{3, 0}, Case{4, 0}, Case{5, 1}, Case{8, 1}, Case{20, 2},
                         Case{47, 6}, Case{400, 6}}) {
        EXPECT_EQ(CaretFromX(metrics, font, text, c.x), c.caret) << "x=" << c.x;
    }
}

TEST(TextLineLayout, WrapsAtSpacesAndBreaks)
{
    FixedTextMetrics metrics;
    CTextLineLayout layout;
    // 10 characters fit in 80 pixels.
    layout.Build(L"the quick brown fox\n\njumpedoverthelazydog", metrics, UIFontSpec{}, 80, true);
    std::vector<std::wstring> lines;
    const std::wstring text = L"the quick brown fox\n\njumpedoverthelazydog";
    for (const auto& l : layout.GetLines())
        lines.push_back(text.substr(l.start, l.length));
    const std::vector<std::wstring> expected = {L"the quick ", L"brown fox", L"", L"jumpedover", L"thelazydog"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(layout.GetContentHeight(), 5 * FixedTextMetrics::kLineHeight);

    // The position where a line was wrapped belongs to the line it starts.
    EXPECT_EQ(layout.LineOfPos(10), 1u);
    EXPECT_EQ(layout.XOfPos(12), 2 * FixedTextMetrics::kCharWidth);
    // Down from the end of a wrapped line stays at its last character, not the next line's start.
    EXPECT_EQ(layout.PosOnLine(0, 500), 9u);
    EXPECT_EQ(layout.PosFromPoint(12, 3 * FixedTextMetrics::kLineHeight + 2), 22u);
    // Past the last line clamps to it.
    EXPECT_EQ(layout.PosFromPoint(0, 1000), 31u);
}

TEST(TextLineLayout, WithoutWrapOnlyBreaksSplit)
{
    FixedTextMetrics metrics;
    CTextLineLayout layout;
    layout.Build(L"a very long line that does not wrap\nsecond", metrics, UIFontSpec{}, 40, false);
    ASSERT_EQ(layout.GetLineCount(), 2u);
    EXPECT_EQ(layout.GetLine(1).start, 36u);
    layout.Build(L"", metrics, UIFontSpec{}, 40, true);
    EXPECT_EQ(layout.GetLineCount(), 1u);
}

}  // namespace
}  // namespace dw::ui
