// Pure parsers of the library: attribute values, image attribute strings, UTF-8 and the XML
// reader.

#include <gtest/gtest.h>

#include "platform/Utf8.h"
#include "ui/core/CMarkup.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIString.h"

namespace dw::ui {
namespace {

TEST(AttributeParse, Colors)
{
    const struct {
        const wchar_t* text;
        std::optional<UIColor> expected;
    } cases[] = {
        {L"#FF1E1E1E", 0xFF1E1E1Eu}, {L"#1e1e1e", 0xFF1E1E1Eu}, {L"0x80FFFFFF", 0x80FFFFFFu},
        {L" FF000000 ", 0xFF000000u}, {L"#12345", std::nullopt},  {L"#GG000000", std::nullopt},
        {L"", std::nullopt},          {L"red", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseColor(c.text), c.expected) << platform::WideToUtf8(c.text);
}

TEST(AttributeParse, NumbersRectsSizesBools)
{
    EXPECT_EQ(ParseInt(L" -12 "), -12);
    EXPECT_EQ(ParseInt(L"12px"), std::nullopt);
    EXPECT_EQ(ParseInt(L"99999999999"), std::nullopt) << "overflow is malformed, not wrapped";
    EXPECT_EQ(ParseDouble(L"0.25"), 0.25);
    EXPECT_EQ(ParseDouble(L"."), std::nullopt);
    EXPECT_EQ(ParseRect(L"1, 2,3 ,4"), (UIRect{1, 2, 3, 4}));
    EXPECT_EQ(ParseRect(L"1,2,3"), std::nullopt);
    EXPECT_EQ(ParseRect(L"5"), std::nullopt);
    EXPECT_EQ(ParseRect(L"5", true), (UIRect{5, 5, 5, 5}));
    EXPECT_EQ(ParseSize(L"800,572"), (UISize{800, 572}));
    EXPECT_EQ(ParseSize(L"800,"), std::nullopt);
    EXPECT_EQ(ParseBool(L"TRUE"), true);
    EXPECT_EQ(ParseBool(L"0"), false);
    EXPECT_EQ(ParseBool(L"yes"), std::nullopt);
}

TEST(AttributeParse, ImageForms)
{
    auto plain = ParseImageAttribute(L"common\\btn.png");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->file, L"common/btn.png");

    auto full = ParseImageAttribute(
        L"file='a.png' source='0,0,10,20' corner='2,3,4,5' fade='200' hole='true' xtiled='true' dest='1,1,9,9'");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->file, L"a.png");
    EXPECT_EQ(full->params.source, (UIRect{0, 0, 10, 20}));
    EXPECT_EQ(full->params.corners, (UIRect{2, 3, 4, 5}));
    EXPECT_EQ(full->params.fade, 200);
    EXPECT_TRUE(full->params.hole);
    EXPECT_TRUE(full->params.xtiled);
    EXPECT_FALSE(full->params.ytiled);
    EXPECT_EQ(full->dest, (UIRect{1, 1, 9, 9}));

    for (const wchar_t* bad : {L"file='a.png", L"file='a.png' fade='300'", L"file='a.png' source='1,2'",
                               L"file='a.png' colour='red'", L"file=a.png"})
        EXPECT_FALSE(ParseImageAttribute(bad)) << platform::WideToUtf8(bad);
}

// The UTF-8 conversion the markup reader uses is tested with the platform services (Utf8Test).
TEST(UIString, NormalizesAndJoinsPaths)
{
    EXPECT_EQ(NormalizePath(L"XML\\\\CustomControlXML\\Key.xml"), L"XML/CustomControlXML/Key.xml");
    EXPECT_EQ(JoinPath(L"/skin", L"a\\b.xml"), L"/skin/a/b.xml");
}

TEST(Markup, ElementsAttributesTextAndLines)
{
    CMarkup markup;
    ASSERT_TRUE(markup.Load("\xEF\xBB\xBF<?xml version='1.0'?>\n<!-- c -->\n<Root a=\"1\" b='x &amp; &#x41;'>\n"
                            "  <Child/>\n  <Text>hi &lt;there&gt;<![CDATA[<raw>]]></Text>\n</Root>\n"))
        << platform::WideToUtf8(markup.GetLastError());
    const CMarkupNode* root = markup.GetRoot();
    EXPECT_EQ(root->GetName(), L"Root");
    EXPECT_EQ(root->GetLine(), 3);
    EXPECT_EQ(root->GetAttributeValue(L"b"), L"x & A");
    ASSERT_EQ(root->GetChildren().size(), 2u);
    EXPECT_EQ(root->GetChildren()[0]->GetLine(), 4);
    EXPECT_EQ(root->GetChildren()[1]->GetText(), L"hi <there><raw>");
}

TEST(Markup, SyntaxErrorsCarryTheirLine)
{
    const struct {
        const char* xml;
        int line;
    } cases[] = {
        {"<a>\n<b>\n</a>", 3},
        {"<a>\n<b x=1/>\n</a>", 2},
        {"<a>\n\n<b x='1'>", 3},
        {"<a/><b/>", 1},
        {"<a x='&bogus;'/>", 1},
        {"", 1},
    };
    for (const auto& c : cases) {
        CMarkup markup;
        EXPECT_FALSE(markup.Load(c.xml)) << c.xml;
        EXPECT_EQ(markup.GetErrorLine(), c.line) << c.xml;
        EXPECT_FALSE(markup.GetLastError().empty());
    }
}

TEST(Markup, DeepNestingIsRefusedNotACrash)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    CMarkup markup;
    EXPECT_FALSE(markup.Load(deep));
}

}  // namespace
}  // namespace dw::ui
