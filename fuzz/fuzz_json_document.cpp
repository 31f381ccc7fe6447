// Arbitrary bytes as a profile document: parsed, read by every settings group of every device
// family, written back by every group writer, and turned into styled text. Nothing may crash,
// throw or trip a sanitizer, and the styled text must be stable once written.

#include "keyboard/LogicalKeys.h"
#include "profiles/CHs6533Profiledata.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/JsonDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void ExerciseEveryGroup(const Json::Value& settings)
{
    dw::CKeyboardProfiledata keyboard;
    keyboard.DeviceSettings() = settings;
    const std::vector<dw::KeyEntry> keys = keyboard.GetKeyList();
    const int group = keyboard.GetCustomLightGroupIndex();
    const std::vector<dw::CustomKeyColor> colors = keyboard.GetCustomLightGroup(group);
    keyboard.SetKeyList(keys.empty() ? dw::MakeDefaultKeyList() : keys);
    keyboard.SetCustomLightGroup(group, colors);
    keyboard.SetSystemStages(keyboard.GetSystemStages());
    keyboard.SetAudioLightRecord(keyboard.GetAudioLightRecord());
    keyboard.SetLightingRecord(keyboard.GetLightingRecord());
    keyboard.SetLightList(keyboard.GetLightList());

    dw::CMouseProfiledata mouse;
    mouse.DeviceSettings() = settings;
    mouse.SetKeyList(mouse.GetKeyList());
    mouse.GetCorrectInfo();
    mouse.SetDpiStages(mouse.GetDpiStages());
    mouse.SetCurrentDpiStage(mouse.GetCurrentDpiStage());
    mouse.SetPointerSettings(mouse.GetPointerSettings());

    dw::CHs6533Profiledata headset;
    headset.DeviceSettings() = settings;
    const dw::HeadsetRecord record = headset.GetHeadsetRecord();
    headset.SetPresetGains(record.EqType, headset.GetPresetGains(record.EqType));
    headset.SetCustomEqNames(headset.GetCustomEqNames());
    headset.SetCustomEqGains(headset.GetCustomEqGains());
    headset.SetHeadsetRecord(record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Json::Value document = dw::ParseJsonText(std::string_view(reinterpret_cast<const char*>(data), size));
    ExerciseEveryGroup(document);
    ExerciseEveryGroup(dw::json::Element(dw::json::Member(document, "Device"), 0));

    // The first write may replace bytes that are not UTF-8; from then on the text is fixed.
    const std::string once = dw::StyledJsonText(dw::ParseJsonText(dw::StyledJsonText(document)));
    const std::string twice = dw::StyledJsonText(dw::ParseJsonText(once));
    if (once != twice)
        std::abort();
    return 0;
}
