#include "ui/core/controls/CTextLineLayout.h"

#include <algorithm>

#include "ui/core/controls/TextMeasure.h"

namespace dw::ui {

void CTextLineLayout::Build(const std::wstring& text, ITextMetrics& metrics, const UIFontSpec& font, int wrapWidth,
                            bool wordWrap)
{
    m_text = text;
    m_metrics = &metrics;
    m_font = font;
    m_lineHeight = std::max(1, metrics.LineHeight(font));
    m_lines.clear();

    size_t start = 0;
    for (;;) {
        const size_t brk = m_text.find(L'\n', start);
        const size_t end = brk == std::wstring::npos ? m_text.size() : brk;
        if (wordWrap && wrapWidth > 0)
            WrapParagraph(start, end, wrapWidth);
        else
            m_lines.push_back({start, end - start});
        if (brk == std::wstring::npos)
            break;
        start = brk + 1;
    }
}

void CTextLineLayout::WrapParagraph(size_t start, size_t end, int wrapWidth)
{
    while (start < end) {
        const std::wstring rest = m_text.substr(start, end - start);
        if (MeasureLineWidth(*m_metrics, m_font, rest) <= wrapWidth) {
            m_lines.push_back({start, end - start});
            return;
        }
        // Longest prefix that fits, at least one character so that wrapping always advances.
        size_t lo = 1;
        size_t hi = rest.size();
        while (lo < hi) {
            const size_t mid = lo + (hi - lo + 1) / 2;
            if (MeasureLineWidth(*m_metrics, m_font, rest.substr(0, mid)) <= wrapWidth)
                lo = mid;
            else
                hi = mid - 1;
        }
        size_t take = lo;
        // Break after the last space inside the prefix, or after spaces that follow it, so a
        // word is not cut when it can move to the next line whole.
        if (rest[take] == L' ') {
            while (take < rest.size() && rest[take] == L' ')
                ++take;
        } else {
            const size_t space = rest.rfind(L' ', take - 1);
            if (space != std::wstring::npos && space > 0)
                take = space + 1;
        }
        m_lines.push_back({start, take});
        start += take;
    }
    if (start == end && (m_lines.empty() || m_lines.back().start + m_lines.back().length != end))
        m_lines.push_back({start, 0});
}

size_t CTextLineLayout::LineOfPos(size_t pos) const
{
    if (m_lines.empty())
        return 0;
    // The last line whose start is at or before pos.
    auto it = std::upper_bound(m_lines.begin(), m_lines.end(), pos,
                               [](size_t p, const Line& line) { return p < line.start; });
    if (it == m_lines.begin())
        return 0;
    return static_cast<size_t>(it - m_lines.begin()) - 1;
}

std::wstring CTextLineLayout::LineText(size_t line) const
{
    const Line& l = m_lines[line];
    return m_text.substr(l.start, l.length);
}

int CTextLineLayout::XOfPos(size_t pos) const
{
    if (m_lines.empty() || m_metrics == nullptr)
        return 0;
    const size_t line = LineOfPos(pos);
    const Line& l = m_lines[line];
    const size_t inLine = std::min(pos - l.start, l.length);
    return MeasureLineWidth(*m_metrics, m_font, m_text.substr(l.start, inLine));
}

size_t CTextLineLayout::PosOnLine(size_t line, int x) const
{
    if (m_lines.empty() || m_metrics == nullptr)
        return 0;
    line = std::min(line, m_lines.size() - 1);
    const Line& l = m_lines[line];
    size_t inLine = CaretFromX(*m_metrics, m_font, LineText(line), x);
    // The end of a wrapped line is the start of the next one; stay on this line.
    const bool wrapped = line + 1 < m_lines.size() && m_lines[line + 1].start == l.start + l.length;
    if (wrapped && l.length > 0 && inLine == l.length)
        inLine = l.length - 1;
    return l.start + inLine;
}

size_t CTextLineLayout::PosFromPoint(int x, int y) const
{
    if (m_lines.empty())
        return 0;
    const int line = y < 0 ? 0 : y / m_lineHeight;
    return PosOnLine(static_cast<size_t>(line), x);
}

}  // namespace dw::ui
