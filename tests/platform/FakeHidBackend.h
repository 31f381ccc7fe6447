#pragma once

// A HID backend in memory for the tests of the HID layer: nodes with fixed descriptors, input
// reports queued by the test, output reports recorded. Reads wait on a condition variable and
// honour Abort the way the real nodes do (remembered once when nothing waits).

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"

namespace dw::hid::test {

class FakeHidNode final : public IHidNode {
public:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<std::vector<uint8_t>> input;   // as the node delivers them (no id byte without ids)
        std::vector<std::vector<uint8_t>> written;
        bool abortPending = false;
        int readersWaiting = 0;
        IoResult failWith = IoResult::Ok;          // Failed: the device "went away"
    };

    explicit FakeHidNode(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

    IoResult Write(std::span<const uint8_t> report, int, size_t& transferred) override {
        std::lock_guard lock(shared_->mutex);
        transferred = 0;
        if (shared_->failWith != IoResult::Ok) {
            return shared_->failWith;
        }
        shared_->written.emplace_back(report.begin(), report.end());
        transferred = report.size();
        return IoResult::Ok;
    }

    IoResult Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) override {
        std::unique_lock lock(shared_->mutex);
        transferred = 0;
        ++shared_->readersWaiting;
        shared_->changed.notify_all();
        const auto ready = [this] {
            return shared_->abortPending || !shared_->input.empty() || shared_->failWith != IoResult::Ok;
        };
        bool woke = true;
        if (timeoutMs < 0) {
            shared_->changed.wait(lock, ready);
        } else {
            woke = shared_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        }
        --shared_->readersWaiting;
        if (!woke) {
            return IoResult::TimedOut;
        }
        if (shared_->abortPending) {
            shared_->abortPending = false;
            return IoResult::Aborted;
        }
        if (shared_->failWith != IoResult::Ok) {
            return shared_->failWith;
        }
        const std::vector<uint8_t> report = std::move(shared_->input.front());
        shared_->input.pop_front();
        transferred = std::min(report.size(), buffer.size());
        std::copy_n(report.begin(), transferred, buffer.begin());
        return IoResult::Ok;
    }

    void Abort() override {
        std::lock_guard lock(shared_->mutex);
        shared_->abortPending = true;
        shared_->changed.notify_all();
    }

private:
    std::shared_ptr<Shared> shared_;
};

class FakeHidBackend final : public IHidBackend {
public:
    void AddNode(HidNodeInfo info) {
        shared_[info.node] = std::make_shared<FakeHidNode::Shared>();
        nodes_.push_back(std::move(info));
        ++changes_;
    }

    FakeHidNode::Shared& NodeState(const std::string& node) { return *shared_.at(node); }

    void QueueInput(const std::string& node, std::vector<uint8_t> report) {
        FakeHidNode::Shared& s = NodeState(node);
        std::lock_guard lock(s.mutex);
        s.input.push_back(std::move(report));
        s.changed.notify_all();
    }

    std::vector<std::vector<uint8_t>> Written(const std::string& node) {
        FakeHidNode::Shared& s = NodeState(node);
        std::lock_guard lock(s.mutex);
        return s.written;
    }

    // Blocks until a reader waits on the node: lets a test abort a read that is surely waiting.
    void WaitForReader(const std::string& node) {
        FakeHidNode::Shared& s = NodeState(node);
        std::unique_lock lock(s.mutex);
        s.changed.wait(lock, [&s] { return s.readersWaiting > 0; });
    }

    std::vector<HidNodeInfo> ListNodes() override { return nodes_; }

    std::unique_ptr<IHidNode> Open(const std::string& node, const OpenMode&) override {
        const auto it = shared_.find(node);
        if (it == shared_.end()) {
            return nullptr;
        }
        return std::make_unique<FakeHidNode>(it->second);
    }

    uint64_t ChangeCount() override { return changes_; }

private:
    std::vector<HidNodeInfo> nodes_;
    std::map<std::string, std::shared_ptr<FakeHidNode::Shared>> shared_;
    uint64_t changes_ = 0;
};

}  // namespace dw::hid::test
