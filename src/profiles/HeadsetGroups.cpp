#include "profiles/HeadsetGroups.h"

#include "platform/Utf8.h"

#include <algorithm>

namespace dw {

using json::Member;
using json::ReadInt;

namespace {

constexpr const char* kBandValueKey = "value";
constexpr const char* kCurveNameKey = "Name";

// Ten objects with "value"; missing ones read 0.
void ReadBands(const Json::Value& bands, EqGains& gains, json::FieldTally& tally)
{
    gains.fill(0);
    for (size_t i = 0; i < kEqBandCount; ++i)
        tally.Take(gains[i], ReadInt(Member(json::Element(bands, static_cast<Json::ArrayIndex>(i)), kBandValueKey)));
}

Json::Value BandsValue(const EqGains& gains)
{
    Json::Value bands(Json::arrayValue);
    for (const int32_t gain : gains) {
        Json::Value band(Json::objectValue);
        band[kBandValueKey] = gain;
        bands.append(std::move(band));
    }
    return bands;
}

}  // namespace

const std::array<EqGains, kLastEqPreset> kEqPresetGains{{
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},
    {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
    {10, 4, 0, -3, -4, -3, -2, -1, 0, 0},
    {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},
    {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
    {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},
    {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},
    {2, 1, -2, -4, -8, 4, 12, 16, 18, 15},
}};

json::GroupRead ReadHeadsetRecord(const Json::Value& settings, HeadsetRecord& record)
{
    record = HeadsetRecord{};
    const Json::Value& group = Member(settings, kSystemSetStagesKey);
    if (!group.isObject())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    tally.Take(record.MagicEnable, ReadInt(Member(group, "MagicEnable")));
    tally.Take(record.MagicType, ReadInt(Member(group, "MagicType")));
    tally.Take(record.EqType, ReadInt(Member(group, "EqType")));
    tally.Take(record.CustomEqSeletIndex, ReadInt(Member(group, "CustomEqSeletIndex")));
    tally.Take(record.MicInSelect, ReadInt(Member(group, "MicInSelect")));
    tally.Take(record.MicInValue, ReadInt(Member(group, "MicInValue")));
    tally.Take(record.MicMoniterSelect, ReadInt(Member(group, "MicMoniterSelect")));
    tally.Take(record.MicMoniterValue, ReadInt(Member(group, "MicMoniterValue")));
    return tally.Result();
}

void WriteHeadsetRecord(Json::Value& settings, const HeadsetRecord& record)
{
    Json::Value& group = json::ObjectMember(settings, kSystemSetStagesKey);
    if (!group.isObject())
        group = Json::Value(Json::objectValue);
    group["MagicEnable"] = record.MagicEnable;
    group["MagicType"] = record.MagicType;
    group["EqType"] = record.EqType;
    group["CustomEqSeletIndex"] = record.CustomEqSeletIndex;
    group["MicInSelect"] = record.MicInSelect;
    group["MicInValue"] = record.MicInValue;
    group["MicMoniterSelect"] = record.MicMoniterSelect;
    group["MicMoniterValue"] = record.MicMoniterValue;
}

json::GroupRead ReadPresetGains(const Json::Value& settings, int eqType, EqGains& gains)
{
    gains.fill(0);
    if (eqType == kCustomEqType)
        return json::GroupRead::Missing;
    const int preset = (eqType < kFirstEqPreset || eqType > kCustomEqType) ? kFirstEqPreset : eqType;
    const Json::Value& presets = Member(settings, kEqHzValueInfoKey);
    const Json::Value& bands = json::Element(presets, static_cast<Json::ArrayIndex>(preset));
    if (!bands.isArray())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    ReadBands(bands, gains, tally);
    return tally.Result();
}

void WritePresetGains(Json::Value& settings, int preset, const EqGains& gains)
{
    if (preset < kFirstEqPreset || preset > kLastEqPreset)
        return;
    const auto index = static_cast<Json::ArrayIndex>(preset);
    Json::Value& presets = json::EnsureArray(json::ObjectMember(settings, kEqHzValueInfoKey), index + 1);
    presets[index] = BandsValue(gains);
}

json::GroupRead ReadCustomEqNames(const Json::Value& settings, std::vector<std::wstring>& names)
{
    names.clear();
    const Json::Value& list = Member(settings, kCustomEqNameInfoKey);
    if (!list.isArray())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    const size_t count = std::min<size_t>(list.size(), kMaxCustomEqCurves);
    for (size_t i = 0; i < count; ++i) {
        const auto name = json::ReadString(Member(list[static_cast<Json::ArrayIndex>(i)], kCurveNameKey));
        tally.Count(name.has_value());
        names.push_back(name ? platform::Utf8ToWide(*name) : std::wstring());
    }
    tally.Count(list.size() <= kMaxCustomEqCurves);
    return tally.Result();
}

void WriteCustomEqNames(Json::Value& settings, const std::vector<std::wstring>& names)
{
    Json::Value list(Json::arrayValue);
    for (const std::wstring& name : names) {
        Json::Value element(Json::objectValue);
        element[kCurveNameKey] = platform::WideToUtf8(name);
        list.append(std::move(element));
    }
    json::ObjectMember(settings, kCustomEqNameInfoKey) = std::move(list);
}

json::GroupRead ReadCustomEqGains(const Json::Value& settings, std::vector<EqGains>& curves)
{
    curves.clear();
    const Json::Value& list = Member(settings, kCustomEqHzValueInfoKey);
    if (!list.isArray())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    const size_t count = std::min<size_t>(list.size(), kMaxCustomEqCurves);
    for (size_t i = 0; i < count; ++i) {
        EqGains gains{};
        ReadBands(list[static_cast<Json::ArrayIndex>(i)], gains, tally);
        curves.push_back(gains);
    }
    tally.Count(list.size() <= kMaxCustomEqCurves);
    return tally.Result();
}

void WriteCustomEqGains(Json::Value& settings, const std::vector<EqGains>& curves)
{
    Json::Value list(Json::arrayValue);
    for (const EqGains& gains : curves)
        list.append(BandsValue(gains));
    json::ObjectMember(settings, kCustomEqHzValueInfoKey) = std::move(list);
}

}  // namespace dw
