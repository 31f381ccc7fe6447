#pragma once

// The mouse's settings groups: DPI stages ("DPIStages"), pointer settings ("SystemStages"),
// report rate ("ReportStages"), sensor corrections ("CorrectInfo"), and the factory codes of
// its eleven buttons that identify them in "KeyList".

#include "keyboard/Assignment.h"
#include "profiles/JsonAccess.h"

#include <json/value.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dw {

// One DPI stage, 9 bytes on the device.
struct DpiStage {
    uint8_t active = 0;  // part of the DPI cycle
    uint8_t xy = 0;      // separate X and Y DPI
    uint16_t dpiX = 0;   // DPI index (not DPI) of the X axis
    uint16_t dpiY = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const DpiStage&, const DpiStage&) = default;
};

// The pointer settings kept with a mouse profile and the report-rate index. The device object
// packs them in pairs (MouseSpeed:DoubleClickTime, ScorllPage:PointerPrecision,
// ReportRate:WheelScorlllinse).
struct MousePointerSettings {
    uint16_t DoubleClickTime = 0;
    uint16_t MouseSpeed = 0;
    uint16_t PointerPrecision = 0;
    uint16_t ScorllPage = 0;
    uint16_t WheelScorlllinse = 0;
    uint16_t ReportRate = 0;  // "ReportStages"."StageActive"
    friend bool operator==(const MousePointerSettings&, const MousePointerSettings&) = default;
};

// A sensor correction preset; the first one selected supplies two bytes of the settings block.
struct CorrectEntry {
    uint8_t CorrectPixThresh = 0;
    uint8_t CorrectMinSq = 0;
    uint8_t CorrectSelect = 0;
    std::wstring CorrectName;
    friend bool operator==(const CorrectEntry&, const CorrectEntry&) = default;
};

inline constexpr const char* kDpiStagesKey = "DPIStages";
inline constexpr const char* kReportStagesKey = "ReportStages";
inline constexpr const char* kCorrectInfoKey = "CorrectInfo";

// The page shows five stages; a document may list more, but no more than this are read.
inline constexpr size_t kMaxDpiStages = 16;
inline constexpr size_t kMaxCorrectEntries = 16;
inline constexpr size_t kMouseButtonCount = 11;

// The factory assignment of each mouse button, in button order; it identifies the button.
inline constexpr std::array<Assignment, kMouseButtonCount> kMouseFactoryButtons{{
    {0x10, 0x01, 0x00},  // left
    {0x10, 0x02, 0x00},  // right
    {0x10, 0x04, 0x00},  // middle
    {0x10, 0x10, 0x00},  // forward
    {0x10, 0x08, 0x00},  // back
    {0x13, 0x01, 0x00},  // DPI up
    {0x13, 0x02, 0x00},  // DPI down
    {0x13, 0x03, 0x00},  // DPI cycle
    {0xA0, 0x1B, 0x00},  // game mode
    {0x16, 0x90, 0x01},  // DPI shift
    {0x14, 0x78, 0x02},  // fire key
}};

// Reads "DPIStages": "StageActive" into `currentStage`, and each element of "StageDPIs" over
// the stage at the same index (appended past the end), so reading never shortens `stages`. A
// missing group or "StageDPIs" leaves `stages` unchanged.
json::GroupRead ReadDpiStages(const Json::Value& settings, std::vector<DpiStage>& stages, int& currentStage);
// Rewrites every member of every stage in "StageDPIs".
void WriteDpiStages(Json::Value& settings, const std::vector<DpiStage>& stages);
// Writes "DPIStages"."StageActive".
void WriteCurrentDpiStage(Json::Value& settings, int currentStage);

// Reads the five pointer members of "SystemStages" and, only when "SystemStages" is present,
// "ReportStages"."StageActive". A missing "SystemStages" gives all six values 0.
json::GroupRead ReadMousePointerSettings(const Json::Value& settings, MousePointerSettings& pointer);
// Writes all five "SystemStages" members and "ReportStages"."StageActive".
void WriteMousePointerSettings(Json::Value& settings, const MousePointerSettings& pointer);

// Reads "CorrectInfo" (never written by the program).
json::GroupRead ReadCorrectInfo(const Json::Value& settings, std::vector<CorrectEntry>& entries);

}  // namespace dw
