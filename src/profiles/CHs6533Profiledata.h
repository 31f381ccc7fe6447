#pragma once

// The headset's profile data: the common profile caches plus its voice, equaliser and
// microphone record, the stored preset gains and the named custom curves.

#include "profiles/CBasicProfiledata.h"
#include "profiles/HeadsetGroups.h"

#include <string>
#include <vector>

namespace dw {

class CHs6533Profiledata : public CBasicProfiledata {
public:
    // The record; all eight fields 0 without "SystemSetStages".
    const HeadsetRecord& GetHeadsetRecord();
    void SetHeadsetRecord(const HeadsetRecord& record);

    // The gains stored for an equaliser type (see ReadPresetGains) and for preset 1..12.
    EqGains GetPresetGains(int eqType) const;
    void SetPresetGains(int preset, const EqGains& gains);

    // The custom curves: names in combo order and their gains.
    std::vector<std::wstring> GetCustomEqNames() const;
    void SetCustomEqNames(const std::vector<std::wstring>& names);
    std::vector<EqGains> GetCustomEqGains() const;
    void SetCustomEqGains(const std::vector<EqGains>& curves);

private:
    HeadsetRecord record_;
};

}  // namespace dw
