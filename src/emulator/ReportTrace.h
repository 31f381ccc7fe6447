#pragma once

// A record of every report that crosses the virtual bus, in both directions, so tests can
// assert on bytes and the command line can print the traffic as it happens. The record keeps
// the newest `capacity` entries: a long emulated session streaming light frames must not grow
// it without bound.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace dw::emu {

enum class TraceDirection : uint8_t {
    HostToDevice,   // an output report written by the host
    DeviceToHost,   // an input report sent by the device
};

struct TraceEntry {
    TraceDirection direction = TraceDirection::HostToDevice;
    std::string node;               // the node name the report travelled on
    std::vector<uint8_t> bytes;     // the report as on the wire, report id first when the node uses ids
};

// One line: "-> /dev/hidraw-emu3 04 01 00 01 ..." (host to device) or "<- ..." (device to host).
std::string FormatTraceEntry(const TraceEntry& entry);

class ReportTrace {
public:
    static constexpr size_t kDefaultCapacity = 20000;

    using Callback = std::function<void(const TraceEntry&)>;

    void Record(TraceEntry entry);
    std::vector<TraceEntry> Entries() const;
    void Clear();
    void SetCapacity(size_t capacity);

    // Called for every entry as it is recorded, on the thread that moved the report, with the
    // trace's own lock held (so lines never interleave). It must not call back into the bus.
    void SetCallback(Callback callback);

private:
    mutable std::mutex mutex_;
    std::deque<TraceEntry> entries_;
    size_t capacity_ = kDefaultCapacity;
    Callback callback_;
};

}  // namespace dw::emu
