#pragma once

// The command line of `dunwake`. The program itself needs no option; these serve development,
// tests and checking the program as a user would:
//
//   --emulate LIST      run on emulated devices (the names of dunwake-ctl; "" plugs none in)
//   --automation PATH   serve the automation channel on a local socket at PATH
//   --screenshot FILE   save the main window to a PNG after the first device scan, then exit
//   --headless          draw off-screen: no display needed
//   --help              print the usage and exit
//
// "--name=value" is accepted for the options that take a value.

#include <optional>
#include <string>
#include <vector>

namespace dw::app {

struct AppOptions {
    std::optional<std::string> emulate;
    std::optional<std::string> automationPath;
    std::optional<std::string> screenshotPath;
    bool headless = false;
    bool help = false;
};

struct AppOptionsResult {
    std::optional<AppOptions> options;  // set when the command line is valid
    std::string error;                  // one sentence otherwise
};

// Parses the arguments after the program name. Pure.
AppOptionsResult ParseAppOptions(const std::vector<std::string>& args);

// The usage text, ending in a line end.
std::string AppUsage();

// What the program does when no display is available and none is needed is decided from the
// environment values (any may be null): true when a window can be shown (DISPLAY or
// WAYLAND_DISPLAY set, or a Qt platform chosen explicitly). Pure.
bool HasDisplay(const char* display, const char* waylandDisplay, const char* qtPlatform);

// The text printed when no display is available and the options ask for a window.
std::string NoDisplayMessage();

}  // namespace dw::app
