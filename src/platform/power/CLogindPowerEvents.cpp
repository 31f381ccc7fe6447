#include "platform/power/CLogindPowerEvents.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <atomic>

#include "platform/DebugOutput.h"
#include "platform/power/CLogindPowerReceiver.h"
#include "ui/core/UIMessages.h"

namespace dw::platform {

namespace {

constexpr char kLogindService[] = "org.freedesktop.login1";
constexpr char kLogindPath[] = "/org/freedesktop/login1";
constexpr char kLogindManagerInterface[] = "org.freedesktop.login1.Manager";
constexpr char kPrepareForSleepSignal[] = "PrepareForSleep";
constexpr std::wstring_view kMissingLine = L"power events: no D-Bus system bus; suspend and resume are not reported";

std::string NextConnectionName()
{
    static std::atomic<unsigned> counter{0};
    return "dunwake-power-events-" + std::to_string(counter.fetch_add(1));
}

}  // namespace

std::unique_ptr<CLogindPowerEvents> CLogindPowerEvents::ConnectToSystemBus()
{
    std::unique_ptr<CLogindPowerEvents> events(new CLogindPowerEvents());
    if (QCoreApplication::instance() == nullptr) {
        DebugOutput(std::wstring(kMissingLine) + L" (no Qt application)");
        return events;
    }
    const std::string name = NextConnectionName();
    events->Subscribe(QDBusConnection::connectToBus(QDBusConnection::SystemBus, QString::fromStdString(name)), name);
    return events;
}

std::unique_ptr<CLogindPowerEvents> CLogindPowerEvents::ConnectToAddress(const std::string& address)
{
    std::unique_ptr<CLogindPowerEvents> events(new CLogindPowerEvents());
    if (QCoreApplication::instance() == nullptr || address.empty()) {
        DebugOutput(kMissingLine);
        return events;
    }
    const std::string name = NextConnectionName();
    events->Subscribe(QDBusConnection::connectToBus(QString::fromStdString(address), QString::fromStdString(name)), name);
    return events;
}

void CLogindPowerEvents::Subscribe(QDBusConnection connection, const std::string& connectionName)
{
    const QString qName = QString::fromStdString(connectionName);
    if (!connection.isConnected()) {
        DebugOutput(std::wstring(kMissingLine) + L" (" + connection.lastError().message().toStdWString() + L")");
        QDBusConnection::disconnectFromBus(qName);
        return;
    }
    m_receiver = std::make_unique<CLogindPowerReceiver>([this](bool starting) { OnPrepareForSleep(starting); });
    // Only the signal of logind itself counts: the service name ties it to the bus name's
    // owner, so another program cannot fake a suspend.
    if (!connection.connect(QString::fromLatin1(kLogindService), QString::fromLatin1(kLogindPath), QString::fromLatin1(kLogindManagerInterface),
            QString::fromLatin1(kPrepareForSleepSignal), m_receiver.get(), SLOT(PrepareForSleep(bool)))) {
        DebugOutput(kMissingLine);
        m_receiver.reset();
        QDBusConnection::disconnectFromBus(qName);
        return;
    }
    // FIXME: no delay inhibitor is taken, so the system may sleep before the lighting-off
    // commands of the suspend handling have reached the devices.
    m_connectionName = connectionName;
    m_connection = std::make_unique<QDBusConnection>(connection);
}

CLogindPowerEvents::~CLogindPowerEvents()
{
    if (m_connection == nullptr)
        return;
    m_connection->disconnect(QString::fromLatin1(kLogindService), QString::fromLatin1(kLogindPath), QString::fromLatin1(kLogindManagerInterface),
        QString::fromLatin1(kPrepareForSleepSignal), m_receiver.get(), SLOT(PrepareForSleep(bool)));
    m_receiver.reset();
    m_connection.reset();
    QDBusConnection::disconnectFromBus(QString::fromStdString(m_connectionName));
}

void CLogindPowerEvents::SetHandler(PowerBroadcastHandler handler)
{
    m_handler = std::move(handler);
}

void CLogindPowerEvents::OnPrepareForSleep(bool starting)
{
    if (m_handler)
        m_handler(ui::WM_POWERBROADCAST, PowerBroadcastForSleep(starting));
}

}  // namespace dw::platform
