#pragma once

// The command line of dunwake-ctl, parsed without side effects so that it can be tested.

#include <optional>
#include <string>
#include <vector>

namespace dw::ctl {

enum class CtlCommand { Help, List, Transact, Describe };

struct CtlArguments {
    CtlCommand command = CtlCommand::Help;
    std::optional<std::string> emulate;  // --emulate LIST: run on the emulated devices named
    bool trace = false;                  // --trace: print every report
    int slot = -1;                       // transact
    std::string hexBytes;                // transact: the request, as typed (several words joined)
    std::string file;                    // describe
};

struct CtlParseResult {
    std::optional<CtlArguments> arguments;  // nothing when the command line is wrong
    std::string error;                      // then: one plain sentence saying why
};

CtlParseResult ParseCtlArguments(const std::vector<std::string>& args);

// The text printed by --help.
const char* CtlUsage();

}  // namespace dw::ctl
