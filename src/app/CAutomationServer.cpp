#include "app/CAutomationServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "app/AutomationCommand.h"
#include "platform/DebugOutput.h"
#include "platform/Utf8.h"

namespace dw::app {

namespace {

constexpr int kListenBacklog = 4;
constexpr size_t kReadChunk = 1024;

void Log(const std::string& text)
{
    DebugOutput(platform::Utf8ToWide("automation: " + text));
}

}  // namespace

CAutomationServer::CAutomationServer(std::string path, LineHandler handler)
    : m_path(std::move(path)), m_handler(std::move(handler))
{
}

CAutomationServer::~CAutomationServer()
{
    Stop();
}

int CAutomationServer::Start()
{
    sockaddr_un address{};
    if (m_path.empty() || m_path.size() >= sizeof(address.sun_path))
        return kAutomationBadPath;
    if (m_thread.joinable())
        return kAutomationOk;

    // A socket file left by a run that ended without cleaning up is replaced; any other file at
    // the path is someone's data and stays.
    struct stat info {};
    if (::lstat(m_path.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode))
            return kAutomationBadPath;
        ::unlink(m_path.c_str());
    }

    m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    m_stopFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_listenFd < 0 || m_stopFd < 0) {
        Stop();
        return kAutomationSocketFailed;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, m_path.c_str(), m_path.size() + 1);
    // The socket is the user's own: nobody else may drive the program.
    const mode_t oldMask = ::umask(0077);
    const int bound = ::bind(m_listenFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    ::umask(oldMask);
    if (bound != 0 || ::listen(m_listenFd, kListenBacklog) != 0) {
        Log("cannot listen on " + m_path + ": " + std::strerror(errno));
        ::close(m_listenFd);
        m_listenFd = -1;
        Stop();
        return kAutomationSocketFailed;
    }
    m_stopping = false;
    m_thread = std::thread([this] { Run(); });
    return kAutomationOk;
}

void CAutomationServer::Stop()
{
    m_stopping = true;
    if (m_stopFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_stopFd, &one, sizeof(one));
    }
    if (m_thread.joinable())
        m_thread.join();
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
        ::unlink(m_path.c_str());
    }
    if (m_stopFd >= 0) {
        ::close(m_stopFd);
        m_stopFd = -1;
    }
}

bool CAutomationServer::WaitFor(int fd, short events, int timeoutMs)
{
    std::array<pollfd, 2> fds{{{fd, events, 0}, {m_stopFd, POLLIN, 0}}};
    for (;;) {
        const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || m_stopping || (fds[1].revents & POLLIN) != 0)
            return false;
        return (fds[0].revents & (events | POLLHUP | POLLERR)) != 0;
    }
}

void CAutomationServer::Run()
{
    while (!m_stopping) {
        if (!WaitFor(m_listenFd, POLLIN, -1))
            continue;
        const int client = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0)
            continue;
        ServeClient(client);
        ::close(client);
    }
}

void CAutomationServer::ServeClient(int client)
{
    std::string pending;
    bool skippingLongLine = false;
    std::array<char, kReadChunk> chunk{};
    while (!m_stopping) {
        if (!WaitFor(client, POLLIN, -1))
            return;
        const ssize_t count = ::read(client, chunk.data(), chunk.size());
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (count <= 0)
            return;
        pending.append(chunk.data(), static_cast<size_t>(count));

        size_t start = 0;
        for (size_t newline = pending.find('\n'); newline != std::string::npos;
             newline = pending.find('\n', start)) {
            std::string line = pending.substr(start, newline - start);
            start = newline + 1;
            if (skippingLongLine) {
                // The tail of a line already answered as too long.
                skippingLongLine = false;
                continue;
            }
            const std::string answer = line.size() >= kMaxAutomationLineBytes ? FormatError("line too long")
                                                                               : m_handler(line, m_stopping);
            if (!WriteAll(client, answer + "\n"))
                return;
        }
        pending.erase(0, start);
        if (pending.size() >= kMaxAutomationLineBytes) {
            pending.clear();
            if (!skippingLongLine && !WriteAll(client, FormatError("line too long") + "\n"))
                return;
            skippingLongLine = true;
        }
    }
}

bool CAutomationServer::WriteAll(int client, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t count = ::send(client, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (count > 0) {
            done += static_cast<size_t>(count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno == EAGAIN && WaitFor(client, POLLOUT, kWriteTimeoutMs))
            continue;
        return false;
    }
    return true;
}

}  // namespace dw::app
