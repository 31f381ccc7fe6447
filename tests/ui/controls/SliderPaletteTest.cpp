// Sliders and the colour palette driven through the paint manager: drag notifications, step
// rounding, track clicks, keys and wheel, and the palette's picked colour.

#include <gtest/gtest.h>

#include "ui/core/controls/CColorPaletteUI.h"
#include "ui/core/controls/CSliderUI.h"

#include "ControlTestWindow.h"

namespace dw::ui {
namespace {

using test::ControlHarness;

// A 216-pixel track: the 16-pixel thumb travels 200 pixels, 2 pixels per value unit.
const std::wstring kSliders =
    L"<HorizontalLayout height=\"40\">"
    L"<Slider name=\"bright\" width=\"216\" height=\"20\" min=\"0\" max=\"100\" value=\"50\" step=\"10\" thumbsize=\"16,16\"/>"
    L"<Slider name=\"fine\" width=\"216\" height=\"20\" min=\"0\" max=\"100\" value=\"0\" thumbsize=\"16,16\"/>"
    L"</HorizontalLayout>"
    L"<Slider name=\"tall\" width=\"20\" height=\"116\" hor=\"false\" min=\"0\" max=\"4\" value=\"0\" thumbsize=\"16,16\"/>"
    L"<Slider name=\"off\" width=\"216\" height=\"20\" value=\"30\" enabled=\"false\"/>";

TEST(Slider, DragRaisesMoveValueChangedThenOneValueChanged)
{
    ControlHarness h(kSliders);
    auto* slider = h.Find<CSliderUI>(L"fine");
    ASSERT_NE(slider, nullptr);
    const UIRect thumb = slider->GetThumbRect();
    const UIPoint grab{thumb.left + 8, (thumb.top + thumb.bottom) / 2};
    h.Backend().MouseMove(h.Hwnd(), grab);
    h.Backend().MouseDown(h.Hwnd(), grab);
    EXPECT_TRUE(h.Notes().empty());  // grabbing the thumb changes nothing
    for (int dx : {10, 20, 19, 60})
        h.Backend().MouseMove(h.Hwnd(), {grab.x + dx, grab.y}, MK_LBUTTON);
    // 19 pixels rounds to the value 20 pixels gave: no notification for it.
    std::vector<std::wstring> moves(3, notify::kMoveValueChanged);
    EXPECT_EQ(h.Types(L"fine"), moves);
    EXPECT_EQ(slider->GetValue(), 30);
    h.Backend().MouseMove(h.Hwnd(), {grab.x + 1000, grab.y}, MK_LBUTTON);  // far past the end
    EXPECT_EQ(slider->GetValue(), 100);
    h.Backend().MouseUp(h.Hwnd(), {grab.x + 1000, grab.y});
    EXPECT_EQ(h.Count(notify::kValueChanged, L"fine"), 1u);
    EXPECT_EQ(h.Types(L"fine").back(), notify::kValueChanged);

    // A click on the thumb without a move reports nothing.
    h.Journal().clear();
    const UIRect end = slider->GetThumbRect();
    h.Click({end.left + 8, (end.top + end.bottom) / 2});
    EXPECT_TRUE(h.Notes().empty());
}

TEST(Slider, UserValuesFollowTheStep)
{
    ControlHarness h(kSliders);
    auto* slider = h.Find<CSliderUI>(L"bright");
    const UIRect rc = slider->GetPos();
    const int y = (rc.top + rc.bottom) / 2;
    // The track pixel under the thumb's centre: value v sits at rc.left + 8 + 2 * v.
    struct Case {
        int value;  // where the click lands, in value units
        int expected;
    };
    for (const Case c : {Case{73, 70}, Case{76, 80}, Case{4, 0}, Case{97, 100}}) {
        h.Journal().clear();
        h.Click({rc.left + 8 + 2 * c.value, y});
        EXPECT_EQ(slider->GetValue(), c.expected) << c.value;
        EXPECT_EQ(h.Count(notify::kValueChanged, L"bright"), 1u) << c.value;
    }
    // Keys and wheel step and report at once; at the ends they report nothing.
    h.Journal().clear();
    slider->SetFocus();
    h.Key(VK_LEFT);
    EXPECT_EQ(slider->GetValue(), 90);
    h.Key(VK_NEXT);
    EXPECT_EQ(slider->GetValue(), 80);
    h.Key(VK_END);
    h.Key(VK_RIGHT);
    EXPECT_EQ(slider->GetValue(), 100);
    h.Backend().Wheel(h.Hwnd(), ControlHarness::Center(slider), -120);
    EXPECT_EQ(slider->GetValue(), 90);
    EXPECT_EQ(h.Count(notify::kValueChanged, L"bright"), 4u);
    EXPECT_EQ(h.Count(notify::kMoveValueChanged, L"bright"), 0u);
}

TEST(Slider, VerticalGrowsUpwardsAndDisabledIgnoresInput)
{
    ControlHarness h(kSliders);
    auto* tall = h.Find<CSliderUI>(L"tall");
    const UIRect rc = tall->GetPos();
    EXPECT_EQ(tall->GetThumbRect().bottom, rc.bottom);  // the minimum at the bottom
    h.Click({(rc.left + rc.right) / 2, rc.top + 8});
    EXPECT_EQ(tall->GetValue(), 4);
    EXPECT_EQ(tall->GetThumbRect().top, rc.top);

    auto* off = h.Find<CSliderUI>(L"off");
    h.Journal().clear();
    h.Click(off);
    h.Backend().Wheel(h.Hwnd(), ControlHarness::Center(off), 120);
    EXPECT_EQ(off->GetValue(), 30);
    EXPECT_TRUE(h.Notes().empty());
}

TEST(ColorPalette, PickingReportsTheColourOnRelease)
{
    ControlHarness h(L"<ColorPalette name=\"pal\" width=\"241\" height=\"121\" barheight=\"12\"/>");
    auto* palette = h.Find<CColorPaletteUI>(L"pal");
    ASSERT_NE(palette, nullptr);
    palette->SetSelectColor(0xFF008000);
    EXPECT_TRUE(h.Journal().empty());
    EXPECT_NEAR(palette->GetHsv().hue, 120.0, 1e-9);

    // Top-right corner of the square: full saturation and brightness of the hue.
    const UIRect sq = palette->GetSquareRect();
    h.Backend().MouseDown(h.Hwnd(), {sq.left + 10, sq.bottom - 2});
    h.Backend().MouseMove(h.Hwnd(), {sq.right - 1, sq.top}, MK_LBUTTON);
    EXPECT_TRUE(h.Notes().empty());  // nothing until the release
    h.Backend().MouseUp(h.Hwnd(), {sq.right - 1, sq.top});
    ASSERT_EQ(h.Count(notify::kColorChanged, L"pal"), 1u);
    EXPECT_EQ(h.Journal().back().wParam, 0xFF00FF00u);

    // Bottom-left is black whatever the hue.
    h.Journal().clear();
    h.Click({sq.left, sq.bottom - 1});
    EXPECT_EQ(palette->GetSelectColor(), 0xFF000000u);
    EXPECT_EQ(h.Journal().back().wParam, 0xFF000000u);

    // The hue bar: a third of the way is green, at full saturation and brightness.
    const UIRect bar = palette->GetBarRect();
    h.Click({sq.right - 1, sq.top});
    h.Journal().clear();
    // 240 pixels of travel: 160 pixels is 240 degrees, 80 pixels 120.
    h.Click({bar.left + (bar.GetWidth() - 1) * 2 / 3, (bar.top + bar.bottom) / 2});
    EXPECT_EQ(palette->GetSelectColor(), 0xFF0000FFu);
    h.Click({bar.left + (bar.GetWidth() - 1) / 3, (bar.top + bar.bottom) / 2});
    EXPECT_EQ(palette->GetSelectColor(), 0xFF00FF00u);
    EXPECT_EQ(h.Count(notify::kColorChanged, L"pal"), 2u);
}

}  // namespace
}  // namespace dw::ui
