#pragma once

// Test double of the program message bus: a "program" attached to a CLocalProgramMessageHub,
// or, without a hub, a program that has no bus at all (nothing leaves, nothing arrives).

#include "platform/ipc/CProgramMessageBusBase.h"

namespace dw::platform {

class CLocalProgramMessageHub;

class CLocalProgramMessageBus final : public CProgramMessageBusBase {
public:
    explicit CLocalProgramMessageBus(CLocalProgramMessageHub* hub);
    ~CLocalProgramMessageBus() override;
    CLocalProgramMessageBus(const CLocalProgramMessageBus&) = delete;
    CLocalProgramMessageBus& operator=(const CLocalProgramMessageBus&) = delete;

    bool IsConnected() const override { return m_hub != nullptr; }
    bool ClaimProgramName(const std::string& programName) override;
    int Broadcast(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam) override;
    int SendCopyData(const std::string& programName, uintptr_t dwData, std::span<const uint8_t> bytes) override;
    bool Flush(int) override { return m_hub != nullptr; }

private:
    friend class CLocalProgramMessageHub;
    void ReceiveMessage(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam);
    bool ReceiveCopyData(uintptr_t dwData, std::span<const uint8_t> bytes);

    CLocalProgramMessageHub* m_hub;
};

}  // namespace dw::platform
