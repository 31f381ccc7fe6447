#include "emulator/VirtualHidBus.h"

#include "emulator/HeadsetFirmware.h"
#include "emulator/KeyboardFirmware.h"
#include "emulator/MouseFirmware.h"
#include "emulator/MousepadFirmware.h"
#include "emulator/VirtualBusCore.h"
#include "emulator/VirtualHidHandle.h"

namespace dw::emu {

namespace {

std::unique_ptr<DeviceFirmware> MakeFirmware(DeviceModel model)
{
    switch (model) {
    case DeviceModel::Keyboard:
        return std::make_unique<KeyboardFirmware>();
    case DeviceModel::Mouse:
        return std::make_unique<MouseFirmware>();
    case DeviceModel::Mousepad:
        return std::make_unique<MousepadFirmware>();
    case DeviceModel::Headset:
        return std::make_unique<HeadsetFirmware>();
    case DeviceModel::OtherMouse:
        return nullptr;   // another vendor's protocol: it never answers our frames
    }
    return nullptr;
}

}  // namespace

VirtualHidBus::VirtualHidBus() : core_(std::make_shared<VirtualBusCore>()) {}

VirtualHidBus::~VirtualHidBus()
{
    std::lock_guard lock(core_->mutex);
    for (const auto& device : core_->devices) {
        core_->Unplug(*device, Link::Cable);
        core_->Unplug(*device, Link::Receiver);
    }
}

std::vector<hid::HidNodeInfo> VirtualHidBus::ListNodes()
{
    std::lock_guard lock(core_->mutex);
    std::vector<hid::HidNodeInfo> list;
    list.reserve(core_->nodes.size());
    for (const auto& node : core_->nodes)
        list.push_back(node->info);
    return list;
}

std::unique_ptr<hid::IHidNode> VirtualHidBus::Open(const std::string& name, const hid::OpenMode& mode)
{
    std::lock_guard lock(core_->mutex);
    for (const auto& node : core_->nodes) {
        if (node->info.node == name)
            return std::make_unique<VirtualHidHandle>(core_, node, mode);
    }
    return nullptr;
}

uint64_t VirtualHidBus::ChangeCount()
{
    std::lock_guard lock(core_->mutex);
    return core_->changeCount;
}

EmulatedDevice& VirtualHidBus::AddDevice(DeviceModel model)
{
    std::lock_guard lock(core_->mutex);
    auto state = std::make_unique<DeviceState>();
    state->model = model;
    state->firmware = MakeFirmware(model);
    core_->devices.push_back(std::move(state));
    devices_.push_back(std::make_unique<EmulatedDevice>(core_, *core_->devices.back()));
    return *devices_.back();
}

EmulatedDevice* VirtualHidBus::FindDevice(DeviceModel model)
{
    std::lock_guard lock(core_->mutex);
    for (const auto& device : devices_) {
        if (device->Model() == model)
            return device.get();
    }
    return nullptr;
}

std::vector<EmulatedDevice*> VirtualHidBus::Devices()
{
    std::lock_guard lock(core_->mutex);
    std::vector<EmulatedDevice*> list;
    for (const auto& device : devices_)
        list.push_back(device.get());
    return list;
}

ReportTrace& VirtualHidBus::Trace() { return core_->trace; }

}  // namespace dw::emu
