#include "keyboard/CKeyboardNotificationReader.h"

#include <cassert>
#include <vector>

#include "platform/DebugOutput.h"

namespace dw {
namespace {

constexpr std::wstring_view kReportLog = L"接收到自动添加设备的同步信息要求  TEST";
constexpr std::wstring_view kThreadLeftLog = L"MS 设备同步线程设定退出";
constexpr std::wstring_view kStoppedLog = L"线程退出：：对象处于激发状态\n";
constexpr std::wstring_view kStopLateLog = L"线程退出：：对象处于非激发状态，超时\n";

// Infinite wait for the next notification.
constexpr int kWaitForever = -1;
// A report of an interface whose descriptor gives no input length still fits here.
constexpr size_t kFallbackReportBytes = 64;

}  // namespace

CKeyboardNotificationReader::CKeyboardNotificationReader(CDeviceTransport& transport, Connection connection,
                                                         Handler handler)
    : transport_(transport), connection_(connection), handler_(std::move(handler)) {}

CKeyboardNotificationReader::~CKeyboardNotificationReader() { Stop(); }

CHidConnection& CKeyboardNotificationReader::Link() {
  return connection_ == Connection::Receiver ? transport_.ReceiverConnection() : transport_.WiredConnection();
}

bool CKeyboardNotificationReader::Open(std::wstring_view path) {
  Stop();
  bool opened = false;
  {
    std::lock_guard io(transport_.IoLock());
    opened = Link().OpenPath(path, /*read=*/true, /*write=*/true, /*overlapped=*/true, /*exclusive=*/false);
  }
  if (!opened) {
    return false;
  }
  std::lock_guard lock(mutex_);
  stop_ = false;
  exited_ = false;
  thread_ = std::thread(&CKeyboardNotificationReader::Run, this);
  return true;
}

void CKeyboardNotificationReader::Stop() {
  std::thread thread;
  {
    std::lock_guard lock(mutex_);
    // Stopping from the handler would join the reader thread from itself.
    assert(!thread_.joinable() || thread_.get_id() != std::this_thread::get_id());
    stop_ = true;
    thread = std::move(thread_);
  }
  wake_.notify_all();
  {
    // Closing breaks the read the thread is blocked in.
    std::lock_guard io(transport_.IoLock());
    Link().Close();
  }
  if (!thread.joinable()) {
    return;
  }
  bool ended = false;
  {
    std::unique_lock lock(mutex_);
    ended = wake_.wait_for(lock, kStopWait, [this] { return exited_; });
  }
  DebugOutput(ended ? kStoppedLog : kStopLateLog);
  thread.join();
}

bool CKeyboardNotificationReader::Running() const {
  std::lock_guard lock(mutex_);
  return thread_.joinable() && !exited_;
}

uint64_t CKeyboardNotificationReader::EventCount() const {
  std::lock_guard lock(mutex_);
  return events_;
}

void CKeyboardNotificationReader::Run() {
  CHidConnection& link = Link();
  std::vector<uint8_t> buffer = link.InputReportBuffer();
  if (buffer.empty()) {
    buffer.resize(kFallbackReportBytes);
  }
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stop_) {
        break;
      }
    }
    size_t received = 0;
    if (!link.ReadReport(buffer, received, kWaitForever)) {
      std::unique_lock lock(mutex_);
      wake_.wait_for(lock, kRetryWait, [this] { return stop_; });
      continue;
    }
    DebugOutput(kReportLog);
    if (link.UnpackInputReport(std::span<const uint8_t>(buffer).first(received)) != hid::HidStatus::Success) {
      continue;
    }
    const KeyboardEvent event = DecodeKeyboardNotification(link.FirstInputUsage());
    {
      std::lock_guard lock(mutex_);
      ++events_;
    }
    if (handler_) {
      handler_(event);
    }
  }
  DebugOutput(kThreadLeftLog);
  {
    std::lock_guard lock(mutex_);
    exited_ = true;
  }
  wake_.notify_all();
}

}  // namespace dw
