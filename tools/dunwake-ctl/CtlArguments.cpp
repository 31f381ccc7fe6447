#include "CtlArguments.h"

#include <charconv>

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
           "\n"
           "Options:\n"
           "  --emulate LIST       Use emulated devices instead of the real ones. LIST is a comma\n"
           "                       list of keyboard, keyboard-receiver, mouse, mouse-receiver,\n"
           "                       mousepad, headset, or all.\n"
           "  --trace              Print every report: \"> \" written, \"< \" read, then the bytes.\n"
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
    } else {
        return Fail("Unknown command " + command + "; try dunwake-ctl --help.");
    }
    return CtlParseResult{out, {}};
}

}  // namespace dw::ctl
