#include "keyboard/KeyboardSettingsBlock.h"

#include <algorithm>

namespace dw {
namespace {

uint8_t Level(uint8_t value) { return std::min(value, kbsettings::kMaxLevel); }

uint8_t LowByte(uint16_t value) { return static_cast<uint8_t>(value & 0xFF); }

}  // namespace

SettingsBlock EncodeSettingsBlock(const SettingsBlock& lastRead, const LightingRecord& record,
                                  const KeyboardSystemStages& stages, const EffectList& effects,
                                  uint8_t activeProfileByte) {
  using namespace kbsettings;
  SettingsBlock block = lastRead;
  block[kActiveProfile] = activeProfileByte;
  if (const std::optional<uint8_t> code = effects.CodeOfIndex(record.SelectItem)) {
    const bool hostRendered = *code == effect::kAudioReactiveCode || *code == effect::kExternalColourCode;
    block[kEffect] = hostRendered ? effect::kHostRenderedCode : *code;
  }
  block[kBrightness] = record.Light;
  block[kSpeed] = static_cast<uint8_t>(kMaxLevel - Level(record.Speed));
  block[kDirection] = record.Fx;
  block[kMultiColour] = record.MultiColor;
  block[kRed] = record.Red;
  block[kGreen] = record.Green;
  block[kBlue] = record.Blue;
  block[kAlwaysZero] = 0;
  block[kModeExtension] = record.ZZCCLedMode;
  block[kWFlag] = LowByte(stages.WFlag);
  block[kKey6Flag] = LowByte(stages.Key6Flag);
  block[kWinLock] = LowByte(stages.WinFlag);
  block[kPollingRate] = LowByte(stages.PollingRate);
  block[kCustomGroup] = record.CustomGroup;
  return block;
}

DecodedSettings DecodeSettingsBlock(const SettingsBlock& block, const LightingRecord& record,
                                    const KeyboardSystemStages& stages, const EffectList& effects) {
  using namespace kbsettings;
  DecodedSettings out{block, record, stages};
  out.cached[kAlwaysZero] = 0;

  const uint8_t code = block[kEffect];
  if (code != effect::kHostRenderedCode) {
    if (const std::optional<size_t> index = effects.IndexOfCode(code)) {
      out.record.SelectItem = static_cast<uint8_t>(*index);
    }
  }
  out.record.Light = Level(block[kBrightness]);
  out.record.Speed = block[kSpeed] <= kMaxLevel ? static_cast<uint8_t>(kMaxLevel - block[kSpeed]) : 0;
  out.record.Fx = block[kDirection];
  out.record.MultiColor = block[kMultiColour];
  out.record.Red = block[kRed];
  out.record.Green = block[kGreen];
  out.record.Blue = block[kBlue];
  out.record.ZZCCLedMode = block[kModeExtension];
  out.record.CustomGroup = block[kCustomGroup];
  out.stages.WFlag = block[kWFlag];
  out.stages.Key6Flag = block[kKey6Flag];
  out.stages.WinFlag = block[kWinLock];
  return out;
}

}  // namespace dw
