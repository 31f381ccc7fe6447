#pragma once

// Messages between this program and other programs of the user: the registered window messages
// the design broadcasts to every application, and byte blocks sent to one program (the
// WM_COPYDATA exchanges with the audio-capture program and the external tool).
//
// A broadcast carries the message's name, not its number: each receiving program turns the name
// into its own number (CMessageLoop::RegisterWindowMessage), so the numbers never have to agree
// between processes. A program receives only the names it listens to, never its own broadcasts,
// and gets them on the thread that runs its UI loop.
//
// Without a bus everything still works inside the program; only the messages between programs
// are missing (IsConnected() is false and sending answers kIpcNotSent).
//
// Wiring to a window, on the UI thread:
//   bus.Listen(L"VEXLO Dunwake 75 tri-mode");
//   bus.SetMessageHandler([&loop, hwnd](ui::UINT id, ui::WPARAM w, ui::LPARAM l) { loop.PostMessage(hwnd, id, w, l); });
//   bus.SetCopyDataHandler([&loop, hwnd](uintptr_t dwData, std::vector<uint8_t> bytes) {
//       loop.PostCopyData(hwnd, nullptr, dwData, bytes);
//   });

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/UIDefs.h"

namespace dw::platform {

// Result codes of sending.
inline constexpr int kIpcOk = 1;
// There is no bus, or it refused the message: nothing was sent.
inline constexpr int kIpcNotSent = 0;
// An empty or overlong message name, an oversized block or an invalid program name.
inline constexpr int kIpcBadArgument = -201;

// The largest byte block sent or accepted. The program's blocks are at most a few KiB (4280
// bytes of audio data); anything larger is refused on both sides rather than copied.
inline constexpr size_t kMaxCopyDataBytes = 64 * 1024;
// The longest message name accepted, in characters.
inline constexpr size_t kMaxMessageNameChars = 255;

// Names under which programs receive byte blocks. On D-Bus they are the programs' well-known
// bus names.
inline constexpr std::string_view kMainProgramName = "org.dunwake.Dunwake";
inline constexpr std::string_view kAudioCaptureProgramName = "org.dunwake.Dunwake.AudioCapture";
inline constexpr std::string_view kWorkToolProgramName = "org.dunwake.WorkTool";

// A broadcast received: `id` is this process's number for the message's name.
using ProgramMessageHandler = std::function<void(ui::UINT id, ui::WPARAM wParam, ui::LPARAM lParam)>;
// A byte block received (at most kMaxCopyDataBytes).
using CopyDataHandler = std::function<void(uintptr_t dwData, std::vector<uint8_t> bytes)>;

class IProgramMessageBus {
public:
    virtual ~IProgramMessageBus() = default;

    // Whether messages can reach other programs.
    virtual bool IsConnected() const = 0;

    // Takes a program name so that byte blocks sent to it arrive here. False when there is no
    // bus or another program holds the name.
    virtual bool ClaimProgramName(const std::string& programName) = 0;

    // From now on broadcasts of this name (case ignored) reach the message handler.
    virtual void Listen(const std::wstring& messageName) = 0;
    virtual void SetMessageHandler(ProgramMessageHandler handler) = 0;
    virtual void SetCopyDataHandler(CopyDataHandler handler) = 0;

    // Sends the message to every other program listening to its name; does not wait for them.
    virtual int Broadcast(const std::wstring& messageName, ui::WPARAM wParam, ui::LPARAM lParam) = 0;
    // Sends a byte block to the program holding `programName`; does not wait for it. A program
    // that is not running is not an error the sender sees (the block is simply not delivered).
    virtual int SendCopyData(const std::string& programName, uintptr_t dwData, std::span<const uint8_t> bytes) = 0;

    // Waits (at most timeoutMs) until everything sent so far has left this process; for a
    // process that ends right after sending (a second instance waking the first). True when
    // the messages went out.
    virtual bool Flush(int timeoutMs) = 0;
};

}  // namespace dw::platform
