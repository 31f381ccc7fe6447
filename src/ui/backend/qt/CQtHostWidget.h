#pragma once

// The native top-level widget of one window in the Qt backend. It paints through the window's
// paint callback and turns every Qt input event into the window message a CWindowWnd expects:
// mouse messages with MK_* key state and client coordinates, WM_MOUSEWHEEL with the delta in
// 120ths in the high word of wParam and client coordinates in lParam, WM_KEYDOWN/WM_KEYUP with
// virtual key codes, WM_CHAR for typed text and input method commits, focus, activation, size,
// move and close requests.

#include <QWidget>

#include <functional>

#include "ui/core/IUIBackend.h"
#include "ui/core/UIDefs.h"

namespace dw::ui::qt {

class CQtHostWidget : public QWidget {
public:
    // depth counts the widget event handlers running, so that widgets are deleted only when none
    // is on the stack.
    CQtHostWidget(CWindowWnd& window, PaintCallback paint, int& depth, Qt::WindowFlags flags);

    // After this no message reaches the window any more.
    void Detach();
    bool IsDetached() const { return m_window == nullptr; }
    void SetImeRect(const UIRect& rc) { m_imeRect = rc; }
    void SetRoundCorner(int radius);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Tab and Shift+Tab belong to the window's own focus order.
    bool focusNextPrevChild(bool next) override;

private:
    LRESULT Deliver(UINT msg, WPARAM wParam, LPARAM lParam);
    void DeliverText(const QString& text);
    void UpdateMask();

    CWindowWnd* m_window;
    PaintCallback m_paint;
    int& m_depth;
    UIRect m_imeRect;
    int m_roundCorner = 0;
};

}  // namespace dw::ui::qt
