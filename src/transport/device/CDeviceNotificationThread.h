#pragma once

// The notification reader every device object runs on its notification interface (the
// device's Consumer Control collection), on one connection of its notification transport. The
// thread waits for input reports without a time-out, decodes each, and hands the notification
// code (the first usage of the first input item) with the raw report to the handler.
//
// Stopping always ends the thread: the stop flag is set and the connection is closed under the
// transport's I/O lock, which breaks the waiting read at once; every other wait of the thread
// also watches the stop flag. Stop waits up to the bound for the thread to leave, logs the
// outcome, and then joins, which returns promptly because nothing the thread does can block.
//
// The handler runs on the reader thread; it must not block and must not stop its own reader
// (it posts work to the UI thread instead).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string_view>
#include <thread>

#include "transport/CDeviceTransport.h"

namespace dw {

class CDeviceNotificationThread {
public:
    using Handler = std::function<void(uint16_t code, std::span<const uint8_t> report)>;

    enum class Connection : uint8_t { Wired, Receiver };

    enum class StopOutcome : uint8_t {
        NotRunning,  // there was no thread
        Ended,       // the thread left within the bound
        Late,        // the thread needed longer than the bound (it was still joined)
    };

    // Bounds the device classes use: keyboard and mouse, mousepad and headset.
    static constexpr std::chrono::milliseconds kShortStopWait{500};
    static constexpr std::chrono::milliseconds kLongStopWait{1000};
    // Rest after a failed read (the interface went away), so that a reader on a vanished
    // interface does not spin until it is stopped.
    static constexpr std::chrono::milliseconds kRetryWait{20};

    // `transport` (the device's notification transport) must outlive this object.
    CDeviceNotificationThread(CDeviceTransport& transport, std::chrono::milliseconds stopWait, Handler handler);
    ~CDeviceNotificationThread();

    CDeviceNotificationThread(const CDeviceNotificationThread&) = delete;
    CDeviceNotificationThread& operator=(const CDeviceNotificationThread&) = delete;

    // Stops a running reader, opens `path` (read, write, shared) on `connection` under the
    // transport's I/O lock, marks the transport opened and starts the thread. False when the
    // path cannot be opened; no thread runs then and the transport is left not opened.
    bool Start(Connection connection, std::wstring_view path);

    // Stops the thread (if any), closes the connection and marks the transport not opened.
    // Safe at any time and repeatedly, except from the handler.
    StopOutcome Stop();

    bool Running() const;
    // Reports decoded since construction.
    uint64_t ReportCount() const;

private:
    void Run();
    CHidConnection& Link();
    // Waits up to `wait` unless stopped first; true when stopped.
    bool RestUnlessStopped(std::chrono::milliseconds wait);

    CDeviceTransport& transport_;
    const std::chrono::milliseconds stopWait_;
    Handler handler_;
    Connection connection_ = Connection::Wired;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool exited_ = false;
    uint64_t reports_ = 0;
    std::thread thread_;
};

}  // namespace dw
