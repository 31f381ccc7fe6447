#pragma once

// The program message bus on the user's D-Bus session bus (names and signatures in
// docs/ipc.md). Broadcasts are RegisteredMessage signals; byte blocks are CopyData method calls
// to the receiving program's well-known bus name.
//
// Needs a QCoreApplication (or a Qt GUI application) in the process, and its events pumped on
// the thread that creates the bus: the Qt backend of the window library does that in its wait
// for events. Handlers run on that thread. Create, use and destroy on that thread; Broadcast and
// SendCopyData may also be called from other threads.

#include <memory>
#include <string>

#include "platform/ipc/CProgramMessageBusBase.h"

class QDBusConnection;
class QDBusMessage;

namespace dw::platform {

class CDBusProgramEndpoint;

class CDBusProgramMessageBus final : public CProgramMessageBusBase {
public:
    // The user's session bus. Without one (nothing set in the environment, the connection
    // fails, no Qt application) the bus is returned unconnected and one diagnostic line says
    // that messages between programs are missing.
    static std::unique_ptr<CDBusProgramMessageBus> ConnectToSessionBus();
    // The bus at a D-Bus address (a private bus in tests). Each call opens its own connection,
    // so two buses of one process behave as two programs.
    static std::unique_ptr<CDBusProgramMessageBus> ConnectToAddress(const std::string& address);

    ~CDBusProgramMessageBus() override;
    CDBusProgramMessageBus(const CDBusProgramMessageBus&) = delete;
    CDBusProgramMessageBus& operator=(const CDBusProgramMessageBus&) = delete;

    bool IsConnected() const override { return m_connection != nullptr; }
    bool ClaimProgramName(const std::string& programName) override;
    int Broadcast(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam) override;
    int SendCopyData(const std::string& programName, uintptr_t dwData, std::span<const uint8_t> bytes) override;
    bool Flush(int timeoutMs) override;

    // This connection's unique bus name (":1.42"); empty when not connected.
    std::string UniqueName() const;

private:
    CDBusProgramMessageBus() = default;
    void Connect(const std::string& address);
    void OnSignal(const QDBusMessage& message);

    std::string m_connectionName;
    std::unique_ptr<QDBusConnection> m_connection;
    std::unique_ptr<CDBusProgramEndpoint> m_endpoint;
};

}  // namespace dw::platform
