#include "ui/backend/qt/CQtTextMetrics.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

#include "ui/backend/qt/QtConvert.h"

namespace dw::ui::qt {

UISize CQtTextMetrics::MeasureText(const std::wstring& text, const UIFontSpec& font, UINT style, int maxWidth)
{
    const QFontMetrics metrics(ToQFont(font));
    const QString qtext = ToQString(text);
    const bool wrap = (style & text::kWordBreak) != 0 && (style & text::kSingleLine) == 0 && maxWidth > 0;
    if (!wrap) {
        QString plain = qtext;
        if ((style & text::kSingleLine) != 0)
            plain.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QStringList lines = plain.split(QLatin1Char('\n'));
        int width = 0;
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        const int height = metrics.height() + static_cast<int>(lines.size() - 1) * metrics.lineSpacing();
        return {width, height};
    }
    const QRect bounds =
        metrics.boundingRect(QRect(0, 0, maxWidth, 1 << 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, qtext);
    return {bounds.width(), std::max(bounds.height(), metrics.height())};
}

int CQtTextMetrics::LineHeight(const UIFontSpec& font)
{
    return QFontMetrics(ToQFont(font)).height();
}

}  // namespace dw::ui::qt
