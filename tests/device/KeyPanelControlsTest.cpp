// The key button and the select panel: attributes, marks, double click, rubber-band selection
// and their registration with the control factory.

#include <gtest/gtest.h>

#include "UITestHarness.h"
#include "keyboard/ui/CDeviceKeyButtonUI.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "keyboard/ui/KeyPanelControls.h"
#include "ui/core/CControlFactory.h"

namespace dw {
namespace {

TEST(KeyPanelControls, RegisteredUnderElementAndClassNames)
{
    RegisterKeyPanelControls();
    auto& factory = ui::CControlFactory::GetInstance();
    for (const wchar_t* name : {L"DeviceKeyButton", L"CDeviceKeyButtonUI", L"SelectPanel", L"CSelectPanelUI"}) {
        SCOPED_TRACE(testing::Message() << std::wstring(name));
        std::unique_ptr<ui::CControlUI> control(factory.CreateControl(name));
        ASSERT_NE(control, nullptr);
        const bool button = std::wstring(name).find(L"Button") != std::wstring::npos;
        EXPECT_EQ(control->GetClass(), button ? L"DeviceKeyButton" : L"SelectPanel");
        EXPECT_NE(control->GetInterface(button ? L"Button" : L"VerticalLayout"), nullptr);
    }
}

TEST(DeviceKeyButton, ReadsItsAttributes)
{
    CDeviceKeyButtonUI button;
    EXPECT_EQ(button.SetAttribute(L"lightimage", L"file='kb/light.png'"), ui::AttributeResult::Ok);
    EXPECT_EQ(button.SetAttribute(L"keysetimage", L"kb/set.png"), ui::AttributeResult::Ok);
    EXPECT_EQ(button.SetAttribute(L"keyunsetimage", L"kb/unset.png"), ui::AttributeResult::Ok);
    EXPECT_EQ(button.GetLightImage(), L"file='kb/light.png'");
    EXPECT_EQ(button.GetKeySetImage(), L"kb/set.png");
    EXPECT_EQ(button.GetKeyUnsetImage(), L"kb/unset.png");

    struct Case {
        const wchar_t* value;
        ui::AttributeResult result;
        ui::UIColor colour;
    };
    const Case colours[] = {
        {L"#FF102030", ui::AttributeResult::Ok, 0xFF102030},
        {L"FF405060", ui::AttributeResult::Ok, 0xFF405060},  // "#" optional
        {L"708090", ui::AttributeResult::Ok, 0xFF708090},
        {L"#zz", ui::AttributeResult::Malformed, 0xFF708090},
    };
    for (const Case& c : colours) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.value));
        EXPECT_EQ(button.SetAttribute(L"gmnametextcolor", c.value), c.result);
        EXPECT_EQ(button.GetTextColor(), c.colour);
    }
}

TEST(DeviceKeyButton, SwatchCarriesThePreviewAlpha)
{
    CDeviceKeyButtonUI button;
    button.SetPreviewColour(0x12, 0x34, 0x56);
    button.SetPreviewAlpha(0x80);
    EXPECT_EQ(button.GetPreviewColour(), 0xFF123456u);
    EXPECT_EQ(button.SwatchColour(), 0x80123456u);
}

class KeyPanel : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterKeyPanelControls();
        // Three 40 x 40 keys in a row at the top of the panel, free space below them.
        window.Load(L"<Window><SelectPanel name=\"panel\"><HorizontalLayout height=\"40\">"
                    L"<DeviceKeyButton name=\"key_0\" width=\"40\"/>"
                    L"<DeviceKeyButton name=\"key_1\" width=\"40\"/>"
                    L"<DeviceKeyButton name=\"key_2\" width=\"40\"/>"
                    L"</HorizontalLayout>"
                    L"<DeviceKeyButton name=\"key_3\" height=\"40\" width=\"40\"/>"
                    L"</SelectPanel></Window>");
        for (const wchar_t* name : {L"key_3"})
            ASSERT_NE(window.Find(name), nullptr);
    }
    CDeviceKeyButtonUI* Key(const wchar_t* name)
    {
        return static_cast<CDeviceKeyButtonUI*>(window.Find(name)->GetInterface(CDeviceKeyButtonUI::kClassName));
    }
    ui::test::UITestWindow window{400, 300};
};

TEST_F(KeyPanel, RubberBandSelectsTheDirectKeyButtonsItMeets)
{
    auto* panel = static_cast<CSelectPanelUI*>(window.Find(L"panel"));
    // From the free area below the keys, up and to the left over key_3 (at 0..40, 40..80).
    window.Press({30, 200});
    EXPECT_TRUE(panel->IsSelecting());
    window.MoveTo({10, 60});
    EXPECT_EQ(panel->GetSelection(), (ui::UIRect{10, 60, 30, 200}));  // corners normalised
    window.Release({10, 60});
    window.Pump();
    EXPECT_FALSE(panel->IsSelecting());
    EXPECT_TRUE(Key(L"key_3")->IsSelected());
    EXPECT_EQ(window.Count(notify::kClickSelectEnd, L"panel"), 1);

    // A second band that misses key_3 deselects it.
    window.Press({200, 250});
    window.Release({300, 290});
    window.Pump();
    EXPECT_FALSE(Key(L"key_3")->IsSelected());
    EXPECT_EQ(window.Count(notify::kClickSelectEnd, L"panel"), 2);
}

TEST_F(KeyPanel, ReleaseWithoutMovingSendsNothing)
{
    Key(L"key_3")->SetSelected(true);
    window.Press({200, 250});
    window.Release({200, 250});
    window.Pump();
    EXPECT_EQ(window.Count(notify::kClickSelectEnd), 0);
    EXPECT_TRUE(Key(L"key_3")->IsSelected());
}

TEST_F(KeyPanel, DoubleClickOnAKeySendsDbclick)
{
    const ui::UIPoint at = ui::test::UITestWindow::Center(window.Find(L"key_1"));
    window.MoveTo(at);
    window.Send(ui::WM_LBUTTONDBLCLK, ui::MK_LBUTTON, ui::MakeLParam(at.x, at.y));
    window.Release(at);
    window.Pump();
    EXPECT_EQ(window.Count(ui::notify::kDbClick, L"key_1"), 1);

    Key(L"key_2")->SetEnabled(false);
    const ui::UIPoint off = ui::test::UITestWindow::Center(window.Find(L"key_2"));
    window.Send(ui::WM_LBUTTONDBLCLK, ui::MK_LBUTTON, ui::MakeLParam(off.x, off.y));
    window.Release(off);
    window.Pump();
    EXPECT_EQ(window.Count(ui::notify::kDbClick, L"key_2"), 0);
}

}  // namespace
}  // namespace dw
