#include "ui/backend/qt/CQtRenderContext.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPixmap>

#include <algorithm>

#include "ui/backend/qt/CQtImage.h"
#include "ui/backend/qt/QtConvert.h"

namespace dw::ui::qt {

namespace {

bool IsInvisible(UIColor color)
{
    return (color >> 24) == 0;
}

// A border of the given width drawn inside rc: the pen runs half a width in from the edge.
QRectF InsideRect(const UIRect& rc, int width)
{
    const double half = width / 2.0;
    return QRectF(rc.left, rc.top, rc.GetWidth(), rc.GetHeight()).adjusted(half, half, -half, -half);
}

}  // namespace

CQtRenderContext::CQtRenderContext(QPainter& painter) : m_painter(painter)
{
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

CQtRenderContext::~CQtRenderContext()
{
    while (m_clipDepth > 0)
        PopClip();
}

void CQtRenderContext::FillRect(const UIRect& rc, UIColor color)
{
    if (rc.IsEmpty() || IsInvisible(color))
        return;
    m_painter.fillRect(ToQRect(rc), ToQColor(color));
}

void CQtRenderContext::FillRoundRect(const UIRect& rc, int radiusX, int radiusY, UIColor color)
{
    if (rc.IsEmpty() || IsInvisible(color))
        return;
    if (radiusX <= 0 && radiusY <= 0) {
        FillRect(rc, color);
        return;
    }
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(color));
    m_painter.drawRoundedRect(QRectF(ToQRect(rc)), radiusX, radiusY);
    m_painter.restore();
}

void CQtRenderContext::FillGradient(const UIRect& rc, UIColor from, UIColor to, bool vertical)
{
    if (rc.IsEmpty())
        return;
    QLinearGradient gradient(rc.left, rc.top, vertical ? rc.left : rc.right, vertical ? rc.bottom : rc.top);
    gradient.setColorAt(0.0, ToQColor(from));
    gradient.setColorAt(1.0, ToQColor(to));
    m_painter.fillRect(ToQRect(rc), gradient);
}

void CQtRenderContext::DrawRect(const UIRect& rc, int width, UIColor color, int radiusX, int radiusY)
{
    if (rc.IsEmpty() || width <= 0 || IsInvisible(color))
        return;
    m_painter.save();
    QPen pen(ToQColor(color));
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    if (radiusX > 0 || radiusY > 0) {
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        m_painter.drawRoundedRect(InsideRect(rc, width), radiusX, radiusY);
    } else {
        m_painter.drawRect(InsideRect(rc, width));
    }
    m_painter.restore();
}

void CQtRenderContext::DrawLine(UIPoint from, UIPoint to, int width, UIColor color)
{
    if (width <= 0 || IsInvisible(color))
        return;
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, from.x != to.x && from.y != to.y);
    QPen pen(ToQColor(color));
    pen.setWidth(width);
    m_painter.setPen(pen);
    m_painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
    m_painter.restore();
}

void CQtRenderContext::FillEllipse(const UIRect& rc, UIColor color)
{
    if (rc.IsEmpty() || IsInvisible(color))
        return;
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(color));
    m_painter.drawEllipse(QRectF(ToQRect(rc)));
    m_painter.restore();
}

void CQtRenderContext::DrawArc(const UIRect& rc, double startDegrees, double spanDegrees, int width, UIColor color)
{
    if (rc.IsEmpty() || width <= 0 || IsInvisible(color))
        return;
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(ToQColor(color));
    pen.setWidth(width);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    // QPainter counts arcs in sixteenths of a degree, with the same origin and direction.
    m_painter.drawArc(InsideRect(rc, width), static_cast<int>(startDegrees * 16), static_cast<int>(spanDegrees * 16));
    m_painter.restore();
}

void CQtRenderContext::DrawPiece(const QImage& image, const QRect& dest, const QRect& source, bool xtiled, bool ytiled)
{
    if (dest.isEmpty() || source.isEmpty())
        return;
    if (!xtiled && !ytiled) {
        m_painter.drawImage(QRectF(dest), image, QRectF(source));
        return;
    }
    // A tiled piece keeps its size along the tiled axis and stretches along the other.
    const int tileWidth = xtiled ? source.width() : dest.width();
    const int tileHeight = ytiled ? source.height() : dest.height();
    const QPixmap tile = QPixmap::fromImage(image.copy(source).scaled(tileWidth, tileHeight));
    m_painter.drawTiledPixmap(dest, tile);
}

void CQtRenderContext::DrawImage(const UIImage& image, const UIRect& dest, const UIImageDrawParams& params)
{
    const auto* qtImage = dynamic_cast<const CQtImage*>(&image);
    if (qtImage == nullptr || dest.IsEmpty() || params.fade == 0)
        return;
    const QImage& img = qtImage->GetQImage();
    const QRect source = params.source.IsEmpty() ? img.rect() : ToQRect(params.source).intersected(img.rect());
    if (source.isEmpty())
        return;
    const QRect target = ToQRect(dest);

    m_painter.save();
    if (params.fade != 255)
        m_painter.setOpacity(m_painter.opacity() * params.fade / 255.0);

    const UIRect& c = params.corners;
    if (c.left <= 0 && c.top <= 0 && c.right <= 0 && c.bottom <= 0) {
        DrawPiece(img, target, source, params.xtiled, params.ytiled);
        m_painter.restore();
        return;
    }
    // Nine patches: the corners keep their size, the edges stretch along one axis, the middle
    // along both. Corners larger than the image or the destination are cut down to fit.
    const int left = std::clamp(c.left, 0, std::min(source.width(), target.width()));
    const int right = std::clamp(c.right, 0, std::min(source.width(), target.width()) - left);
    const int top = std::clamp(c.top, 0, std::min(source.height(), target.height()));
    const int bottom = std::clamp(c.bottom, 0, std::min(source.height(), target.height()) - top);
    const int sx[4] = {source.left(), source.left() + left, source.left() + source.width() - right,
                       source.left() + source.width()};
    const int sy[4] = {source.top(), source.top() + top, source.top() + source.height() - bottom,
                       source.top() + source.height()};
    const int dx[4] = {target.left(), target.left() + left, target.left() + target.width() - right,
                       target.left() + target.width()};
    const int dy[4] = {target.top(), target.top() + top, target.top() + target.height() - bottom,
                       target.top() + target.height()};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const bool middle = row == 1 && col == 1;
            if (middle && params.hole)
                continue;
            const QRect d(dx[col], dy[row], dx[col + 1] - dx[col], dy[row + 1] - dy[row]);
            const QRect s(sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]);
            DrawPiece(img, d, s, middle && params.xtiled, middle && params.ytiled);
        }
    }
    m_painter.restore();
}

int CQtRenderContext::ToQtTextFlags(UINT style)
{
    int flags = 0;
    if ((style & text::kCenter) != 0)
        flags |= Qt::AlignHCenter;
    else if ((style & text::kRight) != 0)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if ((style & text::kVCenter) != 0)
        flags |= Qt::AlignVCenter;
    else if ((style & text::kBottom) != 0)
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if ((style & text::kWordBreak) != 0 && (style & text::kSingleLine) == 0)
        flags |= Qt::TextWordWrap;
    return flags;
}

void CQtRenderContext::DrawText(const std::wstring& text, const UIRect& rc, const UIFontSpec& font, UIColor color,
                                UINT style)
{
    if (text.empty() || rc.IsEmpty() || IsInvisible(color))
        return;
    const QFont qfont = ToQFont(font);
    QString qtext = ToQString(text);
    const bool singleLine = (style & text::kSingleLine) != 0;
    if (singleLine)
        qtext.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if ((style & text::kEndEllipsis) != 0 && (singleLine || (style & text::kWordBreak) == 0))
        qtext = QFontMetrics(qfont).elidedText(qtext, Qt::ElideRight, rc.GetWidth());
    m_painter.save();
    m_painter.setClipRect(ToQRect(rc), Qt::IntersectClip);
    m_painter.setFont(qfont);
    m_painter.setPen(ToQColor(color));
    m_painter.drawText(ToQRect(rc), ToQtTextFlags(style), qtext);
    m_painter.restore();
}

void CQtRenderContext::PushClip(const UIRect& rc)
{
    m_painter.save();
    ++m_clipDepth;
    m_painter.setClipRect(ToQRect(rc), Qt::IntersectClip);
}

void CQtRenderContext::PopClip()
{
    if (m_clipDepth == 0)
        return;
    --m_clipDepth;
    m_painter.restore();
}

}  // namespace dw::ui::qt
