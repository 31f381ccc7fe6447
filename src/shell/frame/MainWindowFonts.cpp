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
        ui::UIFontSpec spec;
        spec.face = std::wstring(font.face);
        spec.size = font.size;
        spec.bold = font.bold;
        spec.underline = font.underline;
        if (font.id < 0)
            paintManager.SetDefaultFont(spec, kShared);
        else
            paintManager.AddFont(font.id, spec, kShared);
    }
}

}  // namespace dw
