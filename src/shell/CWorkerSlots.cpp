#include "shell/CWorkerSlots.h"

#include <string>

#include "platform/DebugOutput.h"

namespace dw {

CWorkerSlots::CWorkerSlots()
{
    for (auto& slot : m_slots)
        slot = std::make_unique<Slot>();
}

CWorkerSlots::~CWorkerSlots()
{
    StopAll(std::chrono::milliseconds(mainwnd::kWorkerStopBoundMs));
}

bool CWorkerSlots::Start(size_t index, Body body)
{
    if (index >= m_slots.size() || !body)
        return false;
    Slot& slot = *m_slots[index];
    if (slot.thread.joinable())
        return false;
    slot.stop.Reset();
    {
        std::lock_guard lock(slot.mutex);
        slot.finished = false;
    }
    slot.thread = std::thread([&slot, body = std::move(body)] {
        body(slot.stop);
        {
            std::lock_guard lock(slot.mutex);
            slot.finished = true;
        }
        slot.finishedChanged.notify_all();
    });
    return true;
}

bool CWorkerSlots::IsRunning(size_t index) const
{
    if (index >= m_slots.size())
        return false;
    Slot& slot = *m_slots[index];
    std::lock_guard lock(slot.mutex);
    return !slot.finished;
}

CStopEvent* CWorkerSlots::StopEvent(size_t index)
{
    return index < m_slots.size() ? &m_slots[index]->stop : nullptr;
}

std::vector<size_t> CWorkerSlots::StopAll(std::chrono::milliseconds bound)
{
    for (auto& slot : m_slots)
        slot->stop.Set();
    std::vector<size_t> overran;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        Slot& slot = *m_slots[i];
        if (!slot.thread.joinable())
            continue;
        bool ended = false;
        {
            std::unique_lock lock(slot.mutex);
            ended = slot.finishedChanged.wait_for(lock, bound, [&slot] { return slot.finished; });
        }
        if (!ended) {
            overran.push_back(i);
            DebugOutput(L"worker " + std::to_wstring(i) + L" did not end within " + std::to_wstring(bound.count()) +
                        L" ms of its stop signal; waiting for it");
        }
        slot.thread.join();
    }
    return overran;
}

}  // namespace dw
