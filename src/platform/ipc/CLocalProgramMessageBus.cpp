#include "platform/ipc/CLocalProgramMessageBus.h"

#include "platform/ipc/CLocalProgramMessageHub.h"

namespace dw::platform {

CLocalProgramMessageBus::CLocalProgramMessageBus(CLocalProgramMessageHub* hub)
    : m_hub(hub)
{
    if (m_hub != nullptr)
        m_hub->Attach(*this);
}

CLocalProgramMessageBus::~CLocalProgramMessageBus()
{
    if (m_hub != nullptr)
        m_hub->Detach(*this);
}

bool CLocalProgramMessageBus::ClaimProgramName(const std::string& programName)
{
    return m_hub != nullptr && !programName.empty() && m_hub->Claim(*this, programName);
}

int CLocalProgramMessageBus::Broadcast(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (!IsValidMessageName(messageName))
        return kIpcBadArgument;
    if (m_hub == nullptr)
        return kIpcNotSent;
    m_hub->Broadcast(*this, messageName, wParam, lParam);
    return kIpcOk;
}

int CLocalProgramMessageBus::SendCopyData(const std::string& programName, uintptr_t dwData, std::span<const uint8_t> bytes)
{
    if (programName.empty() || bytes.size() > kMaxCopyDataBytes)
        return kIpcBadArgument;
    if (m_hub == nullptr)
        return kIpcNotSent;
    // As on the real bus, a program that is not there is not the sender's error.
    m_hub->SendCopyData(programName, dwData, bytes);
    return kIpcOk;
}

void CLocalProgramMessageBus::ReceiveMessage(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam)
{
    DeliverMessage(messageName, wParam, lParam);
}

bool CLocalProgramMessageBus::ReceiveCopyData(uintptr_t dwData, std::span<const uint8_t> bytes)
{
    if (bytes.size() > kMaxCopyDataBytes)
        return false;
    return DeliverCopyData(dwData, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace dw::platform
