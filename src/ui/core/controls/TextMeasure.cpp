#include "ui/core/controls/TextMeasure.h"

namespace dw::ui {

int MeasureLineWidth(ITextMetrics& metrics, const UIFontSpec& font, const std::wstring& text)
{
    if (text.empty())
        return 0;
    return metrics.MeasureText(text, font, text::kSingleLine | text::kNoPrefix, 0).cx;
}

size_t CaretFromX(ITextMetrics& metrics, const UIFontSpec& font, const std::wstring& text, int x)
{
    if (x <= 0 || text.empty())
        return 0;
    // Prefix widths grow with the prefix: find the first prefix at least x wide, then take
    // whichever of it and the one before lies nearer.
    size_t lo = 0;
    size_t hi = text.size();
    if (MeasureLineWidth(metrics, font, text) <= x)
        return text.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (MeasureLineWidth(metrics, font, text.substr(0, mid)) < x)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == 0)
        return 0;
    const int after = MeasureLineWidth(metrics, font, text.substr(0, lo));
    const int before = MeasureLineWidth(metrics, font, text.substr(0, lo - 1));
    return (x - before) <= (after - x) ? lo - 1 : lo;
}

}  // namespace dw::ui
