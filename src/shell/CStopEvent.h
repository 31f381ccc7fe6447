#pragma once

// A manual-reset stop signal for a worker thread. The worker makes every wait through it, so a
// signal ends any wait at once; once set it stays set until Reset.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace dw {

class CStopEvent {
public:
    CStopEvent() = default;
    CStopEvent(const CStopEvent&) = delete;
    CStopEvent& operator=(const CStopEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Waits up to `timeout`; true when the event is (or becomes) set, false on time-out. The
    // workers' "sleep" between rounds.
    bool WaitFor(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_set = false;
};

}  // namespace dw
