#include "ui/backend/qt/CQtHostWidget.h"

#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QWheelEvent>

#include "ui/backend/qt/CQtRenderContext.h"
#include "ui/backend/qt/QtConvert.h"
#include "ui/backend/qt/QtKeyMap.h"
#include "ui/core/CWindowWnd.h"
#include "ui/core/UIMessages.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::ui::qt {

namespace {

// Bit 30 of a key message's lParam: the key was already down (auto-repeat).
constexpr LPARAM kKeyRepeatFlag = LPARAM{1} << 30;
constexpr LPARAM kKeyRepeatCount = 1;

WPARAM KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    WPARAM state = 0;
    if (buttons.testFlag(Qt::LeftButton))
        state |= MK_LBUTTON;
    if (buttons.testFlag(Qt::RightButton))
        state |= MK_RBUTTON;
    if (buttons.testFlag(Qt::MiddleButton))
        state |= MK_MBUTTON;
    if (modifiers.testFlag(Qt::ShiftModifier))
        state |= MK_SHIFT;
    if (modifiers.testFlag(Qt::ControlModifier))
        state |= MK_CONTROL;
    return state;
}

LPARAM Position(const QPointF& pos)
{
    const QPoint p = pos.toPoint();
    return MakeLParam(p.x(), p.y());
}

// The message for a press (0), release (1) or double click (2) of a button; WM_NULL for others.
UINT ButtonMessage(Qt::MouseButton button, int kind)
{
    static constexpr UINT kLeft[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    static constexpr UINT kRight[] = {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
    static constexpr UINT kMiddle[] = {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDOWN};
    switch (button) {
    case Qt::LeftButton:
        return kLeft[kind];
    case Qt::RightButton:
        return kRight[kind];
    case Qt::MiddleButton:
        return kMiddle[kind];
    default:
        return WM_NULL;
    }
}

struct DepthGuard {
    explicit DepthGuard(int& depth) : value(depth) { ++value; }
    ~DepthGuard() { --value; }
    int& value;
};

}  // namespace

CQtHostWidget::CQtHostWidget(CWindowWnd& window, PaintCallback paint, int& depth, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), m_window(&window), m_paint(std::move(paint)), m_depth(depth)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    // The window paints every pixel itself; Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
}

void CQtHostWidget::Detach()
{
    m_window = nullptr;
    m_paint = nullptr;
}

void CQtHostWidget::SetRoundCorner(int radius)
{
    if (radius == m_roundCorner)
        return;
    m_roundCorner = radius;
    UpdateMask();
}

void CQtHostWidget::UpdateMask()
{
    if (m_roundCorner <= 0) {
        clearMask();
        return;
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), m_roundCorner, m_roundCorner);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

LRESULT CQtHostWidget::Deliver(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_window == nullptr)
        return 0;
    // The window may destroy itself (and detach this widget) while it handles the message.
    return m_window->DeliverHostMessage(msg, wParam, lParam);
}

void CQtHostWidget::DeliverText(const QString& text)
{
    for (const QChar c : text) {
        if (m_window == nullptr)
            return;
        Deliver(WM_CHAR, c.unicode(), kKeyRepeatCount);
    }
}

bool CQtHostWidget::event(QEvent* event)
{
    DepthGuard guard(m_depth);
    return QWidget::event(event);
}

void CQtHostWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!m_paint) {
        painter.fillRect(event->rect(), Qt::transparent);
        return;
    }
    CQtRenderContext context(painter);
    m_paint(context, ToUIRect(event->rect()));
}

void CQtHostWidget::mousePressEvent(QMouseEvent* event)
{
    const UINT msg = ButtonMessage(event->button(), 0);
    if (msg != WM_NULL)
        Deliver(msg, KeyState(event->buttons(), event->modifiers()), Position(event->position()));
}

void CQtHostWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const UINT msg = ButtonMessage(event->button(), 1);
    if (msg != WM_NULL)
        Deliver(msg, KeyState(event->buttons(), event->modifiers()), Position(event->position()));
}

void CQtHostWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const UINT msg = ButtonMessage(event->button(), 2);
    if (msg != WM_NULL)
        Deliver(msg, KeyState(event->buttons(), event->modifiers()), Position(event->position()));
}

void CQtHostWidget::mouseMoveEvent(QMouseEvent* event)
{
    Deliver(WM_MOUSEMOVE, KeyState(event->buttons(), event->modifiers()), Position(event->position()));
}

void CQtHostWidget::wheelEvent(QWheelEvent* event)
{
    // Qt counts in eighths of a degree, 120 per notch: the same unit as the message.
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    const WPARAM wParam = (static_cast<WPARAM>(static_cast<uint16_t>(static_cast<int16_t>(delta))) << 16) |
                          KeyState(event->buttons(), event->modifiers());
    Deliver(WM_MOUSEWHEEL, wParam, Position(event->position()));
}

void CQtHostWidget::keyPressEvent(QKeyEvent* event)
{
    const UINT vk = QtKeyToVirtualKey(event->key(), event->modifiers());
    const bool alt = event->modifiers().testFlag(Qt::AltModifier);
    if (vk != 0)
        Deliver(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, kKeyRepeatCount | (event->isAutoRepeat() ? kKeyRepeatFlag : 0));
    if (!alt)
        DeliverText(event->text());
}

void CQtHostWidget::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    const UINT vk = QtKeyToVirtualKey(event->key(), event->modifiers());
    if (vk != 0)
        Deliver(event->modifiers().testFlag(Qt::AltModifier) ? WM_SYSKEYUP : WM_KEYUP, vk, kKeyRepeatCount);
}

void CQtHostWidget::inputMethodEvent(QInputMethodEvent* event)
{
    // FIXME: the composition (pre-edit) text is not shown inline; only committed text arrives.
    DeliverText(event->commitString());
    event->accept();
}

QVariant CQtHostWidget::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return ToQRect(m_imeRect);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void CQtHostWidget::focusInEvent(QFocusEvent* /*event*/)
{
    Deliver(WM_SETFOCUS, 0, 0);
}

void CQtHostWidget::focusOutEvent(QFocusEvent* /*event*/)
{
    Deliver(WM_KILLFOCUS, 0, 0);
}

void CQtHostWidget::enterEvent(QEnterEvent* event)
{
    Deliver(WM_MOUSEHOVER, 0, Position(event->position()));
}

void CQtHostWidget::leaveEvent(QEvent* /*event*/)
{
    Deliver(WM_MOUSELEAVE, 0, 0);
}

void CQtHostWidget::resizeEvent(QResizeEvent* /*event*/)
{
    UpdateMask();
    const WPARAM kind = isMaximized() ? SIZE_MAXIMIZED : (isMinimized() ? SIZE_MINIMIZED : SIZE_RESTORED);
    Deliver(WM_SIZE, kind, MakeLParam(width(), height()));
}

void CQtHostWidget::moveEvent(QMoveEvent* /*event*/)
{
    Deliver(WM_MOVE, 0, MakeLParam(x(), y()));
}

void CQtHostWidget::closeEvent(QCloseEvent* event)
{
    // The window decides: WM_CLOSE's default handling destroys it, which hides this widget.
    event->ignore();
    Deliver(WM_CLOSE, 0, 0);
}

void CQtHostWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange)
        Deliver(WM_ACTIVATE, isActiveWindow() ? WA_ACTIVE : WA_INACTIVE, 0);
    else if (event->type() == QEvent::WindowStateChange && isMinimized())
        Deliver(WM_SIZE, SIZE_MINIMIZED, MakeLParam(width(), height()));
    QWidget::changeEvent(event);
}

bool CQtHostWidget::focusNextPrevChild(bool /*next*/)
{
    return false;
}

}  // namespace dw::ui::qt
