#include "app/AppOptions.h"

#include <string_view>

namespace dw::app {

namespace {

struct ValueOption {
    std::string_view name;
    std::optional<std::string> AppOptions::*member;
};

constexpr ValueOption kValueOptions[] = {
    {"--emulate", &AppOptions::emulate},
    {"--automation", &AppOptions::automationPath},
    {"--screenshot", &AppOptions::screenshotPath},
};

bool IsSet(const char* value)
{
    return value != nullptr && value[0] != '\0';
}

}  // namespace

AppOptionsResult ParseAppOptions(const std::vector<std::string>& args)
{
    AppOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--headless") {
            options.headless = true;
            continue;
        }
        const ValueOption* matched = nullptr;
        std::optional<std::string> inlineValue;
        for (const ValueOption& option : kValueOptions) {
            if (arg == option.name) {
                matched = &option;
            } else if (arg.size() > option.name.size() && arg.compare(0, option.name.size(), option.name) == 0 &&
                       arg[option.name.size()] == '=') {
                matched = &option;
                inlineValue = arg.substr(option.name.size() + 1);
            }
        }
        if (matched == nullptr)
            return {std::nullopt, "Unknown option \"" + arg + "\"; see --help."};
        if (!inlineValue) {
            if (i + 1 >= args.size())
                return {std::nullopt, "The option " + std::string(matched->name) + " needs a value."};
            inlineValue = args[++i];
        }
        if (options.*(matched->member))
            return {std::nullopt, "The option " + std::string(matched->name) + " is given twice."};
        // Only the device list may be empty (no device plugged in); an empty path is a mistake.
        if (inlineValue->empty() && matched->member != &AppOptions::emulate)
            return {std::nullopt, "The option " + std::string(matched->name) + " needs a non-empty value."};
        options.*(matched->member) = std::move(*inlineValue);
    }
    return {options, {}};
}

std::string AppUsage()
{
    return "Usage: dunwake [options]\n"
           "\n"
           "Configures the VEXLO Dunwake 75 tri-mode keyboard, mouse, mousepad and headset.\n"
           "\n"
           "Options:\n"
           "  --emulate LIST      run on emulated devices instead of the real ones; LIST is a\n"
           "                      comma-separated list of keyboard, keyboard-receiver, mouse,\n"
           "                      mouse-receiver, mousepad, headset, other-mouse or all;\n"
           "                      --emulate \"\" starts with none plugged in\n"
           "  --automation PATH   answer automation commands on a local socket at PATH\n"
           "  --screenshot FILE   save the main window as a PNG after the first device scan,\n"
           "                      then exit (needs no display)\n"
           "  --headless          draw the windows off-screen (no display needed)\n"
           "  --help              show this text\n"
           "\n"
           "Environment: DUNWAKE_RESOURCES overrides the resource folder; DUNWAKE_DEBUG=1 writes\n"
           "diagnostic lines to standard error.\n";
}

bool HasDisplay(const char* display, const char* waylandDisplay, const char* qtPlatform)
{
    return IsSet(display) || IsSet(waylandDisplay) || IsSet(qtPlatform);
}

std::string NoDisplayMessage()
{
    return "dunwake: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
           "To see the window without a desktop, run it under a virtual display:\n"
           "    xvfb-run -a dunwake\n"
           "or save a picture of the main window and exit:\n"
           "    dunwake --screenshot dunwake.png\n"
           "(add --emulate all to show emulated devices when none is plugged in).\n";
}

}  // namespace dw::app
