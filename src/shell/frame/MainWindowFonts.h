#pragma once

// The fonts of the main window's paint manager, set up again whenever a language is applied:
// every font goes, then this table comes back as shared fonts, with the 14-pixel plain font as
// the default. The table repeats the <Font> elements of the main window's layout, so the window
// looks the same before and after a language change. Faces are lists tried in order: the
// program's private fonts first, then free faces every Debian desktop has.

#include <array>
#include <string_view>

namespace dw::ui {
class CPaintManagerUI;
}

namespace dw {

struct MainWindowFont {
    int id = 0;
    std::wstring_view face;
    int size = 0;
    bool bold = false;
    bool underline = false;
};

namespace mainfonts {
// Text in every language the program ships: Latin, Simplified and Traditional Chinese, Thai.
inline constexpr std::wstring_view kTextFace = L"Noto Sans CJK SC,Noto Sans CJK TC,Noto Sans Thai,DejaVu Sans";
// The product's display face for titles and large numbers.
inline constexpr std::wstring_view kDisplayFace = L"Predator,DejaVu Sans";
inline constexpr int kDefaultSize = 14;
}  // namespace mainfonts

// clang-format off
inline constexpr std::array<MainWindowFont, 14> kMainWindowFonts{{
    {0, mainfonts::kTextFace, 15},
    {1, mainfonts::kTextFace, 14, false, true},
    {2, mainfonts::kTextFace, 18},
    {3, mainfonts::kDisplayFace, 30},
    {4, mainfonts::kTextFace, 16},
    {5, mainfonts::kTextFace, 20},
    {6, mainfonts::kDisplayFace, 22},
    {7, mainfonts::kTextFace, 14},
    {8, mainfonts::kTextFace, 12},
    {9, mainfonts::kTextFace, 11},
    {10, mainfonts::kTextFace, 10},
    {11, mainfonts::kDisplayFace, 28},
    {50, mainfonts::kDisplayFace, 18, true},
    // Not an id of its own in the layout: the default font, kept here so the table is whole.
    {-1, mainfonts::kTextFace, mainfonts::kDefaultSize},
}};
// clang-format on

// Removes every font of the manager (its own and the shared ones) and adds the table again.
void RebuildMainWindowFonts(ui::CPaintManagerUI& paintManager);

}  // namespace dw
