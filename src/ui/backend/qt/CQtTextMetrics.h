#pragma once

// Text measurement with QFontMetrics; the same fonts and flags CQtRenderContext draws with.

#include "ui/core/IRenderContext.h"

namespace dw::ui::qt {

class CQtTextMetrics : public ITextMetrics {
public:
    UISize MeasureText(const std::wstring& text, const UIFontSpec& font, UINT style, int maxWidth) override;
    int LineHeight(const UIFontSpec& font) override;
};

}  // namespace dw::ui::qt
