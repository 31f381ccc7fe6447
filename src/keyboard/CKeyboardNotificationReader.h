#pragma once

// Reads a keyboard's notification interface (its Consumer Control collection) on one connection
// of a notification transport, the cable's or the receiver's, in a thread of its own. The
// thread waits for input reports without a time-out, decodes the first usage of the first input
// item into the notification code, and hands each decoded event to the handler.
//
// Stopping always ends the thread: the stop flag is set and the connection is closed, which
// breaks the waiting read at once; the thread is then joined. The handler runs on the reader
// thread and must not block (it posts work to the UI thread).

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "keyboard/KeyboardNotification.h"
#include "transport/CDeviceTransport.h"

namespace dw {

class CKeyboardNotificationReader {
 public:
  using Handler = std::function<void(const KeyboardEvent&)>;

  enum class Connection : uint8_t { Wired, Receiver };

  // How long Stop waits before it reports the thread as late. The reads are abortable, so the
  // join that follows always returns; the bound only decides which line is logged.
  static constexpr std::chrono::milliseconds kStopWait{500};
  // Rest after a failed read (the device went away), so a reader on a vanished interface does
  // not spin until it is stopped.
  static constexpr std::chrono::milliseconds kRetryWait{20};

  // `transport` (the device's notification transport) must outlive the reader.
  CKeyboardNotificationReader(CDeviceTransport& transport, Connection connection, Handler handler);
  ~CKeyboardNotificationReader();

  CKeyboardNotificationReader(const CKeyboardNotificationReader&) = delete;
  CKeyboardNotificationReader& operator=(const CKeyboardNotificationReader&) = delete;

  // Stops a running reader, then opens `path` (read, write, shared) on this reader's
  // connection under the transport's I/O lock and starts the thread. False when the path could
  // not be opened; no thread runs then.
  bool Open(std::wstring_view path);

  // Stops the thread (if any) and closes the connection. Safe to call at any time, repeatedly.
  void Stop();

  bool Running() const;

  // Reports received and decoded since construction (heartbeats included).
  uint64_t EventCount() const;

 private:
  void Run();
  CHidConnection& Link();

  CDeviceTransport& transport_;
  Connection connection_;
  Handler handler_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool exited_ = false;
  uint64_t events_ = 0;
  std::thread thread_;
};

}  // namespace dw
