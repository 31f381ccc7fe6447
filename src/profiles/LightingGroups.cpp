#include "profiles/LightingGroups.h"

#include <algorithm>

namespace dw {

using json::Member;
using json::ReadBool;
using json::ReadUint8;
using json::ReadUint32;

json::GroupRead ReadLightingRecord(const Json::Value& settings, LightingRecord& record)
{
    const Json::Value& group = Member(settings, kLightInfoKey);
    if (!group.isObject())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    tally.Take(record.SelectItem, ReadUint8(Member(group, "SelectItem")));
    tally.Take(record.Light, ReadUint8(Member(group, "Light")));
    tally.Take(record.Speed, ReadUint8(Member(group, "Speed")));
    tally.Take(record.Fx, ReadUint8(Member(group, "Fx")));
    tally.Take(record.MultiColor, ReadBool(Member(group, "MultiColor")));
    tally.Take(record.Red, ReadUint8(Member(group, "Red")));
    tally.Take(record.Green, ReadUint8(Member(group, "Green")));
    tally.Take(record.Blue, ReadUint8(Member(group, "Blue")));
    tally.Take(record.ZZCCLedMode, ReadUint8(Member(group, "ZZCCLedMode")));
    tally.Take(record.CustomGroup, ReadUint8(Member(group, "CustomGroup")));
    tally.Take(record.OldLedmode, ReadUint8(Member(group, "OldLedmode")));
    return tally.Result();
}

void WriteLightingRecord(Json::Value& settings, const LightingRecord& record)
{
    Json::Value& group = json::ObjectMember(settings, kLightInfoKey);
    if (!group.isObject())
        group = Json::Value(Json::objectValue);
    group["SelectItem"] = record.SelectItem;
    group["Light"] = record.Light;
    group["Speed"] = record.Speed;
    group["Fx"] = record.Fx;
    group["MultiColor"] = record.MultiColor != 0;
    group["Red"] = record.Red;
    group["Green"] = record.Green;
    group["Blue"] = record.Blue;
    group["ZZCCLedMode"] = record.ZZCCLedMode;
    group["CustomGroup"] = record.CustomGroup;
    group["OldLedmode"] = record.OldLedmode;
}

json::GroupRead ReadLightStep(const Json::Value& element, LightStep& step)
{
    step = LightStep{};
    if (!element.isObject())
        return json::GroupRead::Missing;
    step.valid = true;
    json::FieldTally tally;
    tally.Take(step.LEDREGMode, ReadUint8(Member(element, "LEDREGMode")));
    tally.Take(step.LEDBrightness, ReadUint8(Member(element, "LEDBrightness")));
    tally.Take(step.LEDSpeed, ReadUint8(Member(element, "LEDSpeed")));
    tally.Take(step.LEDDirection, ReadBool(Member(element, "LEDDirection")));
    tally.Take(step.LEDMultiColor, ReadBool(Member(element, "LEDMultiColor")));
    tally.Take(step.red, ReadUint8(Member(element, "red")));
    tally.Take(step.green, ReadUint8(Member(element, "green")));
    tally.Take(step.blue, ReadUint8(Member(element, "blue")));
    tally.Take(step.Time, ReadUint32(Member(element, "Time")));
    tally.Take(step.Cyle, ReadUint32(Member(element, "Cyle")));
    return tally.Result();
}

Json::Value LightStepValue(const LightStep& step)
{
    if (!step.valid)
        return Json::Value();
    Json::Value element(Json::objectValue);
    element["LEDREGMode"] = step.LEDREGMode;
    element["LEDBrightness"] = step.LEDBrightness;
    element["LEDSpeed"] = step.LEDSpeed;
    element["LEDDirection"] = step.LEDDirection != 0;
    element["LEDMultiColor"] = step.LEDMultiColor != 0;
    element["red"] = step.red;
    element["green"] = step.green;
    element["blue"] = step.blue;
    element["Time"] = step.Time;
    element["Cyle"] = step.Cyle;
    return element;
}

json::GroupRead ReadLightList(const Json::Value& settings, std::vector<LightStep>& steps)
{
    const Json::Value& group = Member(settings, kLightListKey);
    if (!group.isArray())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    std::vector<LightStep> read;
    const Json::ArrayIndex count = std::min(group.size(), kMaxLightSteps);
    read.reserve(count);
    for (Json::ArrayIndex i = 0; i < count; ++i) {
        LightStep step;
        // A null element is a legitimate invalid step; any other shape is damage.
        const json::GroupRead result = ReadLightStep(group[i], step);
        tally.Count(group[i].isNull() || result == json::GroupRead::Complete);
        read.push_back(step);
    }
    tally.Count(group.size() <= kMaxLightSteps);
    steps = std::move(read);
    return tally.Result();
}

void WriteLightList(Json::Value& settings, const std::vector<LightStep>& steps)
{
    Json::Value list(Json::arrayValue);
    for (const LightStep& step : steps)
        list.append(LightStepValue(step));
    json::ObjectMember(settings, kLightListKey) = std::move(list);
}

}  // namespace dw
