#pragma once

// The keyboard's own settings groups: the system settings ("SystemStages"), the audio
// lighting record ("AudioLightInfo") and the custom per-key colours ("CustomLightMode" with
// "CustomLightModeGroupIndex").

#include "keyboard/KeyboardSystemSettings.h"
#include "profiles/JsonAccess.h"

#include <json/value.h>

#include <cstdint>
#include <vector>

namespace dw {

// How the keyboard's lighting follows the sound being played, as the profile stores it
// ("AudioLightInfo"). The device objects pass the same record packed in three words
// (transport/device/AudioLightRecord.h).
struct AudioLightInfo {
    uint8_t AudioMode = 0;  // audio style 0..6
    uint8_t BkColorR = 0;
    uint8_t BkColorG = 0;
    uint8_t BkColorB = 0;
    uint8_t FgColorR = 255;
    uint8_t FgColorG = 255;
    uint8_t FgColorB = 255;
    uint8_t SevenColorFlags = 1;  // "7ColorFlags"
    uint8_t ColorTypeFlags = 0;
    friend bool operator==(const AudioLightInfo&, const AudioLightInfo&) = default;
};

// One key's colour in a custom-light group.
struct CustomKeyColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    uint8_t Alpha = 0;
    bool IsBright = false;  // lit flag
    friend bool operator==(const CustomKeyColor&, const CustomKeyColor&) = default;
};

inline constexpr const char* kSystemStagesKey = "SystemStages";
inline constexpr const char* kAudioLightInfoKey = "AudioLightInfo";
inline constexpr const char* kCustomLightModeKey = "CustomLightMode";
inline constexpr const char* kCustomLightModeGroupIndexKey = "CustomLightModeGroupIndex";

// Custom-light groups the profile keeps; a group number from elsewhere (a settings block byte)
// beyond this is refused rather than growing the document.
inline constexpr int kMaxCustomLightGroups = 16;

// Reads "SystemStages": each member as an integer cut to 16 bits. Missing or unreadable
// members keep the value `stages` had.
json::GroupRead ReadKeyboardSystemStages(const Json::Value& settings, KeyboardSystemStages& stages);
// Writes the six members; other members of "SystemStages" are left as they are.
void WriteKeyboardSystemStages(Json::Value& settings, const KeyboardSystemStages& stages);

json::GroupRead ReadAudioLightRecord(const Json::Value& settings, AudioLightInfo& record);
void WriteAudioLightRecord(Json::Value& settings, const AudioLightInfo& record);

// "CustomLightModeGroupIndex"; a value outside 0..kMaxCustomLightGroups-1 reads as missing.
json::GroupRead ReadCustomLightGroupIndex(const Json::Value& settings, int& group);
void WriteCustomLightGroupIndex(Json::Value& settings, int group);

// Group `group` of "CustomLightMode"."LightColorInfo", as exactly `keyCount` colours (a group
// that does not exist reads as all zero; missing elements and members read as zero).
json::GroupRead ReadCustomLightGroup(const Json::Value& settings, int group, size_t keyCount,
                                     std::vector<CustomKeyColor>& colors);
// Stores group `group`; groups before it that do not exist yet are created with `colors.size()`
// zero elements. False (nothing changed) for a group number outside 0..kMaxCustomLightGroups-1.
bool WriteCustomLightGroup(Json::Value& settings, int group, const std::vector<CustomKeyColor>& colors);

}  // namespace dw
