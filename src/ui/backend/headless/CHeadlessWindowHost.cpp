#include "ui/backend/headless/CHeadlessWindowHost.h"

#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CWindowWnd.h"
#include "ui/core/UIMessages.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::ui::headless {

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

}  // namespace

CHeadlessWindowHost::CHeadlessWindowHost(CHeadlessBackend& backend, CWindowWnd& window,
                                         const WindowCreateParams& params, PaintCallback paint)
    : m_backend(backend), m_window(&window), m_hwnd(window.GetHWND()), m_params(params), m_paint(std::move(paint)),
      m_caption(params.caption), m_topMost(params.topMost)
{
    const int width = params.rect.GetWidth() > 0 ? params.rect.GetWidth() : kDefaultWidth;
    const int height = params.rect.GetHeight() > 0 ? params.rect.GetHeight() : kDefaultHeight;
    m_rect = {params.rect.left, params.rect.top, params.rect.left + width, params.rect.top + height};
    m_backend.RegisterHost(m_hwnd, this);
}

CHeadlessWindowHost::~CHeadlessWindowHost()
{
    Destroy();
}

LRESULT CHeadlessWindowHost::Deliver(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_window == nullptr)
        return 0;
    return m_window->DeliverHostMessage(msg, wParam, lParam);
}

void CHeadlessWindowHost::SetRect(const UIRect& screenRect)
{
    const UIRect old = m_rect;
    m_rect = screenRect;
    if (m_rect.GetWidth() < m_minSize.cx)
        m_rect.right = m_rect.left + m_minSize.cx;
    if (m_rect.GetHeight() < m_minSize.cy)
        m_rect.bottom = m_rect.top + m_minSize.cy;
    // As a native window does, the window hears of its new size and position at once.
    const HWND self = m_hwnd;
    if (old.left != m_rect.left || old.top != m_rect.top)
        Deliver(WM_MOVE, 0, MakeLParam(m_rect.left, m_rect.top));
    if (m_backend.GetHost(self) == this && (old.GetWidth() != m_rect.GetWidth() || old.GetHeight() != m_rect.GetHeight()))
        Deliver(WM_SIZE, m_maximized ? SIZE_MAXIMIZED : SIZE_RESTORED, MakeLParam(m_rect.GetWidth(), m_rect.GetHeight()));
}

void CHeadlessWindowHost::Show(ShowCommand command)
{
    switch (command) {
    case ShowCommand::Hide:
        m_visible = false;
        if (m_backend.GetActiveWindow() == m_hwnd)
            m_backend.SetActive(nullptr);
        break;
    case ShowCommand::Show:
        m_visible = true;
        Activate();
        break;
    case ShowCommand::ShowNoActivate:
        m_visible = true;
        break;
    case ShowCommand::Minimize:
        m_visible = true;
        m_minimized = true;
        if (m_backend.GetActiveWindow() == m_hwnd)
            m_backend.SetActive(nullptr);
        Deliver(WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case ShowCommand::Maximize:
        m_visible = true;
        m_minimized = false;
        if (!m_maximized) {
            m_restoredRect = m_rect;
            m_maximized = true;
            const UIPoint middle{(m_rect.left + m_rect.right) / 2, (m_rect.top + m_rect.bottom) / 2};
            SetRect(m_backend.GetScreenWorkArea(middle));
        }
        Activate();
        break;
    case ShowCommand::Restore:
        m_visible = true;
        m_minimized = false;
        if (m_maximized) {
            m_maximized = false;
            SetRect(m_restoredRect);
        }
        Activate();
        break;
    }
}

void CHeadlessWindowHost::Activate()
{
    if (m_visible && m_window != nullptr)
        m_backend.SetActive(m_hwnd);
}

void CHeadlessWindowHost::Invalidate(const UIRect& rc)
{
    ++m_invalidateCount;
    const UIRect whole{0, 0, m_rect.GetWidth(), m_rect.GetHeight()};
    m_invalid = m_invalid.Union(rc.IsEmpty() ? whole : rc.Intersect(whole));
}

void CHeadlessWindowHost::Destroy()
{
    if (m_window == nullptr)
        return;
    m_window = nullptr;
    m_paint = nullptr;
    m_visible = false;
    m_backend.UnregisterHost(m_hwnd);
}

void CHeadlessWindowHost::Paint(IRenderContext& context)
{
    m_invalidateCount = 0;
    m_invalid = {};
    if (m_paint)
        m_paint(context, {0, 0, m_rect.GetWidth(), m_rect.GetHeight()});
}

}  // namespace dw::ui::headless
