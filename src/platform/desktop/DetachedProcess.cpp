#include "platform/desktop/DetachedProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dw::platform {

namespace {

// Closes every descriptor from `first` up, except `keep`. Runs between fork and exec, so it
// uses only async-signal-safe calls.
void CloseDescriptorsFrom(int first, int keep)
{
    if (keep > first && close_range(static_cast<unsigned>(first), static_cast<unsigned>(keep - 1), 0) == 0
        && close_range(static_cast<unsigned>(keep + 1), ~0U, 0) == 0)
        return;
    long limit = sysconf(_SC_OPEN_MAX);
    if (limit < 0 || limit > 65536)
        limit = 65536;
    for (int fd = first; fd < limit; ++fd) {
        if (fd != keep)
            close(fd);
    }
}

[[noreturn]] void RunGrandchild(const char* path, char* const* argv, int reportFd)
{
    setsid();
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &defaultAction, nullptr);
    CloseDescriptorsFrom(3, reportFd);
    execv(path, argv);
    // The report pipe is close-on-exec: reaching here means exec failed; tell the parent why.
    const int error = errno;
    ssize_t ignored = write(reportFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

}  // namespace

bool SpawnDetached(const std::string& path, const std::vector<std::string>& args)
{
    if (path.empty() || path[0] != '/')
        return false;
    // Everything the children need is built before fork: after it only async-signal-safe
    // calls are allowed, as other threads of this process may hold allocator locks.
    std::vector<std::string> storage;
    storage.reserve(args.size() + 1);
    storage.push_back(path);
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;

    const pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        // The intermediate child forks the program and ends at once, so that the program is
        // re-parented to init (or the session's subreaper) and never becomes our zombie.
        close(report[0]);
        const pid_t grandchild = fork();
        if (grandchild == 0)
            RunGrandchild(argv[0], argv.data(), report[1]);
        _exit(grandchild < 0 ? 1 : 0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    const bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    // The pipe reaches end of file when exec succeeded (close-on-exec) or the program failed to
    // start (after its error number).
    int error = 0;
    ssize_t n = 0;
    do {
        n = read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    return forked && n == 0;
}

}  // namespace dw::platform
