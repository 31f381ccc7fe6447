#include "emulator/VirtualHidHandle.h"

#include <algorithm>

namespace dw::emu {

VirtualHidHandle::VirtualHidHandle(std::shared_ptr<VirtualBusCore> core, std::shared_ptr<BusNode> node,
                                   const hid::OpenMode& mode)
    : core_(std::move(core)), node_(std::move(node)), queue_(std::make_shared<HandleQueue>()), mode_(mode)
{
    // Called with the core's lock held by VirtualHidBus::Open.
    if (mode_.read)
        node_->readers.push_back(queue_);
}

VirtualHidHandle::~VirtualHidHandle()
{
    std::lock_guard lock(core_->mutex);
    std::erase(node_->readers, queue_);
}

hid::IoResult VirtualHidHandle::Write(std::span<const uint8_t> report, int /*timeoutMs*/, size_t& transferred)
{
    transferred = 0;
    std::lock_guard lock(core_->mutex);
    if (queue_->abortPending) {
        queue_->abortPending = false;
        return hid::IoResult::Aborted;
    }
    // The emulated endpoint accepts a report at once, so the time-out never runs out here.
    if (!mode_.write || report.empty() || !node_->present)
        return hid::IoResult::Failed;
    core_->HandleOutput(*node_, report);
    transferred = report.size();
    return hid::IoResult::Ok;
}

hid::IoResult VirtualHidHandle::Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred)
{
    transferred = 0;
    std::unique_lock lock(core_->mutex);
    if (!mode_.read)
        return hid::IoResult::Failed;
    const bool forever = timeoutMs < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeoutMs);
    for (;;) {
        if (queue_->abortPending) {
            queue_->abortPending = false;
            return hid::IoResult::Aborted;
        }
        const Clock::time_point now = Clock::now();
        auto& reports = queue_->reports;
        if (!reports.empty() && reports.front().due <= now) {
            const std::vector<uint8_t>& bytes = reports.front().bytes;
            transferred = std::min(bytes.size(), buffer.size());
            std::copy_n(bytes.begin(), transferred, buffer.begin());
            reports.pop_front();
            return hid::IoResult::Ok;
        }
        if (!node_->present)
            return hid::IoResult::Failed;
        if (!forever && now >= deadline)
            return hid::IoResult::TimedOut;

        Clock::time_point wakeAt = forever ? Clock::time_point::max() : deadline;
        if (!reports.empty())
            wakeAt = std::min(wakeAt, reports.front().due);
        if (wakeAt == Clock::time_point::max())
            queue_->wake.wait(lock);
        else
            queue_->wake.wait_until(lock, wakeAt);
    }
}

void VirtualHidHandle::Abort()
{
    std::lock_guard lock(core_->mutex);
    queue_->abortPending = true;
    queue_->wake.notify_all();
}

}  // namespace dw::emu
