#include "platform/hid/HidrawNode.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>

namespace dw::hid {

namespace {

using Clock = std::chrono::steady_clock;

// While the kernel refuses a write for the moment (EAGAIN), it is retried after this pause;
// the pause itself waits on the abort eventfd so that Abort still breaks it at once.
constexpr int kWriteRetryPauseMs = 2;

class Deadline {
public:
    explicit Deadline(int timeoutMs)
        : forever_(timeoutMs < 0),
          end_(forever_ ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(timeoutMs)) {}

    // Milliseconds for poll: -1 forever, else the time left rounded up, 0 when past.
    int PollMs() const {
        if (forever_) {
            return -1;
        }
        const auto left = end_ - Clock::now();
        if (left <= Clock::duration::zero()) {
            return 0;
        }
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        return static_cast<int>(std::min<decltype(ms)>(ms, std::numeric_limits<int>::max()));
    }
    bool Passed() const { return !forever_ && Clock::now() >= end_; }

private:
    bool forever_;
    Clock::time_point end_;
};

// Reading the eventfd resets it: an abort is used up by the one wait it breaks.
void ConsumeAbort(int abortFd) {
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t n = read(abortFd, &count, sizeof count);
}

// Waits until the node is ready for `events`, the abort eventfd is signalled, or the deadline
// passes. A pending abort wins over a ready node.
IoResult WaitReady(int fd, int abortFd, short events, const Deadline& deadline) {
    for (;;) {
        pollfd fds[2] = {{abortFd, POLLIN, 0}, {fd, events, 0}};
        const int n = poll(fds, 2, deadline.PollMs());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return IoResult::Failed;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            ConsumeAbort(abortFd);
            return IoResult::Aborted;
        }
        if (n == 0) {
            return IoResult::TimedOut;
        }
        if ((fds[1].revents & events) != 0) {
            return IoResult::Ok;
        }
        if ((fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            return IoResult::Failed;   // the device went away
        }
    }
}

int OpenFlags(const OpenMode& mode) {
    int access = O_RDONLY;
    if (mode.read && mode.write) {
        access = O_RDWR;
    } else if (mode.write) {
        access = O_WRONLY;
    }
    return access | O_NONBLOCK | O_CLOEXEC;
}

}  // namespace

std::unique_ptr<HidrawNode> HidrawNode::Open(const std::string& path, const OpenMode& mode) {
    // hidraw has no share modes: an "exclusive" open is an ordinary open here.
    const int fd = open(path.c_str(), OpenFlags(mode));
    if (fd < 0) {
        return nullptr;
    }
    const int abortFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (abortFd < 0) {
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<HidrawNode>(new HidrawNode(fd, abortFd, mode));
}

HidrawNode::HidrawNode(int fd, int abortFd, const OpenMode& mode)
    : fd_(fd), abortFd_(abortFd), canRead_(mode.read || !mode.write), canWrite_(mode.write) {}

HidrawNode::~HidrawNode() {
    close(fd_);
    close(abortFd_);
}

IoResult HidrawNode::Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) {
    transferred = 0;
    if (!canRead_) {
        return IoResult::Failed;
    }
    const Deadline deadline(timeoutMs);
    for (;;) {
        const IoResult ready = WaitReady(fd_, abortFd_, POLLIN, deadline);
        if (ready != IoResult::Ok) {
            return ready;
        }
        const ssize_t n = read(fd_, buffer.data(), buffer.size());
        if (n >= 0) {
            transferred = static_cast<size_t>(n);
            return IoResult::Ok;
        }
        if (errno != EAGAIN && errno != EINTR) {
            return IoResult::Failed;   // ENODEV, EIO: the device is gone
        }
        if (deadline.Passed()) {
            return IoResult::TimedOut;
        }
    }
}

IoResult HidrawNode::Write(std::span<const uint8_t> report, int timeoutMs, size_t& transferred) {
    transferred = 0;
    if (!canWrite_ || report.empty()) {
        return IoResult::Failed;
    }
    const Deadline deadline(timeoutMs);
    for (;;) {
        const IoResult ready = WaitReady(fd_, abortFd_, POLLOUT, deadline);
        if (ready != IoResult::Ok) {
            return ready;
        }
        const ssize_t n = write(fd_, report.data(), report.size());
        if (n >= 0) {
            transferred = static_cast<size_t>(n);
            // hidraw sends a report whole or not at all; anything short is a failed transfer.
            return transferred == report.size() ? IoResult::Ok : IoResult::Failed;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN) {
            return IoResult::Failed;
        }
        // The node reports itself writable while the device is busy; pause before retrying.
        if (deadline.Passed()) {
            return IoResult::TimedOut;
        }
        const int pause = deadline.PollMs() < 0 ? kWriteRetryPauseMs : std::min(deadline.PollMs(), kWriteRetryPauseMs);
        pollfd abortOnly{abortFd_, POLLIN, 0};
        if (poll(&abortOnly, 1, pause) > 0 && (abortOnly.revents & POLLIN) != 0) {
            ConsumeAbort(abortFd_);
            return IoResult::Aborted;
        }
    }
}

void HidrawNode::Abort() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(abortFd_, &one, sizeof one);
}

}  // namespace dw::hid
