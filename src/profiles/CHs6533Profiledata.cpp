#include "profiles/CHs6533Profiledata.h"

namespace dw {

const HeadsetRecord& CHs6533Profiledata::GetHeadsetRecord()
{
    ReadHeadsetRecord(DeviceSettings(), record_);
    return record_;
}

void CHs6533Profiledata::SetHeadsetRecord(const HeadsetRecord& record)
{
    record_ = record;
    WriteHeadsetRecord(DeviceSettings(), record);
}

EqGains CHs6533Profiledata::GetPresetGains(int eqType) const
{
    EqGains gains{};
    ReadPresetGains(DeviceSettings(), eqType, gains);
    return gains;
}

void CHs6533Profiledata::SetPresetGains(int preset, const EqGains& gains)
{
    WritePresetGains(DeviceSettings(), preset, gains);
}

std::vector<std::wstring> CHs6533Profiledata::GetCustomEqNames() const
{
    std::vector<std::wstring> names;
    ReadCustomEqNames(DeviceSettings(), names);
    return names;
}

void CHs6533Profiledata::SetCustomEqNames(const std::vector<std::wstring>& names)
{
    WriteCustomEqNames(DeviceSettings(), names);
}

std::vector<EqGains> CHs6533Profiledata::GetCustomEqGains() const
{
    std::vector<EqGains> curves;
    ReadCustomEqGains(DeviceSettings(), curves);
    return curves;
}

void CHs6533Profiledata::SetCustomEqGains(const std::vector<EqGains>& curves)
{
    WriteCustomEqGains(DeviceSettings(), curves);
}

}  // namespace dw
