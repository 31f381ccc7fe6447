#pragma once

// Conversions between the window library's types and Qt's, in one place for both backends.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "ui/core/IRenderContext.h"
#include "ui/core/UIDefs.h"

namespace dw::ui::qt {

inline QString ToQString(const std::wstring& text)
{
    return QString::fromStdWString(text);
}

inline std::wstring ToWString(const QString& text)
{
    return text.toStdWString();
}

inline QColor ToQColor(UIColor argb)
{
    return QColor::fromRgba(static_cast<QRgb>(argb));
}

inline QRect ToQRect(const UIRect& rc)
{
    return QRect(rc.left, rc.top, rc.GetWidth(), rc.GetHeight());
}

inline UIRect ToUIRect(const QRect& rc)
{
    return {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

// Sizes of the layout are pixels, so the font is sized in pixels too.
inline QFont ToQFont(const UIFontSpec& fontSpec)
{
    QFont font;
    if (!fontSpec.face.empty())
        font.setFamily(ToQString(fontSpec.face));
    font.setPixelSize(fontSpec.size > 0 ? fontSpec.size : 12);
    font.setBold(fontSpec.bold);
    font.setUnderline(fontSpec.underline);
    font.setItalic(fontSpec.italic);
    return font;
}

}  // namespace dw::ui::qt
