// dunwake-ctl: the command line of the device transport. Lists the supported interfaces
// present, sends single requests, describes report descriptors and works with the keyboard
// through its device object; with --emulate it runs on the emulator's devices instead of the
// real ones.

#include <iostream>
#include <memory>

#include "CtlArguments.h"
#include "CtlCommands.h"
#include "EmulatedBackend.h"
#include "TracingHidBackend.h"
#include "platform/hid/HidBackendSelection.h"

using namespace dw;
using namespace dw::ctl;

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CtlParseResult parsed = ParseCtlArguments(args);
    if (!parsed.arguments) {
        std::cerr << parsed.error << '\n';
        return kExitUsage;
    }
    const CtlArguments& arguments = *parsed.arguments;
    if (arguments.command == CtlCommand::Help) {
        std::cout << CtlUsage();
        return kExitSuccess;
    }
    if (arguments.command == CtlCommand::Describe)
        return RunDescribe(arguments.file, std::cout, std::cerr);

    std::shared_ptr<hid::IHidBackend> emulated;
    if (arguments.emulate) {
        std::string error;
        emulated = MakeEmulatedBackend(*arguments.emulate, error);
        if (!emulated) {
            std::cerr << error << '\n';
            return kExitUsage;
        }
        hid::SelectHidBackend(emulated);
    }
    hid::IHidBackend& selected = hid::ActiveHidBackend();

    std::unique_ptr<TracingHidBackend> tracing;
    if (arguments.trace) {
        tracing = std::make_unique<TracingHidBackend>(selected, [](const std::string& line) {
            std::cout << line << '\n' << std::flush;
        });
    }
    hid::IHidBackend& backend = tracing ? static_cast<hid::IHidBackend&>(*tracing) : selected;

    if (arguments.command == CtlCommand::List)
        return RunList(backend, std::cout, std::cerr);
    if (arguments.command == CtlCommand::Keyboard)
        return RunKeyboard(backend, arguments, std::cout, std::cerr);
    return RunTransact(backend, arguments.slot, arguments.hexBytes, std::cout, std::cerr);
}
