#include "transport/device/CDeviceNotificationThread.h"

#include <cassert>
#include <vector>

#include "platform/DebugOutput.h"

namespace dw {
namespace {

// Outcome lines of stopping a reader.
constexpr std::wstring_view kEndedLog = L"线程退出：：对象处于激发状态\n";
constexpr std::wstring_view kLateLog = L"线程退出：：对象处于非激发状态，超时\n";

constexpr int kWaitForever = -1;
// A report of an interface whose descriptor gives no input length still fits here.
constexpr size_t kFallbackReportBytes = 64;

}  // namespace

CDeviceNotificationThread::CDeviceNotificationThread(CDeviceTransport& transport, std::chrono::milliseconds stopWait,
                                                     Handler handler)
    : transport_(transport), stopWait_(stopWait), handler_(std::move(handler))
{
}

CDeviceNotificationThread::~CDeviceNotificationThread() { Stop(); }

CHidConnection& CDeviceNotificationThread::Link()
{
    return connection_ == Connection::Receiver ? transport_.ReceiverConnection() : transport_.WiredConnection();
}

bool CDeviceNotificationThread::Start(Connection connection, std::wstring_view path)
{
    Stop();
    connection_ = connection;
    bool opened = false;
    {
        std::lock_guard io(transport_.IoLock());
        opened = Link().OpenPath(path, /*read=*/true, /*write=*/true, /*overlapped=*/true, /*exclusive=*/false);
    }
    if (!opened)
        return false;
    transport_.SetOpened(true);
    std::lock_guard lock(mutex_);
    stop_ = false;
    exited_ = false;
    thread_ = std::thread(&CDeviceNotificationThread::Run, this);
    return true;
}

CDeviceNotificationThread::StopOutcome CDeviceNotificationThread::Stop()
{
    std::thread thread;
    {
        std::lock_guard lock(mutex_);
        // Stopping from the handler would join the reader thread from itself.
        assert(!thread_.joinable() || thread_.get_id() != std::this_thread::get_id());
        stop_ = true;
        thread = std::move(thread_);
    }
    wake_.notify_all();
    transport_.SetOpened(false);
    {
        // Closing breaks the read the thread is blocked in.
        std::lock_guard io(transport_.IoLock());
        Link().Close();
    }
    if (!thread.joinable())
        return StopOutcome::NotRunning;
    bool ended = false;
    {
        std::unique_lock lock(mutex_);
        ended = wake_.wait_for(lock, stopWait_, [this] { return exited_; });
    }
    DebugOutput(ended ? kEndedLog : kLateLog);
    thread.join();
    return ended ? StopOutcome::Ended : StopOutcome::Late;
}

bool CDeviceNotificationThread::Running() const
{
    std::lock_guard lock(mutex_);
    return thread_.joinable() && !exited_;
}

uint64_t CDeviceNotificationThread::ReportCount() const
{
    std::lock_guard lock(mutex_);
    return reports_;
}

bool CDeviceNotificationThread::RestUnlessStopped(std::chrono::milliseconds wait)
{
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, wait, [this] { return stop_; });
}

void CDeviceNotificationThread::Run()
{
    CHidConnection& link = Link();
    std::vector<uint8_t> buffer = link.InputReportBuffer();
    if (buffer.empty())
        buffer.resize(kFallbackReportBytes);
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_)
                break;
        }
        size_t received = 0;
        if (!transport_.IsOpened() || !link.ReadReport(buffer, received, kWaitForever)) {
            if (RestUnlessStopped(kRetryWait))
                break;
            continue;
        }
        const std::span<const uint8_t> report = std::span<const uint8_t>(buffer).first(received);
        if (link.UnpackInputReport(report) != hid::HidStatus::Success)
            continue;
        {
            std::lock_guard lock(mutex_);
            ++reports_;
        }
        if (handler_)
            handler_(link.FirstInputUsage(), report);
    }
    {
        std::lock_guard lock(mutex_);
        exited_ = true;
    }
    wake_.notify_all();
}

}  // namespace dw
