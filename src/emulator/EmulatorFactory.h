#pragma once

// Builds a virtual bus from the command line's device list: a comma-separated list of
// "keyboard", "keyboard-receiver", "mouse", "mouse-receiver", "mousepad", "headset",
// "other-mouse" or "all". "keyboard" and "keyboard-receiver" name the same keyboard reached
// two ways (cable plugged, receiver plugged); likewise for the mouse. "all" plugs every
// device every way.

#include <memory>
#include <string>
#include <string_view>

#include "emulator/VirtualHidBus.h"

namespace dw::emu {

inline constexpr int kEmulateOk = 0;
inline constexpr int kEmulateUnknownDevice = -201;   // a name not in the list above
inline constexpr int kEmulateEmptyList = -202;

// Fills `bus` with the listed devices, plugged. On failure `bus` is left empty and `badName`
// holds the offending name (empty for an empty list).
int BuildEmulatedBus(std::string_view list, std::unique_ptr<VirtualHidBus>& bus, std::string& badName);

// The names BuildEmulatedBus accepts, comma-separated, for help texts.
std::string_view EmulatedDeviceNames();

// The device and link one name of the list stands for ("keyboard-receiver": the keyboard through
// its receiver). False for "all" and unknown names.
bool LookupEmulatedDeviceName(std::string_view name, DeviceModel& model, Link& link);

}  // namespace dw::emu
