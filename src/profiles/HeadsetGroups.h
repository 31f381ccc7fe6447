#pragma once

// The headset's settings groups: the voice, equaliser and microphone record
// ("SystemSetStages"), the band gains last applied per preset ("EQHzValueInfo"), and the named
// custom curves ("CustomEQNameInfo", "CustomEQHzValueInfo").

#include "profiles/JsonAccess.h"

#include <json/value.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dw {

struct HeadsetRecord {
    int32_t MagicEnable = 0;         // voice changer on
    int32_t MagicType = 0;           // voice option number, 1-based
    int32_t EqType = 0;              // 1..12 preset, 13 custom
    int32_t CustomEqSeletIndex = 0;  // selected custom curve
    int32_t MicInSelect = 0;         // 1 = microphone not muted
    int32_t MicInValue = 0;          // microphone level, 0..100
    int32_t MicMoniterSelect = 0;    // 1 = monitoring not muted
    int32_t MicMoniterValue = 0;     // monitoring level
    friend bool operator==(const HeadsetRecord&, const HeadsetRecord&) = default;
};

inline constexpr size_t kEqBandCount = 10;
using EqGains = std::array<int32_t, kEqBandCount>;

inline constexpr int kFirstEqPreset = 1;
inline constexpr int kLastEqPreset = 12;
inline constexpr int kCustomEqType = 13;
inline constexpr size_t kMaxCustomEqCurves = 20;

inline constexpr const char* kSystemSetStagesKey = "SystemSetStages";
inline constexpr const char* kEqHzValueInfoKey = "EQHzValueInfo";
inline constexpr const char* kCustomEqNameInfoKey = "CustomEQNameInfo";
inline constexpr const char* kCustomEqHzValueInfoKey = "CustomEQHzValueInfo";

// The built-in band gains of presets 1..12 (index 0 is preset 1).
extern const std::array<EqGains, kLastEqPreset> kEqPresetGains;

// Reads "SystemSetStages"; a missing group gives all eight fields 0.
json::GroupRead ReadHeadsetRecord(const Json::Value& settings, HeadsetRecord& record);
void WriteHeadsetRecord(Json::Value& settings, const HeadsetRecord& record);

// The gains stored for equaliser type `eqType`: type 0 or above 13 reads preset 1, type 13 reads
// nothing (Missing, gains 0); a missing group, entry or value reads 0.
json::GroupRead ReadPresetGains(const Json::Value& settings, int eqType, EqGains& gains);
// Stores the gains of preset 1..12 under "EQHzValueInfo"[preset]; other presets are ignored.
void WritePresetGains(Json::Value& settings, int preset, const EqGains& gains);

// The custom curve names and gains (at most kMaxCustomEqCurves of each are read).
json::GroupRead ReadCustomEqNames(const Json::Value& settings, std::vector<std::wstring>& names);
void WriteCustomEqNames(Json::Value& settings, const std::vector<std::wstring>& names);
json::GroupRead ReadCustomEqGains(const Json::Value& settings, std::vector<EqGains>& curves);
void WriteCustomEqGains(Json::Value& settings, const std::vector<EqGains>& curves);

}  // namespace dw
