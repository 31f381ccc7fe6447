#pragma once

// Carries out automation commands on the UI thread against the main window, as a user would:
// clicks are a press and a release at the control's centre delivered through the window's input
// path, selections go through the list's own selection (raising "itemselect"), typing focuses
// the edit, selects its text and types over it character by character, then moves the focus
// away. Every answer is one line ("ok ..." or "error <reason>").
//
// The name "@window" in get stands for the main window itself: visible=1 when it is shown and
// not minimised.
//
// "post" only queues its message here; whoever carries the answer back waits for the queue to
// pass it first (see AnswerWaitsForQueue), so the client reads "ok" after the main window has
// handled the message, as it would after a real sender's message.

#include <string>

#include "app/AutomationCommand.h"

namespace dw::ui {
class CControlUI;
class CMessageLoop;
class WindowImplBase;
}  // namespace dw::ui

namespace dw::app {

class CEmulatorControl;

inline constexpr std::string_view kMainWindowName = "@window";

class CAutomationExecutor {
public:
    // `emulator` is null when the program runs on real devices.
    CAutomationExecutor(ui::CMessageLoop& loop, ui::WindowImplBase& mainWindow, CEmulatorControl* emulator);

    // UI thread only.
    std::string Execute(const AutomationCommand& command);

private:
    std::string Click(const std::string& name);
    std::string Select(const std::string& name, int index);
    std::string Type(const std::string& name, const std::string& text);
    std::string Get(const std::string& name);
    std::string Message(const AutomationCommand& command);
    std::string Post(const AutomationCommand& command);
    std::string Emulate(const AutomationCommand& command);
    std::string Screenshot(const std::string& file);
    std::string Quit();

    // The named control, or null with `error` set.
    ui::CControlUI* FindControl(const std::string& name, std::string& error) const;
    // Empty when a user could act on the control now, else the reason.
    std::string CheckUsable(const std::string& name, ui::CControlUI* control) const;
    bool IsWindowShown() const;

    ui::CMessageLoop& m_loop;
    ui::WindowImplBase& m_window;
    CEmulatorControl* m_emulator;
};

// Whether an "ok" for this verb may be given only after the messages posted so far have been
// handled: the command itself left a message in the queue.
bool AnswerWaitsForQueue(AutomationVerb verb);

// Whether the main window reads an address out of this message's parameters; such a message
// cannot be posted with numbers typed by a client.
bool MessageCarriesAddress(uint32_t messageNumber);

// Whether the control and every container above it are visible / enabled.
bool IsShownInTree(const ui::CControlUI* control);
bool IsEnabledInTree(const ui::CControlUI* control);

}  // namespace dw::app
