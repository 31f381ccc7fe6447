#include "app/CEmulatorControl.h"

#include "emulator/EmulatorFactory.h"
#include "emulator/VirtualHidBus.h"

namespace dw::app {

namespace {

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t,") == std::string::npos;
}

std::string UnknownDevice(const std::string& device)
{
    return "unknown device " + device + " (known: " + std::string(emu::EmulatedDeviceNames()) + ")";
}

}  // namespace

CEmulatorControl::CEmulatorControl(std::shared_ptr<emu::VirtualHidBus> bus) : m_bus(std::move(bus)) {}

CEmulatorControl::~CEmulatorControl() = default;

std::unique_ptr<CEmulatorControl> CEmulatorControl::Create(const std::string& list, std::string& error)
{
    if (IsBlank(list))
        return std::unique_ptr<CEmulatorControl>(new CEmulatorControl(std::make_shared<emu::VirtualHidBus>()));
    std::unique_ptr<emu::VirtualHidBus> bus;
    std::string badName;
    if (emu::BuildEmulatedBus(list, bus, badName) != emu::kEmulateOk || !bus) {
        error = "Unknown emulated device \"" + badName + "\"; the names are " +
                std::string(emu::EmulatedDeviceNames()) + ".";
        return nullptr;
    }
    return std::unique_ptr<CEmulatorControl>(new CEmulatorControl(std::shared_ptr<emu::VirtualHidBus>(std::move(bus))));
}

std::shared_ptr<hid::IHidBackend> CEmulatorControl::Backend() const
{
    return m_bus;
}

std::string CEmulatorControl::Plug(const std::string& device)
{
    emu::DeviceModel model{};
    emu::Link link{};
    if (!emu::LookupEmulatedDeviceName(device, model, link))
        return UnknownDevice(device);
    emu::EmulatedDevice* found = m_bus->FindDevice(model);
    if (found == nullptr)
        found = &m_bus->AddDevice(model);
    const bool changed = link == emu::Link::Cable ? found->PlugCable() : found->PlugReceiver();
    return changed ? std::string() : device + " is already plugged in";
}

std::string CEmulatorControl::Unplug(const std::string& device)
{
    emu::DeviceModel model{};
    emu::Link link{};
    if (!emu::LookupEmulatedDeviceName(device, model, link))
        return UnknownDevice(device);
    emu::EmulatedDevice* found = m_bus->FindDevice(model);
    const bool changed =
        found != nullptr && (link == emu::Link::Cable ? found->UnplugCable() : found->UnplugReceiver());
    return changed ? std::string() : device + " is not plugged in";
}

std::string CEmulatorControl::SetPower(const std::string& device, bool on)
{
    emu::DeviceModel model{};
    emu::Link link{};
    if (!emu::LookupEmulatedDeviceName(device, model, link))
        return UnknownDevice(device);
    emu::EmulatedDevice* found = m_bus->FindDevice(model);
    if (found == nullptr)
        return device + " was never plugged in";
    found->SetPowered(on);
    return {};
}

std::string CEmulatorControl::Notify(const std::string& device, uint16_t code)
{
    emu::DeviceModel model{};
    emu::Link link{};
    if (!emu::LookupEmulatedDeviceName(device, model, link))
        return UnknownDevice(device);
    emu::EmulatedDevice* found = m_bus->FindDevice(model);
    if (found == nullptr || !found->SendNotification(code))
        return device + " has no connection to notify through";
    return {};
}

}  // namespace dw::app
