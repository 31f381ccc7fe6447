// Builds the gallery layout (every control kind) in a headless window, renders it to a PNG in
// the build folder and checks that the picture is not blank and that named controls are drawn
// where the layout puts them.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <set>

#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CDialogBuilder.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/WindowImplBase.h"
#include "ui/core/controls/CColorPaletteUI.h"
#include "ui/core/controls/CComboDropDown.h"
#include "ui/core/controls/CComboUI.h"
#include "ui/core/controls/CEditUI.h"
#include "ui/core/controls/CListUI.h"
#include "ui/core/controls/UIHsv.h"

namespace dw::ui {
namespace {

class GalleryWindow : public WindowImplBase {
protected:
    std::wstring GetSkinFile() override { return L"gallery.xml"; }
};

int Distance(QColor a, UIColor b)
{
    return std::abs(a.red() - ColorRed(b)) + std::abs(a.green() - ColorGreen(b)) + std::abs(a.blue() - ColorBlue(b));
}

class GalleryRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        CPaintManagerUI::SetResourcePath(Utf8ToWideForTest(DW_FIXTURES_DIR "/gallery/"));
        m_window.Create(m_loop, nullptr, L"Gallery", WS_POPUP | WS_VISIBLE, 0, {0, 0, 960, 640});
        m_loop.RunUntilIdle();
        m_window.GetPaintManager().UpdateLayout();
    }
    void TearDown() override
    {
        m_window.DestroyWindow();
        m_loop.RunUntilIdle();
    }

    static std::wstring Utf8ToWideForTest(const char* text) { return std::wstring(text, text + std::strlen(text)); }

    CControlUI* Named(const wchar_t* name)
    {
        CControlUI* control = m_window.GetPaintManager().FindControl(name);
        EXPECT_NE(control, nullptr) << "no control named " << std::string(name, name + std::wcslen(name));
        return control;
    }

    headless::CHeadlessBackend m_backend;
    CMessageLoop m_loop{m_backend};
    GalleryWindow m_window;
};

TEST_F(GalleryRender, LayoutBuildsWithoutProblems)
{
    CPaintManagerUI manager;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(L"gallery.xml", {}, nullptr, &manager);
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(builder.HasErrors()) << std::string(builder.GetLastErrorMessage().begin(), builder.GetLastErrorMessage().end());
    for (const UIBuilderError& w : builder.GetWarnings())
        ADD_FAILURE() << "line " << w.line << ": " << std::string(w.message.begin(), w.message.end());
    delete root;
}

TEST_F(GalleryRender, NamedControlsLandWhereTheLayoutPutsThem)
{
    // Caption 44 and accent line 2, then an inset of 16 around columns 180, 340 and the rest.
    struct Expected {
        const wchar_t* name;
        UIRect pos;
    };
    const Expected expected[] = {
        {L"caption", {0, 0, 960, 44}},
        {L"left_column", {16, 62, 196, 624}},
        {L"middle_column", {212, 62, 552, 624}},
        {L"right_column", {568, 62, 944, 624}},
        {L"nav_keyboard", {16, 88, 196, 128}},
        {L"gallery_edit", {212, 88, 552, 120}},
        {L"closebtn", {918, 7, 954, 37}},
    };
    for (const Expected& e : expected) {
        CControlUI* control = Named(e.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->GetPos(), e.pos) << std::string(e.name, e.name + std::wcslen(e.name));
    }
    auto* list = static_cast<CListUI*>(Named(L"gallery_list"));
    EXPECT_EQ(list->GetCount(), 7);
    EXPECT_EQ(list->GetPos().GetWidth(), 376);
    // Header columns give the container rows their cells.
    EXPECT_EQ(Named(L"head_keys")->GetPos().left, 568 + 1 + 170);
    auto* combo = static_cast<CComboUI*>(Named(L"gallery_combo"));
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetText(), L"Spectrum wave");
}

TEST_F(GalleryRender, RendersAFinishedPicture)
{
    // Something to show: a selected row, a hovered button, a focused edit with a selection.
    static_cast<CListUI*>(Named(L"gallery_list"))->SelectItem(1, false, false);
    auto* edit = static_cast<CEditUI*>(Named(L"gallery_edit"));
    edit->SetFocus();
    edit->SetSel(11, 16);
    const CControlUI* reset = Named(L"reset_btn");
    m_backend.MouseMove(m_window.GetHWND(), {(reset->GetPos().left + reset->GetPos().right) / 2, reset->GetPos().top + 4});

    ASSERT_TRUE(m_backend.SavePng(m_window.GetHWND(), DW_GALLERY_PNG)) << DW_GALLERY_PNG;
    const QImage image = m_backend.RenderToImage(m_window.GetHWND()).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), 960);
    ASSERT_EQ(image.height(), 640);

    // Not blank: many colours, and most of the picture is not the page background.
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 400u);

    auto pixelAt = [&](const CControlUI* control, int dx, int dy) {
        return QColor(image.pixel(control->GetPos().left + dx, control->GetPos().top + dy));
    };
    auto centre = [&](const CControlUI* control) {
        return pixelAt(control, control->GetWidth() / 2, control->GetHeight() / 2);
    };
    // The accent button is painted where it is laid out (its text is in the middle, so look
    // beside it), the page's background around the columns, swatches in their colours.
    const CControlUI* apply = Named(L"apply_btn");
    EXPECT_LT(Distance(pixelAt(apply, 8, apply->GetHeight() / 2), 0xFF19C3FF), 12);
    EXPECT_LT(Distance(QColor(image.pixel(8, 300)), 0xFF15171C), 12);
    EXPECT_LT(Distance(centre(Named(L"swatch_1")), 0xFFFF5A3C), 12);
    EXPECT_LT(Distance(centre(Named(L"swatch_2")), 0xFF3DDC84), 12);
    // The palette's square: white at the top left, the pure hue at the top right.
    auto* palette = static_cast<CColorPaletteUI*>(Named(L"gallery_palette"));
    const UIRect square = palette->GetSquareRect();
    EXPECT_LT(Distance(QColor(image.pixel(square.left + 1, square.top + 1)), 0xFFFFFFFF), 24);
    const UIColor hue = HsvToColor({palette->GetHsv().hue, 1.0, 1.0});
    EXPECT_LT(Distance(QColor(image.pixel(square.right - 2, square.top + 1)), hue), 30);
    // The slider's fill reaches its thumb: accent on the left part of the track.
    const CControlUI* slider = Named(L"gallery_slider");
    EXPECT_LT(Distance(pixelAt(slider, 4, slider->GetHeight() / 2), 0xFF19C3FF), 30);
}

TEST_F(GalleryRender, OpenComboShowsItsItemsBelowIt)
{
    auto* combo = static_cast<CComboUI*>(Named(L"gallery_combo"));
    const UIRect rc = combo->GetPos();
    m_backend.Click(m_window.GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    ASSERT_TRUE(combo->IsDropDownOpen());
    const HWND popup = combo->GetDropDown()->GetHWND();
    const std::string path = std::string(DW_GALLERY_PNG).substr(0, std::strlen(DW_GALLERY_PNG) - 4) + "-combo.png";
    ASSERT_TRUE(m_backend.SavePng(popup, path)) << path;
    const QImage image = m_backend.RenderToImage(popup).convertToFormat(QImage::Format_ARGB32);
    // Four items of 28 pixels and the border.
    EXPECT_EQ(image.height(), 4 * 28 + 2);
    EXPECT_EQ(image.width(), rc.GetWidth());
    // The selected third item is painted in the selected colour.
    EXPECT_LT(Distance(QColor(image.pixel(image.width() - 8, 1 + 2 * 28 + 14)), 0xFF1F3442), 12);
    m_backend.KeyPress(popup, VK_ESCAPE);
    m_loop.RunUntilIdle();
    EXPECT_FALSE(combo->IsDropDownOpen());
}

TEST_F(GalleryRender, AnIdleWindowDoesNotRepaint)
{
    m_loop.RunUntilIdle();
    // Nothing is focused, so no caret timer runs: the loop has nothing to wait for.
    EXPECT_FALSE(m_loop.NextTimerDeadline().has_value());
}

}  // namespace
}  // namespace dw::ui
