#pragma once

// The keyboard's profile data: the common profile caches plus the keyboard's system settings,
// key lists, audio lighting record and custom per-key colours.

#include "keyboard/KeyEntry.h"
#include "profiles/CBasicProfiledata.h"
#include "profiles/KeyboardGroups.h"

#include <span>
#include <vector>

namespace dw {

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // The system settings: read from "SystemStages" of the device settings, each member cut to
    // 16 bits, all 0 when the group (or a member) is missing. The record is also kept.
    KeyboardSystemStages GetSystemStages();
    // Stores the record and writes its six members into the device settings (in memory; the
    // caller saves with SaveDeviceSettings).
    void SetSystemStages(const KeyboardSystemStages& stages);

    // The layer-1 key list ("KeyList" of the device settings): one entry per logical key
    // 0..169, or empty when the profile has no key list. Writing stores only "Assignment".
    std::vector<KeyEntry> GetKeyList() const;
    void SetKeyList(const std::vector<KeyEntry>& entries);
    // The same on the secondary settings, for edits to another profile's document.
    std::vector<KeyEntry> GetSecondaryKeyList() const;
    void SetSecondaryKeyList(const std::vector<KeyEntry>& entries);

    // The audio lighting record; members the profile lacks take the built-in default.
    const AudioLightInfo& GetAudioLightRecord();
    void SetAudioLightRecord(const AudioLightInfo& record);

    // The custom-light group in use; 0 when the profile has none.
    int GetCustomLightGroupIndex() const;
    void SetCustomLightGroupIndex(int group);
    // The colours of custom-light group `group`, one per logical key (zero for a group that does
    // not exist yet).
    std::vector<CustomKeyColor> GetCustomLightGroup(int group) const;
    bool SetCustomLightGroup(int group, const std::vector<CustomKeyColor>& colors);

private:
    KeyboardSystemStages systemStages_;
    AudioLightInfo audioLightRecord_;
};

// The default assignment of every logical key, in key order (the fallback for a key list
// element that lacks its own).
std::span<const Assignment> KeyboardDefaultAssignments();

}  // namespace dw
