#include "EmulatedBackend.h"

#include "emulator/EmulatorFactory.h"

namespace dw::ctl {

std::shared_ptr<hid::IHidBackend> MakeEmulatedBackend(const std::string& list, std::string& error)
{
    std::unique_ptr<emu::VirtualHidBus> bus;
    std::string badName;
    if (emu::BuildEmulatedBus(list, bus, badName) != emu::kEmulateOk || !bus) {
        error = badName.empty() ? "The --emulate list names no device."
                                : "Unknown emulated device \"" + badName + "\"; the names are " +
                                      std::string(emu::EmulatedDeviceNames()) + ".";
        return nullptr;
    }
    return std::shared_ptr<hid::IHidBackend>(std::move(bus));
}

}  // namespace dw::ctl
