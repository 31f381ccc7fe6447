#pragma once

// The Qt object through which a CDBusProgramMessageBus meets D-Bus: it is exported at the
// program's object path (the CopyData method) and receives the RegisteredMessage signals of
// every program on the bus. It lives on the UI thread, so both arrive there.

#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <functional>

namespace dw::platform {

class CDBusProgramEndpoint final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.dunwake.ProgramMessages1")

public:
    // How a received block was taken: delivered, refused as too large, or nobody takes blocks.
    enum class CopyDataResult { Delivered, TooLarge, NotHandled };

    using SignalSink = std::function<void(const QDBusMessage&)>;
    using CopyDataSink = std::function<CopyDataResult(qulonglong dwData, const QByteArray& bytes)>;

    CDBusProgramEndpoint(SignalSink onSignal, CopyDataSink onCopyData);

public Q_SLOTS:
    // org.dunwake.ProgramMessages1.CopyData(t dwData, ay bytes)
    Q_SCRIPTABLE void CopyData(qulonglong dwData, const QByteArray& bytes);

private Q_SLOTS:
    void OnRegisteredMessage(const QDBusMessage& message);

private:
    SignalSink m_onSignal;
    CopyDataSink m_onCopyData;
};

}  // namespace dw::platform
