#pragma once

// The automation channel's command language: one command per line, one answer line per command
// starting "ok" or "error <reason>". Parsing and the answer texts are pure functions here; the
// commands are carried out on the UI thread by CAutomationExecutor.
//
//   click NAME                      press and release at the centre of the visible control NAME
//   select NAME INDEX               choose item INDEX of the combo or list NAME
//   type NAME [TEXT]                focus the edit NAME, replace its text, move the focus away
//   get NAME                        ok text=<percent-encoded> visible=0|1 enabled=0|1 selected=0|1
//   message NAME WPARAM LPARAM      deliver the registered message NAME to the main window
//   post NUMBER WPARAM LPARAM       post the private message NUMBER to the main window; the
//                                   answer comes once the UI thread has handled it
//   emulate plug|unplug DEVICE      the emulated DEVICE's cable or receiver (names of --emulate)
//   emulate power DEVICE on|off     the emulated device's power switch
//   emulate notify DEVICE CODE      the emulated device sends notification CODE
//   screenshot FILE                 save the main window as shown now to a PNG
//   quit                            leave as the tray menu's "exit" does
//
// Words are separated by spaces. TEXT is the rest of the line after one space, with %XX escapes
// decoded (so it may hold line ends; "%25" is a percent sign). FILE is the rest of the line,
// taken literally. A message NAME may contain spaces (the product title does): the last two
// words are WPARAM and LPARAM. Numbers are decimal, or hexadecimal with "0x". Control characters
// (tabs included) are refused anywhere in a line. A posted NUMBER must lie in the program's
// private range, WM_USER (0x0400) to 0xBFFF: the numbers below are the window library's own
// input and window messages, the numbers above are registered messages (use "message").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dw::app {

// The longest command line accepted, line end included; longer lines are answered with an
// error and skipped whole.
inline constexpr size_t kMaxAutomationLineBytes = 4096;

// The private message numbers "post" accepts, both included.
inline constexpr uint32_t kFirstPostableMessage = 0x0400;  // WM_USER
inline constexpr uint32_t kLastPostableMessage = 0xBFFF;

enum class AutomationVerb {
    Click,
    Select,
    Type,
    Get,
    Message,
    Post,
    EmulatePlug,
    EmulateUnplug,
    EmulatePower,
    EmulateNotify,
    Screenshot,
    Quit,
};

struct AutomationCommand {
    AutomationVerb verb = AutomationVerb::Quit;
    std::string name;    // control or message name (UTF-8)
    std::string device;  // emulated device name
    std::string text;    // decoded text of "type" (UTF-8)
    std::string file;    // file of "screenshot"
    int index = 0;
    uint32_t messageNumber = 0;  // private message of "post"
    uint64_t wParam = 0;
    int64_t lParam = 0;
    bool on = false;
    uint16_t code = 0;
};

struct AutomationParseResult {
    std::optional<AutomationCommand> command;
    std::string error;  // the reason, when command is empty
};

// Parses one line (without its line end; a trailing '\r' is ignored). Pure.
AutomationParseResult ParseAutomationCommand(std::string_view line);

// Percent-encodes UTF-8 text: letters, digits and "-._~" stay, every other byte becomes %XX
// (upper-case hex). Pure.
std::string PercentEncode(std::string_view text);
// Decodes %XX escapes; other bytes stay. Null for a '%' not followed by two hex digits.
std::optional<std::string> PercentDecode(std::string_view text);

// "ok text=... visible=. enabled=. selected=." for the get command.
std::string FormatGetAnswer(std::string_view utf8Text, bool visible, bool enabled, bool selected);
// "error " + reason, with line ends in the reason replaced so the answer stays one line.
std::string FormatError(std::string_view reason);

}  // namespace dw::app
