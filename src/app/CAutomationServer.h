#pragma once

// The automation channel's socket: a local (Unix) stream socket at a path, served by one reader
// thread. Clients are served one after the other; each line a client sends is handed to the
// line handler on the reader thread, and its answer is written back followed by a line end.
//
// The reader never blocks the UI thread: the handler decides how a command reaches the UI (the
// program posts it and waits for the answer). Every wait of the reader also watches a stop
// event, so Stop() always ends the thread, whatever a client or the handler does. A line longer
// than kMaxAutomationLineBytes is answered with an error and skipped whole; a client that stops
// reading its answers is dropped once a write has waited kWriteTimeoutMs.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace dw::app {

// Result codes of Start.
inline constexpr int kAutomationOk = 1;
inline constexpr int kAutomationBadPath = -201;   // empty, or too long for a socket address
inline constexpr int kAutomationSocketFailed = -1; // socket, bind or listen failed

class CAutomationServer {
public:
    // Called on the reader thread with one line (no line end); returns the answer (no line end).
    // `stopping` turns true when the server is being stopped; a handler that waits should give
    // up then.
    using LineHandler = std::function<std::string(const std::string& line, const std::atomic<bool>& stopping)>;

    static constexpr int kWriteTimeoutMs = 5000;

    CAutomationServer(std::string path, LineHandler handler);
    ~CAutomationServer();
    CAutomationServer(const CAutomationServer&) = delete;
    CAutomationServer& operator=(const CAutomationServer&) = delete;

    // Binds the socket (replacing a stale socket file at the path, never another kind of file)
    // and starts the reader.
    int Start();
    // Ends the reader and removes the socket file. Safe to call more than once.
    void Stop();

    const std::string& Path() const { return m_path; }

private:
    void Run();
    void ServeClient(int client);
    // Waits until fd is ready for `events` or the stop event fires; false on stop, error or
    // time-out (timeoutMs < 0: no limit).
    bool WaitFor(int fd, short events, int timeoutMs);
    bool WriteAll(int client, const std::string& data);

    std::string m_path;
    LineHandler m_handler;
    int m_listenFd = -1;
    int m_stopFd = -1;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

}  // namespace dw::app
