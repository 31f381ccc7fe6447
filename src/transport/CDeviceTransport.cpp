#include "transport/CDeviceTransport.h"

#include <algorithm>

#include "platform/DebugOutput.h"
#include "transport/DeviceKinds.h"
#include "transport/FrameLog.h"
#include "transport/TransportResult.h"

namespace dw {

namespace {

constexpr std::wstring_view kRequestLogTitle = L"命令";
constexpr std::wstring_view kReplyLogTitle = L"返回";

void LogFrame(std::wstring_view title, const Report& frame)
{
    DebugOutput(title);
    for (const std::wstring& row : FrameLogRows(frame))
        DebugOutput(row);
}

Report FrameOf(std::span<const uint8_t> bytes)
{
    Report frame{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), frame.size()), frame.begin());
    return frame;
}

// Counts a transaction in progress for as long as it lives.
class BusyScope {
public:
    explicit BusyScope(std::atomic<int>& busy) : busy_(busy) { busy_.fetch_add(1); }
    ~BusyScope() { busy_.fetch_sub(1); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    std::atomic<int>& busy_;
};

}  // namespace

CDeviceTransport::CDeviceTransport(hid::IHidBackend* backend) : wired_(backend), receiver_(backend) {}

void CDeviceTransport::SetLinkMode(int mode)
{
    if (mode == link::kReceiver) {
        receiverMode_.store(1);
        chunkSize_.store(static_cast<uint8_t>(kReceiverChunkSize));
    } else {
        receiverMode_.store(0);
        chunkSize_.store(static_cast<uint8_t>(kWiredChunkSize));
    }
}

bool CDeviceTransport::SetTotalLength(uint16_t length)
{
    if (length > kMaxTotalLength)
        return false;
    totalLength_.store(length);
    return true;
}

int CDeviceTransport::Transact(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t& transferred)
{
    return Run(request, reply, transferred, {kWiredTimeoutMs, kReceiverTimeoutMs}, true);
}

int CDeviceTransport::TransactQuiet(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t& transferred)
{
    return Run(request, reply, transferred, {kQuietWiredTimeoutMs, kQuietReceiverTimeoutMs}, false);
}

int CDeviceTransport::Run(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t& transferred,
                          Timeouts timeouts, bool logged)
{
    BusyScope busy(busy_);
    transferred = 0;
    if (opened_.load() == 0)
        return result::kNothing;

    // Whatever its length, the request goes out as one 64-byte frame.
    const Report frame = FrameOf(request);
    const bool logging = logged && DebugOutputEnabled();
    if (logging)
        LogFrame(kRequestLogTitle, frame);

    int result = result::kNothing;
    {
        // The write and the reads are one exchange: holding the I/O lock across both keeps a
        // lighting frame's reply from being taken by a command's read (and the reverse), and
        // keeps the connection from being reopened between the request and its reply.
        std::lock_guard io(ioLock_);
        const bool receiver = receiverMode_.load() != 0;
        CHidConnection& connection = receiver ? receiver_ : wired_;
        const int timeoutMs = receiver ? timeouts.receiver : timeouts.wired;

        size_t written = 0;
        if (!connection.WriteReport(frame, written, timeoutMs))
            return result::kWriteFailed;

        for (int attempt = 0; attempt < kMaxReplyReads; ++attempt) {
            // Cleared first so that a short reply is never judged by bytes of the one before.
            std::fill(reply.begin(), reply.end(), uint8_t{0});
            size_t got = 0;
            if (!connection.ReadReport(reply, got, timeoutMs)) {
                // No reply within the wait (or the connection was closed): the exchange failed.
                result = result::kNothing;
                transferred = 0;
                break;
            }
            result = result::kSuccess;
            transferred = got;
            if (got <= frame::kCommand)
                continue;
            if (reply[frame::kCommand] == frame[frame::kCommand])
                break;
            if (receiver && reply[frame::kCommand] == frame::kNotLinkedEcho) {
                result = result::kNotLinked;
                break;
            }
        }
    }

    if (logging)
        LogFrame(kReplyLogTitle, FrameOf(reply));
    return result;
}

}  // namespace dw
