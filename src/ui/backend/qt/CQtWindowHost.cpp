#include "ui/backend/qt/CQtWindowHost.h"

#include <QCursor>
#include <QIcon>
#include <QWindow>

#include "ui/backend/qt/CQtBackend.h"
#include "ui/backend/qt/QtConvert.h"
#include "ui/core/CWindowWnd.h"

namespace dw::ui::qt {

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

Qt::WindowFlags FlagsFor(const WindowCreateParams& params)
{
    Qt::WindowFlags flags = params.popup ? Qt::Popup : (params.toolWindow ? Qt::Tool : Qt::Window);
    if (params.frameless)
        flags |= Qt::FramelessWindowHint;
    if (params.topMost)
        flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

}  // namespace

CQtWindowHost::CQtWindowHost(CQtBackend& backend, CWindowWnd& window, const WindowCreateParams& params,
                             PaintCallback paint)
    : m_backend(backend), m_hwnd(window.GetHWND())
{
    m_widget = new CQtHostWidget(window, std::move(paint), backend.EventDepth(), FlagsFor(params));
    m_widget->setWindowTitle(ToQString(params.caption));
    const int width = params.rect.GetWidth() > 0 ? params.rect.GetWidth() : kDefaultWidth;
    const int height = params.rect.GetHeight() > 0 ? params.rect.GetHeight() : kDefaultHeight;
    m_widget->setGeometry(params.rect.left, params.rect.top, width, height);
    // An owned window stays above its owner.
    if (CQtHostWidget* owner = backend.FindWidget(params.owner); owner != nullptr) {
        m_widget->winId();
        owner->winId();
        if (m_widget->windowHandle() != nullptr)
            m_widget->windowHandle()->setTransientParent(owner->windowHandle());
    }
    backend.RegisterHost(m_hwnd, this);
}

CQtWindowHost::~CQtWindowHost()
{
    Destroy();
}

void CQtWindowHost::SetCaption(const std::wstring& caption)
{
    if (m_widget)
        m_widget->setWindowTitle(ToQString(caption));
}

void CQtWindowHost::SetRect(const UIRect& screenRect)
{
    if (m_widget)
        m_widget->setGeometry(ToQRect(screenRect));
}

UIRect CQtWindowHost::GetRect() const
{
    return m_widget ? ToUIRect(m_widget->geometry()) : UIRect{};
}

void CQtWindowHost::Show(ShowCommand command)
{
    if (!m_widget)
        return;
    switch (command) {
    case ShowCommand::Hide:
        m_widget->hide();
        break;
    case ShowCommand::Show:
        m_widget->setAttribute(Qt::WA_ShowWithoutActivating, false);
        m_widget->show();
        Activate();
        break;
    case ShowCommand::ShowNoActivate:
        m_widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
        m_widget->show();
        break;
    case ShowCommand::Minimize:
        m_widget->showMinimized();
        break;
    case ShowCommand::Maximize:
        m_widget->showMaximized();
        break;
    case ShowCommand::Restore:
        m_widget->showNormal();
        Activate();
        break;
    }
}

bool CQtWindowHost::IsVisible() const
{
    return m_widget && m_widget->isVisible();
}

bool CQtWindowHost::IsMinimized() const
{
    return m_widget && m_widget->isMinimized();
}

bool CQtWindowHost::IsMaximized() const
{
    return m_widget && m_widget->isMaximized();
}

void CQtWindowHost::SetTopMost(bool topMost)
{
    if (!m_widget || m_widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost)
        return;
    // Changing window flags hides the window; show it again if it was shown.
    const bool visible = m_widget->isVisible();
    m_widget->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    if (visible)
        m_widget->show();
}

void CQtWindowHost::Activate()
{
    if (!m_widget)
        return;
    m_widget->raise();
    m_widget->activateWindow();
}

void CQtWindowHost::SetIcon(const std::wstring& imagePath)
{
    if (m_widget)
        m_widget->setWindowIcon(QIcon(ToQString(imagePath)));
}

void CQtWindowHost::SetMinSize(UISize size)
{
    if (m_widget)
        m_widget->setMinimumSize(size.cx, size.cy);
}

void CQtWindowHost::SetRoundCorner(int radius)
{
    if (m_widget)
        m_widget->SetRoundCorner(radius);
}

void CQtWindowHost::SetTranslucent(bool translucent)
{
    if (!m_widget)
        return;
    m_widget->setAttribute(Qt::WA_TranslucentBackground, translucent);
    m_widget->setAttribute(Qt::WA_OpaquePaintEvent, !translucent);
}

void CQtWindowHost::Invalidate(const UIRect& rc)
{
    if (!m_widget)
        return;
    // Qt merges update requests into one paint event.
    if (rc.IsEmpty())
        m_widget->update();
    else
        m_widget->update(ToQRect(rc));
}

void CQtWindowHost::SetCursor(CursorShape shape)
{
    if (!m_widget)
        return;
    Qt::CursorShape qtShape = Qt::ArrowCursor;
    switch (shape) {
    case CursorShape::Arrow:
        qtShape = Qt::ArrowCursor;
        break;
    case CursorShape::Hand:
        qtShape = Qt::PointingHandCursor;
        break;
    case CursorShape::IBeam:
        qtShape = Qt::IBeamCursor;
        break;
    case CursorShape::SizeWE:
        qtShape = Qt::SizeHorCursor;
        break;
    case CursorShape::SizeNS:
        qtShape = Qt::SizeVerCursor;
        break;
    case CursorShape::SizeAll:
        qtShape = Qt::SizeAllCursor;
        break;
    case CursorShape::Wait:
        qtShape = Qt::WaitCursor;
        break;
    }
    m_widget->setCursor(qtShape);
}

void CQtWindowHost::SetCapture(bool /*capture*/)
{
    // Qt already sends every mouse event to the widget a button was pressed on until the
    // release, which is all the capture is used for.
}

void CQtWindowHost::BeginSystemMove()
{
    if (m_widget && m_widget->windowHandle() != nullptr)
        m_widget->windowHandle()->startSystemMove();
}

void CQtWindowHost::SetImeCursorRect(const UIRect& rc)
{
    if (m_widget)
        m_widget->SetImeRect(rc);
}

double CQtWindowHost::GetDevicePixelRatio() const
{
    return m_widget ? m_widget->devicePixelRatioF() : 1.0;
}

void CQtWindowHost::Destroy()
{
    if (!m_widget)
        return;
    m_backend.UnregisterHost(m_hwnd);
    CQtHostWidget* widget = m_widget;
    m_widget = nullptr;
    widget->Detach();
    widget->hide();
    // The widget may be inside one of its own event handlers now; it is deleted later.
    m_backend.RetireWidget(widget);
}

}  // namespace dw::ui::qt
