#pragma once

// A tiny HID backend for the transaction rules the emulator cannot be made to break: one node
// whose replies are scripted by the test. Every written report is recorded; every Read takes the
// next scripted input report, or waits (abortably, up to its time-out) when there is none.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "transport/CommandFrame.h"

namespace dw::test {

// One vendor collection (usage page 0xFF1C, usage 0x92) with report id 4 and 63 data bytes in
// and out: the command interface of every device of the family, alone on its node.
inline const std::vector<uint8_t> kVendorOnlyDescriptor = {
    0x06, 0x1C, 0xFF,  // Usage Page (0xFF1C)
    0x09, 0x92,        // Usage (0x92)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x3F,        //   Report Count (63)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x01,        //   Usage (1)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};

// Consumer Control (report id 3, one 16-bit array usage: the notification code) followed by the
// vendor collection above: collections 1 and 2 of one node.
inline const std::vector<uint8_t> kNotificationAndVendorDescriptor = {
    0x05, 0x0C,                    // Usage Page (Consumer)
    0x09, 0x01,                    // Usage (Consumer Control)
    0xA1, 0x01,                    // Collection (Application)
    0x85, 0x03,                    //   Report ID (3)
    0x15, 0x00,                    //   Logical Minimum (0)
    0x27, 0xFF, 0xFF, 0x00, 0x00,  //   Logical Maximum (0xFFFF)
    0x19, 0x00,                    //   Usage Minimum (0)
    0x2A, 0xFF, 0xFF,              //   Usage Maximum (0xFFFF)
    0x75, 0x10,                    //   Report Size (16)
    0x95, 0x01,                    //   Report Count (1)
    0x81, 0x00,                    //   Input (Data, Array, Absolute)
    0xC0,                          // End Collection
    0x06, 0x1C, 0xFF,              // Usage Page (0xFF1C)
    0x09, 0x92,                    // Usage (0x92)
    0xA1, 0x01,                    // Collection (Application)
    0x85, 0x04,                    //   Report ID (4)
    0x15, 0x00,                    //   Logical Minimum (0)
    0x26, 0xFF, 0x00,              //   Logical Maximum (255)
    0x75, 0x08,                    //   Report Size (8)
    0x95, 0x3F,                    //   Report Count (63)
    0x09, 0x01,                    //   Usage (1)
    0x81, 0x02,                    //   Input (Data, Variable, Absolute)
    0x09, 0x01,                    //   Usage (1)
    0x91, 0x02,                    //   Output (Data, Variable, Absolute)
    0xC0,                          // End Collection
};

class ScriptedHidBackend : public hid::IHidBackend {
public:
    struct Script {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<std::vector<uint8_t>> replies;  // input reports handed out in order
        std::vector<std::vector<uint8_t>> written; // every report written
        bool failWrites = false;
        bool abortPending = false;
        int readsWaiting = 0;
        int opens = 0;
    };

    explicit ScriptedHidBackend(std::vector<uint8_t> descriptor = kVendorOnlyDescriptor, int nodeCount = 1)
    {
        for (int i = 0; i < nodeCount; ++i) {
            hid::HidNodeInfo info;
            info.node = "/dev/hidraw-test" + std::to_string(i);
            info.vendorId = 0x5A3C;
            info.productId = 0x6A3E;
            info.version = 0x0107;
            info.interfaceNumber = 1;
            info.reportDescriptor = descriptor;
            nodes_.push_back(info);
        }
    }

    std::vector<hid::HidNodeInfo> ListNodes() override { return nodes_; }
    std::unique_ptr<hid::IHidNode> Open(const std::string& node, const hid::OpenMode&) override;
    uint64_t ChangeCount() override { return 0; }

    Script& script() { return script_; }

    // Queues a reply: a frame with this command byte (and status byte 0).
    void QueueReply(uint8_t command, uint8_t status = 0)
    {
        Report r{};
        r[frame::kReportId] = frame::kCommandReportId;
        r[frame::kCommand] = command;
        r[frame::kStatus] = status;
        QueueReport(std::vector<uint8_t>(r.begin(), r.end()));
    }
    void QueueReport(std::vector<uint8_t> report)
    {
        std::lock_guard lock(script_.mutex);
        script_.replies.push_back(std::move(report));
        script_.changed.notify_all();
    }
    std::vector<std::vector<uint8_t>> Written()
    {
        std::lock_guard lock(script_.mutex);
        return script_.written;
    }
    int ReadsWaiting()
    {
        std::lock_guard lock(script_.mutex);
        return script_.readsWaiting;
    }

private:
    std::vector<hid::HidNodeInfo> nodes_;
    Script script_;
};

class ScriptedHidNode : public hid::IHidNode {
public:
    explicit ScriptedHidNode(ScriptedHidBackend::Script& script) : script_(script) {}

    hid::IoResult Write(std::span<const uint8_t> report, int, size_t& transferred) override
    {
        std::lock_guard lock(script_.mutex);
        transferred = 0;
        if (script_.failWrites)
            return hid::IoResult::Failed;
        script_.written.emplace_back(report.begin(), report.end());
        transferred = report.size();
        return hid::IoResult::Ok;
    }

    hid::IoResult Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) override
    {
        std::unique_lock lock(script_.mutex);
        transferred = 0;
        ++script_.readsWaiting;
        script_.changed.notify_all();
        auto ready = [&] { return aborted_ || !script_.replies.empty(); };
        bool ok = true;
        if (timeoutMs < 0)
            script_.changed.wait(lock, ready);
        else
            ok = script_.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        --script_.readsWaiting;
        if (aborted_) {
            aborted_ = false;
            return hid::IoResult::Aborted;
        }
        if (!ok)
            return hid::IoResult::TimedOut;
        std::vector<uint8_t> report = std::move(script_.replies.front());
        script_.replies.pop_front();
        transferred = std::min(report.size(), buffer.size());
        std::copy_n(report.begin(), transferred, buffer.begin());
        return hid::IoResult::Ok;
    }

    void Abort() override
    {
        std::lock_guard lock(script_.mutex);
        aborted_ = true;
        script_.changed.notify_all();
    }

private:
    ScriptedHidBackend::Script& script_;
    bool aborted_ = false;  // guarded by script_.mutex
};

inline std::unique_ptr<hid::IHidNode> ScriptedHidBackend::Open(const std::string& node, const hid::OpenMode&)
{
    for (const hid::HidNodeInfo& info : nodes_) {
        if (info.node == node) {
            std::lock_guard lock(script_.mutex);
            ++script_.opens;
            return std::make_unique<ScriptedHidNode>(script_);
        }
    }
    return nullptr;
}

}  // namespace dw::test
