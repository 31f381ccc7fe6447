#pragma once

// Test double of the bus between programs: several CLocalProgramMessageBus objects of one
// process attached to one hub behave like programs on one session bus, with delivery done at
// once on the sending thread. Use from one thread.

#include <map>
#include <span>
#include <string>
#include <vector>

#include "ui/core/UIDefs.h"

namespace dw::platform {

class CLocalProgramMessageBus;

class CLocalProgramMessageHub {
public:
    CLocalProgramMessageHub() = default;
    CLocalProgramMessageHub(const CLocalProgramMessageHub&) = delete;
    CLocalProgramMessageHub& operator=(const CLocalProgramMessageHub&) = delete;

    void Attach(CLocalProgramMessageBus& bus);
    // Also gives up the program names the bus held.
    void Detach(CLocalProgramMessageBus& bus);
    bool Claim(CLocalProgramMessageBus& bus, const std::string& programName);

    // Every attached bus but the sender gets the message.
    void Broadcast(const CLocalProgramMessageBus& from, const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam);
    // The bus holding the name gets the block; false when nobody holds it.
    bool SendCopyData(const std::string& programName, uintptr_t dwData, std::span<const uint8_t> bytes);

    // Every broadcast that went through the hub, for assertions.
    struct SentMessage {
        std::wstring name;
        ui::WPARAM wParam;
        ui::LPARAM lParam;
    };
    const std::vector<SentMessage>& Sent() const { return m_sent; }

private:
    std::vector<CLocalProgramMessageBus*> m_buses;
    std::map<std::string, CLocalProgramMessageBus*> m_names;
    std::vector<SentMessage> m_sent;
};

}  // namespace dw::platform
