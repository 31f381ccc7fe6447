// The message loop and plain windows on the headless backend: timers on the virtual clock,
// posting and sending across threads, registered messages, byte blocks, modal loops and the
// window lifetime.

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/backend/headless/CHeadlessWindowHost.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CWindowWnd.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {
namespace {

using headless::CHeadlessBackend;

constexpr UINT kMsgDouble = WM_USER + 10;
constexpr UINT kMsgClose = WM_USER + 11;

struct Received {
    UINT msg;
    WPARAM wParam;
    uint64_t tick;
};

// A window that records what it gets. kMsgDouble answers wParam * 2; kMsgClose closes with
// wParam; a timer whose id is in oneShot kills itself.
class RecordingWindow : public CWindowWnd {
public:
    explicit RecordingWindow(std::vector<std::wstring>* journal = nullptr, std::wstring name = L"")
        : m_journal(journal), m_name(std::move(name))
    {
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        const uint64_t tick = GetMessageLoop()->GetTickCount();
        received.push_back({msg, wParam, tick});
        if (m_journal != nullptr && (msg == WM_DESTROY || msg == WM_CREATE))
            m_journal->push_back(m_name + (msg == WM_DESTROY ? L":destroy" : L":create"));
        switch (msg) {
        case kMsgDouble:
            handlerThread = std::this_thread::get_id();
            return static_cast<LRESULT>(wParam * 2);
        case kMsgClose:
            Close(static_cast<UINT>(wParam));
            return 0;
        case WM_TIMER:
            if (oneShot.count(wParam) != 0)
                KillTimer(static_cast<UINT>(wParam));
            if (onTimer)
                onTimer(wParam);
            return 0;
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const UICopyData*>(lParam);
            copyData = *data;
            copyFrom = reinterpret_cast<HWND>(wParam);
            return static_cast<LRESULT>(data->bytes.size());
        }
        default:
            return CWindowWnd::HandleMessage(msg, wParam, lParam);
        }
    }

    std::vector<UINT> Messages(UINT only) const
    {
        std::vector<UINT> result;
        for (const Received& r : received)
            if (r.msg == only)
                result.push_back(static_cast<UINT>(r.wParam));
        return result;
    }

    std::vector<Received> received;
    std::set<WPARAM> oneShot;
    std::function<void(WPARAM)> onTimer;
    std::thread::id handlerThread;
    UICopyData copyData;
    HWND copyFrom = nullptr;

private:
    std::vector<std::wstring>* m_journal;
    std::wstring m_name;
};

// Deletes itself when its window is gone, as pop-up windows of the program do.
class SelfDeletingWindow : public RecordingWindow {
public:
    explicit SelfDeletingWindow(bool* deleted) : m_deleted(deleted) {}
    ~SelfDeletingWindow() override { *m_deleted = true; }

protected:
    void OnFinalMessage(HWND) override { delete this; }

private:
    bool* m_deleted;
};

class MessageLoopTest : public ::testing::Test {
protected:
    CHeadlessBackend backend;
    CMessageLoop loop{backend};

    void Create(CWindowWnd& window, HWND owner = nullptr)
    {
        ASSERT_TRUE(window.Create(loop, owner, L"test", WS_POPUP, 0, {0, 0, 200, 100}));
    }
};

TEST_F(MessageLoopTest, TimersFireInDueOrderOnTheVirtualClock)
{
    RecordingWindow a;
    RecordingWindow b;
    Create(a);
    Create(b);
    std::vector<std::pair<uint64_t, int>> fired;
    a.onTimer = [&](WPARAM id) { fired.emplace_back(loop.GetTickCount(), static_cast<int>(id)); };
    b.onTimer = [&](WPARAM id) { fired.emplace_back(loop.GetTickCount(), 100 + static_cast<int>(id)); };
    ASSERT_TRUE(a.SetTimer(1, 10));
    ASSERT_TRUE(b.SetTimer(2, 25));

    backend.AdvanceClock(9);
    EXPECT_TRUE(fired.empty()) << "nothing is due before 10 ms";

    backend.AdvanceClock(41);
    const std::vector<std::pair<uint64_t, int>> expected{{10, 1}, {20, 1}, {25, 102}, {30, 1},
                                                         {40, 1}, {50, 1}, {50, 102}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(loop.GetTickCount(), 50u);
}

TEST_F(MessageLoopTest, KillTimerAndRearmingChangeWhatFires)
{
    RecordingWindow window;
    Create(window);
    window.oneShot = {7};
    ASSERT_TRUE(window.SetTimer(7, 5));    // kills itself in its handler: fires once
    ASSERT_TRUE(window.SetTimer(8, 10));
    ASSERT_TRUE(window.SetTimer(9, 10));
    window.KillTimer(9);                   // never fires
    backend.AdvanceClock(6);
    ASSERT_TRUE(window.SetTimer(8, 30));   // re-armed at 6: next at 36
    backend.AdvanceClock(40);
    EXPECT_EQ(window.Messages(WM_TIMER), (std::vector<UINT>{7, 8}));
    EXPECT_EQ(window.received.back().tick, 36u);
}

TEST_F(MessageLoopTest, GoneWindowsTakeTheirTimersAndMessagesWithThem)
{
    RecordingWindow window;
    Create(window);
    const HWND hwnd = window.GetHWND();
    ASSERT_TRUE(window.SetTimer(1, 10));
    ASSERT_TRUE(loop.PostMessage(hwnd, WM_USER + 1));
    window.DestroyWindow();
    const size_t seen = window.received.size();

    EXPECT_FALSE(loop.IsWindow(hwnd));
    EXPECT_FALSE(loop.PostMessage(hwnd, WM_USER + 2));
    EXPECT_FALSE(loop.SetTimer(hwnd, 3, 10));
    EXPECT_EQ(loop.SendMessage(hwnd, kMsgDouble, 4), 0);
    backend.AdvanceClock(100);
    EXPECT_EQ(window.received.size(), seen) << "nothing reaches a destroyed window";
    EXPECT_FALSE(loop.NextTimerDeadline().has_value());
}

TEST_F(MessageLoopTest, PostedMessagesArriveInOrderAfterTheCurrentOne)
{
    RecordingWindow window;
    Create(window);
    window.received.clear();
    for (WPARAM i = 1; i <= 3; ++i)
        ASSERT_TRUE(loop.PostMessage(window.GetHWND(), WM_USER + 1, i));
    EXPECT_TRUE(window.received.empty()) << "posting does not call the window";
    loop.RunUntilIdle();
    EXPECT_EQ(window.Messages(WM_USER + 1), (std::vector<UINT>{1, 2, 3}));
}

TEST_F(MessageLoopTest, SendFromAWorkerWaitsForTheUiThreadsAnswer)
{
    RecordingWindow window;
    Create(window);
    std::atomic<LRESULT> answer{-1};
    std::thread worker([&] { answer = loop.SendMessage(window.GetHWND(), kMsgDouble, 21); });
    loop.RunUntil([&] { return !window.Messages(kMsgDouble).empty(); });
    worker.join();
    EXPECT_EQ(answer.load(), 42);
    EXPECT_EQ(window.handlerThread, std::this_thread::get_id());
}

TEST_F(MessageLoopTest, PostFromAWorkerWakesAWaitingLoop)
{
    RecordingWindow window;
    Create(window);
    std::thread worker([&] { loop.PostMessage(window.GetHWND(), WM_USER + 3, 5); });
    loop.RunUntil([&] { return !window.Messages(WM_USER + 3).empty(); });
    worker.join();
    EXPECT_EQ(window.Messages(WM_USER + 3), (std::vector<UINT>{5}));
}

// A worker blocked in SendMessage is let go with 0 when its target goes away or the loop is asked
// to quit, so the UI thread can wait for the worker without a deadlock.
TEST_F(MessageLoopTest, WaitingSendIsReleasedWithZero)
{
    struct Case {
        const char* name;
        bool quit;  // else: destroy the window
    };
    for (const Case& c : {Case{"destroy", false}, Case{"quit", true}}) {
        SCOPED_TRACE(c.name);
        RecordingWindow window;
        Create(window);
        std::atomic<LRESULT> answer{-1};
        std::thread worker([&] { answer = loop.SendMessage(window.GetHWND(), kMsgDouble, 21); });
        while (!loop.HasPendingSends())
            std::this_thread::yield();
        if (c.quit)
            loop.PostQuitMessage(3);
        else
            window.DestroyWindow();
        worker.join();
        EXPECT_EQ(answer.load(), 0);
        EXPECT_TRUE(window.Messages(kMsgDouble).empty());
        // A worker that sends after the quit does not wait either.
        if (c.quit) {
            EXPECT_EQ(loop.SendMessage(window.GetHWND(), kMsgDouble, 1), 2) << "the UI thread still calls directly";
            std::thread late([&] { answer = loop.SendMessage(window.GetHWND(), kMsgDouble, 1); });
            late.join();
            EXPECT_EQ(answer.load(), 0);
            EXPECT_EQ(loop.Run(), 3);
        }
    }
}

TEST_F(MessageLoopTest, RunReturnsTheQuitCodePostedByAWorker)
{
    RecordingWindow window;
    Create(window);
    window.SetTimer(1, 1000);  // a pending timer must not keep Run busy
    std::thread worker([&] { loop.PostQuitMessage(17); });
    EXPECT_EQ(loop.Run(), 17);
    worker.join();
    EXPECT_FALSE(loop.IsQuitRequested()) << "the outer loop consumes the quit";
}

TEST_F(MessageLoopTest, RegisteredMessagesShareOneIdPerName)
{
    const UINT first = CMessageLoop::RegisterWindowMessage(L"{4695579F-TEST-0001}");
    EXPECT_GE(first, 0xC000u);
    EXPECT_LE(first, 0xFFFFu);
    EXPECT_EQ(CMessageLoop::RegisterWindowMessage(L"{4695579F-TEST-0001}"), first);
    EXPECT_EQ(CMessageLoop::RegisterWindowMessage(L"{4695579f-test-0001}"), first) << "names ignore case";
    EXPECT_NE(CMessageLoop::RegisterWindowMessage(L"{4695579F-TEST-0002}"), first);
    EXPECT_EQ(CMessageLoop::RegisterWindowMessage(L""), 0u);

    std::vector<UINT> fromThreads(4);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < fromThreads.size(); ++i)
        threads.emplace_back([&, i] { fromThreads[i] = CMessageLoop::RegisterWindowMessage(L"Game_Start-test"); });
    for (std::thread& t : threads)
        t.join();
    for (UINT id : fromThreads)
        EXPECT_EQ(id, fromThreads[0]);
}

TEST_F(MessageLoopTest, CopyDataHandsTheWindowACopyOfTheBytes)
{
    RecordingWindow sender;
    RecordingWindow target;
    Create(sender);
    Create(target);

    std::vector<uint8_t> buffer{1, 2, 3, 4};
    ASSERT_TRUE(loop.PostCopyData(target.GetHWND(), sender.GetHWND(), 2, buffer));
    buffer.assign(4, 0xEE);  // the sender's buffer may change or go at once
    loop.RunUntilIdle();
    EXPECT_EQ(target.copyData.dwData, 2u);
    EXPECT_EQ(target.copyData.bytes, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(target.copyFrom, sender.GetHWND());

    std::atomic<LRESULT> answer{-1};
    std::thread worker([&] {
        const std::vector<uint8_t> block(156, 0x5A);
        answer = loop.SendCopyData(target.GetHWND(), nullptr, 1, block);
    });
    loop.RunUntil([&] { return target.copyData.dwData == 1; });
    worker.join();
    EXPECT_EQ(answer.load(), 156);
    EXPECT_EQ(target.copyData.dwData, 1u);
    EXPECT_EQ(target.copyData.bytes, std::vector<uint8_t>(156, 0x5A));
}

TEST_F(MessageLoopTest, ShowModalReturnsTheValueGivenToClose)
{
    RecordingWindow owner;
    Create(owner);
    RecordingWindow dialog;
    Create(dialog, owner.GetHWND());
    bool ownerEnabledWhileModal = true;
    dialog.onTimer = [&](WPARAM) {
        ownerEnabledWhileModal = owner.IsWindowEnabled();
        dialog.Close(42);
    };
    dialog.SetTimer(1, 100);
    EXPECT_EQ(dialog.ShowModal(), 42u);
    EXPECT_FALSE(ownerEnabledWhileModal);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dialog.GetHWND(), nullptr);
}

TEST_F(MessageLoopTest, ShowModalOfASelfDeletingWindow)
{
    RecordingWindow owner;
    Create(owner);
    bool deleted = false;
    auto* dialog = new SelfDeletingWindow(&deleted);
    Create(*dialog, owner.GetHWND());
    loop.PostMessage(dialog->GetHWND(), kMsgClose, 7);
    EXPECT_EQ(dialog->ShowModal(), 7u);
    EXPECT_TRUE(deleted);
}

TEST_F(MessageLoopTest, ModalLoopEndsOnQuitAndLeavesItForTheOuterLoop)
{
    RecordingWindow dialog;
    Create(dialog);
    loop.PostQuitMessage(5);
    EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    EXPECT_TRUE(loop.IsQuitRequested());
    EXPECT_EQ(loop.Run(), 5);
}

TEST_F(MessageLoopTest, DestroyingAnOwnerDestroysItsOwnedWindowsFirst)
{
    std::vector<std::wstring> journal;
    RecordingWindow owner(&journal, L"owner");
    RecordingWindow child(&journal, L"child");
    Create(owner);
    Create(child, owner.GetHWND());
    owner.DestroyWindow();
    EXPECT_EQ(journal, (std::vector<std::wstring>{L"owner:create", L"child:create", L"child:destroy", L"owner:destroy"}));
    EXPECT_EQ(child.GetHWND(), nullptr);
}

TEST_F(MessageLoopTest, InputToADisabledWindowIsDropped)
{
    RecordingWindow window;
    Create(window);
    window.ShowWindow();
    window.EnableWindow(false);
    window.received.clear();
    backend.Click(window.GetHWND(), {10, 10});
    backend.KeyPress(window.GetHWND(), VK_RETURN, L'\r');
    EXPECT_TRUE(window.received.empty());
    window.EnableWindow(true);
    backend.Click(window.GetHWND(), {10, 10});
    EXPECT_EQ(window.Messages(WM_LBUTTONUP).size(), 1u);
}

TEST_F(MessageLoopTest, WindowStateFollowsShowCommandsAndCentring)
{
    RecordingWindow window;
    Create(window);
    EXPECT_FALSE(window.IsWindowVisible());
    window.ShowWindow();
    EXPECT_TRUE(window.IsWindowVisible());
    window.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(window.IsIconic());
    window.ShowWindow(false);
    window.SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_TRUE(window.IsWindowVisible()) << "restoring shows a hidden window too";
    EXPECT_FALSE(window.IsIconic());
    window.CenterWindow();
    const UIRect rc = window.GetWindowRect();
    EXPECT_EQ(rc.left, (CHeadlessBackend::kScreenWidth - 200) / 2);
    EXPECT_EQ(rc.top, (CHeadlessBackend::kScreenHeight - CHeadlessBackend::kTaskbarHeight - 100) / 2);
    window.SetTopMost(true);
    EXPECT_TRUE(backend.GetHost(window.GetHWND())->IsTopMost());
}

}  // namespace
}  // namespace dw::ui
