#pragma once

// Lines of a multi-line text: paragraphs split at line breaks and, with word wrap, wrapped at
// spaces to a width (a word longer than the width is cut where it no longer fits). Rebuilt
// whenever the text, the font or the width changes; the rich edit uses it for painting, caret
// placement and hit testing.

#include <cstddef>
#include <string>
#include <vector>

#include "ui/core/IRenderContext.h"

namespace dw::ui {

class CTextLineLayout {
public:
    struct Line {
        size_t start = 0;
        size_t length = 0;  // characters shown; a line break after them is not counted
    };

    void Build(const std::wstring& text, ITextMetrics& metrics, const UIFontSpec& font, int wrapWidth, bool wordWrap);

    size_t GetLineCount() const { return m_lines.size(); }
    const Line& GetLine(size_t index) const { return m_lines[index]; }
    const std::vector<Line>& GetLines() const { return m_lines; }
    int GetLineHeight() const { return m_lineHeight; }
    int GetContentHeight() const { return static_cast<int>(m_lines.size()) * m_lineHeight; }

    // Line holding the caret position; a position where a line was wrapped belongs to the
    // line it starts.
    size_t LineOfPos(size_t pos) const;
    // Pixel offset of the caret position from the left of its line.
    int XOfPos(size_t pos) const;
    // Caret position nearest to a point given relative to the top-left of the text.
    size_t PosFromPoint(int x, int y) const;
    // Caret position on another line keeping the horizontal pixel offset x.
    size_t PosOnLine(size_t line, int x) const;

private:
    void WrapParagraph(size_t start, size_t end, int wrapWidth);
    std::wstring LineText(size_t line) const;

    std::wstring m_text;
    ITextMetrics* m_metrics = nullptr;
    UIFontSpec m_font;
    int m_lineHeight = 0;
    std::vector<Line> m_lines;
};

}  // namespace dw::ui
