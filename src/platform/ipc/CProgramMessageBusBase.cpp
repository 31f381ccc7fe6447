#include "platform/ipc/CProgramMessageBusBase.h"

#include <cwctype>

#include "ui/core/CMessageLoop.h"

namespace dw::platform {

std::wstring CProgramMessageBusBase::Folded(std::wstring_view name)
{
    // The same folding the process's message table uses, so that "listened" and "the same
    // number" agree.
    std::wstring folded(name);
    for (wchar_t& c : folded)
        c = static_cast<wchar_t>(std::towlower(c));
    return folded;
}

bool CProgramMessageBusBase::IsValidMessageName(std::wstring_view messageName)
{
    return !messageName.empty() && messageName.size() <= kMaxMessageNameChars;
}

void CProgramMessageBusBase::Listen(const std::wstring& messageName)
{
    if (!IsValidMessageName(messageName))
        return;
    std::lock_guard lock(m_mutex);
    m_listened.insert(Folded(messageName));
}

void CProgramMessageBusBase::SetMessageHandler(ProgramMessageHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_messageHandler = std::move(handler);
}

void CProgramMessageBusBase::SetCopyDataHandler(CopyDataHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_copyDataHandler = std::move(handler);
}

bool CProgramMessageBusBase::HasCopyDataHandler() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<bool>(m_copyDataHandler);
}

bool CProgramMessageBusBase::DeliverMessage(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (!IsValidMessageName(messageName))
        return false;
    ProgramMessageHandler handler;
    {
        std::lock_guard lock(m_mutex);
        // Only listened names get a number: a name from outside never grows the process's
        // message table.
        if (!m_listened.contains(Folded(messageName)) || !m_messageHandler)
            return false;
        handler = m_messageHandler;
    }
    const ui::UINT id = ui::CMessageLoop::RegisterWindowMessage(messageName);
    if (id == 0)
        return false;
    handler(id, wParam, lParam);
    return true;
}

bool CProgramMessageBusBase::DeliverCopyData(uintptr_t dwData, std::vector<uint8_t> bytes)
{
    if (bytes.size() > kMaxCopyDataBytes)
        return false;
    CopyDataHandler handler;
    {
        std::lock_guard lock(m_mutex);
        if (!m_copyDataHandler)
            return false;
        handler = m_copyDataHandler;
    }
    handler(dwData, std::move(bytes));
    return true;
}

}  // namespace dw::platform
