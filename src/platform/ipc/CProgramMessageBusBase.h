#pragma once

// The receiving side every program message bus shares: the names listened to, the two
// handlers, and the checks a received message passes before it reaches them.

#include <mutex>
#include <set>

#include "platform/ipc/IProgramMessageBus.h"

namespace dw::platform {

class CProgramMessageBusBase : public IProgramMessageBus {
public:
    void Listen(const std::wstring& messageName) override;
    void SetMessageHandler(ProgramMessageHandler handler) override;
    void SetCopyDataHandler(CopyDataHandler handler) override;

    // Whether a name may travel: not empty, at most kMaxMessageNameChars characters.
    static bool IsValidMessageName(std::wstring_view messageName);

protected:
    // A broadcast arrived from another program: handed on under this process's number for the
    // name when the name is listened to. False when it was dropped.
    bool DeliverMessage(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam);
    // A byte block arrived: handed on when it is within the bound and a handler is set.
    bool DeliverCopyData(uintptr_t dwData, std::vector<uint8_t> bytes);
    bool HasCopyDataHandler() const;

private:
    static std::wstring Folded(std::wstring_view name);

    mutable std::mutex m_mutex;
    std::set<std::wstring> m_listened;
    ProgramMessageHandler m_messageHandler;
    CopyDataHandler m_copyDataHandler;
};

}  // namespace dw::platform
