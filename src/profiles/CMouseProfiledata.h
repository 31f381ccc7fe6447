#pragma once

// The mouse's profile data: the common profile caches plus its button list, DPI stages,
// pointer settings, report rate and sensor corrections.

#include "keyboard/KeyEntry.h"
#include "profiles/CBasicProfiledata.h"
#include "profiles/MouseGroups.h"

#include <vector>

namespace dw {

class CMouseProfiledata : public CBasicProfiledata {
public:
    // The button list ("KeyList"): one entry per button 0..10, or empty when the profile has
    // none. Writing stores only "Assignment".
    std::vector<KeyEntry> GetKeyList() const;
    void SetKeyList(const std::vector<KeyEntry>& entries);
    std::vector<KeyEntry> GetSecondaryKeyList() const;
    void SetSecondaryKeyList(const std::vector<KeyEntry>& entries);

    // The DPI stages and the current stage, read from the device settings over the kept ones
    // (reading never shortens the list).
    const std::vector<DpiStage>& GetDpiStages();
    int GetCurrentDpiStage();
    // Stores the stages and rewrites every member of every stage.
    void SetDpiStages(const std::vector<DpiStage>& stages);
    // Stores the current stage and writes "DPIStages"."StageActive".
    void SetCurrentDpiStage(int stage);

    // The pointer settings and report rate; all 0 without "SystemStages".
    const MousePointerSettings& GetPointerSettings();
    void SetPointerSettings(const MousePointerSettings& pointer);

    // The sensor corrections, read only.
    const std::vector<CorrectEntry>& GetCorrectInfo();

private:
    std::vector<DpiStage> dpiStages_;
    int currentDpiStage_ = 0;
    MousePointerSettings pointer_;
    std::vector<CorrectEntry> corrections_;
};

}  // namespace dw
