// dunwake: the configuration program of the VEXLO Dunwake 75 tri-mode devices.

#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/CDunwakeApp.h"

int main(int argc, char** argv)
{
    const auto started = std::chrono::steady_clock::now();
    const std::vector<std::string> args(argv + 1, argv + argc);
    dw::app::AppOptionsResult parsed = dw::app::ParseAppOptions(args);
    if (!parsed.options) {
        std::cerr << "dunwake: " << parsed.error << '\n';
        return dw::app::kExitUsage;
    }
    dw::app::CDunwakeApp app(std::move(*parsed.options), started);
    return app.Run();
}
