#pragma once

// A hidden window of the program's own, used as a mailbox on the UI thread: workers post
// messages to it (the automation channel's commands) and its timers drive the start-up checks.
// It never shows and takes no input.

#include <functional>
#include <map>

#include "ui/core/CWindowWnd.h"

namespace dw::app {

class CAppMessageWindow : public ui::CWindowWnd {
public:
    using Handler = std::function<ui::LRESULT(ui::WPARAM wParam, ui::LPARAM lParam)>;
    using TimerHandler = std::function<void()>;

    // Creates the hidden window in the loop. False when the backend refused it.
    bool Create(ui::CMessageLoop& loop);

    // The handler of a message number (UI thread).
    void SetMessageHandler(ui::UINT msg, Handler handler);
    // Runs `handler` every periodMs until KillTimer.
    bool StartTimer(ui::UINT id, ui::UINT periodMs, TimerHandler handler);
    void StopTimer(ui::UINT id);

    ui::LRESULT HandleMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam) override;

protected:
    std::wstring GetWindowClassName() const override { return L"DunwakeAppMessages"; }

private:
    std::map<ui::UINT, Handler> m_handlers;
    std::map<ui::UINT, TimerHandler> m_timers;
};

}  // namespace dw::app
