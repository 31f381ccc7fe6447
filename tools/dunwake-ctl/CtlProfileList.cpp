#include "CtlProfileList.h"

#include <json/value.h>

#include "platform/Utf8.h"
#include "profiles/JsonDocument.h"

namespace dw::ctl {

namespace {

constexpr const wchar_t* kListFileName = L"ProfileList.ini";
constexpr const char* kListKey = "profilelist";
constexpr const char* kSelectKey = "profileselect";
constexpr const char* kNameKey = "profilename";
constexpr const char* kIdKey = "profileUUID";
constexpr const char* kLinkKey = "profileislink";
constexpr const char* kLinkNameKey = "profilelinkmame";
constexpr const char* kFirstProfileName = "Profile1";
constexpr const wchar_t* kProfileExtension = L".Json";

std::wstring IdOfSelected(const Json::Value& list)
{
    if (!list.isObject() || !list[kListKey].isArray() || list[kListKey].empty())
        return {};
    const Json::Value& entries = list[kListKey];
    const Json::Value& select = list[kSelectKey];
    const Json::ArrayIndex index =
        select.isIntegral() && select.asLargestInt() >= 0 && select.asLargestInt() < entries.size()
            ? static_cast<Json::ArrayIndex>(select.asLargestInt())
            : 0;
    const Json::Value& id = entries[index][kIdKey];
    if (!id.isString() || !IsPlainFileName(id.asString()))
        return {};
    return platform::Utf8ToWide(id.asString());
}

}  // namespace

std::wstring SelectedProfileId(const std::wstring& familyFolder, const std::wstring& factoryProfile)
{
    const std::wstring listPath = familyFolder + kListFileName;
    if (std::wstring id = IdOfSelected(ReadJsonDocument(listPath)); !id.empty())
        return id;

    const std::string id = MakeTimestampId();
    Json::Value entry(Json::objectValue);
    entry[kNameKey] = kFirstProfileName;
    entry[kIdKey] = id;
    entry[kLinkKey] = 0;
    entry[kLinkNameKey] = "";
    Json::Value list(Json::objectValue);
    list[kListKey] = Json::Value(Json::arrayValue);
    list[kListKey].append(entry);
    list[kSelectKey] = 0;
    if (!WriteJsonDocument(listPath, list))
        return {};

    Json::Value profile = ReadJsonDocument(factoryProfile);
    if (!profile.isObject())
        profile = Json::Value(Json::objectValue);
    profile[kNameKey] = kFirstProfileName;
    profile[kIdKey] = id;
    const std::wstring wideId = platform::Utf8ToWide(id);
    WriteJsonDocument(familyFolder + wideId + kProfileExtension, profile);
    return wideId;
}

}  // namespace dw::ctl
