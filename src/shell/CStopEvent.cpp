#include "shell/CStopEvent.h"

namespace dw {

void CStopEvent::Set()
{
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

void CStopEvent::Reset()
{
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool CStopEvent::IsSet() const
{
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool CStopEvent::WaitFor(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_set; });
}

}  // namespace dw
