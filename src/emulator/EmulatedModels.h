#pragma once

// The emulated device models: their USB identities by cable and through a receiver, and the
// HID interfaces each presents. The vendor and product ids are those the program supports;
// the unrelated mouse uses another vendor's ids so that the candidate rules meet a device
// with the family's interface layout that must not match.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "emulator/EmulatedDescriptors.h"

namespace dw::emu {

enum class DeviceModel : uint8_t { Keyboard, Mouse, Mousepad, Headset, OtherMouse };

// How a device reaches the host.
enum class Link : uint8_t { Cable, Receiver };

struct UsbIdentity {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;   // bcdDevice
};

struct ModelDescription {
    DeviceModel model = DeviceModel::Keyboard;
    std::string_view name;
    UsbIdentity cable;
    bool hasReceiver = false;
    UsbIdentity receiver;
    std::span<const InterfaceLayout> cableInterfaces;
    std::span<const InterfaceLayout> receiverInterfaces;
};

// The mousepad presents the same interface set as the keyboard: its controller is the
// family's keyboard controller, with the boot keyboard serving its hot keys.
inline constexpr std::array<ModelDescription, 5> kModels = {{
    {DeviceModel::Keyboard, "keyboard", {0x4E71, 0x0B17, 0x0105}, true, {0x5A3C, 0x6A21, 0x0102},
     kKeyboardInterfaces, kKeyboardInterfaces},
    {DeviceModel::Mouse, "mouse", {0x5A3C, 0x6A3E, 0x0110}, true, {0x5A3C, 0x3B48, 0x0103},
     kMouseInterfaces, kMouseInterfaces},
    {DeviceModel::Mousepad, "mousepad", {0x5A3C, 0x2C09, 0x0101}, false, {}, kKeyboardInterfaces, {}},
    {DeviceModel::Headset, "headset", {0x0C76, 0x1A47, 0x0100}, false, {}, kHeadsetInterfaces, {}},
    {DeviceModel::OtherMouse, "other-mouse", {0x1A2B, 0x0C3D, 0x0200}, false, {}, kMouseInterfaces, {}},
}};

constexpr const ModelDescription& DescribeModel(DeviceModel model)
{
    return kModels[static_cast<size_t>(model)];
}

}  // namespace dw::emu
