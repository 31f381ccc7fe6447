#pragma once

// Deterministic text metrics for tests: every character is kCharWidth pixels wide (a line
// break starts a new line), every line kLineHeight pixels high, whatever the font.

#include <algorithm>
#include <string>

#include "ui/core/IRenderContext.h"

namespace dw::ui::test {

class FixedTextMetrics : public ITextMetrics {
public:
    static constexpr int kCharWidth = 8;
    static constexpr int kLineHeight = 16;

    UISize MeasureText(const std::wstring& text, const UIFontSpec&, UINT, int) override
    {
        int lines = 1;
        int widest = 0;
        int current = 0;
        for (wchar_t c : text) {
            if (c == L'\n') {
                ++lines;
                current = 0;
                continue;
            }
            current += kCharWidth;
            widest = std::max(widest, current);
        }
        return {widest, lines * kLineHeight};
    }
    int LineHeight(const UIFontSpec&) override { return kLineHeight; }
};

}  // namespace dw::ui::test
