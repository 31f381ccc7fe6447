#include "CtlArguments.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "transport/DeviceTables.h"

namespace dw::ctl {

namespace {

CtlParseResult Fail(std::string error) { return CtlParseResult{std::nullopt, std::move(error)}; }

bool ParseSlot(const std::string& text, int& slot)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, slot);
    return ec == std::errc() && ptr == end && slot >= 0 && static_cast<size_t>(slot) < kSlotCount;
}

bool ParseInt(const std::string& text, int low, int high, int& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

// "123", "0x200029" or "200029h" are not all accepted: decimal, or hexadecimal with 0x.
bool ParseAssignmentText(const std::string& text, int64_t& value)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value, hex ? 16 : 10);
    return ec == std::errc() && ptr == end && begin != end && value >= 0 && value <= 0xFFFFFF;
}

struct KeyboardActionName {
    const char* name;
    KeyboardAction action;
};
constexpr KeyboardActionName kKeyboardActions[] = {
    {"info", KeyboardAction::Info},           {"read-settings", KeyboardAction::ReadSettings},
    {"write-settings", KeyboardAction::WriteSettings}, {"read-keymap", KeyboardAction::ReadKeymap},
    {"set-key", KeyboardAction::SetKey},      {"status", KeyboardAction::Status},
    {"link", KeyboardAction::Link},
};

// `words` are the words after "keyboard".
std::optional<std::string> ParseKeyboardWords(const std::vector<std::string>& words, CtlArguments& out)
{
    if (words.empty())
        return "keyboard needs a subcommand: info, read-settings, write-settings, read-keymap, set-key, status or link.";
    KeyboardArguments& keyboard = out.keyboard;
    const auto found = std::find_if(std::begin(kKeyboardActions), std::end(kKeyboardActions),
                                    [&](const KeyboardActionName& a) { return words[0] == a.name; });
    if (found == std::end(kKeyboardActions))
        return "Unknown keyboard subcommand " + words[0] + "; try dunwake-ctl --help.";
    keyboard.action = found->action;

    std::vector<std::string> rest;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--trace") {
            out.trace = true;
            continue;
        }
        if (word.rfind("--", 0) != 0) {
            rest.push_back(word);
            continue;
        }
        if (keyboard.action != KeyboardAction::WriteSettings)
            return "Unknown option " + word + " for keyboard " + words[0] + ".";
        if (i + 1 >= words.size())
            return word + " needs a value.";
        const std::string& value = words[++i];
        KeyboardSettingsChange& change = keyboard.settings;
        int number = 0;
        if (word == "--effect") {
            if (!ParseInt(value, 0, 255, number))
                return "--effect needs the effect's position in the effect list, from 0.";
            change.effect = number;
        } else if (word == "--brightness" || word == "--speed") {
            if (!ParseInt(value, 0, 4, number))
                return word + " needs a level from 0 to 4.";
            (word == "--brightness" ? change.brightness : change.speed) = number;
        } else if (word == "--direction" || word == "--multicolour") {
            if (!ParseInt(value, 0, 1, number))
                return word + " needs 0 or 1.";
            (word == "--direction" ? change.direction : change.multicolour) = number;
        } else if (word == "--colour") {
            const std::string digits = !value.empty() && value[0] == '#' ? value.substr(1) : value;
            uint32_t colour = 0;
            const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), colour, 16);
            if (digits.size() != 6 || ec != std::errc() || ptr != digits.data() + digits.size())
                return "--colour needs six hexadecimal digits, as RRGGBB.";
            change.colour = colour;
        } else {
            return "Unknown option " + word + " for keyboard write-settings.";
        }
    }
    if (keyboard.action == KeyboardAction::SetKey) {
        if (rest.size() != 2)
            return "keyboard set-key needs a logical key number and an assignment.";
        if (!ParseInt(rest[0], 0, 169, keyboard.logicalKey))
            return "The logical key must be a number from 0 to 169.";
        if (!ParseAssignmentText(rest[1], keyboard.assignment))
            return "The assignment must be its JSON integer (type x 65536 + value 1 x 256 + value 2) or 0xTTVVWW.";
    } else if (!rest.empty()) {
        return "keyboard " + words[0] + " takes no further arguments.";
    }
    return std::nullopt;
}

}  // namespace

const char* CtlUsage()
{
    return "Usage: dunwake-ctl [--emulate LIST] [--trace] COMMAND\n"
           "\n"
           "Commands:\n"
           "  list                 Show the supported HID interfaces present, one line each: slot,\n"
           "                       kind, role, vendor and product ids, interface, collection and\n"
           "                       identity.\n"
           "  transact SLOT BYTES  Send one 64-byte request on the command interface of SLOT\n"
           "                       (0-10, as shown by list; a notification slot uses its device's\n"
           "                       command interface) and print the result code and the reply.\n"
           "                       BYTES are hexadecimal, as \"04 00 00 03 22\" or \"0400000322\";\n"
           "                       the request is padded with zeros to 64 bytes. When byte 0 is\n"
           "                       the command report id 04 and bytes 1 and 2 are 00, the checksum\n"
           "                       is filled in.\n"
           "  describe FILE        Parse a HID report descriptor (binary, or hexadecimal text) and\n"
           "                       print its top-level collections with their report ids and\n"
           "                       button and value capabilities.\n"
           "  keyboard SUBCOMMAND  Work with the keyboard (by cable when plugged, else through its\n"
           "                       receiver) as the program does. Every subcommand but status\n"
           "                       and link first reads the keyboard and its profile file.\n"
           "    info               The device info block, key slots, macro memory, link state.\n"
           "    read-settings      The lighting and system settings the keyboard holds.\n"
           "    write-settings [--effect INDEX] [--brightness 0-4] [--speed 0-4]\n"
           "                   [--direction 0|1] [--colour RRGGBB] [--multicolour 0|1]\n"
           "                       Change the given fields (INDEX is the effect's position in\n"
           "                       the effect list) and write the settings; the other fields\n"
           "                       keep their current values.\n"
           "    read-keymap        Every key the keyboard has: slot, light, current and default\n"
           "                       assignment.\n"
           "    set-key LOGICAL ASSIGNMENT\n"
           "                       Assign a logical key (0-169) and write the key map. The\n"
           "                       assignment is its JSON integer or 0xTTVVWW.\n"
           "    status             Battery level and power state.\n"
           "    link               Whether the keyboard answers (through its receiver).\n"
           "\n"
           "Options:\n"
           "  --emulate LIST       Use emulated devices instead of the real ones. LIST is a comma\n"
           "                       list of keyboard, keyboard-receiver, mouse, mouse-receiver,\n"
           "                       mousepad, headset, or all.\n"
           "  --trace              Print every report: \"> \" written, \"< \" read, then the bytes.\n"
           "  --resources DIR      The resource folder (DefaultData); by default $DUNWAKE_RESOURCES,\n"
           "                       else the one beside the program or installed with it.\n"
           "  --help               Show this text.\n"
           "\n"
           "Exit status: 0 success, 1 device or file error, 2 wrong usage.\n"
           "Set DUNWAKE_DEBUG=1 to see the transaction log on standard error.\n";
}

CtlParseResult ParseCtlArguments(const std::vector<std::string>& args)
{
    CtlArguments out;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            out.command = CtlCommand::Help;
            return CtlParseResult{out, {}};
        }
        if (arg == "--trace") {
            out.trace = true;
        } else if (arg == "--emulate") {
            if (i + 1 >= args.size())
                return Fail("--emulate needs a list of devices, for example --emulate all.");
            out.emulate = args[++i];
        } else if (arg == "--resources" && positional.empty()) {
            if (i + 1 >= args.size())
                return Fail("--resources needs a folder.");
            out.resources = args[++i];
        } else if (arg.rfind("--emulate=", 0) == 0) {
            out.emulate = arg.substr(10);
        } else if (arg.size() > 1 && arg[0] == '-' && positional.empty()) {
            return Fail("Unknown option " + arg + ".");
        } else {
            positional.push_back(arg);
        }
    }
    if (out.emulate && out.emulate->empty())
        return Fail("--emulate needs a list of devices, for example --emulate all.");
    if (positional.empty())
        return Fail("No command given; try dunwake-ctl --help.");

    const std::string& command = positional[0];
    if (command == "list") {
        if (positional.size() != 1)
            return Fail("list takes no arguments.");
        out.command = CtlCommand::List;
    } else if (command == "transact") {
        if (positional.size() < 3)
            return Fail("transact needs a slot and the request bytes.");
        if (!ParseSlot(positional[1], out.slot))
            return Fail("The slot must be a number from 0 to " + std::to_string(kSlotCount - 1) + ".");
        for (size_t i = 2; i < positional.size(); ++i) {
            if (i > 2)
                out.hexBytes += ' ';
            out.hexBytes += positional[i];
        }
        out.command = CtlCommand::Transact;
    } else if (command == "describe") {
        if (positional.size() != 2)
            return Fail("describe needs exactly one file.");
        out.file = positional[1];
        out.command = CtlCommand::Describe;
    } else if (command == "keyboard") {
        out.command = CtlCommand::Keyboard;
        if (std::optional<std::string> error =
                ParseKeyboardWords(std::vector<std::string>(positional.begin() + 1, positional.end()), out))
            return Fail(*error);
    } else {
        return Fail("Unknown command " + command + "; try dunwake-ctl --help.");
    }
    return CtlParseResult{out, {}};
}

}  // namespace dw::ctl
