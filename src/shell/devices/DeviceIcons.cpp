#include "shell/devices/DeviceIcons.h"

namespace dw {

namespace {

constexpr std::wstring_view kIconFolder = L"common/device_ico/";

// Kinds that have icons of their own. 4 and 5 are kinds of the family's other products (a
// second headset model, a hub); no supported interface has them, but their icons exist.
constexpr int kKindKeyboard = 1;
constexpr int kKindMouse = 2;
constexpr int kKindMousepad = 3;
constexpr int kKindOtherHeadset = 4;
constexpr int kKindHub = 5;
constexpr int kKindHeadset = 7;
// The mousepad's role tells its hard and cloth surfaces apart.
constexpr int kRoleHardSurface = 0;
constexpr int kRoleClothSurface = 1;

}  // namespace

std::wstring_view DeviceIconPart(int kind, int role)
{
    switch (kind) {
    case kKindKeyboard:
        return L"kb";
    case kKindMouse:
        return L"ms";
    case kKindMousepad:
        if (role == kRoleHardSurface)
            return L"hard_mp";
        if (role == kRoleClothSurface)
            return L"soft_mp";
        return L"unknow";
    case kKindOtherHeadset:
    case kKindHeadset:
        return L"hd";
    case kKindHub:
        return L"hub";
    default:
        return L"unknow";
    }
}

DeviceIconSet DeviceIconsFor(int kind, int role)
{
    const std::wstring part(DeviceIconPart(kind, role));
    const std::wstring stem = std::wstring(kIconFolder) + part;
    return DeviceIconSet{stem + L"_device_normal.png", stem + L"_device_selected.png",
                         stem + L"_device_synchro_normal.png", stem + L"_device_synchro_selected.png",
                         part + L"_device_name_text"};
}

}  // namespace dw
