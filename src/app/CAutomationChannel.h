#pragma once

// The automation channel: the socket server's reader thread parses each line, posts the command
// to the UI thread (through the program's message window) and waits there for the answer, so the
// UI thread never waits on a client. A command that cannot reach the UI any more (the program is
// closing) is answered with an error; the wait for the UI also ends when the channel stops.
// A command that leaves a message in the UI queue ("post") is answered only after the queue has
// passed that message: the request goes round the queue once more before its answer is given.

#include <cstdint>
#include <memory>
#include <string>

#include "app/CAutomationServer.h"

namespace dw::ui {
class CMessageLoop;
}

namespace dw::app {

class CAppMessageWindow;
class CAutomationExecutor;

class CAutomationChannel {
public:
    // The message number the channel takes on the message window.
    static constexpr unsigned kMsgRunCommand = 0x8000 + 0x0A01;  // WM_APP + 0xA01

    CAutomationChannel(ui::CMessageLoop& loop, CAppMessageWindow& mailbox, CAutomationExecutor& executor,
                       std::string socketPath);
    ~CAutomationChannel();
    CAutomationChannel(const CAutomationChannel&) = delete;
    CAutomationChannel& operator=(const CAutomationChannel&) = delete;

    // Result codes of CAutomationServer::Start.
    int Start();
    void Stop();

private:
    struct Request;
    // wParam of kMsgRunCommand: carry out the command, or give the answer already found.
    static constexpr uintptr_t kStageExecute = 0;
    static constexpr uintptr_t kStageAnswer = 1;

    void RunRequest(uintptr_t stage, Request& request);
    std::string HandleLine(const std::string& line, const std::atomic<bool>& stopping);

    ui::CMessageLoop& m_loop;
    CAppMessageWindow& m_mailbox;
    CAutomationExecutor& m_executor;
    CAutomationServer m_server;
};

}  // namespace dw::app
