#include "platform/ipc/CDBusProgramEndpoint.h"

#include "platform/ipc/DBusNames.h"

namespace dw::platform {

CDBusProgramEndpoint::CDBusProgramEndpoint(SignalSink onSignal, CopyDataSink onCopyData)
    : m_onSignal(std::move(onSignal)), m_onCopyData(std::move(onCopyData))
{
}

void CDBusProgramEndpoint::CopyData(qulonglong dwData, const QByteArray& bytes)
{
    switch (m_onCopyData(dwData, bytes)) {
    case CopyDataResult::Delivered:
        return;
    case CopyDataResult::TooLarge:
        sendErrorReply(QString::fromLatin1(kDBusErrorTooLarge), QStringLiteral("the block is larger than this program accepts"));
        return;
    case CopyDataResult::NotHandled:
        sendErrorReply(QString::fromLatin1(kDBusErrorNotHandled), QStringLiteral("this program takes no blocks"));
        return;
    }
}

void CDBusProgramEndpoint::OnRegisteredMessage(const QDBusMessage& message)
{
    m_onSignal(message);
}

}  // namespace dw::platform
