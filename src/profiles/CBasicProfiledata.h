#pragma once

// The settings of the profile currently selected for one device, and the way they are loaded
// from and saved to the profile documents. A device object owns one profile-data object; the
// mousepad uses this class directly, the other families a subclass.
//
// The object caches element "Device"[device index] of the profile document (the device
// settings) and, for edits to other profiles, a second copy of the same member (the secondary
// settings). Group readers take their records out of these caches; group writers put them back
// and the caller saves. A profile document is only ever changed by reading it whole, changing
// that one element, and writing it whole, so its other members survive.
//
// All operations run on the UI thread. Failures of file writes are returned, never thrown; a
// failed write leaves the previous document on disk.

#include "profiles/LightingGroups.h"

#include <json/value.h>

#include <string>
#include <vector>

namespace dw {

class CBasicProfiledata {
public:
    // The only element of "Device" the program uses; higher indexes are refused so that a
    // wrong index can never grow a document without bound.
    static constexpr int kMaxDeviceIndex = 15;

    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = default;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = default;

    // Writes the cached device settings into the current profile document.
    virtual bool SaveDeviceSettings();
    // Reads the document at `path`, replaces its "Device"[device index] with `value` and writes
    // it back whole. A document that is missing or not an object starts as an empty object.
    virtual bool WriteDeviceSettings(const Json::Value& value, const std::wstring& path);
    // Writes the cached secondary settings into the document at `path`, as WriteDeviceSettings.
    virtual bool SaveSecondarySettings(const std::wstring& path);
    // Writes `value` as the whole document at `path`.
    virtual bool WriteDocument(const Json::Value& value, const std::wstring& path);

    // Paths. An empty profile or factory path is ignored (the previous one stays); the light
    // config path is always replaced.
    void SetDefaultProfilePath(const std::wstring& path);
    const std::wstring& GetDefaultProfilePath() const { return defaultProfilePath_; }
    void SetProfilePath(const std::wstring& path);
    const std::wstring& GetProfilePath() const { return profilePath_; }
    void SetLightConfigPath(const std::wstring& path) { lightConfigPath_ = path; }
    const std::wstring& GetLightConfigPath() const { return lightConfigPath_; }
    void SetDeviceIndex(int index) { deviceIndex_ = index; }
    int GetDeviceIndex() const { return deviceIndex_; }

    // Loads the device settings of the document at `path` and returns a copy. When the
    // document, its "Device" array or the element is missing or is not an object, the element
    // is taken from the factory document and written back to `path`, keeping the document's
    // other top-level members. Null only when the factory document has no settings either.
    Json::Value LoadDeviceSettings(const std::wstring& path);
    // The same, into the secondary cache.
    Json::Value LoadSecondarySettings(const std::wstring& path);
    // Reads the whole lighting configuration document; null when missing or invalid.
    Json::Value LoadLightConfig(const std::wstring& path);

    const Json::Value& DeviceSettings() const { return deviceSettings_; }
    Json::Value& DeviceSettings() { return deviceSettings_; }
    const Json::Value& SecondarySettings() const { return secondarySettings_; }
    Json::Value& SecondarySettings() { return secondarySettings_; }
    const Json::Value& LightConfig() const { return lightConfig_; }

    // The lighting record read from the device settings ("LightInfo"); members missing there
    // take the built-in default, never the values of a profile loaded before.
    const LightingRecord& GetLightingRecord();
    // Stores the record and writes it into the device settings (in memory; save to persist).
    void SetLightingRecord(const LightingRecord& record);

    // The active light sequence ("LightList"); empty when the profile has none.
    const std::vector<LightStep>& GetLightList();
    void SetLightList(const std::vector<LightStep>& steps);

protected:
    // "Device"[device index] of `document`, or null when any part is missing or of the wrong
    // shape.
    const Json::Value& DeviceElementOf(const Json::Value& document) const;
    bool DeviceIndexValid() const { return deviceIndex_ >= 0 && deviceIndex_ <= kMaxDeviceIndex; }

private:
    Json::Value LoadInto(Json::Value& cache, const std::wstring& path);

    std::wstring profilePath_;
    std::wstring defaultProfilePath_;
    std::wstring lightConfigPath_;
    Json::Value deviceSettings_;
    Json::Value secondarySettings_;
    Json::Value lightConfig_;
    int deviceIndex_ = 0;
    LightingRecord lightingRecord_;
    std::vector<LightStep> lightList_;
};

}  // namespace dw
