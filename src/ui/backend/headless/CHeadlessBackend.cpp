#include "ui/backend/headless/CHeadlessBackend.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>

#include "ui/backend/headless/CHeadlessWindowHost.h"
#include "ui/backend/qt/CQtImage.h"
#include "ui/backend/qt/CQtRenderContext.h"
#include "ui/backend/qt/QtConvert.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CWindowWnd.h"
#include "ui/core/UIMessages.h"
#include "ui/core/UIWindowStyles.h"

namespace dw::ui::headless {

namespace {

int g_argc = 1;
char g_argv0[] = "dunwake-headless";
char* g_argv[] = {g_argv0, nullptr};

// Physical size of the virtual screen: a 24-inch 16:9 monitor.
constexpr UISize kScreenMillimetres{531, 299};

// A handler that keeps re-arming a due timer must not keep AdvanceClock busy for ever.
constexpr int kAdvanceStepLimit = 1000000;

}  // namespace

class CHeadlessBackend::HeadlessTray : public ITrayIcon {
public:
    HeadlessTray(CHeadlessBackend& backend, std::function<void(TrayEvent, UIPoint)> onEvent)
        : m_backend(backend), m_onEvent(std::move(onEvent))
    {
        m_backend.m_tray = this;
    }
    ~HeadlessTray() override
    {
        if (m_backend.m_tray == this)
            m_backend.m_tray = nullptr;
    }
    void SetIcon(const std::wstring& /*imagePath*/) override {}
    void SetToolTip(const std::wstring& /*text*/) override {}
    void SetVisible(bool /*visible*/) override {}
    std::optional<UIRect> GetGeometry() const override { return std::nullopt; }
    void Fire(TrayEvent event, UIPoint pt) { m_onEvent(event, pt); }

private:
    CHeadlessBackend& m_backend;
    std::function<void(TrayEvent, UIPoint)> m_onEvent;
};

CHeadlessBackend::CHeadlessBackend()
{
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_ownedApp = std::make_unique<QGuiApplication>(g_argc, g_argv);
    }
}

CHeadlessBackend::~CHeadlessBackend() = default;

std::unique_ptr<IWindowHost> CHeadlessBackend::CreateWindowHost(CWindowWnd& window, const WindowCreateParams& params,
                                                                PaintCallback paint)
{
    return std::make_unique<CHeadlessWindowHost>(*this, window, params, std::move(paint));
}

std::shared_ptr<UIImage> CHeadlessBackend::DecodeImage(const std::vector<uint8_t>& bytes)
{
    return qt::CQtImage::Decode(bytes);
}

bool CHeadlessBackend::AddFontFile(const std::wstring& path)
{
    return QFontDatabase::addApplicationFont(qt::ToQString(path)) != -1;
}

std::vector<std::wstring> CHeadlessBackend::GetFontFamilies()
{
    std::vector<std::wstring> families;
    for (const QString& family : QFontDatabase::families())
        families.push_back(qt::ToWString(family));
    return families;
}

void CHeadlessBackend::WaitForEvents(int timeoutMs)
{
    std::unique_lock lock(m_wakeMutex);
    if (m_wakePending) {
        m_wakePending = false;
        return;
    }
    if (timeoutMs == 0)
        return;
    if (timeoutMs > 0) {
        // Nothing but the clock can end this wait: let the time pass at once.
        m_clock += static_cast<uint64_t>(timeoutMs);
        return;
    }
    m_wakeCondition.wait(lock, [this] { return m_wakePending; });
    m_wakePending = false;
}

void CHeadlessBackend::Wake()
{
    {
        std::lock_guard lock(m_wakeMutex);
        m_wakePending = true;
    }
    m_wakeCondition.notify_all();
}

void CHeadlessBackend::AdvanceClock(uint64_t ms)
{
    const uint64_t target = m_clock.load() + ms;
    if (m_loop == nullptr || m_loop->IsQuitRequested()) {
        m_clock = target;
        return;
    }
    m_loop->RunUntilIdle();
    for (int step = 0; step < kAdvanceStepLimit && !m_loop->IsQuitRequested(); ++step) {
        const std::optional<uint64_t> next = m_loop->NextTimerDeadline();
        if (!next || *next > target)
            break;
        if (*next > m_clock.load())
            m_clock = *next;
        m_loop->RunUntilIdle();
    }
    m_clock = target;
    m_loop->RunUntilIdle();
}

std::wstring CHeadlessBackend::GetClipboardText()
{
    return m_clipboard;
}

void CHeadlessBackend::SetClipboardText(const std::wstring& text)
{
    m_clipboard = text;
}

UIRect CHeadlessBackend::GetScreenWorkArea(UIPoint /*near*/)
{
    return {0, 0, kScreenWidth, kScreenHeight - kTaskbarHeight};
}

UIRect CHeadlessBackend::GetScreenRect(UIPoint /*near*/)
{
    return {0, 0, kScreenWidth, kScreenHeight};
}

UISize CHeadlessBackend::GetScreenSizeMillimetres(UIPoint /*near*/)
{
    return kScreenMillimetres;
}

std::wstring CHeadlessBackend::OpenFileDialog(HWND /*owner*/, const std::wstring& title,
                                              const std::vector<FileDialogFilter>& filters,
                                              const std::wstring& /*startFolder*/)
{
    m_lastDialogTitle = title;
    m_lastDialogFilters = filters;
    return std::exchange(m_nextDialogResult, std::wstring());
}

std::wstring CHeadlessBackend::SaveFileDialog(HWND owner, const std::wstring& title,
                                              const std::vector<FileDialogFilter>& filters,
                                              const std::wstring& startFolder, const std::wstring& /*suggestedName*/)
{
    return OpenFileDialog(owner, title, filters, startFolder);
}

std::unique_ptr<ITrayIcon> CHeadlessBackend::CreateTrayIcon(std::function<void(TrayEvent, UIPoint)> onEvent)
{
    return std::make_unique<HeadlessTray>(*this, std::move(onEvent));
}

bool CHeadlessBackend::ClickTray(TrayEvent event, UIPoint screenPos)
{
    if (m_tray == nullptr)
        return false;
    m_tray->Fire(event, screenPos);
    Settle();
    return true;
}

CHeadlessWindowHost* CHeadlessBackend::GetHost(HWND hwnd) const
{
    auto it = m_hosts.find(hwnd);
    return it == m_hosts.end() ? nullptr : it->second;
}

void CHeadlessBackend::RegisterHost(HWND hwnd, CHeadlessWindowHost* host)
{
    m_hosts[hwnd] = host;
}

void CHeadlessBackend::UnregisterHost(HWND hwnd)
{
    m_hosts.erase(hwnd);
    m_frames.erase(hwnd);
    if (m_active == hwnd)
        m_active = nullptr;
}

void CHeadlessBackend::SetActive(HWND hwnd)
{
    if (m_active == hwnd)
        return;
    const HWND previous = m_active;
    m_active = hwnd;
    // The window losing activation may close itself (a menu); each step looks its window up again.
    Deliver(previous, WM_KILLFOCUS, 0, 0);
    Deliver(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    if (m_active != hwnd)
        return;
    Deliver(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    Deliver(hwnd, WM_SETFOCUS, 0, 0);
}

LRESULT CHeadlessBackend::Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CHeadlessWindowHost* host = GetHost(hwnd);
    return host == nullptr ? 0 : host->Deliver(msg, wParam, lParam);
}

void CHeadlessBackend::Settle()
{
    if (m_loop != nullptr)
        m_loop->RunUntilIdle();
}

QImage CHeadlessBackend::RenderToImage(HWND hwnd)
{
    CHeadlessWindowHost* host = GetHost(hwnd);
    if (host == nullptr)
        return {};
    const UIRect rc = host->GetRect();
    const double ratio = host->GetDevicePixelRatio();
    QImage image(static_cast<int>(rc.GetWidth() * ratio), static_cast<int>(rc.GetHeight() * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    {
        qt::CQtRenderContext context(painter);
        host->Paint(context);
    }
    painter.end();
    m_frames[hwnd] = image;
    return image;
}

void CHeadlessBackend::FlushPaints()
{
    std::vector<HWND> due;
    for (const auto& [hwnd, host] : m_hosts)
        if (host->IsVisible() && !host->IsMinimized() && host->GetInvalidateCount() > 0)
            due.push_back(hwnd);
    for (HWND hwnd : due)
        RenderToImage(hwnd);
}

QImage CHeadlessBackend::GetLastFrame(HWND hwnd) const
{
    auto it = m_frames.find(hwnd);
    return it == m_frames.end() ? QImage() : it->second;
}

bool CHeadlessBackend::SavePng(HWND hwnd, const std::string& path)
{
    const QImage image = RenderToImage(hwnd);
    return !image.isNull() && image.save(QString::fromStdString(path), "PNG");
}

void CHeadlessBackend::MouseMove(HWND hwnd, UIPoint pt, WPARAM keyState)
{
    FlushPaints();
    Deliver(hwnd, WM_MOUSEMOVE, keyState, MakeLParam(pt.x, pt.y));
    Settle();
}

void CHeadlessBackend::MouseDown(HWND hwnd, UIPoint pt, bool right)
{
    FlushPaints();
    if (!right && m_active != hwnd)
        if (CHeadlessWindowHost* host = GetHost(hwnd); host != nullptr && host->GetWindow()->IsWindowEnabled())
            host->Activate();
    Deliver(hwnd, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MakeLParam(pt.x, pt.y));
    Settle();
}

void CHeadlessBackend::MouseUp(HWND hwnd, UIPoint pt, bool right)
{
    FlushPaints();
    Deliver(hwnd, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MakeLParam(pt.x, pt.y));
    Settle();
}

void CHeadlessBackend::Click(HWND hwnd, UIPoint pt, bool right)
{
    MouseMove(hwnd, pt);
    MouseDown(hwnd, pt, right);
    MouseUp(hwnd, pt, right);
}

void CHeadlessBackend::DoubleClick(HWND hwnd, UIPoint pt)
{
    MouseMove(hwnd, pt);
    MouseDown(hwnd, pt);
    MouseUp(hwnd, pt);
    Deliver(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(pt.x, pt.y));
    Settle();
    MouseUp(hwnd, pt);
}

void CHeadlessBackend::Wheel(HWND hwnd, UIPoint pt, int delta)
{
    FlushPaints();
    const WPARAM wParam = static_cast<WPARAM>(static_cast<uint16_t>(static_cast<int16_t>(delta))) << 16;
    Deliver(hwnd, WM_MOUSEWHEEL, wParam, MakeLParam(pt.x, pt.y));
    Settle();
}

void CHeadlessBackend::KeyDown(HWND hwnd, UINT vk)
{
    FlushPaints();
    Deliver(hwnd, WM_KEYDOWN, vk, 1);
    Settle();
}

void CHeadlessBackend::KeyUp(HWND hwnd, UINT vk)
{
    FlushPaints();
    Deliver(hwnd, WM_KEYUP, vk, 1);
    Settle();
}

void CHeadlessBackend::KeyPress(HWND hwnd, UINT vk, wchar_t typed)
{
    KeyDown(hwnd, vk);
    if (typed != 0) {
        Deliver(hwnd, WM_CHAR, static_cast<WPARAM>(typed), 1);
        Settle();
    }
    KeyUp(hwnd, vk);
}

void CHeadlessBackend::TypeText(HWND hwnd, const std::wstring& text)
{
    FlushPaints();
    for (wchar_t c : text)
        Deliver(hwnd, WM_CHAR, static_cast<WPARAM>(c), 1);
    Settle();
}

void CHeadlessBackend::MouseLeave(HWND hwnd)
{
    FlushPaints();
    Deliver(hwnd, WM_MOUSELEAVE, 0, 0);
    Settle();
}

}  // namespace dw::ui::headless
