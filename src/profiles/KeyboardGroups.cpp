#include "profiles/KeyboardGroups.h"

namespace dw {

using json::Member;
using json::ReadBool;
using json::ReadUint8;
using json::ReadUint16;

namespace {

constexpr const char* kLightColorInfoKey = "LightColorInfo";

Json::Value KeyColorValue(const CustomKeyColor& color)
{
    Json::Value element(Json::objectValue);
    element["Red"] = color.Red;
    element["Green"] = color.Green;
    element["Blue"] = color.Blue;
    element["Alpha"] = color.Alpha;
    element["IsBright"] = color.IsBright;
    return element;
}

Json::Value ZeroGroup(size_t keyCount)
{
    Json::Value group(Json::arrayValue);
    for (size_t i = 0; i < keyCount; ++i)
        group.append(KeyColorValue(CustomKeyColor{}));
    return group;
}

}  // namespace

json::GroupRead ReadKeyboardSystemStages(const Json::Value& settings, KeyboardSystemStages& stages)
{
    const Json::Value& group = Member(settings, kSystemStagesKey);
    if (!group.isObject())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    tally.Take(stages.Repeat, ReadUint16(Member(group, "Repeat")));
    tally.Take(stages.RepeatDelay, ReadUint16(Member(group, "RepeatDelay")));
    tally.Take(stages.Key6Flag, ReadUint16(Member(group, "Key6Flag")));
    tally.Take(stages.PollingRate, ReadUint16(Member(group, "PollingRate")));
    tally.Take(stages.WFlag, ReadUint16(Member(group, "WFlag")));
    tally.Take(stages.WinFlag, ReadUint16(Member(group, "WinFlag")));
    return tally.Result();
}

void WriteKeyboardSystemStages(Json::Value& settings, const KeyboardSystemStages& stages)
{
    Json::Value& group = json::ObjectMember(settings, kSystemStagesKey);
    if (!group.isObject())
        group = Json::Value(Json::objectValue);
    group["Repeat"] = stages.Repeat;
    group["RepeatDelay"] = stages.RepeatDelay;
    group["Key6Flag"] = stages.Key6Flag;
    group["PollingRate"] = stages.PollingRate;
    group["WFlag"] = stages.WFlag;
    group["WinFlag"] = stages.WinFlag;
}

json::GroupRead ReadAudioLightRecord(const Json::Value& settings, AudioLightInfo& record)
{
    const Json::Value& group = Member(settings, kAudioLightInfoKey);
    if (!group.isObject())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    tally.Take(record.AudioMode, ReadUint8(Member(group, "AudioMode")));
    tally.Take(record.BkColorR, ReadUint8(Member(group, "BkColorR")));
    tally.Take(record.BkColorG, ReadUint8(Member(group, "BkColorG")));
    tally.Take(record.BkColorB, ReadUint8(Member(group, "BkColorB")));
    tally.Take(record.FgColorR, ReadUint8(Member(group, "FgColorR")));
    tally.Take(record.FgColorG, ReadUint8(Member(group, "FgColorG")));
    tally.Take(record.FgColorB, ReadUint8(Member(group, "FgColorB")));
    tally.Take(record.SevenColorFlags, ReadUint8(Member(group, "7ColorFlags")));
    tally.Take(record.ColorTypeFlags, ReadUint8(Member(group, "ColorTypeFlags")));
    return tally.Result();
}

void WriteAudioLightRecord(Json::Value& settings, const AudioLightInfo& record)
{
    Json::Value& group = json::ObjectMember(settings, kAudioLightInfoKey);
    if (!group.isObject())
        group = Json::Value(Json::objectValue);
    group["AudioMode"] = record.AudioMode;
    group["BkColorR"] = record.BkColorR;
    group["BkColorG"] = record.BkColorG;
    group["BkColorB"] = record.BkColorB;
    group["FgColorR"] = record.FgColorR;
    group["FgColorG"] = record.FgColorG;
    group["FgColorB"] = record.FgColorB;
    group["7ColorFlags"] = record.SevenColorFlags;
    group["ColorTypeFlags"] = record.ColorTypeFlags;
}

json::GroupRead ReadCustomLightGroupIndex(const Json::Value& settings, int& group)
{
    const auto index = json::ReadInt(Member(settings, kCustomLightModeGroupIndexKey));
    if (!index || *index < 0 || *index >= kMaxCustomLightGroups)
        return json::GroupRead::Missing;
    group = *index;
    return json::GroupRead::Complete;
}

void WriteCustomLightGroupIndex(Json::Value& settings, int group)
{
    if (group < 0 || group >= kMaxCustomLightGroups)
        return;
    json::ObjectMember(settings, kCustomLightModeGroupIndexKey) = group;
}

json::GroupRead ReadCustomLightGroup(const Json::Value& settings, int group, size_t keyCount,
                                     std::vector<CustomKeyColor>& colors)
{
    colors.assign(keyCount, CustomKeyColor{});
    if (group < 0 || group >= kMaxCustomLightGroups)
        return json::GroupRead::Missing;
    const Json::Value& groups = Member(Member(settings, kCustomLightModeKey), kLightColorInfoKey);
    const Json::Value& keys = json::Element(groups, static_cast<Json::ArrayIndex>(group));
    if (!keys.isArray())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    for (size_t i = 0; i < keyCount; ++i) {
        const Json::Value& element = json::Element(keys, static_cast<Json::ArrayIndex>(i));
        CustomKeyColor& color = colors[i];
        tally.Take(color.Red, ReadUint8(Member(element, "Red")));
        tally.Take(color.Green, ReadUint8(Member(element, "Green")));
        tally.Take(color.Blue, ReadUint8(Member(element, "Blue")));
        tally.Take(color.Alpha, ReadUint8(Member(element, "Alpha")));
        tally.Take(color.IsBright, ReadBool(Member(element, "IsBright")));
    }
    return tally.Result();
}

bool WriteCustomLightGroup(Json::Value& settings, int group, const std::vector<CustomKeyColor>& colors)
{
    if (group < 0 || group >= kMaxCustomLightGroups)
        return false;
    Json::Value& mode = json::ObjectMember(settings, kCustomLightModeKey);
    Json::Value& groups = json::ObjectMember(mode, kLightColorInfoKey);
    const auto index = static_cast<Json::ArrayIndex>(group);
    const Json::ArrayIndex existing = groups.isArray() ? groups.size() : 0;
    json::EnsureArray(groups, index + 1);
    for (Json::ArrayIndex g = existing; g < index; ++g)
        groups[g] = ZeroGroup(colors.size());
    Json::Value keys(Json::arrayValue);
    for (const CustomKeyColor& color : colors)
        keys.append(KeyColorValue(color));
    groups[index] = std::move(keys);
    return true;
}

}  // namespace dw
