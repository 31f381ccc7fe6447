#pragma once

// The command channel of one device: a connection to the device reached by cable and one to it
// reached through its 2.4 GHz receiver, which of the two is in use, and the 64-byte transaction
// (write a request, read replies until the one that answers it arrives).
//
// Locks, always taken in this order: the command lock (held around a whole command of several
// transactions) or the stream lock (held around one lighting frame), then the I/O lock (held by
// each transaction around its write and read loop, and by the device list while it opens or
// closes a connection). The spare lock exists for callers that want a lock of their own on the
// channel; this class never takes it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "platform/hid/HidBackend.h"
#include "transport/CHidConnection.h"
#include "transport/CommandFrame.h"

namespace dw {

class CDeviceTransport {
public:
    // The largest bulk-table length a device of the family may announce.
    static constexpr uint16_t kMaxTotalLength = 512;

    // Waits per write and per read, in milliseconds.
    static constexpr int kWiredTimeoutMs = 1000;
    static constexpr int kReceiverTimeoutMs = 5000;
    static constexpr int kQuietWiredTimeoutMs = 1000;
    static constexpr int kQuietReceiverTimeoutMs = 500;

    // Replies read per transaction at most, looking for the one that echoes the command.
    static constexpr int kMaxReplyReads = 2;

    // Both connections use `backend` (null: the process's active backend).
    explicit CDeviceTransport(hid::IHidBackend* backend = nullptr);

    CDeviceTransport(const CDeviceTransport&) = delete;
    CDeviceTransport& operator=(const CDeviceTransport&) = delete;

    // Mode 2 selects the receiver connection (chunk size 24); any other value the wired one
    // (chunk size 56).
    void SetLinkMode(int mode);

    // False, and no change, when `length` exceeds kMaxTotalLength.
    bool SetTotalLength(uint16_t length);
    uint16_t TotalLength() const { return totalLength_.load(); }
    uint16_t SecondLength() const { return secondLength_.load(); }

    // One logged transaction: the request (padded with zeros or cut to 64 bytes) is written on
    // the connection in use, then at most two replies are read into `reply` until one carries
    // the request's command byte. Returns a dw::result code: 1 success (also when the second
    // reply still did not match: `reply` then holds it), 0 not opened (nothing sent) or no reply,
    // -1 the write failed, -101 through the receiver the reply's command byte was 0xAA.
    // `transferred` receives the bytes of the last reply read.
    int Transact(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t& transferred);

    // The same with the lighting stream's shorter waits and no log.
    int TransactQuiet(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t& transferred);

    CHidConnection& WiredConnection() { return wired_; }
    CHidConnection& ReceiverConnection() { return receiver_; }
    // The connection the current link mode uses.
    CHidConnection& ActiveConnection() { return receiverMode_.load() != 0 ? receiver_ : wired_; }

    std::mutex& IoLock() { return ioLock_; }
    std::mutex& SpareLock() { return spareLock_; }
    std::mutex& CommandLock() { return commandLock_; }
    std::mutex& StreamLock() { return streamLock_; }

    // True while a transaction of this transport is in progress.
    bool IsBusy() const { return busy_.load() != 0; }
    bool IsOpened() const { return opened_.load() != 0; }
    // Set by whoever opened (1) or is about to close (0) a connection of this transport.
    void SetOpened(bool opened) { opened_.store(opened ? 1 : 0); }
    // 0: wired connection in use; 1: receiver connection.
    int ReceiverMode() const { return receiverMode_.load(); }
    bool InReceiverMode() const { return receiverMode_.load() != 0; }
    // Payload bytes per frame of the chunked commands.
    uint8_t ChunkSize() const { return chunkSize_.load(); }

private:
    struct Timeouts {
        int wired;
        int receiver;
    };
    int Run(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t& transferred, Timeouts timeouts,
            bool logged);

    std::atomic<uint16_t> totalLength_{kMaxTotalLength};
    std::atomic<uint16_t> secondLength_{kMaxTotalLength};
    // Transactions in progress. A count rather than a flag, so that a lighting frame finishing
    // during a command does not make the command look idle.
    std::atomic<int> busy_{0};
    std::atomic<int32_t> opened_{0};
    CHidConnection wired_;
    CHidConnection receiver_;
    std::mutex ioLock_;
    std::mutex spareLock_;
    std::mutex commandLock_;
    std::mutex streamLock_;
    std::atomic<int32_t> receiverMode_{0};
    std::atomic<uint8_t> chunkSize_{static_cast<uint8_t>(kReceiverChunkSize)};
};

}  // namespace dw
