#include "platform/desktop/DesktopSettingsCommands.h"

#include <algorithm>
#include <array>
#include <sys/stat.h>
#include <unistd.h>

namespace dw::platform {

namespace {

struct DesktopCommands {
    // Names as they appear in XDG_CURRENT_DESKTOP (compared without regard to ASCII case).
    std::array<std::string_view, 3> desktopNames;
    // The commands of the desktop, best first; an empty program ends the list.
    std::array<std::array<std::string_view, 3>, 4> keyboard;
    std::array<std::array<std::string_view, 3>, 4> mouse;
};

// Each row: program then its arguments.
constexpr std::array kDesktops = {
    DesktopCommands{{"GNOME", "Unity", ""},
        {{{"gnome-control-center", "keyboard", ""}}},
        {{{"gnome-control-center", "mouse", ""}}}},
    DesktopCommands{{"Budgie", "", ""},
        {{{"budgie-control-center", "keyboard", ""}, {"gnome-control-center", "keyboard", ""}}},
        {{{"budgie-control-center", "mouse", ""}, {"gnome-control-center", "mouse", ""}}}},
    DesktopCommands{{"KDE", "", ""},
        {{{"systemsettings", "kcm_keyboard", ""}, {"systemsettings5", "kcm_keyboard", ""},
            {"kcmshell6", "kcm_keyboard", ""}, {"kcmshell5", "kcm_keyboard", ""}}},
        {{{"systemsettings", "kcm_mouse", ""}, {"systemsettings5", "kcm_mouse", ""},
            {"kcmshell6", "kcm_mouse", ""}, {"kcmshell5", "kcm_mouse", ""}}}},
    DesktopCommands{{"XFCE", "", ""},
        {{{"xfce4-keyboard-settings", "", ""}}},
        {{{"xfce4-mouse-settings", "", ""}}}},
    DesktopCommands{{"X-Cinnamon", "Cinnamon", ""},
        {{{"cinnamon-settings", "keyboard", ""}}},
        {{{"cinnamon-settings", "mouse", ""}}}},
    DesktopCommands{{"MATE", "", ""},
        {{{"mate-keyboard-properties", "", ""}}},
        {{{"mate-mouse-properties", "", ""}}}},
    DesktopCommands{{"LXQt", "", ""},
        {{{"lxqt-config-input", "", ""}}},
        {{{"lxqt-config-input", "", ""}}}},
    DesktopCommands{{"LXDE", "", ""},
        {{{"lxinput", "", ""}}},
        {{{"lxinput", "", ""}}}},
};

bool NamesEqual(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

bool NamesDesktop(const DesktopCommands& desktop, std::string_view name)
{
    return std::ranges::any_of(desktop.desktopNames, [&](std::string_view n) { return !n.empty() && NamesEqual(n, name); });
}

void AppendCommands(const DesktopCommands& desktop, DesktopSettingsPage page, std::vector<SettingsCommand>& out)
{
    const auto& rows = page == DesktopSettingsPage::Keyboard ? desktop.keyboard : desktop.mouse;
    for (const auto& row : rows) {
        if (row[0].empty())
            break;
        SettingsCommand command{std::string(row[0]), {}};
        for (size_t i = 1; i < row.size() && !row[i].empty(); ++i)
            command.args.emplace_back(row[i]);
        if (std::ranges::find(out, command) == out.end())
            out.push_back(std::move(command));
    }
}

std::vector<std::string_view> SplitList(std::string_view list)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(':', start), list.size());
        parts.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::vector<SettingsCommand> SettingsCommandCandidates(std::string_view currentDesktop, DesktopSettingsPage page)
{
    std::vector<SettingsCommand> commands;
    std::vector<bool> taken(kDesktops.size(), false);
    for (std::string_view name : SplitList(currentDesktop)) {
        for (size_t i = 0; i < kDesktops.size(); ++i) {
            if (!taken[i] && NamesDesktop(kDesktops[i], name)) {
                AppendCommands(kDesktops[i], page, commands);
                taken[i] = true;
            }
        }
    }
    for (size_t i = 0; i < kDesktops.size(); ++i) {
        if (!taken[i])
            AppendCommands(kDesktops[i], page, commands);
    }
    return commands;
}

std::optional<SettingsCommand> ChooseSettingsCommand(std::string_view currentDesktop, DesktopSettingsPage page,
    const std::function<std::string(const std::string&)>& findProgram)
{
    for (SettingsCommand& command : SettingsCommandCandidates(currentDesktop, page)) {
        std::string path = findProgram(command.program);
        if (!path.empty()) {
            command.program = std::move(path);
            return command;
        }
    }
    return std::nullopt;
}

std::string FindProgramOnPath(const std::string& program, std::string_view pathList)
{
    if (program.empty() || program.find('/') != std::string::npos)
        return {};
    for (std::string_view folder : SplitList(pathList)) {
        if (folder.empty() || folder[0] != '/')
            continue;
        std::string candidate(folder);
        if (candidate.back() != '/')
            candidate.push_back('/');
        candidate += program;
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

}  // namespace dw::platform
