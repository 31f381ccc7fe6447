#include "platform/ipc/CDBusProgramMessageBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <atomic>

#include "platform/DebugOutput.h"
#include "platform/ipc/CDBusProgramEndpoint.h"
#include "platform/ipc/DBusAddress.h"
#include "platform/ipc/DBusNames.h"

namespace dw::platform {

namespace {

constexpr size_t kMaxBusNameLength = 255;
// Bound of the one round trip made while connecting; the bus is local and answers at once.
constexpr int kSetUpRoundTripMs = 2000;
constexpr std::wstring_view kMissingMessagesLine = L"program messages: no D-Bus session bus; messages between programs are missing";

// A well-known bus name: two or more '.'-separated elements of [A-Za-z0-9_-], none empty or
// starting with a digit.
bool IsWellKnownBusName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxBusNameLength)
        return false;
    size_t elements = 0;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('.', start), name.size());
        const std::string_view element = name.substr(start, end - start);
        if (element.empty() || (element[0] >= '0' && element[0] <= '9'))
            return false;
        for (char c : element) {
            const bool allowed = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '-';
            if (!allowed)
                return false;
        }
        ++elements;
        start = end + 1;
    }
    return elements >= 2;
}

std::string NextConnectionName()
{
    static std::atomic<unsigned> counter{0};
    return "dunwake-program-messages-" + std::to_string(counter.fetch_add(1));
}

}  // namespace

std::unique_ptr<CDBusProgramMessageBus> CDBusProgramMessageBus::ConnectToSessionBus()
{
    std::unique_ptr<CDBusProgramMessageBus> bus(new CDBusProgramMessageBus());
    const std::string address = SessionBusAddress();
    if (address.empty())
        DebugOutput(kMissingMessagesLine);
    else
        bus->Connect(address);
    return bus;
}

std::unique_ptr<CDBusProgramMessageBus> CDBusProgramMessageBus::ConnectToAddress(const std::string& address)
{
    std::unique_ptr<CDBusProgramMessageBus> bus(new CDBusProgramMessageBus());
    if (address.empty())
        DebugOutput(kMissingMessagesLine);
    else
        bus->Connect(address);
    return bus;
}

void CDBusProgramMessageBus::Connect(const std::string& address)
{
    // QtDBus delivers incoming messages through the Qt event loop of the receiving object's
    // thread; without an application object there is none.
    if (QCoreApplication::instance() == nullptr) {
        DebugOutput(std::wstring(kMissingMessagesLine) + L" (no Qt application)");
        return;
    }
    const std::string name = NextConnectionName();
    const QString qName = QString::fromStdString(name);
    QDBusConnection connection = QDBusConnection::connectToBus(QString::fromStdString(address), qName);
    if (!connection.isConnected()) {
        DebugOutput(std::wstring(kMissingMessagesLine) + L" (" + connection.lastError().message().toStdWString() + L")");
        QDBusConnection::disconnectFromBus(qName);
        return;
    }

    m_endpoint = std::make_unique<CDBusProgramEndpoint>(
        [this](const QDBusMessage& message) { OnSignal(message); },
        [this](qulonglong dwData, const QByteArray& bytes) {
            if (static_cast<size_t>(bytes.size()) > kMaxCopyDataBytes)
                return CDBusProgramEndpoint::CopyDataResult::TooLarge;
            if (!HasCopyDataHandler())
                return CDBusProgramEndpoint::CopyDataResult::NotHandled;
            DeliverCopyData(static_cast<uintptr_t>(dwData), std::vector<uint8_t>(bytes.begin(), bytes.end()));
            return CDBusProgramEndpoint::CopyDataResult::Delivered;
        });
    const QString path = QString::fromLatin1(kDBusObjectPath);
    const QString interface = QString::fromLatin1(kDBusInterface);
    const bool exported = connection.registerObject(path, m_endpoint.get(), QDBusConnection::ExportScriptableSlots);
    // An empty service and path match the signal from every program at any path.
    const bool subscribed = connection.connect(QString(), QString(), interface, QString::fromLatin1(kDBusRegisteredMessageSignal),
        m_endpoint.get(), SLOT(OnRegisteredMessage(QDBusMessage)));
    if (!exported || !subscribed) {
        DebugOutput(L"program messages: the endpoint could not be set up on the session bus");
        connection.unregisterObject(path);
        m_endpoint.reset();
        QDBusConnection::disconnectFromBus(qName);
        return;
    }
    m_connectionName = name;
    m_connection = std::make_unique<QDBusConnection>(connection);
    // The subscription goes out ahead of this call; once the bus answers it, broadcasts sent by
    // other programs from now on are seen.
    Flush(kSetUpRoundTripMs);
}

CDBusProgramMessageBus::~CDBusProgramMessageBus()
{
    if (m_connection == nullptr)
        return;
    m_connection->disconnect(QString(), QString(), QString::fromLatin1(kDBusInterface),
        QString::fromLatin1(kDBusRegisteredMessageSignal), m_endpoint.get(), SLOT(OnRegisteredMessage(QDBusMessage)));
    m_connection->unregisterObject(QString::fromLatin1(kDBusObjectPath));
    m_endpoint.reset();
    m_connection.reset();
    QDBusConnection::disconnectFromBus(QString::fromStdString(m_connectionName));
}

std::string CDBusProgramMessageBus::UniqueName() const
{
    return m_connection == nullptr ? std::string() : m_connection->baseService().toStdString();
}

bool CDBusProgramMessageBus::ClaimProgramName(const std::string& programName)
{
    if (m_connection == nullptr || !IsWellKnownBusName(programName))
        return false;
    return m_connection->registerService(QString::fromStdString(programName));
}

int CDBusProgramMessageBus::Broadcast(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (!IsValidMessageName(messageName))
        return kIpcBadArgument;
    if (m_connection == nullptr)
        return kIpcNotSent;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kDBusObjectPath), QString::fromLatin1(kDBusInterface),
        QString::fromLatin1(kDBusRegisteredMessageSignal));
    signal << QString::fromStdWString(messageName) << static_cast<qulonglong>(wParam) << static_cast<qlonglong>(lParam);
    return m_connection->send(signal) ? kIpcOk : kIpcNotSent;
}

int CDBusProgramMessageBus::SendCopyData(const std::string& programName, uintptr_t dwData, std::span<const uint8_t> bytes)
{
    if (!IsWellKnownBusName(programName) || bytes.size() > kMaxCopyDataBytes)
        return kIpcBadArgument;
    if (m_connection == nullptr)
        return kIpcNotSent;
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromStdString(programName), QString::fromLatin1(kDBusObjectPath),
        QString::fromLatin1(kDBusInterface), QString::fromLatin1(kDBusCopyDataMethod));
    // A program that is not running is not started for a block.
    call.setAutoStartService(false);
    call << static_cast<qulonglong>(dwData)
         << QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    return m_connection->send(call) ? kIpcOk : kIpcNotSent;
}

bool CDBusProgramMessageBus::Flush(int timeoutMs)
{
    if (m_connection == nullptr)
        return false;
    // Messages leave a connection in order: once the bus has answered a call made after them,
    // they are out.
    const QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
    const QDBusMessage reply = m_connection->call(call, QDBus::Block, timeoutMs < 0 ? -1 : timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void CDBusProgramMessageBus::OnSignal(const QDBusMessage& message)
{
    // Our own broadcasts come back from the bus; a program does not receive what it sent.
    if (m_connection == nullptr || message.service() == m_connection->baseService())
        return;
    if (message.signature() != QLatin1String(kDBusRegisteredMessageSignature))
        return;
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() != 3)
        return;
    const QString name = arguments[0].toString();
    if (name.isEmpty() || static_cast<size_t>(name.size()) > kMaxMessageNameChars)
        return;
    DeliverMessage(name.toStdWString(), static_cast<ui::WPARAM>(arguments[1].toULongLong()), static_cast<ui::LPARAM>(arguments[2].toLongLong()));
}

}  // namespace dw::platform
