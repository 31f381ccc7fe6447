#pragma once

// The message queue and loop of one UI thread. Every window of the thread is registered here
// under an opaque handle; messages are posted (any thread), sent (direct call on the UI thread,
// queued and waited for from a worker), and window timers deliver WM_TIMER. Between messages
// the loop waits in the backend exactly until the next timer is due or someone wakes it, so an
// idle program uses no CPU.
//
// A worker's SendMessage can always finish: it returns 0 at once, or is released with 0, when
// the target window is being destroyed, when a quit has been requested and when the loop goes
// away.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "ui/core/UIDefs.h"

namespace dw::ui {

class IUIBackend;
class CWindowWnd;

// A byte block delivered with WM_COPYDATA: wParam is the sender's window handle (or 0) and
// lParam points to a const UICopyData that lives while the message is handled. The payload is a
// copy, so the sender's buffer may go as soon as the call returns.
struct UICopyData {
    uintptr_t dwData = 0;
    std::vector<uint8_t> bytes;
};

class CMessageLoop {
public:
    // The loop belongs to the thread that creates it.
    explicit CMessageLoop(IUIBackend& backend);
    ~CMessageLoop();
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;

    // The loop of the calling thread, for the few entry points that cannot be handed one
    // (CPaintManagerUI::MessageLoop); null on a thread without a loop.
    static CMessageLoop* GetCurrent();

    IUIBackend& GetBackend() const { return m_backend; }
    bool IsUIThread() const { return std::this_thread::get_id() == m_uiThread; }
    uint64_t GetTickCount() const;

    // Window registry (used by CWindowWnd).
    HWND RegisterWindow(CWindowWnd& window, HWND owner);
    // The window is being destroyed: workers waiting in SendMessage on it are released with 0,
    // its timers and posted messages are dropped and new ones are refused.
    void BeginDestroy(HWND hwnd);
    void UnregisterWindow(HWND hwnd);
    // Whether the handle names a window that exists (and is not being destroyed). Any thread.
    bool IsWindow(HWND hwnd) const;
    // The window object behind a handle; UI thread only. Null for a gone handle.
    CWindowWnd* FromHandle(HWND hwnd) const;
    // Windows whose owner is hwnd, in creation order.
    std::vector<HWND> GetOwnedWindows(HWND hwnd) const;
    HWND GetOwner(HWND hwnd) const;
    // A disabled window gets no input (a modal child disables its owner).
    void EnableWindow(HWND hwnd, bool enable);
    bool IsWindowEnabled(HWND hwnd) const;
    // Every live window, in creation order; UI thread only.
    std::vector<HWND> GetWindows() const;

    // Queues a message; false (and dropped) when the window does not exist. Any thread. A null
    // handle posts to the thread: only WM_QUIT means something there.
    bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Delivers a message and returns the window's result. On the UI thread the window is called
    // directly; from another thread the call waits until the UI thread has handled it, or
    // returns 0 as described at the top of this file.
    LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Posts a message whose parameters point into keepAlive; the loop holds it until the
    // message has been handled or dropped, so nothing leaks when the window goes first.
    bool PostMessageOwning(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, std::shared_ptr<const void> keepAlive);
    // WM_COPYDATA with a copy of the bytes, sent (waits as SendMessage does) or posted.
    LRESULT SendCopyData(HWND hwnd, HWND from, uintptr_t dwData, std::span<const uint8_t> bytes);
    bool PostCopyData(HWND hwnd, HWND from, uintptr_t dwData, std::span<const uint8_t> bytes);
    // Ends Run() (and every modal loop inside it) with the exit code. Any thread.
    void PostQuitMessage(int exitCode);

    // Window timers: WM_TIMER with wParam = id every elapseMs (at least 1 ms) until killed. Setting
    // an id that runs restarts it with the new period. Any thread. False for a gone window.
    bool SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs);
    bool KillTimer(HWND hwnd, uintptr_t id);
    // When the next timer is due, on the backend's clock; none when no timer runs.
    std::optional<uint64_t> NextTimerDeadline() const;

    // Runs until WM_QUIT and returns its exit code.
    int Run();
    // Runs until done() holds (checked after every message) or a quit arrives; true when done()
    // ended it. The quit stays pending for the outer loop. Used for modal windows.
    bool RunUntil(const std::function<bool()>& done);
    // Handles every pending message and due timer without waiting; false when it had to stop
    // because handlers kept queueing work (a guard against a message that re-posts itself).
    bool RunUntilIdle();
    // One round: native events (waiting at most timeoutMs, < 0 without limit, when nothing is
    // pending), sent messages, the posted messages queued before the round, due timers. True
    // when a message or timer was handled.
    bool Step(int timeoutMs);
    bool IsQuitRequested() const;
    // Whether a worker is waiting in SendMessage (diagnostics and tests).
    bool HasPendingSends() const;

    // Process-wide table: the same id for the same name (compared without regard to case), from
    // 0xC000 up; 0 for an empty name or when the range is used up.
    static UINT RegisterWindowMessage(const std::wstring& name);

private:
    struct WindowEntry {
        CWindowWnd* window = nullptr;
        HWND owner = nullptr;
        uint64_t order = 0;
        bool enabled = true;
        bool destroying = false;
    };
    struct PostedMessage {
        HWND hwnd;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        std::shared_ptr<const void> keepAlive;
    };
    struct SentMessage {
        HWND hwnd;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        std::shared_ptr<const void> keepAlive;
        LRESULT result = 0;
        bool done = false;
    };
    struct Timer {
        HWND hwnd;
        uintptr_t id;
        UINT period;
        uint64_t due;
        uint64_t sequence;
    };

    static uintptr_t Key(HWND hwnd) { return reinterpret_cast<uintptr_t>(hwnd); }
    bool IsLiveLocked(HWND hwnd) const;
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT SendFromWorker(std::shared_ptr<SentMessage> sent);
    // Completes every waiting send that matches (all when hwnd is null) with 0. Caller holds the lock.
    void ReleaseSendsLocked(HWND hwnd);
    bool HandleSentMessages();
    bool HandlePostedMessages();
    bool HandleDueTimers();
    int ComputeWaitLocked(int limitMs) const;

    IUIBackend& m_backend;
    std::thread::id m_uiThread;

    mutable std::mutex m_mutex;
    std::condition_variable m_sendDone;
    std::unordered_map<uintptr_t, WindowEntry> m_windows;
    uint64_t m_windowOrder = 0;
    std::deque<PostedMessage> m_posted;
    std::deque<std::shared_ptr<SentMessage>> m_sent;
    std::vector<Timer> m_timers;
    uint64_t m_timerSequence = 0;
    bool m_quit = false;
    int m_quitCode = 0;
    bool m_closing = false;
    int m_runDepth = 0;
};

}  // namespace dw::ui
