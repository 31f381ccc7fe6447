#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace dw::test {

namespace {

std::vector<std::string> ChildEnvironment(const ChildOptions& options)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string line(*entry);
        const std::string name = line.substr(0, line.find('='));
        if (options.environment.count(name) == 0)
            result.push_back(line);
    }
    for (const auto& [name, value] : options.environment) {
        if (value)
            result.push_back(name + "=" + *value);
    }
    return result;
}

std::vector<char*> PointersOf(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The path execve needs: `program` itself when it has a '/', else the first executable of that
// name in this process's PATH; empty when there is none.
std::string FindProgram(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return ::access(program.c_str(), X_OK) == 0 ? program : std::string();
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start < folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

}  // namespace

bool HaveProgram(const std::string& program)
{
    return !FindProgram(program).empty();
}

ChildRun RunChild(const std::vector<std::string>& argv, const ChildOptions& options)
{
    ChildRun run;
    if (argv.empty())
        return run;

    // Everything the child needs is prepared before fork(): after it only async-signal-safe
    // calls are made.
    std::vector<std::string> arguments = argv;
    std::vector<std::string> environment = ChildEnvironment(options);
    std::vector<char*> argumentPointers = PointersOf(arguments);
    std::vector<char*> environmentPointers = PointersOf(environment);
    // The program is looked up in this process's PATH, not the child's, so that a test changing
    // PATH for the child still runs the program it means.
    const std::string program = FindProgram(argv[0]);
    if (program.empty())
        return run;

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return run;

    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return run;
    }
    if (pid == 0) {
        // A process group of its own, so that the time bound also ends what the child started.
        ::setpgid(0, 0);
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::dup2(pipeFds[1], STDERR_FILENO);
        const int devNull = ::open("/dev/null", O_RDONLY);
        if (devNull >= 0)
            ::dup2(devNull, STDIN_FILENO);
        if (!options.workingDirectory.empty() && ::chdir(options.workingDirectory.c_str()) != 0)
            ::_exit(126);
        ::execve(program.c_str(), argumentPointers.data(), environmentPointers.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    run.started = true;

    const auto deadline = std::chrono::steady_clock::now() + options.timeout;
    std::array<char, 4096> chunk{};
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.timedOut = true;
            ::kill(-pid, SIGKILL);
            ::kill(pid, SIGKILL);
            break;
        }
        pollfd entry{pipeFds[0], POLLIN, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            continue;
        const ssize_t n = ::read(pipeFds[0], chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;  // every writer closed its end: the child (and its children) are done with it
        run.output.append(chunk.data(), static_cast<size_t>(n));
    }
    ::close(pipeFds[0]);

    // A child that closed its output may still be running: the wait is bounded as well.
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            break;
        if (!run.timedOut && std::chrono::steady_clock::now() >= deadline) {
            run.timedOut = true;
            ::kill(-pid, SIGKILL);
            ::kill(pid, SIGKILL);
        }
        ::usleep(10000);
    }
    if (!run.timedOut && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    return run;
}

}  // namespace dw::test
