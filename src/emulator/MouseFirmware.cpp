#include "emulator/MouseFirmware.h"

#include <algorithm>
#include <array>

namespace dw::emu {

namespace {

// Info block bytes that carry the sensor's DPI data (all little-endian).
namespace mouseinfo {
constexpr size_t kSensorCode = 9;
constexpr size_t kDpiStep = 11;
constexpr size_t kHighestIndex = 12;
constexpr size_t kLowestDpi = 14;
}  // namespace mouseinfo

// Settings area of one profile.
namespace area {
constexpr size_t kEffect = 1;
constexpr size_t kBrightness = 2;
constexpr size_t kSpeed = 3;          // stored as 4 - speed
constexpr size_t kMultiColour = 5;
constexpr size_t kRed = 6;
constexpr size_t kReportRate = 11;
constexpr size_t kCurrentStage = 12;
constexpr size_t kStages = 14;
constexpr size_t kStageBytes = 9;
constexpr size_t kHostFlag = 59;
constexpr size_t kScreenWidth = 60;
constexpr size_t kScreenHeight = 62;
}  // namespace area

struct FactoryStage {
    uint16_t dpiIndex;
    uint8_t red, green, blue;
};

// 400, 800, 1600, 3200 and 4900 DPI, each with its stage colour.
constexpr std::array<FactoryStage, 5> kFactoryStages = {{
    {3, 0xFF, 0x00, 0x00},
    {7, 0x00, 0xFF, 0x00},
    {15, 0x00, 0x00, 0xFF},
    {31, 0xFF, 0xFF, 0x00},
    {48, 0xFF, 0x00, 0xFF},
}};

struct FactoryButton {
    uint8_t type, code, parameter;
};

// The slot order is the sensor board's, not the host's button numbering: back and forward,
// and the DPI keys, sit in another order than the host lists them.
constexpr std::array<FactoryButton, MouseFirmware::kButtonSlots> kFactoryButtons = {{
    {0x10, 0x01, 0x00},   // left
    {0x10, 0x02, 0x00},   // right
    {0x10, 0x04, 0x00},   // middle
    {0x10, 0x08, 0x00},   // back
    {0x10, 0x10, 0x00},   // forward
    {0x13, 0x03, 0x00},   // DPI cycle
    {0x13, 0x01, 0x00},   // DPI up
    {0x13, 0x02, 0x00},   // DPI down
    {0x14, 0x78, 0x02},   // fire key
    {0x16, 0x90, 0x01},   // DPI shift
    {0xA0, 0x1B, 0x00},   // game mode
    {0xA0, 0x00, 0x00},   // unused slots: nothing
    {0xA0, 0x00, 0x00},
    {0xA0, 0x00, 0x00},
    {0xA0, 0x00, 0x00},
    {0xA0, 0x00, 0x00},
}};

void PutLe16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

MouseFirmware::MouseFirmware()
    : DeviceFirmware(DeviceModel::Mouse, kProfileBytes * kProfileCount),
      buttons_(kButtonBytesPerProfile * kProfileCount, 0),
      macros_(static_cast<size_t>(kMacroUnits) * info::kMacroUnitBytes, 0),
      recoil_(kRecoilBytes, 0)
{
    info_[info::kSlotCount] = static_cast<uint8_t>(kButtonSlots);
    info_[info::kMacroUnits] = kMacroUnits;
    PutLe16(&info_[mouseinfo::kSensorCode], kSensorCode);
    info_[mouseinfo::kDpiStep] = kDpiStep;
    PutLe16(&info_[mouseinfo::kHighestIndex], kHighestDpiIndex);
    PutLe16(&info_[mouseinfo::kLowestDpi], kLowestDpi);

    for (int p = 0; p < kProfileCount; ++p) {
        uint8_t* profile = settings_.data() + kProfileBytes * static_cast<size_t>(p);
        profile[area::kEffect] = 0x01;
        profile[area::kBrightness] = 4;
        profile[area::kSpeed] = 2;
        profile[area::kMultiColour] = 1;
        std::fill_n(profile + area::kRed, 3, 0xFF);
        profile[area::kReportRate] = 3;
        profile[area::kCurrentStage] = 1;
        for (size_t i = 0; i < kFactoryStages.size(); ++i) {
            uint8_t* stage = profile + area::kStages + area::kStageBytes * i;
            stage[0] = 1;   // in the DPI cycle
            stage[1] = 0;   // X and Y together
            PutLe16(stage + 2, kFactoryStages[i].dpiIndex);
            PutLe16(stage + 4, kFactoryStages[i].dpiIndex);
            stage[6] = kFactoryStages[i].red;
            stage[7] = kFactoryStages[i].green;
            stage[8] = kFactoryStages[i].blue;
        }
        profile[area::kHostFlag] = 1;
        PutLe16(profile + area::kScreenWidth, 1920);
        PutLe16(profile + area::kScreenHeight, 1080);
    }
    settings_[0] = 0;   // active profile

    const std::vector<uint8_t> factory = FactoryButtonTable();
    for (int p = 0; p < kProfileCount; ++p)
        std::copy(factory.begin(), factory.end(), buttons_.begin() + static_cast<ptrdiff_t>(kButtonBytesPerProfile * p));
}

std::vector<uint8_t> MouseFirmware::FactoryButtonTable()
{
    std::vector<uint8_t> table;
    table.reserve(3 * kButtonSlots);
    for (const FactoryButton& button : kFactoryButtons) {
        table.push_back(button.type);
        table.push_back(button.code);
        table.push_back(button.parameter);
    }
    return table;
}

std::optional<uint8_t> MouseFirmware::Execute(uint8_t command, CommandContext& ctx)
{
    static constexpr auto kCommands = std::to_array<CommandHandler<MouseFirmware>>({
        {cmd::kBegin, &MouseFirmware::OnBegin},
        {cmd::kEnd, &MouseFirmware::OnEnd},
        {cmd::kReadInfo, &MouseFirmware::OnReadInfo},
        {cmd::kReadSettings, &MouseFirmware::OnReadSettings},
        {cmd::kWriteSettings, &MouseFirmware::OnWriteSettings},
        {cmd::kReadKeyMap, &MouseFirmware::OnReadButtons},
        {cmd::kWriteKeyMap, &MouseFirmware::OnWriteButtons},
        {cmd::kWriteMacroImage, &MouseFirmware::OnWriteMacros},
        {cmd::kWriteRecoilImage, &MouseFirmware::OnWriteRecoil},
        {cmd::kReadStatus, &MouseFirmware::OnReadStatus},
        {cmd::kLinkQuery, &MouseFirmware::OnLinkQuery},
    });
    return Dispatch(*this, kCommands, command, ctx);
}

uint8_t MouseFirmware::OnReadButtons(CommandContext& ctx) { return ReadRegion(buttons_, 0, ctx); }

uint8_t MouseFirmware::OnWriteButtons(CommandContext& ctx) { return WriteRegion(buttons_, 0, ctx); }

uint8_t MouseFirmware::OnWriteMacros(CommandContext& ctx) { return WriteRegion(macros_, 0, ctx); }

uint8_t MouseFirmware::OnWriteRecoil(CommandContext& ctx) { return WriteRegion(recoil_, 0, ctx); }

std::vector<uint8_t> MouseFirmware::ButtonTable(int profile) const
{
    if (profile < 0 || profile >= kProfileCount)
        return {};
    std::lock_guard lock(mutex_);
    const auto start = buttons_.begin() + static_cast<ptrdiff_t>(kButtonBytesPerProfile * profile);
    return {start, start + static_cast<ptrdiff_t>(3 * kButtonSlots)};
}

std::vector<uint8_t> MouseFirmware::MacroMemory() const
{
    std::lock_guard lock(mutex_);
    return macros_;
}

std::vector<uint8_t> MouseFirmware::RecoilMemory() const
{
    std::lock_guard lock(mutex_);
    return recoil_;
}

}  // namespace dw::emu
