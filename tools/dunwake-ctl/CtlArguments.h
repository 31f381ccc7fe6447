#pragma once

// The command line of dunwake-ctl, parsed without side effects so that it can be tested.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dw::ctl {

enum class CtlCommand { Help, List, Transact, Describe, Keyboard };

enum class KeyboardAction { Info, ReadSettings, WriteSettings, ReadKeymap, SetKey, Status, Link };

// The fields `keyboard write-settings` changes; a field not given keeps its current value.
struct KeyboardSettingsChange {
    std::optional<int> effect;      // --effect INDEX: position in the effect list
    std::optional<int> brightness;  // --brightness 0-4
    std::optional<int> speed;       // --speed 0-4
    std::optional<int> direction;   // --direction 0|1
    std::optional<uint32_t> colour; // --colour RRGGBB
    std::optional<int> multicolour; // --multicolour 0|1
};

struct KeyboardArguments {
    KeyboardAction action = KeyboardAction::Info;
    KeyboardSettingsChange settings;
    int logicalKey = -1;      // set-key
    int64_t assignment = 0;   // set-key: the JSON integer form
};

struct CtlArguments {
    CtlCommand command = CtlCommand::Help;
    std::optional<std::string> emulate;  // --emulate LIST: run on the emulated devices named
    bool trace = false;                  // --trace: print every report
    int slot = -1;                       // transact
    std::string hexBytes;                // transact: the request, as typed (several words joined)
    std::string file;                    // describe
    std::optional<std::string> resources;  // --resources DIR: the resource folder
    KeyboardArguments keyboard;          // keyboard
};

struct CtlParseResult {
    std::optional<CtlArguments> arguments;  // nothing when the command line is wrong
    std::string error;                      // then: one plain sentence saying why
};

CtlParseResult ParseCtlArguments(const std::vector<std::string>& args);

// The text printed by --help.
const char* CtlUsage();

}  // namespace dw::ctl
