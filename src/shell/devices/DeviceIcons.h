#pragma once

// The images and name key of a device list entry, chosen by the kind and role of its device.
// Every kind has four icons under "common/device_ico/": normal, selected, and the two shown while
// the entry takes part in synchronised lighting.

#include <cstdint>
#include <string>
#include <string_view>

namespace dw {

struct DeviceIconSet {
    std::wstring normal;
    std::wstring selected;
    std::wstring synchroNormal;
    std::wstring synchroSelected;
    std::wstring nameKey;  // language key of the entry's name
};

// The family part of the file names: "kb", "ms", "hard_mp", "soft_mp", "hd", "hub" or "unknow".
std::wstring_view DeviceIconPart(int kind, int role);

DeviceIconSet DeviceIconsFor(int kind, int role);

}  // namespace dw
