#pragma once

// A private D-Bus daemon for one test process, and the Qt application QtDBus needs. The daemon
// is a child of the test and is asked to end with it (also when the test crashes). A test that
// needs it and cannot start it fails: there is no silent pass without a bus.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dw::platform::test {

// The process's Qt application, created on first use and kept for the whole run.
inline void EnsureCoreApplication()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "platform_services_test";
    static char* argv[] = {name, nullptr};
    // Kept reachable for the whole run: destroying it during static destruction races Qt's own.
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

// Pumps Qt events until `done` holds; false when it did not within the bound. The bound keeps a
// broken test from hanging; it is not a speed requirement.
inline bool PumpUntil(const std::function<bool()>& done, int boundMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > boundMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

class CPrivateDBus {
public:
    CPrivateDBus() = default;
    CPrivateDBus(const CPrivateDBus&) = delete;
    CPrivateDBus& operator=(const CPrivateDBus&) = delete;
    ~CPrivateDBus() { Stop(); }

    // Starts the daemon; false (with the reason in Error()) when it cannot run.
    bool Start()
    {
        char configPath[] = "/tmp/dunwake-test-bus-XXXXXX";
        const int configFd = mkstemp(configPath);
        if (configFd < 0)
            return Fail("no temporary config file");
        m_configPath = configPath;
        static constexpr char kConfig[] =
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>\n"
            "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
            "<allow own=\"*\"/></policy>\n"
            "</busconfig>\n";
        const bool written = write(configFd, kConfig, sizeof kConfig - 1) == static_cast<ssize_t>(sizeof kConfig - 1);
        close(configFd);
        if (!written)
            return Fail("config file not written");

        int out[2];
        if (pipe(out) != 0)
            return Fail("no pipe");
        const std::string configArgument = "--config-file=" + m_configPath;
        m_pid = fork();
        if (m_pid < 0)
            return Fail("fork failed");
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            dup2(out[1], STDOUT_FILENO);
            // The daemon's complaints about its environment (file limits) are not the test's.
            const int devNull = open("/dev/null", O_WRONLY);
            if (devNull >= 0)
                dup2(devNull, STDERR_FILENO);
            close(out[0]);
            close(out[1]);
            execlp("dbus-daemon", "dbus-daemon", configArgument.c_str(), "--nofork", "--nopidfile", "--print-address", nullptr);
            _exit(127);
        }
        close(out[1]);
        std::string line;
        pollfd pfd{out[0], POLLIN, 0};
        while (line.find('\n') == std::string::npos) {
            if (poll(&pfd, 1, 10000) <= 0)
                break;
            char buffer[256];
            const ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            line.append(buffer, static_cast<size_t>(n));
        }
        close(out[0]);
        const size_t end = line.find('\n');
        if (end == std::string::npos)
            return Fail("dbus-daemon printed no address (is the package dbus-daemon installed?)");
        m_address = line.substr(0, end);
        return true;
    }

    void Stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
            m_pid = -1;
        }
        if (!m_configPath.empty()) {
            unlink(m_configPath.c_str());
            m_configPath.clear();
        }
    }

    const std::string& Address() const { return m_address; }
    const std::string& Error() const { return m_error; }

private:
    bool Fail(const char* why)
    {
        m_error = why;
        return false;
    }

    pid_t m_pid = -1;
    std::string m_address;
    std::string m_configPath;
    std::string m_error;
};

}  // namespace dw::platform::test
