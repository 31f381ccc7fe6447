#include "emulator/ReportTrace.h"

#include <cstdio>

namespace dw::emu {

std::string FormatTraceEntry(const TraceEntry& entry)
{
    std::string line = entry.direction == TraceDirection::HostToDevice ? "-> " : "<- ";
    line += entry.node;
    char hex[4];
    for (uint8_t byte : entry.bytes) {
        std::snprintf(hex, sizeof hex, " %02x", byte);
        line += hex;
    }
    return line;
}

void ReportTrace::Record(TraceEntry entry)
{
    std::lock_guard lock(mutex_);
    if (callback_)
        callback_(entry);
    if (capacity_ == 0)
        return;
    while (entries_.size() >= capacity_)
        entries_.pop_front();
    entries_.push_back(std::move(entry));
}

std::vector<TraceEntry> ReportTrace::Entries() const
{
    std::lock_guard lock(mutex_);
    return {entries_.begin(), entries_.end()};
}

void ReportTrace::Clear()
{
    std::lock_guard lock(mutex_);
    entries_.clear();
}

void ReportTrace::SetCapacity(size_t capacity)
{
    std::lock_guard lock(mutex_);
    capacity_ = capacity;
    while (entries_.size() > capacity_)
        entries_.pop_front();
}

void ReportTrace::SetCallback(Callback callback)
{
    std::lock_guard lock(mutex_);
    callback_ = std::move(callback);
}

}  // namespace dw::emu
