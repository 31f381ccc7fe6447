#pragma once

// The lighting groups every device family keeps in its settings: the lighting record
// ("LightInfo", keyboard/LightingRecord.h) and the active saved light sequence ("LightList").

#include "keyboard/LightingRecord.h"
#include "profiles/JsonAccess.h"

#include <json/value.h>

#include <cstdint>
#include <vector>

namespace dw {

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
