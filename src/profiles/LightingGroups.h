#pragma once

// The lighting groups every device family keeps in its settings: the lighting record
// ("LightInfo") and the active saved light sequence ("LightList").

#include "profiles/JsonAccess.h"

#include <json/value.h>

#include <cstdint>
#include <vector>

namespace dw {

// The selected effect and its parameters (14 bytes, as the device objects copy it).
struct LightingRecord {
    uint8_t SelectItem = 0;   // index of the effect in the model's effect list, 0..45
    uint8_t Light = 4;        // brightness level 0..4
    uint8_t Speed = 2;        // speed level 0..4
    uint8_t Fx = 0;           // direction or variant, 0 or 1
    uint8_t MultiColor = 1;   // multi-colour flag, stored as a JSON boolean
    uint8_t Red = 255;
    uint8_t Green = 255;
    uint8_t Blue = 255;
    uint8_t Reserved[3] = {}; // not stored, always 0
    uint8_t ZZCCLedMode = 0;  // mode extension byte, passed through to the device
    uint8_t CustomGroup = 0;  // custom-light group in use
    uint8_t OldLedmode = 0;   // kept with the record
    friend bool operator==(const LightingRecord&, const LightingRecord&) = default;
};
static_assert(sizeof(LightingRecord) == 14);

// One step of a saved light sequence.
struct LightStep {
    uint8_t LEDREGMode = 0;     // the step's sub-effect (0, 1, 2, 4 or 5)
    uint8_t LEDBrightness = 0;  // brightness level
    uint8_t LEDSpeed = 0;       // speed level
    uint8_t LEDDirection = 0;   // JSON boolean
    uint8_t LEDMultiColor = 0;  // JSON boolean
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint32_t Time = 0;          // how long the step plays, in milliseconds
    uint32_t Cyle = 0;          // repeat count
    bool valid = false;         // false for a step read from a null element
    friend bool operator==(const LightStep&, const LightStep&) = default;
};

// A sequence longer than this is cut when read; the editor offers far fewer steps.
inline constexpr Json::ArrayIndex kMaxLightSteps = 256;

inline constexpr const char* kLightInfoKey = "LightInfo";
inline constexpr const char* kLightListKey = "LightList";

// Reads "LightInfo" of `settings` into `record`; members that are missing or unreadable keep
// the value `record` had.
json::GroupRead ReadLightingRecord(const Json::Value& settings, LightingRecord& record);
void WriteLightingRecord(Json::Value& settings, const LightingRecord& record);

// One step object (the form shared by "LightList" and the ".light" sequence files). A null
// element gives an all-zero, invalid step.
json::GroupRead ReadLightStep(const Json::Value& element, LightStep& step);
Json::Value LightStepValue(const LightStep& step);

// Reads "LightList" of `settings`: an array of step objects. A missing or malformed group
// leaves `steps` as it was.
json::GroupRead ReadLightList(const Json::Value& settings, std::vector<LightStep>& steps);
void WriteLightList(Json::Value& settings, const std::vector<LightStep>& steps);

}  // namespace dw
