#include "emulator/EmulatorFactory.h"

#include <array>
#include <optional>
#include <vector>

namespace dw::emu {

namespace {

struct DeviceName {
    std::string_view name;
    DeviceModel model;
    Link link;
};

constexpr std::array<DeviceName, 7> kDeviceNames = {{
    {"keyboard", DeviceModel::Keyboard, Link::Cable},
    {"keyboard-receiver", DeviceModel::Keyboard, Link::Receiver},
    {"mouse", DeviceModel::Mouse, Link::Cable},
    {"mouse-receiver", DeviceModel::Mouse, Link::Receiver},
    {"mousepad", DeviceModel::Mousepad, Link::Cable},
    {"headset", DeviceModel::Headset, Link::Cable},
    {"other-mouse", DeviceModel::OtherMouse, Link::Cable},
}};

constexpr std::string_view kAll = "all";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string_view EmulatedDeviceNames()
{
    return "keyboard,keyboard-receiver,mouse,mouse-receiver,mousepad,headset,other-mouse,all";
}

bool LookupEmulatedDeviceName(std::string_view name, DeviceModel& model, Link& link)
{
    for (const DeviceName& entry : kDeviceNames) {
        if (entry.name == Trim(name)) {
            model = entry.model;
            link = entry.link;
            return true;
        }
    }
    return false;
}

int BuildEmulatedBus(std::string_view list, std::unique_ptr<VirtualHidBus>& bus, std::string& badName)
{
    bus.reset();
    badName.clear();
    std::vector<const DeviceName*> wanted;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view name = Trim(list.substr(start, comma - start));
        start = comma + 1;
        if (name.empty())
            continue;
        if (name == kAll) {
            for (const DeviceName& entry : kDeviceNames)
                wanted.push_back(&entry);
            continue;
        }
        const DeviceName* found = nullptr;
        for (const DeviceName& entry : kDeviceNames) {
            if (entry.name == name)
                found = &entry;
        }
        if (found == nullptr) {
            badName = std::string(name);
            return kEmulateUnknownDevice;
        }
        wanted.push_back(found);
    }
    if (wanted.empty())
        return kEmulateEmptyList;

    auto built = std::make_unique<VirtualHidBus>();
    for (const DeviceName* entry : wanted) {
        EmulatedDevice* device = built->FindDevice(entry->model);
        if (device == nullptr)
            device = &built->AddDevice(entry->model);
        if (entry->link == Link::Cable)
            device->PlugCable();
        else
            device->PlugReceiver();
    }
    bus = std::move(built);
    return kEmulateOk;
}

}  // namespace dw::emu
