#include "shell/frame/MainWindowFonts.h"

#include <string>

#include "ui/core/CPaintManagerUI.h"

namespace dw {

void RebuildMainWindowFonts(ui::CPaintManagerUI& paintManager)
{
    constexpr bool kShared = true;
    paintManager.RemoveAllFonts(!kShared);
    paintManager.RemoveAllFonts(kShared);
    for (const MainWindowFont& font : kMainWindowFonts) {
        ui::UIFontSpec fontFace;
        fontFace.face = std::wstring(font.face);
        fontFace.size = font.size;
        fontFace.bold = font.bold;
        fontFace.underline = font.underline;
        if (font.id < 0)
            paintManager.SetDefaultFont(fontFace, kShared);
        else
            paintManager.AddFont(font.id, fontFace, kShared);
    }
}

}  // namespace dw
