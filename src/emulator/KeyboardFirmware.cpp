#include "emulator/KeyboardFirmware.h"

#include <algorithm>
#include <array>

namespace dw::emu {

namespace {

constexpr size_t kKeyMapBytes = 3 * kKeyboardSlotCount;
static_assert(kKeyMapBytes <= KeyboardFirmware::kKeyMapBytesPerProfile);

// Profile area offsets inside the 33 bytes that follow the active-profile byte, counted as the
// host counts the 34-byte block (block byte 0 is the byte before the area).
namespace block {
constexpr size_t kEffect = 1;
constexpr size_t kBrightness = 2;
constexpr size_t kSpeed = 3;        // stored as 4 - speed
constexpr size_t kMultiColour = 5;
constexpr size_t kRed = 6;
constexpr size_t kGreen = 7;
constexpr size_t kBlue = 8;
}  // namespace block

// Factory lighting of every profile: effect code 1, full brightness, middle speed, one colour.
constexpr uint8_t kFactoryEffect = 0x01;
constexpr uint8_t kFactoryBrightness = 4;
constexpr uint8_t kFactorySpeedByte = 2;

}  // namespace

KeyboardFirmware::KeyboardFirmware()
    : DeviceFirmware(DeviceModel::Keyboard, 1 + kProfileBytes * kProfileCount),
      keyMap1_(kKeyMapBytesPerProfile * kProfileCount, 0),
      keyMap2_(kKeyMapBytesPerProfile * kProfileCount, 0),
      slotBytes_(kKeyboardSlotCount, 0),
      colours_(kCustomGroupBytes * kCustomGroupCount, 0),
      bitmap_(kBitmapBytes, 0),
      lightFrame_(kKeyboardSlotCount, 0),
      macros_(static_cast<size_t>(kMacroUnits) * info::kMacroUnitBytes, 0)
{
    info_[info::kSlotCount] = static_cast<uint8_t>(kKeyboardSlotCount);
    info_[info::kMacroUnits] = kMacroUnits;

    for (int p = 0; p < kProfileCount; ++p) {
        uint8_t* area = settings_.data() + kProfileBytes * static_cast<size_t>(p);   // block byte 0 precedes it
        area[block::kEffect] = kFactoryEffect;
        area[block::kBrightness] = kFactoryBrightness;
        area[block::kSpeed] = kFactorySpeedByte;
        area[block::kMultiColour] = 1;
        area[block::kRed] = 0xFF;
        area[block::kGreen] = 0xFF;
        area[block::kBlue] = 0xFF;
    }
    settings_[0] = 0;   // active profile

    const std::vector<uint8_t> factory = FactoryKeyMap();
    for (int p = 0; p < kProfileCount; ++p)
        std::copy(factory.begin(), factory.end(), keyMap1_.begin() + static_cast<ptrdiff_t>(kKeyMapBytesPerProfile * p));
    for (const FactoryKey& key : kKeyboard75Layout) {
        slotBytes_[key.slot] = 1;
        // Custom group 0 starts white on every key, the other groups dark.
        std::fill_n(colours_.begin() + 3 * key.slot, 3, 0xFF);
    }
}

std::vector<uint8_t> KeyboardFirmware::FactoryKeyMap()
{
    std::vector<uint8_t> map(kKeyMapBytes, 0);
    for (const FactoryKey& key : kKeyboard75Layout) {
        map[3 * key.slot] = key.type;
        map[3 * key.slot + 1] = key.value1;
        map[3 * key.slot + 2] = key.value2;
    }
    return map;
}

std::optional<uint8_t> KeyboardFirmware::Execute(uint8_t command, CommandContext& ctx)
{
    static constexpr auto kCommands = std::to_array<CommandHandler<KeyboardFirmware>>({
        {cmd::kBegin, &KeyboardFirmware::OnBegin},
        {cmd::kEnd, &KeyboardFirmware::OnEnd},
        {cmd::kReadInfo, &KeyboardFirmware::OnReadInfo},
        {cmd::kReadSettings, &KeyboardFirmware::OnReadSettings},
        {cmd::kWriteSettings, &KeyboardFirmware::OnWriteSettings},
        {cmd::kReadKeyMap, &KeyboardFirmware::OnReadKeyMap},
        {cmd::kWriteKeyMap, &KeyboardFirmware::OnWriteKeyMap},
        {cmd::kWriteKeyMapLayer2, &KeyboardFirmware::OnWriteKeyMapLayer2},
        {cmd::kReadSlotBytes, &KeyboardFirmware::OnReadSlotBytes},
        {cmd::kReadCustomColours, &KeyboardFirmware::OnReadCustomColours},
        {cmd::kWriteCustomBitmap, &KeyboardFirmware::OnWriteCustomBitmap},
        {cmd::kLightFrame, &KeyboardFirmware::OnLightFrame},
        {cmd::kWriteMacroImage, &KeyboardFirmware::OnWriteMacros},
        {cmd::kReadStatus, &KeyboardFirmware::OnReadStatus},
        {cmd::kHostLightingControl, &KeyboardFirmware::OnHostLighting},
        {cmd::kLinkQuery, &KeyboardFirmware::OnLinkQuery},
    });
    return Dispatch(*this, kCommands, command, ctx);
}

uint8_t KeyboardFirmware::OnReadKeyMap(CommandContext& ctx) { return ReadRegion(keyMap1_, 0, ctx); }

uint8_t KeyboardFirmware::OnWriteKeyMap(CommandContext& ctx) { return WriteRegion(keyMap1_, 0, ctx); }

uint8_t KeyboardFirmware::OnWriteKeyMapLayer2(CommandContext& ctx) { return WriteRegion(keyMap2_, 0, ctx); }

uint8_t KeyboardFirmware::OnReadSlotBytes(CommandContext& ctx) { return ReadRegion(slotBytes_, 0, ctx); }

uint8_t KeyboardFirmware::OnReadCustomColours(CommandContext& ctx) { return ReadRegion(colours_, 0, ctx); }

uint8_t KeyboardFirmware::OnWriteCustomBitmap(CommandContext& ctx) { return WriteRegion(bitmap_, 0, ctx); }

uint8_t KeyboardFirmware::OnLightFrame(CommandContext& ctx) { return WriteRegion(lightFrame_, 0, ctx); }

// The image is stored as sent; the firmware parses it when a macro key is pressed, so a
// malformed image is the host's fault and is kept as it came.
uint8_t KeyboardFirmware::OnWriteMacros(CommandContext& ctx) { return WriteRegion(macros_, 0, ctx); }

uint8_t KeyboardFirmware::OnHostLighting(CommandContext&)
{
    hostLighting_ = true;
    return kStatusOk;
}

std::vector<uint8_t> KeyboardFirmware::KeyMap(int layer, int profile) const
{
    if ((layer != 1 && layer != 2) || profile < 0 || profile >= kProfileCount)
        return {};
    std::lock_guard lock(mutex_);
    const std::vector<uint8_t>& map = layer == 1 ? keyMap1_ : keyMap2_;
    const auto start = map.begin() + static_cast<ptrdiff_t>(kKeyMapBytesPerProfile * profile);
    return {start, start + kKeyMapBytes};
}

std::vector<uint8_t> KeyboardFirmware::SlotBytes() const
{
    std::lock_guard lock(mutex_);
    return slotBytes_;
}

std::vector<uint8_t> KeyboardFirmware::CustomColours(int group) const
{
    if (group < 0 || group >= kCustomGroupCount)
        return {};
    std::lock_guard lock(mutex_);
    const auto start = colours_.begin() + static_cast<ptrdiff_t>(kCustomGroupBytes * group);
    return {start, start + kKeyMapBytes};
}

void KeyboardFirmware::SetCustomColour(int group, size_t slot, uint8_t red, uint8_t green, uint8_t blue)
{
    if (group < 0 || group >= kCustomGroupCount || slot >= kKeyboardSlotCount)
        return;
    std::lock_guard lock(mutex_);
    const size_t at = kCustomGroupBytes * static_cast<size_t>(group) + 3 * slot;
    colours_[at] = red;
    colours_[at + 1] = green;
    colours_[at + 2] = blue;
}

std::vector<uint8_t> KeyboardFirmware::CustomBitmap() const
{
    std::lock_guard lock(mutex_);
    return bitmap_;
}

std::vector<uint8_t> KeyboardFirmware::LightFrame() const
{
    std::lock_guard lock(mutex_);
    return lightFrame_;
}

std::vector<uint8_t> KeyboardFirmware::MacroMemory() const
{
    std::lock_guard lock(mutex_);
    return macros_;
}

bool KeyboardFirmware::HostLightingActive() const
{
    std::lock_guard lock(mutex_);
    return hostLighting_;
}

}  // namespace dw::emu
