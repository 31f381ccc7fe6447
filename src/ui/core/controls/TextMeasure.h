#pragma once

// Caret geometry over one line of text, shared by the single- and multi-line edits.

#include <cstddef>
#include <string>

#include "ui/core/IRenderContext.h"

namespace dw::ui {

// Width in pixels of text drawn on one line.
int MeasureLineWidth(ITextMetrics& metrics, const UIFontSpec& font, const std::wstring& text);
// Caret position (0..text.size()) nearest to x pixels from the start of the line.
size_t CaretFromX(ITextMetrics& metrics, const UIFontSpec& font, const std::wstring& text, int x);

}  // namespace dw::ui
