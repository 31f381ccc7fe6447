#pragma once

// A one-node HID backend whose device answers every command frame through a function the test
// supplies, and which can hold the write of one command code until the test lets it go: the
// way to have a transaction in progress at a moment the test chooses, which the emulator
// cannot arrange.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "transport/CommandFrame.h"

namespace dw::kbtest {

// The command collection alone: usage page 0xFF1C, usage 0x92, report id 4, 63 bytes each way.
inline const std::vector<uint8_t> kCommandOnlyDescriptor = {
    0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
    0x08, 0x95, 0x3F, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0,
};

inline constexpr wchar_t kResponderPath[] = L"hid#vid_4e71&pid_0b17&mi_01#/dev/hidraw-kbtest0";

class ResponderHidBackend : public hid::IHidBackend {
 public:
  // Returns the reply to a request, or nothing to stay silent.
  using Responder = std::function<std::optional<Report>(const Report& request)>;

  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    Responder responder;
    std::deque<Report> replies;
    std::vector<Report> written;
    std::optional<uint8_t> holdCommand;  // writes of this command wait until released
    bool holding = false;                // a held write is waiting now
    bool released = false;
  };

  ResponderHidBackend() {
    info_.node = "/dev/hidraw-kbtest0";
    info_.vendorId = 0x4E71;
    info_.productId = 0x0B17;
    info_.interfaceNumber = 1;
    info_.reportDescriptor = kCommandOnlyDescriptor;
  }

  std::vector<hid::HidNodeInfo> ListNodes() override { return {info_}; }
  std::unique_ptr<hid::IHidNode> Open(const std::string& node, const hid::OpenMode&) override;
  uint64_t ChangeCount() override { return 0; }

  void SetResponder(Responder responder) {
    std::lock_guard lock(state_.mutex);
    state_.responder = std::move(responder);
  }
  void HoldWritesOf(uint8_t command) {
    std::lock_guard lock(state_.mutex);
    state_.holdCommand = command;
    state_.released = false;
  }
  void WaitUntilHolding() {
    std::unique_lock lock(state_.mutex);
    state_.changed.wait(lock, [this] { return state_.holding; });
  }
  void Release() {
    std::lock_guard lock(state_.mutex);
    state_.released = true;
    state_.changed.notify_all();
  }
  std::vector<Report> Written() {
    std::lock_guard lock(state_.mutex);
    return state_.written;
  }
  size_t CountWritten(uint8_t command) {
    size_t count = 0;
    for (const Report& r : Written()) count += r[frame::kCommand] == command ? 1 : 0;
    return count;
  }

  // The reply a well-behaved device gives: the request's command, length and offset, status 0,
  // sealed.
  static Report Echo(const Report& request, uint8_t status = 0) { return BuildStatusReply(request, status); }

 private:
  hid::HidNodeInfo info_;
  State state_;
};

class ResponderHidNode : public hid::IHidNode {
 public:
  explicit ResponderHidNode(ResponderHidBackend::State& state) : state_(state) {}

  hid::IoResult Write(std::span<const uint8_t> report, int, size_t& transferred) override {
    std::unique_lock lock(state_.mutex);
    Report request{};
    std::copy_n(report.begin(), std::min(report.size(), request.size()), request.begin());
    if (state_.holdCommand == request[frame::kCommand]) {
      state_.holding = true;
      state_.changed.notify_all();
      state_.changed.wait(lock, [this] { return state_.released || aborted_; });
      state_.holding = false;
    }
    state_.written.push_back(request);
    transferred = report.size();
    if (state_.responder) {
      if (std::optional<Report> reply = state_.responder(request)) state_.replies.push_back(*reply);
    }
    state_.changed.notify_all();
    return hid::IoResult::Ok;
  }

  hid::IoResult Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) override {
    std::unique_lock lock(state_.mutex);
    transferred = 0;
    const auto ready = [this] { return aborted_ || !state_.replies.empty(); };
    if (timeoutMs < 0) {
      state_.changed.wait(lock, ready);
    } else if (!state_.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
      return hid::IoResult::TimedOut;
    }
    if (aborted_) {
      aborted_ = false;
      return hid::IoResult::Aborted;
    }
    const Report reply = state_.replies.front();
    state_.replies.pop_front();
    transferred = std::min(reply.size(), buffer.size());
    std::copy_n(reply.begin(), transferred, buffer.begin());
    return hid::IoResult::Ok;
  }

  void Abort() override {
    std::lock_guard lock(state_.mutex);
    aborted_ = true;
    state_.changed.notify_all();
  }

 private:
  ResponderHidBackend::State& state_;
  bool aborted_ = false;
};

inline std::unique_ptr<hid::IHidNode> ResponderHidBackend::Open(const std::string& node, const hid::OpenMode&) {
  return node == info_.node ? std::make_unique<ResponderHidNode>(state_) : nullptr;
}

}  // namespace dw::kbtest
