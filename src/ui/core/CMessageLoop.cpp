#include "ui/core/CMessageLoop.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cwctype>
#include <map>

#include "ui/core/CWindowWnd.h"
#include "ui/core/IUIBackend.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

namespace {

// Handles are never reused in the process, so a stale handle can never reach a newer window.
std::atomic<uintptr_t> g_nextHandle{0x10};

// Registered message ids live in this range.
constexpr UINT kFirstRegisteredMessage = 0xC000;
constexpr UINT kLastRegisteredMessage = 0xFFFF;

// A handler that keeps queueing work must not keep RunUntilIdle busy for ever.
constexpr int kIdleRoundLimit = 10000;

constexpr UINT kMinimumTimerPeriodMs = 1;

thread_local CMessageLoop* t_currentLoop = nullptr;

}  // namespace

CMessageLoop::CMessageLoop(IUIBackend& backend) : m_backend(backend), m_uiThread(std::this_thread::get_id())
{
    if (t_currentLoop == nullptr)
        t_currentLoop = this;
    m_backend.AttachMessageLoop(this);
}

CMessageLoop* CMessageLoop::GetCurrent()
{
    return t_currentLoop;
}

CMessageLoop::~CMessageLoop()
{
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        ReleaseSendsLocked(nullptr);
    }
    m_sendDone.notify_all();
    m_backend.AttachMessageLoop(nullptr);
    if (t_currentLoop == this)
        t_currentLoop = nullptr;
}

uint64_t CMessageLoop::GetTickCount() const
{
    return m_backend.GetTickCount();
}

HWND CMessageLoop::RegisterWindow(CWindowWnd& window, HWND owner)
{
    const uintptr_t id = g_nextHandle.fetch_add(1);
    std::lock_guard lock(m_mutex);
    WindowEntry entry;
    entry.window = &window;
    entry.owner = IsLiveLocked(owner) ? owner : nullptr;
    entry.order = ++m_windowOrder;
    m_windows.emplace(id, entry);
    return reinterpret_cast<HWND>(id);
}

void CMessageLoop::BeginDestroy(HWND hwnd)
{
    {
        std::lock_guard lock(m_mutex);
        auto it = m_windows.find(Key(hwnd));
        if (it == m_windows.end())
            return;
        it->second.destroying = true;
        ReleaseSendsLocked(hwnd);
        std::erase_if(m_timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
        std::erase_if(m_posted, [hwnd](const PostedMessage& m) { return m.hwnd == hwnd; });
    }
    m_sendDone.notify_all();
}

void CMessageLoop::UnregisterWindow(HWND hwnd)
{
    {
        std::lock_guard lock(m_mutex);
        m_windows.erase(Key(hwnd));
        ReleaseSendsLocked(hwnd);
        std::erase_if(m_timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
        std::erase_if(m_posted, [hwnd](const PostedMessage& m) { return m.hwnd == hwnd; });
    }
    m_sendDone.notify_all();
}

bool CMessageLoop::IsLiveLocked(HWND hwnd) const
{
    if (hwnd == nullptr)
        return false;
    auto it = m_windows.find(Key(hwnd));
    return it != m_windows.end() && !it->second.destroying;
}

bool CMessageLoop::IsWindow(HWND hwnd) const
{
    std::lock_guard lock(m_mutex);
    return IsLiveLocked(hwnd);
}

CWindowWnd* CMessageLoop::FromHandle(HWND hwnd) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(Key(hwnd));
    return it == m_windows.end() ? nullptr : it->second.window;
}

std::vector<HWND> CMessageLoop::GetOwnedWindows(HWND hwnd) const
{
    std::vector<std::pair<uint64_t, HWND>> found;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [key, entry] : m_windows)
            if (hwnd != nullptr && entry.owner == hwnd)
                found.emplace_back(entry.order, reinterpret_cast<HWND>(key));
    }
    std::sort(found.begin(), found.end());
    std::vector<HWND> result;
    for (const auto& item : found)
        result.push_back(item.second);
    return result;
}

HWND CMessageLoop::GetOwner(HWND hwnd) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(Key(hwnd));
    return it == m_windows.end() ? nullptr : it->second.owner;
}

void CMessageLoop::EnableWindow(HWND hwnd, bool enable)
{
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(Key(hwnd));
    if (it != m_windows.end())
        it->second.enabled = enable;
}

bool CMessageLoop::IsWindowEnabled(HWND hwnd) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(Key(hwnd));
    return it != m_windows.end() && it->second.enabled;
}

std::vector<HWND> CMessageLoop::GetWindows() const
{
    std::vector<std::pair<uint64_t, HWND>> found;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [key, entry] : m_windows)
            if (!entry.destroying)
                found.emplace_back(entry.order, reinterpret_cast<HWND>(key));
    }
    std::sort(found.begin(), found.end());
    std::vector<HWND> result;
    for (const auto& item : found)
        result.push_back(item.second);
    return result;
}

bool CMessageLoop::PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd == nullptr) {
        if (msg == WM_QUIT)
            PostQuitMessage(static_cast<int>(wParam));
        return msg == WM_QUIT;
    }
    {
        std::lock_guard lock(m_mutex);
        if (m_closing || !IsLiveLocked(hwnd))
            return false;
        m_posted.push_back({hwnd, msg, wParam, lParam, nullptr});
    }
    m_backend.Wake();
    return true;
}

LRESULT CMessageLoop::SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (IsUIThread())
        return Dispatch(hwnd, msg, wParam, lParam);
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->msg = msg;
    sent->wParam = wParam;
    sent->lParam = lParam;
    return SendFromWorker(std::move(sent));
}

LRESULT CMessageLoop::SendCopyData(HWND hwnd, HWND from, uintptr_t dwData, std::span<const uint8_t> bytes)
{
    auto payload = std::make_shared<UICopyData>(UICopyData{dwData, {bytes.begin(), bytes.end()}});
    const WPARAM sender = reinterpret_cast<WPARAM>(from);
    if (IsUIThread())
        return Dispatch(hwnd, WM_COPYDATA, sender, reinterpret_cast<LPARAM>(payload.get()));
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->msg = WM_COPYDATA;
    sent->wParam = sender;
    sent->lParam = reinterpret_cast<LPARAM>(payload.get());
    sent->keepAlive = std::move(payload);
    return SendFromWorker(std::move(sent));
}

bool CMessageLoop::PostCopyData(HWND hwnd, HWND from, uintptr_t dwData, std::span<const uint8_t> bytes)
{
    auto payload = std::make_shared<UICopyData>(UICopyData{dwData, {bytes.begin(), bytes.end()}});
    const LPARAM lParam = reinterpret_cast<LPARAM>(payload.get());
    return PostMessageOwning(hwnd, WM_COPYDATA, reinterpret_cast<WPARAM>(from), lParam, std::move(payload));
}

bool CMessageLoop::PostMessageOwning(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     std::shared_ptr<const void> keepAlive)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closing || !IsLiveLocked(hwnd))
            return false;
        m_posted.push_back({hwnd, msg, wParam, lParam, std::move(keepAlive)});
    }
    m_backend.Wake();
    return true;
}

LRESULT CMessageLoop::SendFromWorker(std::shared_ptr<SentMessage> sent)
{
    std::unique_lock lock(m_mutex);
    if (m_closing || m_quit || !IsLiveLocked(sent->hwnd))
        return 0;
    m_sent.push_back(sent);
    lock.unlock();
    m_backend.Wake();
    lock.lock();
    m_sendDone.wait(lock, [&] { return sent->done; });
    return sent->result;
}

void CMessageLoop::ReleaseSendsLocked(HWND hwnd)
{
    for (auto it = m_sent.begin(); it != m_sent.end();) {
        if (hwnd == nullptr || (*it)->hwnd == hwnd) {
            (*it)->result = 0;
            (*it)->done = true;
            it = m_sent.erase(it);
        } else {
            ++it;
        }
    }
}

void CMessageLoop::PostQuitMessage(int exitCode)
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_quitCode = exitCode;
        ReleaseSendsLocked(nullptr);
    }
    m_sendDone.notify_all();
    m_backend.Wake();
}

bool CMessageLoop::IsQuitRequested() const
{
    std::lock_guard lock(m_mutex);
    return m_quit;
}

bool CMessageLoop::HasPendingSends() const
{
    std::lock_guard lock(m_mutex);
    return !m_sent.empty();
}

bool CMessageLoop::SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs)
{
    const UINT period = std::max(elapseMs, kMinimumTimerPeriodMs);
    const uint64_t now = m_backend.GetTickCount();
    {
        std::lock_guard lock(m_mutex);
        if (!IsLiveLocked(hwnd))
            return false;
        auto it = std::find_if(m_timers.begin(), m_timers.end(),
                               [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
        if (it == m_timers.end())
            m_timers.push_back({hwnd, id, period, now + period, ++m_timerSequence});
        else
            *it = {hwnd, id, period, now + period, ++m_timerSequence};
    }
    // A worker arming a timer must shorten the UI thread's current wait.
    if (!IsUIThread())
        m_backend.Wake();
    return true;
}

bool CMessageLoop::KillTimer(HWND hwnd, uintptr_t id)
{
    std::lock_guard lock(m_mutex);
    return std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

std::optional<uint64_t> CMessageLoop::NextTimerDeadline() const
{
    std::lock_guard lock(m_mutex);
    std::optional<uint64_t> next;
    for (const Timer& t : m_timers)
        if (!next || t.due < *next)
            next = t.due;
    return next;
}

LRESULT CMessageLoop::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWindowWnd* window = FromHandle(hwnd);
    if (window == nullptr)
        return 0;
    // The window may delete itself while it handles the message; nothing here touches it after.
    return window->HandleMessage(msg, wParam, lParam);
}

bool CMessageLoop::HandleSentMessages()
{
    bool handled = false;
    while (true) {
        std::shared_ptr<SentMessage> sent;
        {
            std::lock_guard lock(m_mutex);
            if (m_sent.empty())
                break;
            sent = m_sent.front();
            m_sent.pop_front();
        }
        const LRESULT result = Dispatch(sent->hwnd, sent->msg, sent->wParam, sent->lParam);
        {
            std::lock_guard lock(m_mutex);
            sent->result = result;
            sent->done = true;
        }
        m_sendDone.notify_all();
        handled = true;
    }
    return handled;
}

bool CMessageLoop::HandlePostedMessages()
{
    // Only the messages queued before this round: a handler that posts again waits for the next.
    size_t count;
    {
        std::lock_guard lock(m_mutex);
        count = m_posted.size();
    }
    bool handled = false;
    for (size_t i = 0; i < count; ++i) {
        PostedMessage message;
        {
            std::lock_guard lock(m_mutex);
            if (m_quit || m_posted.empty())
                break;
            message = std::move(m_posted.front());
            m_posted.pop_front();
        }
        Dispatch(message.hwnd, message.msg, message.wParam, message.lParam);
        handled = true;
        // Sent messages overtake posted ones, as a waiting worker expects.
        HandleSentMessages();
    }
    return handled;
}

bool CMessageLoop::HandleDueTimers()
{
    const uint64_t now = m_backend.GetTickCount();
    std::vector<Timer> due;
    {
        std::lock_guard lock(m_mutex);
        for (const Timer& t : m_timers)
            if (t.due <= now)
                due.push_back(t);
    }
    std::sort(due.begin(), due.end(),
              [](const Timer& a, const Timer& b) { return a.due != b.due ? a.due < b.due : a.sequence < b.sequence; });
    bool handled = false;
    for (const Timer& t : due) {
        {
            std::lock_guard lock(m_mutex);
            if (m_quit)
                break;
            // An earlier handler may have killed or re-armed this timer.
            auto it = std::find_if(m_timers.begin(), m_timers.end(), [&](const Timer& x) {
                return x.hwnd == t.hwnd && x.id == t.id && x.sequence == t.sequence;
            });
            if (it == m_timers.end())
                continue;
            // A late loop fires once, not once per missed period.
            uint64_t next = it->due + it->period;
            if (next <= now)
                next = now + it->period;
            it->due = next;
        }
        Dispatch(t.hwnd, WM_TIMER, static_cast<WPARAM>(t.id), 0);
        handled = true;
    }
    return handled;
}

int CMessageLoop::ComputeWaitLocked(int limitMs) const
{
    if (!m_sent.empty() || !m_posted.empty() || m_quit)
        return 0;
    int wait = limitMs;
    if (!m_timers.empty()) {
        uint64_t next = m_timers.front().due;
        for (const Timer& t : m_timers)
            next = std::min(next, t.due);
        const uint64_t now = m_backend.GetTickCount();
        const uint64_t delta = next > now ? next - now : 0;
        const int timerWait = delta > static_cast<uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(delta);
        wait = wait < 0 ? timerWait : std::min(wait, timerWait);
    }
    return wait;
}

bool CMessageLoop::Step(int timeoutMs)
{
    int wait;
    {
        std::lock_guard lock(m_mutex);
        wait = ComputeWaitLocked(timeoutMs);
    }
    m_backend.WaitForEvents(wait);
    bool handled = HandleSentMessages();
    handled = HandlePostedMessages() || handled;
    handled = HandleDueTimers() || handled;
    return handled;
}

bool CMessageLoop::RunUntil(const std::function<bool()>& done)
{
    ++m_runDepth;
    bool finished = false;
    while (true) {
        if (done()) {
            finished = true;
            break;
        }
        if (IsQuitRequested())
            break;
        Step(-1);
    }
    --m_runDepth;
    return finished;
}

int CMessageLoop::Run()
{
    RunUntil([] { return false; });
    std::lock_guard lock(m_mutex);
    const int code = m_quitCode;
    // The outermost loop consumes the quit, so the loop can be run again.
    if (m_runDepth == 0) {
        m_quit = false;
        m_quitCode = 0;
    }
    return code;
}

bool CMessageLoop::RunUntilIdle()
{
    for (int round = 0; round < kIdleRoundLimit; ++round) {
        if (!Step(0))
            return true;
    }
    return false;
}

UINT CMessageLoop::RegisterWindowMessage(const std::wstring& name)
{
    if (name.empty())
        return 0;
    static std::mutex tableMutex;
    static std::map<std::wstring, UINT> table;
    static UINT next = kFirstRegisteredMessage;
    std::wstring key = name;
    std::transform(key.begin(), key.end(), key.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    std::lock_guard lock(tableMutex);
    auto it = table.find(key);
    if (it != table.end())
        return it->second;
    if (next > kLastRegisteredMessage)
        return 0;
    table.emplace(key, next);
    return next++;
}

}  // namespace dw::ui
