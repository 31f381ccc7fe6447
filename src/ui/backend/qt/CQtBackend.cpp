#include "ui/backend/qt/CQtBackend.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QTimer>

#include "ui/backend/qt/CQtHostWidget.h"
#include "ui/backend/qt/CQtImage.h"
#include "ui/backend/qt/CQtTrayIcon.h"
#include "ui/backend/qt/CQtWindowHost.h"
#include "ui/backend/qt/QtConvert.h"

namespace dw::ui::qt {

namespace {

// QApplication keeps references to argc and argv for its whole life.
int g_argc = 1;
char g_argv0[] = "dunwake";
char* g_argv[] = {g_argv0, nullptr};

QScreen* ScreenNear(UIPoint near)
{
    QScreen* screen = QGuiApplication::screenAt(QPoint(near.x, near.y));
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

QWidget* DialogParent(const CQtBackend& backend, HWND owner)
{
    return backend.GetNativeWidget(owner);
}

}  // namespace

CQtBackend::CQtBackend()
{
    if (QCoreApplication::instance() == nullptr)
        m_ownedApp = std::make_unique<QApplication>(g_argc, g_argv);
    m_clock.start();
    m_dispatcher = QAbstractEventDispatcher::instance();
    m_deadline = std::make_unique<QTimer>();
    m_deadline->setSingleShot(true);
    m_deadline->setTimerType(Qt::PreciseTimer);
}

CQtBackend::~CQtBackend()
{
    for (auto& widget : m_retired)
        delete widget.data();
    m_retired.clear();
    m_deadline.reset();
}

std::unique_ptr<IWindowHost> CQtBackend::CreateWindowHost(CWindowWnd& window, const WindowCreateParams& params,
                                                          PaintCallback paint)
{
    return std::make_unique<CQtWindowHost>(*this, window, params, std::move(paint));
}

std::shared_ptr<UIImage> CQtBackend::DecodeImage(const std::vector<uint8_t>& bytes)
{
    return CQtImage::Decode(bytes);
}

bool CQtBackend::AddFontFile(const std::wstring& path)
{
    return QFontDatabase::addApplicationFont(ToQString(path)) != -1;
}

std::vector<std::wstring> CQtBackend::GetFontFamilies()
{
    std::vector<std::wstring> families;
    for (const QString& family : QFontDatabase::families())
        families.push_back(ToWString(family));
    return families;
}

uint64_t CQtBackend::GetTickCount()
{
    return static_cast<uint64_t>(m_clock.elapsed());
}

void CQtBackend::WaitForEvents(int timeoutMs)
{
    if (m_eventDepth == 0)
        DeleteRetiredWidgets();
    if (m_wakePending.exchange(false) || timeoutMs == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // The wait ends with the first event Qt handles: input, a paint, the deadline timer or the
    // dispatcher's wake-up from another thread.
    if (timeoutMs > 0)
        m_deadline->start(timeoutMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    m_deadline->stop();
    m_wakePending.store(false);
}

void CQtBackend::Wake()
{
    m_wakePending.store(true);
    if (m_dispatcher != nullptr)
        m_dispatcher->wakeUp();
}

std::wstring CQtBackend::GetClipboardText()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard == nullptr ? std::wstring() : ToWString(clipboard->text());
}

void CQtBackend::SetClipboardText(const std::wstring& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard != nullptr)
        clipboard->setText(ToQString(text));
}

UIRect CQtBackend::GetScreenWorkArea(UIPoint near)
{
    QScreen* screen = ScreenNear(near);
    return screen == nullptr ? UIRect{} : ToUIRect(screen->availableGeometry());
}

UIRect CQtBackend::GetScreenRect(UIPoint near)
{
    QScreen* screen = ScreenNear(near);
    return screen == nullptr ? UIRect{} : ToUIRect(screen->geometry());
}

UISize CQtBackend::GetScreenSizeMillimetres(UIPoint near)
{
    QScreen* screen = ScreenNear(near);
    if (screen == nullptr)
        return {};
    const QSizeF size = screen->physicalSize();
    return {static_cast<int>(size.width()), static_cast<int>(size.height())};
}

QString CQtBackend::BuildFilterString(const std::vector<FileDialogFilter>& filters)
{
    QStringList parts;
    for (const FileDialogFilter& filter : filters) {
        QStringList patterns;
        for (const std::wstring& pattern : filter.patterns)
            if (!pattern.empty())
                patterns << ToQString(pattern);
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        parts << QStringLiteral("%1 (%2)").arg(ToQString(filter.description), patterns.join(QLatin1Char(' ')));
    }
    return parts.join(QStringLiteral(";;"));
}

std::wstring CQtBackend::OpenFileDialog(HWND owner, const std::wstring& title,
                                        const std::vector<FileDialogFilter>& filters, const std::wstring& startFolder)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return {};
    // FIXME: while the dialog runs, our own messages and timers wait for it to close.
    return ToWString(QFileDialog::getOpenFileName(DialogParent(*this, owner), ToQString(title), ToQString(startFolder),
                                                  BuildFilterString(filters)));
}

std::wstring CQtBackend::SaveFileDialog(HWND owner, const std::wstring& title,
                                        const std::vector<FileDialogFilter>& filters, const std::wstring& startFolder,
                                        const std::wstring& suggestedName)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return {};
    QString start = ToQString(startFolder);
    if (!suggestedName.empty())
        start = start.isEmpty() ? ToQString(suggestedName) : start + QLatin1Char('/') + ToQString(suggestedName);
    return ToWString(QFileDialog::getSaveFileName(DialogParent(*this, owner), ToQString(title), start,
                                                  BuildFilterString(filters)));
}

std::unique_ptr<ITrayIcon> CQtBackend::CreateTrayIcon(std::function<void(TrayEvent, UIPoint screenPos)> onEvent)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return std::make_unique<CQtTrayIcon>(std::move(onEvent));
}

bool CQtBackend::SaveWindowImage(HWND hwnd, const std::string& pngPath)
{
    QWidget* widget = FindWidget(hwnd);
    if (widget == nullptr)
        return false;
    // grab() paints the widget into a pixmap through its own paint event, shown or not.
    const QPixmap picture = widget->grab();
    return !picture.isNull() && picture.save(QString::fromStdString(pngPath), "PNG");
}

QWidget* CQtBackend::GetNativeWidget(HWND hwnd) const
{
    return FindWidget(hwnd);
}

CQtHostWidget* CQtBackend::FindWidget(HWND hwnd) const
{
    if (hwnd == nullptr)
        return nullptr;
    auto it = m_hosts.find(hwnd);
    return it == m_hosts.end() ? nullptr : it->second->GetWidget();
}

void CQtBackend::RegisterHost(HWND hwnd, CQtWindowHost* host)
{
    m_hosts[hwnd] = host;
}

void CQtBackend::UnregisterHost(HWND hwnd)
{
    m_hosts.erase(hwnd);
}

void CQtBackend::RetireWidget(CQtHostWidget* widget)
{
    m_retired.emplace_back(widget);
}

void CQtBackend::DeleteRetiredWidgets()
{
    std::vector<QPointer<CQtHostWidget>> retired;
    retired.swap(m_retired);
    for (auto& widget : retired)
        delete widget.data();
}

}  // namespace dw::ui::qt
