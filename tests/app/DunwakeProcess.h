#pragma once

// Runs the real `dunwake` binary for the end-to-end tests: a child process with its own
// environment, waited for with a bound, killed if a test leaves it running; and a client of its
// automation channel.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace dw::app::test {

using namespace std::chrono_literals;

class ChildProcess {
public:
    // Starts `program` with `args`; the environment is the test's with `env` laid over it
    // (an empty value removes the variable). stdout and stderr go to `outputFile`.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::map<std::string, std::string>& env, const std::string& outputFile)
    {
        std::map<std::string, std::string> merged;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry(*e);
            const size_t eq = entry.find('=');
            if (eq != std::string::npos)
                merged[entry.substr(0, eq)] = entry.substr(eq + 1);
        }
        for (const auto& [name, value] : env) {
            if (value.empty())
                merged.erase(name);
            else
                merged[name] = value;
        }
        std::vector<std::string> envStrings;
        for (const auto& [name, value] : merged)
            envStrings.push_back(name + "=" + value);
        std::vector<char*> envp;
        for (std::string& s : envStrings)
            envp.push_back(s.data());
        envp.push_back(nullptr);

        std::vector<std::string> argStrings{program};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& s : argStrings)
            argv.push_back(s.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }

    ~ChildProcess()
    {
        if (m_pid > 0 && !m_status) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    bool Started() const { return m_pid > 0; }
    pid_t Pid() const { return m_pid; }

    // The exit code once the process has ended within `bound`; -1 for a signal; nullopt while
    // it still runs.
    std::optional<int> WaitExit(std::chrono::milliseconds bound)
    {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (!m_status) {
            int status = 0;
            const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
            if (done == m_pid) {
                m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline)
                break;
            std::this_thread::sleep_for(20ms);
        }
        return m_status;
    }

private:
    pid_t m_pid = -1;
    std::optional<int> m_status;
};

// A line client of the automation channel.
class AutomationClient {
public:
    // Connects, retrying until `bound` passes (the program needs a moment to start listening).
    bool Connect(const std::string& path, std::chrono::milliseconds bound)
    {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (std::chrono::steady_clock::now() < deadline) {
            m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path.c_str());
            if (::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0)
                return true;
            ::close(m_fd);
            m_fd = -1;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
    ~AutomationClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    // Sends one command and returns its answer line; empty when the connection ended.
    std::string Ask(const std::string& command)
    {
        const std::string line = command + "\n";
        if (::send(m_fd, line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size()))
            return {};
        for (;;) {
            const size_t newline = m_buffer.find('\n');
            if (newline != std::string::npos) {
                std::string answer = m_buffer.substr(0, newline);
                m_buffer.erase(0, newline + 1);
                return answer;
            }
            char chunk[512];
            const ssize_t count = ::read(m_fd, chunk, sizeof(chunk));
            if (count <= 0)
                return {};
            m_buffer.append(chunk, static_cast<size_t>(count));
        }
    }

    // Repeats `command` until the answer contains `expected` or `bound` passes; the last answer.
    std::string AskUntil(const std::string& command, const std::string& expected, std::chrono::milliseconds bound)
    {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        std::string answer;
        do {
            answer = Ask(command);
            if (answer.find(expected) != std::string::npos || answer.empty())
                return answer;
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < deadline);
        return answer;
    }

private:
    int m_fd = -1;
    std::string m_buffer;
};

}  // namespace dw::app::test
