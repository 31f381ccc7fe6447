#pragma once

// The compiled-in tables of supported devices: the eleven supported HID interfaces (row index
// = slot index), and per device family (dw::family) its device-list entry, its settings page
// and its row in the update list. Built once, never changed at run time.

#include <array>
#include <cstdint>
#include <string_view>

#include "transport/DeviceInterfaceEntry.h"
#include "transport/DeviceKinds.h"

namespace dw {

namespace usage {
inline constexpr uint16_t kVendorPage = 0xFF1C;  // the command collection's usage page
inline constexpr uint16_t kVendorUsage = 0x0092;
inline constexpr uint16_t kConsumerPage = 0x000C;  // Consumer Control: notifications
inline constexpr uint16_t kConsumerUsage = 0x0001;
}  // namespace usage

namespace vid {
inline constexpr uint16_t kKeyboardMaker = 0x4E71;
inline constexpr uint16_t kReceiverMaker = 0x5A3C;  // receivers, the mouse and the mousepad
inline constexpr uint16_t kHeadsetMaker = 0x0C76;
}  // namespace vid

namespace pid {
inline constexpr uint16_t kKeyboard = 0x0B17;
inline constexpr uint16_t kKeyboardReceiver = 0x6A21;
inline constexpr uint16_t kMouse = 0x6A3E;
inline constexpr uint16_t kMouseReceiver = 0x3B48;
inline constexpr uint16_t kMousepad = 0x2C09;
inline constexpr uint16_t kHeadset = 0x1A47;
}  // namespace pid

// Interface and collection numbers of the two interfaces every device of the family exposes.
inline constexpr uint16_t kDeviceInterfaceNumber = 1;
inline constexpr uint16_t kCommandCollection = 4;
inline constexpr uint16_t kNotificationCollection = 3;
inline constexpr uint16_t kHeadsetInterfaceNumber = 3;

inline constexpr size_t kSlotCount = 11;

// clang-format off
inline constexpr std::array<SupportedInterfaceRow, kSlotCount> kSupportedInterfaces{{
    // vendor            product                 mi                       col                       kind                     role                 usage page          usage                partner
    {vid::kKeyboardMaker, pid::kKeyboard,          kDeviceInterfaceNumber,  kCommandCollection,       kind::kKeyboard,         role::kCommand,      usage::kVendorPage,   usage::kVendorUsage,   1, 2},
    {vid::kKeyboardMaker, pid::kKeyboard,          kDeviceInterfaceNumber,  kNotificationCollection,  kind::kKeyboard,         role::kNotification, usage::kConsumerPage, usage::kConsumerUsage, 1, 3},
    {vid::kReceiverMaker, pid::kKeyboardReceiver,  kDeviceInterfaceNumber,  kCommandCollection,       kind::kKeyboardReceiver, role::kCommand,      usage::kVendorPage,   usage::kVendorUsage,   1, 0},
    {vid::kReceiverMaker, pid::kKeyboardReceiver,  kDeviceInterfaceNumber,  kNotificationCollection,  kind::kKeyboardReceiver, role::kNotification, usage::kConsumerPage, usage::kConsumerUsage, 1, 1},
    {vid::kReceiverMaker, pid::kMouse,             kDeviceInterfaceNumber,  kCommandCollection,       kind::kMouse,            role::kCommand,      usage::kVendorPage,   usage::kVendorUsage,   1, 6},
    {vid::kReceiverMaker, pid::kMouse,             kDeviceInterfaceNumber,  kNotificationCollection,  kind::kMouse,            role::kNotification, usage::kConsumerPage, usage::kConsumerUsage, 1, 7},
    {vid::kReceiverMaker, pid::kMouseReceiver,     kDeviceInterfaceNumber,  kCommandCollection,       kind::kMouseReceiver,    role::kCommand,      usage::kVendorPage,   usage::kVendorUsage,   1, 4},
    {vid::kReceiverMaker, pid::kMouseReceiver,     kDeviceInterfaceNumber,  kNotificationCollection,  kind::kMouseReceiver,    role::kNotification, usage::kConsumerPage, usage::kConsumerUsage, 1, 5},
    {vid::kReceiverMaker, pid::kMousepad,          kDeviceInterfaceNumber,  kCommandCollection,       kind::kMousepad,         role::kCommand,      usage::kVendorPage,   usage::kVendorUsage,   0, 0},
    {vid::kReceiverMaker, pid::kMousepad,          kDeviceInterfaceNumber,  kNotificationCollection,  kind::kMousepad,         role::kNotification, usage::kConsumerPage, usage::kConsumerUsage, 0, 0},
    // The headset has a single collection, so its path carries no collection number.
    {vid::kHeadsetMaker,  pid::kHeadset,           kHeadsetInterfaceNumber, 0,                        kind::kHeadset,          role::kCommand,      usage::kConsumerPage, usage::kConsumerUsage, 0, 0},
}};
// clang-format on

// The device-list entry of a family.
struct DeviceOptionEntry {
    std::wstring_view listEntryLayout;
    std::wstring_view tabHeaderName;
    std::wstring_view powerContainerName;
    std::wstring_view familyName;  // also the family's data folder and default profile name
    int32_t deviceOrdinal = 0;
    int32_t vendorId = 0;
    int32_t productId = 0;
    int32_t kind = 0;
    int32_t role = 0;
};

inline constexpr std::wstring_view kDeviceOptionLayout = L"XML\\CustomControlXML\\DeviceOption.xml";
inline constexpr std::wstring_view kDeviceTabHeader = L"tab_header_device";
inline constexpr std::wstring_view kDevicePowerContainer = L"device_power_switch";

inline constexpr std::array<DeviceOptionEntry, family::kCount> kDeviceOptions{{
    {kDeviceOptionLayout, kDeviceTabHeader, kDevicePowerContainer, L"mouse", 1, vid::kReceiverMaker, pid::kMouse, kind::kMouse, role::kCommand},
    {kDeviceOptionLayout, kDeviceTabHeader, kDevicePowerContainer, L"keyboard", 0, vid::kKeyboardMaker, pid::kKeyboard, kind::kKeyboard, role::kCommand},
    {kDeviceOptionLayout, kDeviceTabHeader, kDevicePowerContainer, L"MousePad", 2, vid::kReceiverMaker, pid::kMousepad, kind::kMousepad, role::kCommand},
    {kDeviceOptionLayout, kDeviceTabHeader, kDevicePowerContainer, L"HD", 3, vid::kHeadsetMaker, pid::kHeadset, kind::kHeadset, role::kCommand},
}};

// The settings page of a family.
struct DevicePageEntry {
    int32_t lightCount = 0;      // sizes the device object's light arrays
    int32_t keyButtonCount = 0;  // sizes its key-button array
    int32_t powerPageFlag = 0;   // the page shows a battery display
    int32_t mouseStartValue = 0;
    std::wstring_view pageLayout;
    std::wstring_view lightingFileStem;
};

inline constexpr std::array<DevicePageEntry, family::kCount> kDevicePages{{
    {15, 11, 1, -1, L"XML\\DeviceXml\\mousedevice.xml", L"zoram_light"},
    {170, 170, 0, -1, L"XML\\DeviceXml\\keyboarddevice.xml", L"zoram_light"},
    {15, 0, 0, -1, L"XML\\DeviceXml\\mousepaddevice.xml", L"zoram_light"},
    {13, 0, 0, -1, L"XML\\DeviceXml\\hs6533device.xml", L"zoram_light"},
}};

// A row of the settings window's update list. Row 3 stands for the program itself. The
// version and update flag given here are starting values; they are filled in at run time.
struct ModelNameEntry {
    int32_t updateCategory = 0;
    int32_t updateFlag = 0;
    int32_t version = 0;
    std::wstring_view brand;
    std::wstring_view modelCode;
    std::wstring_view displayName;
    std::wstring_view shortName;
    std::wstring_view versionTag;
};

inline constexpr int kApplicationModelRow = 3;

inline constexpr std::array<ModelNameEntry, family::kCount> kModelNames{{
    {1, 1, 0, L"ZORAM", L"RT42M17A", L"MS", L"MS", L""},
    {1, 1, 0, L"ZORAM", L"RT42K16A", L"Dunwake 75 tri-mode", L"Dunwake 75 tri-mode", L""},
    {2, 1, 0, L"ZORAM", L"RT42K09A_1", L"T58", L"T58", L""},
    {0, 1, 0, L"ZORAM", L"ALL", L"Dunwake 75 tri-mode", L"AP", L"W2200"},
}};

}  // namespace dw
