#pragma once

// Which program opens the keyboard or mouse settings of the running desktop. The desktop comes
// from $XDG_CURRENT_DESKTOP, a ':'-separated list of names ("ubuntu:GNOME"); the commands of the
// desktops it names come first, in its order, then those of every other known desktop, so that
// an unknown session still finds a settings program that is installed. Pure functions; the
// search of PATH is handed in.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/IDesktopSettingsLauncher.h"

namespace dw::platform {

struct SettingsCommand {
    std::string program;            // a name looked up on PATH
    std::vector<std::string> args;  // arguments after the program name
    friend bool operator==(const SettingsCommand&, const SettingsCommand&) = default;
};

// Every candidate command for the page, best first, without duplicates.
std::vector<SettingsCommand> SettingsCommandCandidates(std::string_view currentDesktop, DesktopSettingsPage page);

// The first candidate whose program `findProgram` finds, with `program` replaced by what it
// returned (the full path); nothing when no candidate is installed.
std::optional<SettingsCommand> ChooseSettingsCommand(std::string_view currentDesktop, DesktopSettingsPage page,
    const std::function<std::string(const std::string&)>& findProgram);

// The full path of an executable regular file named `program` in the ':'-separated `pathList`
// ($PATH); empty when there is none. Empty entries and relative folders are skipped: running a
// program from the current folder because PATH ends in ':' is not wanted.
std::string FindProgramOnPath(const std::string& program, std::string_view pathList);

}  // namespace dw::platform
