#pragma once

// The main window's worker slots: each slot has a stop event and at most one thread. A worker
// receives its slot's stop event and must make every wait through it (or through waits the
// event's owner can abort), so that it ends soon after the event is set; nothing can kill a
// thread here.
//
// StopAll sets every stop event first, then waits for each worker up to the bound. A worker
// that overruns its bound is reported and then still joined: its object and the state it uses
// live here, so letting it run on detached would leave it using freed memory.

#include <array>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "shell/CStopEvent.h"
#include "shell/MainWndMessages.h"

namespace dw {

class CWorkerSlots {
public:
    using Body = std::function<void(CStopEvent& stop)>;

    CWorkerSlots();
    // Stops every worker (StopAll with the main window's bound).
    ~CWorkerSlots();
    CWorkerSlots(const CWorkerSlots&) = delete;
    CWorkerSlots& operator=(const CWorkerSlots&) = delete;

    static constexpr size_t Count() { return mainwnd::kWorkerSlotCount; }

    // Resets the slot's stop event and starts `body` on a new thread. False when the index is
    // out of range, the body is empty or the slot's previous worker has not been stopped.
    bool Start(size_t index, Body body);
    bool IsRunning(size_t index) const;
    CStopEvent* StopEvent(size_t index);

    // Sets every stop event, then waits for each running worker up to `bound`. Returns the
    // indexes of the workers that overran it (they were joined all the same).
    std::vector<size_t> StopAll(std::chrono::milliseconds bound);

private:
    struct Slot {
        CStopEvent stop;
        std::thread thread;
        // Set by the worker's thread when its body has returned.
        std::mutex mutex;
        std::condition_variable finishedChanged;
        bool finished = true;
    };

    std::array<std::unique_ptr<Slot>, mainwnd::kWorkerSlotCount> m_slots;
};

}  // namespace dw
