// The layout builder: trees and attributes from XML, window properties, fonts, defaults,
// includes through the resource index, custom controls, and errors with file and line.

#include <gtest/gtest.h>

#include "TempSkin.h"
#include "UITestHarness.h"
#include "platform/Utf8.h"
#include "ui/core/CButtonUI.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CControlFactory.h"
#include "ui/core/COptionUI.h"
#include "ui/core/CProgressUI.h"
#include "ui/core/CResourceManager.h"
#include "ui/core/CVerticalLayoutUI.h"
#include "ui/core/UIString.h"

namespace dw::ui::test {
namespace {

TEST(Builder, TreeAndAttributes)
{
    UITestWindow window;
    CControlUI* root = window.Load(
        L"<?xml version='1.0' encoding='utf-8'?>\n"
        L"<Window size='800,572' caption='0,0,0,40' sizebox='4,4,4,4' roundcorner='6,6' mininfo='400,300' bktrans='true'>\n"
        L"  <Font id='0' name='Sans' size='15' bold='true'/>\n"
        L"  <Font name='Sans' size='14' default='true'/>\n"
        L"  <Default name='Button' value='textcolor=&quot;#FF112233&quot; height=&quot;24&quot;'/>\n"
        L"  <VerticalLayout name='root' bkcolor='#FF1E1E1E' bkcolor2='#FF000000' inset='1,2,3,4'>\n"
        L"    <Button name='b' text='Go' tooltip='tip' userdata='light_3' tag='42' font='0' align='left' valign='bottom'\n"
        L"            bordersize='2' bordercolor='#FFFF0000' borderround='4,4' normalimage=\"file='n.png' corner='2,2,2,2'\"\n"
        L"            hotimage='h.png' hottextcolor='#FFFFFFFF' mouse='true' keyboard='false'/>\n"
        L"    <Option name='o' group='g' selected='true' selectedimage='s.png'/>\n"
        L"    <Progress name='p' min='0' max='200' value='50' hor='false'/>\n"
        L"  </VerticalLayout>\n"
        L"</Window>\n");
    ASSERT_NE(root, nullptr) << window.builder.GetLastErrorMessage();
    EXPECT_FALSE(window.builder.HasErrors()) << window.builder.GetLastErrorMessage();
    EXPECT_EQ(root->GetName(), L"root");
    EXPECT_EQ(root->GetBkColor(), 0xFF1E1E1Eu);
    EXPECT_EQ(static_cast<CContainerUI*>(root->GetInterface(L"Container"))->GetCount(), 3);

    EXPECT_EQ(window.manager.GetInitSize(), (UISize{800, 572}));
    EXPECT_EQ(window.manager.GetCaptionRect(), (UIRect{0, 0, 0, 40}));
    EXPECT_EQ(window.manager.GetRoundCorner(), (UISize{6, 6}));
    EXPECT_EQ(window.manager.GetMinInfo(), (UISize{400, 300}));
    EXPECT_TRUE(window.manager.IsLayered());
    EXPECT_EQ(window.manager.GetFont(0), (UIFontSpec{L"Sans", 15, true, false, false}));
    EXPECT_EQ(window.manager.GetFont(-1).size, 14);
    EXPECT_EQ(window.manager.GetFont(77).size, 14) << "unknown ids fall back to the default font";

    auto* b = static_cast<CButtonUI*>(window.Find(L"b")->GetInterface(L"Button"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetClass(), L"ButtonUI");
    EXPECT_EQ(b->GetText(), L"Go");
    EXPECT_EQ(b->GetToolTip(), L"tip");
    EXPECT_EQ(b->GetUserData(), L"light_3");
    EXPECT_EQ(b->GetTag(), 42u);
    EXPECT_EQ(b->GetFont(), 0);
    EXPECT_EQ(b->GetTextStyle() & (text::kCenter | text::kRight | text::kVCenter | text::kBottom), text::kBottom);
    EXPECT_EQ(b->GetBorderSize(), 2);
    EXPECT_EQ(b->GetBorderRound(), (UISize{4, 4}));
    EXPECT_EQ(b->GetNormalImage(), L"file='n.png' corner='2,2,2,2'");
    EXPECT_EQ(b->GetTextColor(), 0xFF112233u) << "from <Default>";
    EXPECT_EQ(b->GetFixedHeight(), 24) << "from <Default>";
    EXPECT_FALSE(b->IsKeyboardEnabled());
    EXPECT_EQ(b->GetControlFlags() & UIFLAG_TABSTOP, 0u);

    auto* o = static_cast<COptionUI*>(window.Find(L"o")->GetInterface(L"Option"));
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(o->IsSelected());
    ASSERT_NE(window.manager.GetOptionGroup(L"g"), nullptr);
    EXPECT_EQ(window.manager.GetOptionGroup(L"g")->size(), 1u);

    auto* p = static_cast<CProgressUI*>(window.Find(L"p")->GetInterface(L"Progress"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetValue(), 50);
    EXPECT_FALSE(p->IsHorizontal());

    EXPECT_EQ(window.manager.FindSubControlByClass(root, L"OptionUI"), o);
    EXPECT_EQ(window.manager.FindSubControlByClass(root, L"Button", 1), o) << "an option is a button too";
    EXPECT_EQ(window.manager.FindSubControlsByClass(root, L"Button").size(), 2u);
    EXPECT_EQ(window.manager.FindSubControlByName(root, L"p"), p);
}

struct ErrorCase {
    const char* what;
    const wchar_t* xml;
    int line;
    const wchar_t* fragment;  // part of the message
    bool hasTree;
};

class BuilderErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(BuilderErrors, ReportedWithFileAndLine)
{
    const ErrorCase& c = GetParam();
    UITestWindow window;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(c.xml, {}, nullptr, &window.manager);
    EXPECT_EQ(root != nullptr, c.hasTree) << c.what;
    ASSERT_TRUE(builder.HasErrors()) << c.what;
    const UIBuilderError& e = builder.GetErrors().front();
    EXPECT_EQ(e.file, L"<string>");
    EXPECT_EQ(e.line, c.line) << c.what << ": " << platform::WideToUtf8(e.message);
    EXPECT_NE(e.message.find(c.fragment), std::wstring::npos) << c.what << ": " << platform::WideToUtf8(e.message);
    EXPECT_NE(builder.GetLastErrorMessage().find(L"<string>:" + std::to_wstring(c.line)), std::wstring::npos);
    delete root;
}

const ErrorCase kErrorCases[] = {
    {"unknown element", L"<Window>\n<VerticalLayout>\n<Gadget name='x'/>\n</VerticalLayout>\n</Window>", 3,
     L"unknown element <Gadget>", true},
    {"malformed colour", L"<Window>\n<VerticalLayout bkcolor='#XYZ'/>\n</Window>", 2, L"bkcolor", true},
    {"malformed number", L"<Window>\n<VerticalLayout>\n\n<Button width='wide'/>\n</VerticalLayout></Window>", 4,
     L"width", true},
    {"malformed image", L"<Window><VerticalLayout>\n<Button normalimage=\"file='a.png' fade='999'\"/>\n</VerticalLayout></Window>",
     2, L"normalimage", true},
    {"malformed window size", L"<Window size='800'>\n<Control/></Window>", 1, L"size", true},
    {"malformed font", L"<Window>\n<Font id='1' size='-3'/>\n<Control/></Window>", 2, L"size", true},
    {"broken XML", L"<Window>\n<VerticalLayout>\n</Window>", 3, L"does not match", false},
    {"child in a non-container", L"<Window><VerticalLayout>\n<Label>\n<Button/>\n</Label></VerticalLayout></Window>", 3,
     L"cannot be placed", true},
};

INSTANTIATE_TEST_SUITE_P(Builder, BuilderErrors, ::testing::ValuesIn(kErrorCases));

TEST(Builder, MissingIncludeNamesTheIncludingLine)
{
    UITestWindow window;
    CControlUI* root = window.Load(L"<Window><VerticalLayout>\n\n<Include source='nowhere.xml'/></VerticalLayout></Window>");
    EXPECT_NE(root, nullptr);
    const auto& errors = window.builder.GetErrors();
    EXPECT_TRUE(std::any_of(errors.begin(), errors.end(), [](const UIBuilderError& e) {
        return e.file == L"<string>" && e.line == 3 && e.message.find(L"nowhere.xml") != std::wstring::npos;
    }));
}

TEST(Builder, UnknownAttributesAreWarningsNotErrors)
{
    UITestWindow window;
    window.Load(L"<Window><VerticalLayout showhtml='true'/></Window>");
    EXPECT_FALSE(window.builder.HasErrors());
    ASSERT_EQ(window.builder.GetWarnings().size(), 1u);
    EXPECT_NE(window.builder.GetWarnings()[0].message.find(L"showhtml"), std::wstring::npos);
}

TEST(Builder, IncludesThroughTheResourceIndexWithBackslashes)
{
    TempSkin skin;
    skin.Write("res.xml", "<Res><Xml id='XML_MAIN' path='XML\\Main.xml'/></Res>");
    skin.Write("XML/Main.xml",
               "<Window size='300,200'>\n<VerticalLayout name='root'>\n"
               "<Include source='XML\\\\Part.xml' count='2'/>\n</VerticalLayout>\n</Window>");
    skin.Write("XML/Part.xml", "<HorizontalLayout name='part'><Button name='inner'/></HorizontalLayout>");
    ASSERT_TRUE(CResourceManager::GetInstance().LoadResource());
    EXPECT_EQ(CResourceManager::GetInstance().GetXmlPath(L"XML_MAIN"), L"XML/Main.xml");

    UITestWindow window;
    CControlUI* root = window.Load(L"XML_MAIN");
    ASSERT_NE(root, nullptr) << window.builder.GetLastErrorMessage();
    EXPECT_FALSE(window.builder.HasErrors()) << window.builder.GetLastErrorMessage();
    EXPECT_EQ(static_cast<CContainerUI*>(root->GetInterface(L"Container"))->GetCount(), 2);
    EXPECT_EQ(window.manager.GetInitSize(), (UISize{300, 200}));
    CResourceManager::GetInstance().ResetResourceMap();
}

TEST(Builder, ErrorsInIncludedFilesNameThatFile)
{
    TempSkin skin;
    skin.Write("Main.xml", "<Window><VerticalLayout>\n<Include source='Bad.xml'/>\n</VerticalLayout></Window>");
    skin.Write("Bad.xml", "<VerticalLayout>\n\n<Button height='x'/>\n</VerticalLayout>");
    UITestWindow window;
    window.Load(L"Main.xml");
    ASSERT_TRUE(window.builder.HasErrors());
    EXPECT_EQ(window.builder.GetErrors()[0].file, L"Bad.xml");
    EXPECT_EQ(window.builder.GetErrors()[0].line, 3);
}

TEST(Builder, RecursiveIncludeStopsWithAnError)
{
    TempSkin skin;
    skin.Write("Loop.xml", "<VerticalLayout><Include source='Loop.xml'/></VerticalLayout>");
    UITestWindow window;
    CControlUI* root = window.Load(L"<Window><Include source='Loop.xml'/></Window>");
    EXPECT_NE(root, nullptr);
    ASSERT_TRUE(window.builder.HasErrors());
    EXPECT_NE(window.builder.GetLastErrorMessage().find(L"nested too deeply"), std::wstring::npos);
}

class Gauge : public CControlUI {
public:
    std::wstring GetClass() const override { return L"GaugeUI"; }
};

class Callback : public IDialogBuilderCallback {
public:
    CControlUI* CreateControl(const std::wstring& name) override
    {
        asked.push_back(name);
        return EqualsNoCase(name, L"Gauge") ? new Gauge : nullptr;
    }
    std::vector<std::wstring> asked;
};

TEST(Builder, CallbackFirstThenFactoryByClassName)
{
    CControlFactory::GetInstance().RegistControl(L"CDialUI", [] { return new Gauge; });
    EXPECT_TRUE(CControlFactory::GetInstance().IsRegistered(L"Dial"));
    EXPECT_TRUE(CControlFactory::GetInstance().IsRegistered(L"horizontallayout"));

    UITestWindow window;
    Callback callback;
    window.Load(L"<Window><VerticalLayout><Gauge name='g'/><Dial name='d'/><Button name='b'/></VerticalLayout></Window>",
                &callback);
    EXPECT_FALSE(window.builder.HasErrors()) << window.builder.GetLastErrorMessage();
    EXPECT_EQ(window.Find(L"g")->GetClass(), L"GaugeUI");
    EXPECT_EQ(window.Find(L"d")->GetClass(), L"GaugeUI");
    EXPECT_EQ(window.Find(L"b")->GetClass(), L"ButtonUI");
    EXPECT_EQ(callback.asked.size(), 4u) << "every element is offered to the callback first";
}

}  // namespace
}  // namespace dw::ui::test
