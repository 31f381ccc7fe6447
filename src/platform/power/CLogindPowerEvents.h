#pragma once

// Suspend and resume from systemd-logind: the PrepareForSleep(b) signal of
// org.freedesktop.login1.Manager on the system bus, true before sleeping and false after waking.
// Without a system bus (or without a Qt application) nothing is reported and one diagnostic
// line says so. Create on the UI thread, whose Qt events must be pumped; the handler runs there.

#include <memory>
#include <string>

#include "platform/power/IPowerEvents.h"

class QDBusConnection;

namespace dw::platform {

class CLogindPowerReceiver;

class CLogindPowerEvents final : public IPowerEvents {
public:
    // The system bus.
    static std::unique_ptr<CLogindPowerEvents> ConnectToSystemBus();
    // The bus at a D-Bus address, on which something plays logind (tests).
    static std::unique_ptr<CLogindPowerEvents> ConnectToAddress(const std::string& address);

    ~CLogindPowerEvents() override;
    CLogindPowerEvents(const CLogindPowerEvents&) = delete;
    CLogindPowerEvents& operator=(const CLogindPowerEvents&) = delete;

    bool IsConnected() const override { return m_connection != nullptr; }
    void SetHandler(PowerBroadcastHandler handler) override;

private:
    CLogindPowerEvents() = default;
    void Subscribe(QDBusConnection connection, const std::string& connectionName);
    void OnPrepareForSleep(bool starting);

    std::string m_connectionName;
    std::unique_ptr<QDBusConnection> m_connection;
    std::unique_ptr<CLogindPowerReceiver> m_receiver;
    PowerBroadcastHandler m_handler;
};

}  // namespace dw::platform
