// Resources: language texts of resource-text controls, the text query interface, images from
// the skin folder (missing, undecodable, @2x at high DPI) and the notify pump's message maps.

#include <gtest/gtest.h>

#include "TempSkin.h"
#include "UITestHarness.h"
#include "ui/core/CNotifyPump.h"
#include "ui/core/CResourceManager.h"

namespace dw::ui::test {
namespace {

// Paints nothing; counts images drawn and the rectangles they were drawn into.
class CountingContext : public IRenderContext {
public:
    void FillRect(const UIRect&, UIColor) override {}
    void FillRoundRect(const UIRect&, int, int, UIColor) override {}
    void FillGradient(const UIRect&, UIColor, UIColor, bool) override {}
    void DrawRect(const UIRect&, int, UIColor, int, int) override {}
    void DrawLine(UIPoint, UIPoint, int, UIColor) override {}
    void FillEllipse(const UIRect&, UIColor) override {}
    void DrawArc(const UIRect&, double, double, int, UIColor) override {}
    void DrawImage(const UIImage& image, const UIRect& dest, const UIImageDrawParams& params) override
    {
        images.push_back({image.GetWidth(), dest, params.source});
    }
    void DrawText(const std::wstring& text, const UIRect&, const UIFontSpec&, UIColor, UINT) override
    {
        texts.push_back(text);
    }
    void PushClip(const UIRect&) override { ++depth; }
    void PopClip() override { --depth; }

    struct Drawn {
        int width;
        UIRect dest;
        UIRect source;
    };
    std::vector<Drawn> images;
    std::vector<std::wstring> texts;
    int depth = 0;
};

class ResourceTest : public ::testing::Test {
protected:
    void TearDown() override { CResourceManager::GetInstance().Release(); }
    TempSkin skin;
};

TEST_F(ResourceTest, LanguageSwitchRelabelsResourceTextControls)
{
    skin.Write("lan_en.xml", "<Language name='English'><Text key='ok_text' value='OK'/><Text id='title' text='Settings'/></Language>");
    skin.Write("lan_de.xml", "<Language name='Deutsch'><Text key='ok_text' value='Jawohl'/></Language>");
    auto& resources = CResourceManager::GetInstance();
    ASSERT_TRUE(resources.LoadLanguage(L"lan_en.xml"));

    UITestWindow window;
    window.Load(L"<Window><HorizontalLayout><Label name='l' text='ok_text' resourcetext='true' autocalcwidth='true'/>"
                L"<Label name='plain' text='ok_text'/><Control name='rest'/></HorizontalLayout></Window>");
    EXPECT_EQ(window.Find(L"l")->GetText(), L"OK");
    EXPECT_EQ(window.Find(L"plain")->GetText(), L"ok_text");
    EXPECT_EQ(window.Find(L"l")->GetWidth(), 14);
    EXPECT_EQ(resources.GetText(L"title"), L"Settings");

    resources.SetLanguage(L"Deutsch");
    ASSERT_TRUE(resources.LoadLanguage(L"lan_de.xml"));
    window.host.invalidateCount = 0;
    resources.ReloadText();
    EXPECT_GT(window.host.invalidateCount, 0);
    window.manager.UpdateLayout();
    EXPECT_EQ(window.Find(L"l")->GetText(), L"Jawohl");
    EXPECT_EQ(window.Find(L"l")->GetWidth(), 42) << "auto-sized labels are measured again";
    EXPECT_EQ(resources.GetText(L"title"), L"title") << "a key missing from the language shows as itself";
    EXPECT_EQ(resources.GetLanguage(), L"Deutsch");

    // A broken language file keeps the texts in force.
    skin.Write("broken.xml", "<Language><Text key='ok_text' value='x'></Language>");
    EXPECT_FALSE(resources.LoadLanguage(L"broken.xml"));
    EXPECT_FALSE(resources.LoadLanguage(L"missing.xml"));
    EXPECT_EQ(window.Find(L"l")->GetText(), L"Jawohl");

    // Switching a control to resource text afterwards translates its text (the about box does so).
    window.Find(L"plain")->SetResourceText(true);
    EXPECT_EQ(window.Find(L"plain")->GetText(), L"Jawohl");
}

class Query : public IQueryControlText {
public:
    std::wstring QueryControlText(const std::wstring& key, const std::wstring&) override
    {
        return key == L"special" ? L"from code" : L"";
    }
};

TEST_F(ResourceTest, TextQueryInterfaceAnswersFirst)
{
    skin.Write("lan.xml", "<Language><Text key='special' value='from file'/><Text key='other' value='file'/></Language>");
    auto& resources = CResourceManager::GetInstance();
    ASSERT_TRUE(resources.LoadLanguage(L"lan.xml"));
    Query query;
    resources.SetTextQueryInterface(&query);
    EXPECT_EQ(resources.GetText(L"special"), L"from code");
    EXPECT_EQ(resources.GetText(L"other"), L"file") << "an empty answer falls back to the file";
}

TEST_F(ResourceTest, ImagesLoadOnceMissingOnesPaintNothingAndHighDpiPrefersAt2x)
{
    skin.Write("img/a.png", "IMG 10 20");
    skin.Write("img/a@2x.png", "IMG 20 40");
    skin.Write("img/junk.png", "not an image");
    UITestWindow window(200, 100);
    window.Load(L"<Window><VerticalLayout>"
                L"<Control name='a' height='20' bkimage=\"file='img\\a.png' source='0,0,5,10'\"/>"
                L"<Control name='missing' height='20' bkimage='img/none.png'/>"
                L"<Control name='junk' height='20' bkimage='img/junk.png'/>"
                L"</VerticalLayout></Window>");
    CountingContext context;
    window.manager.Paint(context, {0, 0, 200, 100});
    window.manager.Paint(context, {0, 0, 200, 100});
    ASSERT_EQ(context.images.size(), 2u) << "only the image that exists is drawn";
    EXPECT_EQ(context.images[0].width, 10);
    EXPECT_EQ(context.images[0].source, (UIRect{0, 0, 5, 10}));
    EXPECT_EQ(context.images[0].dest, (UIRect{0, 0, 200, 20}));
    EXPECT_EQ(window.backend.decodeCount, 1) << "cached after the first paint";
    EXPECT_EQ(context.depth, 0) << "every clip pushed is popped";

    window.manager.SetDPI(192);
    context.images.clear();
    window.manager.Paint(context, {0, 0, 200, 100});
    ASSERT_EQ(context.images.size(), 1u);
    EXPECT_EQ(context.images[0].width, 20) << "the @2x file at high DPI";
    EXPECT_EQ(context.images[0].source, (UIRect{0, 0, 10, 20})) << "source scaled to the @2x file";
    EXPECT_EQ(context.images[0].dest, (UIRect{0, 0, 200, 40}));
}

TEST_F(ResourceTest, PaintClipsChildrenToTheirParent)
{
    UITestWindow window(200, 100);
    window.Load(L"<Window><VerticalLayout><HorizontalLayout height='30'>"
                L"<Label name='t' width='300' text='wide'/></HorizontalLayout><Control/></VerticalLayout></Window>");
    CountingContext context;
    window.manager.Paint(context, {0, 0, 200, 100});
    ASSERT_EQ(context.texts.size(), 1u);
    EXPECT_EQ(context.depth, 0);
}

class Page : public CNotifyPump {
public:
    Page()
    {
        OnNotify(notify::kClick, [this](TNotifyUI&) { log.push_back(L"page click"); });
    }
    std::vector<std::wstring> log;
};

class Window : public CNotifyPump {
public:
    Window()
    {
        OnNotify(notify::kClick, [this](TNotifyUI&) { log.push_back(L"base click"); });
        OnNotify(notify::kClick, [this](TNotifyUI&) { log.push_back(L"derived click"); });
        OnNotify(notify::kClick, L"closeBtn", [this](TNotifyUI&) { log.push_back(L"close"); });
    }
    std::vector<std::wstring> log;
};

TEST(NotifyPump, MessageMapsAndVirtualWindows)
{
    Window window;
    Page page;
    CControlUI close;
    close.SetName(L"closebtn");
    CControlUI other;
    other.SetName(L"other");

    TNotifyUI msg;
    msg.sType = notify::kClick;
    msg.pSender = &close;
    EXPECT_TRUE(window.NotifyPump(msg));
    msg.pSender = &other;
    EXPECT_TRUE(window.NotifyPump(msg));
    msg.sType = notify::kSelectChanged;
    EXPECT_FALSE(window.NotifyPump(msg));
    const std::vector<std::wstring> expected{L"close", L"derived click"};
    EXPECT_EQ(window.log, expected) << "name entries win; later entries win over earlier ones";

    ASSERT_TRUE(window.AddVirtualWnd(L"mainpage", &page));
    EXPECT_FALSE(window.AddVirtualWnd(L"mainpage", &page));
    msg.sType = notify::kClick;
    msg.sVirtualWnd = L"mainpage";
    EXPECT_TRUE(window.NotifyPump(msg));
    EXPECT_EQ(page.log.size(), 1u);
    EXPECT_EQ(window.log.size(), 2u);
    EXPECT_TRUE(window.RemoveVirtualWnd(L"mainpage"));
    EXPECT_TRUE(window.NotifyPump(msg));
    EXPECT_EQ(window.log.size(), 3u) << "without the virtual window the own map handles it";
}

TEST(NotifyPump, VirtualWndAttributeReachesTheNotification)
{
    UITestWindow window;
    window.Load(L"<Window><VerticalLayout virtualwnd='mainpage'><Button name='b'/></VerticalLayout></Window>");
    struct Grab : INotifyUI {
        void Notify(TNotifyUI& msg) override
        {
            if (msg.sType == notify::kClick)
                virtualWnd = msg.sVirtualWnd;
        }
        std::wstring virtualWnd;
    } grab;
    window.manager.AddNotifier(&grab);
    window.Click(L"b");
    window.manager.RemoveNotifier(&grab);
    EXPECT_EQ(grab.virtualWnd, L"mainpage");
}

}  // namespace
}  // namespace dw::ui::test
