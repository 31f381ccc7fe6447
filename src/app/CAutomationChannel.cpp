#include "app/CAutomationChannel.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "app/AutomationCommand.h"
#include "app/CAppMessageWindow.h"
#include "app/CAutomationExecutor.h"
#include "ui/core/CMessageLoop.h"

namespace dw::app {

namespace {

// How often a reader waiting for the UI looks at the stop flag.
constexpr auto kStopPollInterval = std::chrono::milliseconds(50);

}  // namespace

struct CAutomationChannel::Request : std::enable_shared_from_this<Request> {
    AutomationCommand command;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::string answer;
};

CAutomationChannel::CAutomationChannel(ui::CMessageLoop& loop, CAppMessageWindow& mailbox,
                                       CAutomationExecutor& executor, std::string socketPath)
    : m_loop(loop),
      m_mailbox(mailbox),
      m_executor(executor),
      m_server(std::move(socketPath),
               [this](const std::string& line, const std::atomic<bool>& stopping) { return HandleLine(line, stopping); })
{
    m_mailbox.SetMessageHandler(kMsgRunCommand, [this](ui::WPARAM stage, ui::LPARAM lParam) -> ui::LRESULT {
        RunRequest(static_cast<uintptr_t>(stage), *reinterpret_cast<Request*>(lParam));
        return 1;
    });
}

void CAutomationChannel::RunRequest(uintptr_t stage, Request& request)
{
    if (stage == kStageExecute) {
        std::string answer = m_executor.Execute(request.command);
        if (AnswerWaitsForQueue(request.command.verb) && answer.rfind("ok", 0) == 0) {
            // Posted messages are handled in the order they were posted, so when this request
            // comes round again the command's message has been handled.
            const auto lParam = reinterpret_cast<ui::LPARAM>(&request);
            if (m_loop.PostMessageOwning(m_mailbox.GetHWND(), kMsgRunCommand, kStageAnswer, lParam,
                                         request.shared_from_this())) {
                std::lock_guard lock(request.mutex);
                request.answer = std::move(answer);
                return;
            }
            answer = FormatError("the program is closing");
        }
        std::lock_guard lock(request.mutex);
        request.answer = std::move(answer);
    }
    {
        std::lock_guard lock(request.mutex);
        request.done = true;
    }
    request.finished.notify_all();
}

CAutomationChannel::~CAutomationChannel()
{
    Stop();
    m_mailbox.SetMessageHandler(kMsgRunCommand, nullptr);
}

int CAutomationChannel::Start()
{
    return m_server.Start();
}

void CAutomationChannel::Stop()
{
    m_server.Stop();
}

std::string CAutomationChannel::HandleLine(const std::string& line, const std::atomic<bool>& stopping)
{
    AutomationParseResult parsed = ParseAutomationCommand(line);
    if (!parsed.command)
        return FormatError(parsed.error);

    // The loop keeps the request alive until the UI thread has handled or dropped the message;
    // this thread keeps its own reference for the answer.
    auto request = std::make_shared<Request>();
    request->command = std::move(*parsed.command);
    const auto lParam = reinterpret_cast<ui::LPARAM>(request.get());
    if (!m_loop.PostMessageOwning(m_mailbox.GetHWND(), kMsgRunCommand, 0, lParam, request))
        return FormatError("the program is closing");

    std::unique_lock lock(request->mutex);
    while (!request->done) {
        if (stopping)
            return FormatError("the program is closing");
        request->finished.wait_for(lock, kStopPollInterval);
    }
    return request->answer;
}

}  // namespace dw::app
