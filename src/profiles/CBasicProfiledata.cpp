#include "profiles/CBasicProfiledata.h"

#include "profiles/JsonAccess.h"
#include "profiles/JsonDocument.h"

namespace dw {
namespace {

constexpr const char* kDeviceKey = "Device";

}  // namespace

bool CBasicProfiledata::SaveDeviceSettings()
{
    return WriteDeviceSettings(deviceSettings_, profilePath_);
}

bool CBasicProfiledata::WriteDeviceSettings(const Json::Value& value, const std::wstring& path)
{
    if (path.empty() || !DeviceIndexValid())
        return false;
    Json::Value document = ReadJsonDocument(path);
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    const auto index = static_cast<Json::ArrayIndex>(deviceIndex_);
    Json::Value& devices = json::EnsureArray(document[kDeviceKey], index + 1);
    devices[index] = value;
    return WriteDocument(document, path);
}

bool CBasicProfiledata::SaveSecondarySettings(const std::wstring& path)
{
    return WriteDeviceSettings(secondarySettings_, path);
}

bool CBasicProfiledata::WriteDocument(const Json::Value& value, const std::wstring& path)
{
    if (path.empty())
        return false;
    return WriteJsonDocument(path, value);
}

void CBasicProfiledata::SetDefaultProfilePath(const std::wstring& path)
{
    if (!path.empty())
        defaultProfilePath_ = path;
}

void CBasicProfiledata::SetProfilePath(const std::wstring& path)
{
    if (!path.empty())
        profilePath_ = path;
}

const Json::Value& CBasicProfiledata::DeviceElementOf(const Json::Value& document) const
{
    static const Json::Value kNull;
    if (!DeviceIndexValid())
        return kNull;
    const Json::Value& element =
        json::Element(json::Member(document, kDeviceKey), static_cast<Json::ArrayIndex>(deviceIndex_));
    // Settings are an object; any other shape is treated as missing and refilled.
    return element.isObject() ? element : kNull;
}

Json::Value CBasicProfiledata::LoadInto(Json::Value& cache, const std::wstring& path)
{
    Json::Value document = path.empty() ? Json::Value() : ReadJsonDocument(path);
    cache = DeviceElementOf(document);
    if (!cache.isNull())
        return cache;

    cache = DeviceElementOf(ReadJsonDocument(defaultProfilePath_));
    // Fill the profile from the factory settings so that the next load finds them, keeping
    // whatever else the document held (its name and id).
    if (!path.empty() && DeviceIndexValid()) {
        if (!document.isObject())
            document = Json::Value(Json::objectValue);
        const auto index = static_cast<Json::ArrayIndex>(deviceIndex_);
        Json::Value& devices = json::EnsureArray(document[kDeviceKey], index + 1);
        devices[index] = cache;
        WriteDocument(document, path);
    }
    return cache;
}

Json::Value CBasicProfiledata::LoadDeviceSettings(const std::wstring& path)
{
    return LoadInto(deviceSettings_, path);
}

Json::Value CBasicProfiledata::LoadSecondarySettings(const std::wstring& path)
{
    return LoadInto(secondarySettings_, path);
}

Json::Value CBasicProfiledata::LoadLightConfig(const std::wstring& path)
{
    lightConfig_ = path.empty() ? Json::Value() : ReadJsonDocument(path);
    return lightConfig_;
}

const LightingRecord& CBasicProfiledata::GetLightingRecord()
{
    lightingRecord_ = LightingRecord{};
    ReadLightingRecord(deviceSettings_, lightingRecord_);
    return lightingRecord_;
}

void CBasicProfiledata::SetLightingRecord(const LightingRecord& record)
{
    lightingRecord_ = record;
    WriteLightingRecord(deviceSettings_, record);
}

const std::vector<LightStep>& CBasicProfiledata::GetLightList()
{
    lightList_.clear();
    ReadLightList(deviceSettings_, lightList_);
    return lightList_;
}

void CBasicProfiledata::SetLightList(const std::vector<LightStep>& steps)
{
    lightList_ = steps;
    WriteLightList(deviceSettings_, steps);
}

}  // namespace dw
