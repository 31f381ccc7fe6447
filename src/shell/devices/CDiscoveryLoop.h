#pragma once

// The device-discovery worker: every period it makes one pass over the HID interfaces. A pass
// enumerates (and probes and claims free slots) only when the backend reports a hot-plug change
// since the last enumeration, when a connected slot's interface went away, or while a supported
// interface found earlier could not be opened yet; otherwise it only checks that every connected
// slot's interface can still be opened. Arrivals and removals go to the callbacks, which the
// device list turns into messages 3090 and 3091 to the main window.
//
// The loop ends when its stop event is set (within one period) or when the interfaces cannot be
// listed at all.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "transport/CDeviceSlotList.h"
#include "transport/CHidConnection.h"

namespace dw::hid {
class IHidBackend;
}

namespace dw {

class CStopEvent;

class CDiscoveryLoop {
public:
    struct Callbacks {
        std::function<void(size_t slot)> arrival;
        std::function<void(size_t slot)> removal;
        // After the first complete pass only.
        std::function<void()> firstPass;
    };

    enum class PassResult { Ok, EnumerationFailed };

    // `backend` null: the process's active backend at each use. `slots` must outlive the loop.
    CDiscoveryLoop(hid::IHidBackend* backend, CDeviceSlotList& slots,
                   std::chrono::milliseconds period);

    // Passes until `stop` is set or enumeration fails.
    void Run(CStopEvent& stop, const Callbacks& callbacks);
    // One pass.
    PassResult Pass(const Callbacks& callbacks);

    // Enumerations made so far (any thread).
    uint64_t EnumerationCount() const { return m_enumerations.load(); }
    uint64_t PassCount() const { return m_passes.load(); }

private:
    hid::IHidBackend& Backend() const;
    // Enumerates, probes candidates and claims slots. False when listing failed.
    // `listed` receives every path listed.
    bool Enumerate(const Callbacks& callbacks, bool& someUnopened, std::set<std::wstring>& listed);
    // Whether the interface of a connected slot can still be opened.
    bool StillPresent(const std::wstring& path);

    hid::IHidBackend* m_backend;
    CDeviceSlotList& m_slots;
    const std::chrono::milliseconds m_period;
    CHidConnection m_probe;

    bool m_firstPassDone = false;
    bool m_enumerateNext = true;
    uint64_t m_lastChangeCount = 0;
    // Retrying an interface that could not be opened: passes to wait and the current backoff.
    int m_retryWaitPasses = 0;
    int m_retryBackoffPasses = 1;
    std::atomic<uint64_t> m_enumerations{0};
    std::atomic<uint64_t> m_passes{0};
};

}  // namespace dw
