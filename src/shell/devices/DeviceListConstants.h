#pragma once

// Names, timer ids and periods of the device list: the control names its layouts and the main
// window's layout give (the contract with the skin), the timers every list entry runs, and the
// discovery and synchronisation pacing.

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace dw::devlist {

// ---- controls of the main window -----------------------------------------------------------
inline constexpr const wchar_t* kDeviceSelectLayout = L"device_select_layout";
inline constexpr const wchar_t* kDeviceSwitch = L"device_switch";
inline constexpr const wchar_t* kPowerSwitch = L"device_power_switch";
inline constexpr const wchar_t* kNoDeviceLink = L"No_device_Link";
inline constexpr const wchar_t* kSelectPrevious = L"device_select_prev";
inline constexpr const wchar_t* kSelectNext = L"device_select_next";
inline constexpr const wchar_t* kSynchroniseButton = L"deng_same_mode";

// ---- controls of a list entry (DeviceOption.xml) ---------------------------------------------
inline constexpr const wchar_t* kEntrySelect = L"device_select";
inline constexpr const wchar_t* kEntrySynchro = L"synchro_device_select";
inline constexpr const wchar_t* kEntryName = L"device_select_name";

// ---- controls of a battery control (MpDevicePower.xml) ---------------------------------------
inline constexpr const wchar_t* kPowerLayout = L"device_power_Layout";
inline constexpr const wchar_t* kPowerValue = L"device_power_value";
inline constexpr const wchar_t* kPowerWirelessLogo = L"device_wuxian_logo";
inline constexpr const wchar_t* kPowerProgress = L"device_Power_progress";
inline constexpr const wchar_t* kPowerStatus = L"device_power_status";
inline constexpr const wchar_t* kPhoneType = L"device_phone_type";

// ---- layouts --------------------------------------------------------------------------------
inline constexpr const wchar_t* kPowerLayoutFile = L"XML\\CustomControlXML\\MpDevicePower.xml";

// ---- entry timers (paint-manager timers on the list entry) ------------------------------------
inline constexpr unsigned kTimerPaint = 1000;       // lighting preview and light frames
inline constexpr unsigned kTimerLinkCheck = 1001;   // first link check after connect, then while down
inline constexpr unsigned kTimerReload = 1002;      // a notification asked to re-read the settings
inline constexpr unsigned kTimerPower = 1005;       // battery
inline constexpr unsigned kTimerLinkWatch = 1007;   // wireless link watch
// The receiver link query after a switch to the receiver, one try per tick.
inline constexpr unsigned kTimerLinkQuery = 1008;

inline constexpr unsigned kLinkCheckFirstMs = 500;
inline constexpr unsigned kLinkCheckDownMs = 3000;
inline constexpr unsigned kPaintFirstMs = 5;
inline constexpr unsigned kPaintWiredMs = 10;
inline constexpr unsigned kPaintReceiverMs = 50;
inline constexpr unsigned kReloadDelayMs = 50;
inline constexpr unsigned kPowerFirstMs = 50;
inline constexpr unsigned kPowerRepeatMs = 5000;
inline constexpr unsigned kLinkWatchFirstMs = 2000;
inline constexpr unsigned kLinkWatchRepeatMs = 3000;
inline constexpr unsigned kLinkQueryIntervalMs = 50;
inline constexpr int kLinkQueryTries = 26;
// Failed link checks are counted modulo this.
inline constexpr int kLinkLossModulo = 20;

// ---- workers ----------------------------------------------------------------------------------
inline constexpr std::chrono::milliseconds kDiscoveryPeriod{100};
// After a supported interface could not be opened (its permissions may not be applied yet),
// enumeration is retried even without a hot-plug event, first after one period, then at
// doubling intervals up to this bound.
inline constexpr std::chrono::milliseconds kUnopenedRetryMax{3200};
// The synchronisation thread's wait between tick checks, and its rest while nothing is
// synchronised.
inline constexpr std::chrono::milliseconds kSyncTickWait{1};
inline constexpr std::chrono::milliseconds kSyncIdleWait{1000};

}  // namespace dw::devlist
