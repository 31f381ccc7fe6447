#include "profiles/CKeyboardProfiledata.h"

#include "keyboard/LogicalKeys.h"
#include "profiles/KeyListGroup.h"

#include <array>

namespace dw {

std::span<const Assignment> KeyboardDefaultAssignments()
{
    static constexpr auto kDefaults = [] {
        std::array<Assignment, logicalkey::kCount> defaults{};
        for (size_t key = 0; key < defaults.size(); ++key)
            defaults[key] = DefaultAssignmentOf(key);
        return defaults;
    }();
    return kDefaults;
}

KeyboardSystemStages CKeyboardProfiledata::GetSystemStages()
{
    KeyboardSystemStages stages;
    ReadKeyboardSystemStages(DeviceSettings(), stages);
    systemStages_ = stages;
    return stages;
}

void CKeyboardProfiledata::SetSystemStages(const KeyboardSystemStages& stages)
{
    systemStages_ = stages;
    WriteKeyboardSystemStages(DeviceSettings(), stages);
}

std::vector<KeyEntry> CKeyboardProfiledata::GetKeyList() const
{
    std::vector<KeyEntry> entries;
    ReadKeyList(DeviceSettings(), KeyboardDefaultAssignments(), entries);
    return entries;
}

void CKeyboardProfiledata::SetKeyList(const std::vector<KeyEntry>& entries)
{
    WriteKeyList(DeviceSettings(), entries);
}

std::vector<KeyEntry> CKeyboardProfiledata::GetSecondaryKeyList() const
{
    std::vector<KeyEntry> entries;
    ReadKeyList(SecondarySettings(), KeyboardDefaultAssignments(), entries);
    return entries;
}

void CKeyboardProfiledata::SetSecondaryKeyList(const std::vector<KeyEntry>& entries)
{
    WriteKeyList(SecondarySettings(), entries);
}

const AudioLightInfo& CKeyboardProfiledata::GetAudioLightRecord()
{
    audioLightRecord_ = AudioLightInfo{};
    ReadAudioLightRecord(DeviceSettings(), audioLightRecord_);
    return audioLightRecord_;
}

void CKeyboardProfiledata::SetAudioLightRecord(const AudioLightInfo& record)
{
    audioLightRecord_ = record;
    WriteAudioLightRecord(DeviceSettings(), record);
}

int CKeyboardProfiledata::GetCustomLightGroupIndex() const
{
    int group = 0;
    ReadCustomLightGroupIndex(DeviceSettings(), group);
    return group;
}

void CKeyboardProfiledata::SetCustomLightGroupIndex(int group)
{
    WriteCustomLightGroupIndex(DeviceSettings(), group);
}

std::vector<CustomKeyColor> CKeyboardProfiledata::GetCustomLightGroup(int group) const
{
    std::vector<CustomKeyColor> colors;
    ReadCustomLightGroup(DeviceSettings(), group, logicalkey::kCount, colors);
    return colors;
}

bool CKeyboardProfiledata::SetCustomLightGroup(int group, const std::vector<CustomKeyColor>& colors)
{
    return WriteCustomLightGroup(DeviceSettings(), group, colors);
}

}  // namespace dw
