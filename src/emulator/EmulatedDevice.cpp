#include "emulator/EmulatedDevice.h"

#include "emulator/HeadsetFirmware.h"
#include "emulator/KeyboardFirmware.h"
#include "emulator/MouseFirmware.h"
#include "emulator/MousepadFirmware.h"
#include "emulator/VirtualBusCore.h"

namespace dw::emu {

EmulatedDevice::EmulatedDevice(std::shared_ptr<VirtualBusCore> core, DeviceState& state)
    : core_(std::move(core)), state_(state), model_(state.model)
{
}

bool EmulatedDevice::PlugCable()
{
    std::lock_guard lock(core_->mutex);
    if (!state_.cableNodes.empty())
        return false;
    return core_->Plug(state_, Link::Cable);
}

bool EmulatedDevice::UnplugCable()
{
    std::lock_guard lock(core_->mutex);
    return core_->Unplug(state_, Link::Cable);
}

bool EmulatedDevice::PlugReceiver()
{
    std::lock_guard lock(core_->mutex);
    if (!state_.receiverNodes.empty())
        return false;
    return core_->Plug(state_, Link::Receiver);
}

bool EmulatedDevice::UnplugReceiver()
{
    std::lock_guard lock(core_->mutex);
    return core_->Unplug(state_, Link::Receiver);
}

void EmulatedDevice::ConnectVia(Link link)
{
    std::lock_guard lock(core_->mutex);
    if (link == Link::Cable) {
        core_->Plug(state_, Link::Cable);
        return;
    }
    if (core_->Plug(state_, Link::Receiver))
        core_->Unplug(state_, Link::Cable);
}

bool EmulatedDevice::CablePlugged() const
{
    std::lock_guard lock(core_->mutex);
    return !state_.cableNodes.empty();
}

bool EmulatedDevice::ReceiverPlugged() const
{
    std::lock_guard lock(core_->mutex);
    return !state_.receiverNodes.empty();
}

void EmulatedDevice::SetPowered(bool on)
{
    std::lock_guard lock(core_->mutex);
    state_.powered = on;
}

bool EmulatedDevice::Powered() const
{
    std::lock_guard lock(core_->mutex);
    return state_.powered;
}

bool EmulatedDevice::ReceiverLinked() const
{
    std::lock_guard lock(core_->mutex);
    return !state_.receiverNodes.empty() && VirtualBusCore::ReceiverLinked(state_);
}

bool EmulatedDevice::SendNotification(uint16_t code)
{
    std::lock_guard lock(core_->mutex);
    BusNode* node = VirtualBusCore::NotificationNode(state_);
    if (node == nullptr)
        return false;
    core_->Deliver(*node,
                   {node->layout->notifyReportId, static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8)},
                   0);
    return true;
}

bool EmulatedDevice::SwitchProfileOnDevice(uint8_t profile)
{
    constexpr uint16_t kProfileCode = 0x1000;
    constexpr uint16_t kResyncCode = 0x0401;
    constexpr uint8_t kHighestProfile = 0x0F;
    if (state_.firmware == nullptr || profile > kHighestProfile)
        return false;
    state_.firmware->SetActiveProfile(profile);
    const bool reportsProfiles = model_ == DeviceModel::Keyboard || model_ == DeviceModel::Mouse;
    return SendNotification(reportsProfiles ? static_cast<uint16_t>(kProfileCode | profile) : kResyncCode);
}

bool EmulatedDevice::SendInputReport(Link link, int interfaceNumber, std::span<const uint8_t> report)
{
    std::lock_guard lock(core_->mutex);
    BusNode* node = VirtualBusCore::FindNode(state_, link, interfaceNumber);
    if (node == nullptr || report.empty())
        return false;
    core_->Deliver(*node, {report.begin(), report.end()}, 0);
    return true;
}

void EmulatedDevice::InjectFault(const FaultSpec& fault)
{
    std::lock_guard lock(core_->mutex);
    state_.faults.Arm(fault);
}

void EmulatedDevice::ClearFaults()
{
    std::lock_guard lock(core_->mutex);
    state_.faults.Clear();
}

DeviceFirmware* EmulatedDevice::Firmware() const { return state_.firmware.get(); }

KeyboardFirmware* EmulatedDevice::Keyboard() const
{
    return model_ == DeviceModel::Keyboard ? static_cast<KeyboardFirmware*>(state_.firmware.get()) : nullptr;
}

MouseFirmware* EmulatedDevice::Mouse() const
{
    return model_ == DeviceModel::Mouse ? static_cast<MouseFirmware*>(state_.firmware.get()) : nullptr;
}

MousepadFirmware* EmulatedDevice::Mousepad() const
{
    return model_ == DeviceModel::Mousepad ? static_cast<MousepadFirmware*>(state_.firmware.get()) : nullptr;
}

HeadsetFirmware* EmulatedDevice::Headset() const
{
    return model_ == DeviceModel::Headset ? static_cast<HeadsetFirmware*>(state_.firmware.get()) : nullptr;
}

std::vector<std::string> EmulatedDevice::NodeNames(Link link) const
{
    std::lock_guard lock(core_->mutex);
    std::vector<std::string> names;
    for (const auto& node : link == Link::Cable ? state_.cableNodes : state_.receiverNodes)
        names.push_back(node->info.node);
    return names;
}

}  // namespace dw::emu
