#include "profiles/MouseGroups.h"

#include "platform/Utf8.h"

#include <algorithm>

namespace dw {

using json::Member;
using json::ReadInt;
using json::ReadUint8;
using json::ReadUint16;

namespace {

constexpr const char* kStageActiveKey = "StageActive";
constexpr const char* kStageDpisKey = "StageDPIs";
constexpr const char* kPointerKey = "SystemStages";

}  // namespace

json::GroupRead ReadDpiStages(const Json::Value& settings, std::vector<DpiStage>& stages, int& currentStage)
{
    const Json::Value& group = Member(settings, kDpiStagesKey);
    if (!group.isObject())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    tally.Take(currentStage, ReadInt(Member(group, kStageActiveKey)));
    const Json::Value& list = Member(group, kStageDpisKey);
    tally.Count(list.isArray());
    if (!list.isArray())
        return tally.Result();
    const size_t count = std::min<size_t>(list.size(), kMaxDpiStages);
    for (size_t i = 0; i < count; ++i) {
        const Json::Value& element = list[static_cast<Json::ArrayIndex>(i)];
        if (stages.size() <= i)
            stages.resize(i + 1);
        DpiStage& stage = stages[i];
        tally.Take(stage.active, ReadUint8(Member(element, kStageActiveKey)));
        tally.Take(stage.xy, ReadUint8(Member(element, "StageXY")));
        tally.Take(stage.dpiX, ReadUint16(Member(element, "StageDPIX")));
        tally.Take(stage.dpiY, ReadUint16(Member(element, "StageDPIY")));
        tally.Take(stage.red, ReadUint8(Member(element, "StageColorR")));
        tally.Take(stage.green, ReadUint8(Member(element, "StageColorG")));
        tally.Take(stage.blue, ReadUint8(Member(element, "StageColorB")));
    }
    tally.Count(list.size() <= kMaxDpiStages);
    return tally.Result();
}

void WriteDpiStages(Json::Value& settings, const std::vector<DpiStage>& stages)
{
    Json::Value& group = json::ObjectMember(settings, kDpiStagesKey);
    Json::Value& list = json::EnsureArray(json::ObjectMember(group, kStageDpisKey),
                                          static_cast<Json::ArrayIndex>(stages.size()));
    for (size_t i = 0; i < stages.size(); ++i) {
        Json::Value& element = list[static_cast<Json::ArrayIndex>(i)];
        if (!element.isObject())
            element = Json::Value(Json::objectValue);
        const DpiStage& stage = stages[i];
        element[kStageActiveKey] = stage.active;
        element["StageXY"] = stage.xy;
        element["StageDPIX"] = stage.dpiX;
        element["StageDPIY"] = stage.dpiY;
        element["StageColorR"] = stage.red;
        element["StageColorG"] = stage.green;
        element["StageColorB"] = stage.blue;
    }
}

void WriteCurrentDpiStage(Json::Value& settings, int currentStage)
{
    json::ObjectMember(json::ObjectMember(settings, kDpiStagesKey), kStageActiveKey) = currentStage;
}

json::GroupRead ReadMousePointerSettings(const Json::Value& settings, MousePointerSettings& pointer)
{
    pointer = MousePointerSettings{};
    const Json::Value& group = Member(settings, kPointerKey);
    if (!group.isObject())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    tally.Take(pointer.DoubleClickTime, ReadUint16(Member(group, "DoubleClickTime")));
    tally.Take(pointer.MouseSpeed, ReadUint16(Member(group, "MouseSpeed")));
    tally.Take(pointer.PointerPrecision, ReadUint16(Member(group, "PointerPrecision")));
    tally.Take(pointer.ScorllPage, ReadUint16(Member(group, "ScorllPage")));
    tally.Take(pointer.WheelScorlllinse, ReadUint16(Member(group, "WheelScorlllinse")));
    tally.Take(pointer.ReportRate, ReadUint16(Member(Member(settings, kReportStagesKey), kStageActiveKey)));
    return tally.Result();
}

void WriteMousePointerSettings(Json::Value& settings, const MousePointerSettings& pointer)
{
    Json::Value& group = json::ObjectMember(settings, kPointerKey);
    if (!group.isObject())
        group = Json::Value(Json::objectValue);
    group["DoubleClickTime"] = pointer.DoubleClickTime;
    group["MouseSpeed"] = pointer.MouseSpeed;
    group["PointerPrecision"] = pointer.PointerPrecision;
    group["ScorllPage"] = pointer.ScorllPage;
    group["WheelScorlllinse"] = pointer.WheelScorlllinse;
    json::ObjectMember(json::ObjectMember(settings, kReportStagesKey), kStageActiveKey) = pointer.ReportRate;
}

json::GroupRead ReadCorrectInfo(const Json::Value& settings, std::vector<CorrectEntry>& entries)
{
    const Json::Value& list = Member(settings, kCorrectInfoKey);
    if (!list.isArray())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    entries.clear();
    const size_t count = std::min<size_t>(list.size(), kMaxCorrectEntries);
    for (size_t i = 0; i < count; ++i) {
        const Json::Value& element = list[static_cast<Json::ArrayIndex>(i)];
        CorrectEntry entry;
        tally.Take(entry.CorrectPixThresh, ReadUint8(Member(element, "CorrectPixThresh")));
        tally.Take(entry.CorrectMinSq, ReadUint8(Member(element, "CorrectMinSq")));
        tally.Take(entry.CorrectSelect, ReadUint8(Member(element, "CorrectSelect")));
        const auto name = json::ReadString(Member(element, "CorrectName"));
        tally.Count(name.has_value());
        if (name)
            entry.CorrectName = platform::Utf8ToWide(*name);
        entries.push_back(std::move(entry));
    }
    tally.Count(list.size() <= kMaxCorrectEntries);
    return tally.Result();
}

}  // namespace dw
