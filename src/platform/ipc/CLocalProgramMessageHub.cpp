#include "platform/ipc/CLocalProgramMessageHub.h"

#include <algorithm>
#include <iterator>

#include "platform/ipc/CLocalProgramMessageBus.h"

namespace dw::platform {

void CLocalProgramMessageHub::Attach(CLocalProgramMessageBus& bus)
{
    if (std::ranges::find(m_buses, &bus) == m_buses.end())
        m_buses.push_back(&bus);
}

void CLocalProgramMessageHub::Detach(CLocalProgramMessageBus& bus)
{
    std::erase(m_buses, &bus);
    std::erase_if(m_names, [&](const auto& entry) { return entry.second == &bus; });
}

bool CLocalProgramMessageHub::Claim(CLocalProgramMessageBus& bus, const std::string& programName)
{
    const auto [it, inserted] = m_names.emplace(programName, &bus);
    return inserted || it->second == &bus;
}

void CLocalProgramMessageHub::Broadcast(const CLocalProgramMessageBus& from, const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam)
{
    m_sent.push_back(SentMessage{messageName, wParam, lParam});
    // A handler may attach or detach buses; deliver to the ones attached when the message left.
    const std::vector<CLocalProgramMessageBus*> targets = m_buses;
    for (CLocalProgramMessageBus* bus : targets) {
        if (bus != &from && std::ranges::find(m_buses, bus) != m_buses.end())
            bus->ReceiveMessage(messageName, wParam, lParam);
    }
}

bool CLocalProgramMessageHub::SendCopyData(const std::string& programName, uintptr_t dwData, std::span<const uint8_t> bytes)
{
    const auto it = m_names.find(programName);
    return it != m_names.end() && it->second->ReceiveCopyData(dwData, bytes);
}

}  // namespace dw::platform
