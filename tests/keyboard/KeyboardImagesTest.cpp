// The blocks and images the keyboard object builds: the settings block in both directions, the
// macro image, the two key maps and the custom-light images.

#include <gtest/gtest.h>

#include <numeric>

#include "KeyboardTestSupport.h"
#include "keyboard/FunctionTypes.h"
#include "keyboard/KeyMapImages.h"
#include "keyboard/KeyboardLightImages.h"
#include "keyboard/KeyboardSettingsBlock.h"
#include "keyboard/LogicalKeys.h"
#include "keyboard/MacroImage.h"

namespace dw {
namespace {

using kbtest::Hex;

// An effect list whose codes differ from the indices, so a mix-up shows: index i has code
// 0x40 + i, except indices 29 and 30, which carry the host-rendered codes 29 and 30.
EffectList TestEffects() {
  std::vector<EffectEntry> entries;
  for (size_t i = 0; i < 46; ++i) {
    uint8_t code = static_cast<uint8_t>(0x40 + i);
    if (i == 29 || i == 30) code = static_cast<uint8_t>(i);
    entries.push_back({"light_effect_" + std::to_string(i), true, code});
  }
  return EffectList(std::move(entries));
}

// A block as a keyboard might send it: every byte distinct, so any byte written back from the
// wrong place shows.
SettingsBlock ReadBlock() {
  SettingsBlock block;
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(0x80 + i);
  block[kbsettings::kEffect] = 0x40 + 7;
  block[kbsettings::kSpeed] = 1;
  block[kbsettings::kBrightness] = 3;
  return block;
}

LightingRecord SomeRecord() {
  LightingRecord record;
  record.SelectItem = 5;
  record.Light = 2;
  record.Speed = 1;
  record.Fx = 1;
  record.MultiColor = 0;
  record.Red = 0x11;
  record.Green = 0x22;
  record.Blue = 0x33;
  record.ZZCCLedMode = 0x44;
  record.CustomGroup = 2;
  record.OldLedmode = 9;
  return record;
}

KeyboardSystemStages SomeStages() {
  KeyboardSystemStages stages;
  stages.Repeat = 7;
  stages.RepeatDelay = 300;
  stages.Key6Flag = 1;
  stages.PollingRate = 3;
  stages.WFlag = 1;
  stages.WinFlag = 1;
  return stages;
}

// --- Settings block --------------------------------------------------------------------------------

TEST(SettingsBlockEncode, OwnedBytesAreFilledAndEveryOtherByteGoesBackAsRead) {
  const SettingsBlock read = ReadBlock();
  const SettingsBlock block = EncodeSettingsBlock(read, SomeRecord(), SomeStages(), TestEffects(), 0);

  SettingsBlock expected = read;
  expected[0] = 0;
  expected[1] = 0x40 + 5;
  expected[2] = 2;
  expected[3] = 3;  // 4 - 1
  expected[4] = 1;
  expected[5] = 0;
  expected[6] = 0x11;
  expected[7] = 0x22;
  expected[8] = 0x33;
  expected[16] = 0;
  expected[18] = 0x44;
  expected[19] = 1;
  expected[20] = 1;
  expected[21] = 1;
  expected[22] = 3;
  expected[25] = 2;
  EXPECT_EQ(block, expected);
}

TEST(SettingsBlockEncode, EffectSpeedAndProfileByteRules) {
  struct Case {
    const char* what;
    uint8_t selectItem;
    uint8_t speed;
    uint8_t activeByte;
    uint8_t byte0, byte1, byte3;
  };
  constexpr Case kCases[] = {
      {"audio-reactive effect is sent as 0xFE", 29, 2, 0, 0, 0xFE, 2},
      {"external-colour effect is sent as 0xFE", 30, 2, 0, 0, 0xFE, 2},
      {"effect 28 is sent as its code", 28, 2, 0, 0, 0x40 + 28, 2},
      {"speed 4 is written as 0", 1, 4, 0, 0, 0x41, 0},
      {"speed 0 is written as 4", 1, 0, 0, 0, 0x41, 4},
      {"a speed above 4 is written as 0, never wrapped", 1, 9, 0, 0, 0x41, 0},
      {"an index the list does not have keeps the effect as read", 46, 2, 0, 0, 0x40 + 7, 2},
      {"byte 0 is the active-profile argument", 1, 2, 3, 3, 0x41, 2},
  };
  for (const Case& c : kCases) {
    LightingRecord record = SomeRecord();
    record.SelectItem = c.selectItem;
    record.Speed = c.speed;
    const SettingsBlock block = EncodeSettingsBlock(ReadBlock(), record, SomeStages(), TestEffects(), c.activeByte);
    EXPECT_EQ(block[0], c.byte0) << c.what;
    EXPECT_EQ(block[1], c.byte1) << c.what;
    EXPECT_EQ(block[3], c.byte3) << c.what;
  }
}

TEST(SettingsBlockEncode, WithoutAnEffectListTheKeyboardKeepsItsEffect) {
  const SettingsBlock block = EncodeSettingsBlock(ReadBlock(), SomeRecord(), SomeStages(), EffectList(), 0);
  EXPECT_EQ(block[kbsettings::kEffect], 0x40 + 7);
}

TEST(SettingsBlockDecode, BytesBecomeTheRecordAndTheSystemSettings) {
  SettingsBlock block = ReadBlock();
  block[kbsettings::kDirection] = 1;
  block[kbsettings::kMultiColour] = 1;
  block[kbsettings::kWFlag] = 1;
  block[kbsettings::kKey6Flag] = 0;
  block[kbsettings::kWinLock] = 1;
  block[kbsettings::kPollingRate] = 2;
  const LightingRecord before = SomeRecord();
  const KeyboardSystemStages stagesBefore = SomeStages();
  const DecodedSettings out = DecodeSettingsBlock(block, before, stagesBefore, TestEffects());

  EXPECT_EQ(out.record.SelectItem, 7);
  EXPECT_EQ(out.record.Light, 3);
  EXPECT_EQ(out.record.Speed, 3);  // 4 - 1
  EXPECT_EQ(out.record.Fx, 1);
  EXPECT_EQ(out.record.MultiColor, 1);
  EXPECT_EQ(out.record.Red, block[6]);
  EXPECT_EQ(out.record.Green, block[7]);
  EXPECT_EQ(out.record.Blue, block[8]);
  EXPECT_EQ(out.record.ZZCCLedMode, block[18]);
  EXPECT_EQ(out.record.CustomGroup, block[25]);
  EXPECT_EQ(out.record.OldLedmode, before.OldLedmode);
  EXPECT_EQ(out.stages.WFlag, 1);
  EXPECT_EQ(out.stages.Key6Flag, 0);
  EXPECT_EQ(out.stages.WinFlag, 1);
  // The polling rate is not read back; repeat rate and delay are not in the block.
  EXPECT_EQ(out.stages.PollingRate, stagesBefore.PollingRate);
  EXPECT_EQ(out.stages.Repeat, stagesBefore.Repeat);
  EXPECT_EQ(out.stages.RepeatDelay, stagesBefore.RepeatDelay);

  SettingsBlock cached = block;
  cached[16] = 0;
  EXPECT_EQ(out.cached, cached);
}

TEST(SettingsBlockDecode, EffectAndLevelRules) {
  struct Case {
    const char* what;
    uint8_t byte1, byte2, byte3;
    uint8_t selectItem, light, speed;
  };
  // The current selection is 5.
  constexpr Case kCases[] = {
      {"a known code selects its index", 0x40 + 12, 2, 2, 12, 2, 2},
      {"0xFE keeps the selection", 0xFE, 2, 2, 5, 2, 2},
      {"an unknown code keeps the selection", 0x3F, 2, 2, 5, 2, 2},
      {"speed byte 0 is speed 4", 0x41, 2, 0, 1, 2, 4},
      {"speed byte 4 is speed 0", 0x41, 2, 4, 1, 2, 0},
      {"a speed byte above 4 is speed 0", 0x41, 2, 200, 1, 2, 0},
      {"brightness above 4 reads as 4", 0x41, 9, 2, 1, 4, 2},
  };
  for (const Case& c : kCases) {
    SettingsBlock block = ReadBlock();
    block[1] = c.byte1;
    block[2] = c.byte2;
    block[3] = c.byte3;
    const DecodedSettings out = DecodeSettingsBlock(block, SomeRecord(), SomeStages(), TestEffects());
    EXPECT_EQ(out.record.SelectItem, c.selectItem) << c.what;
    EXPECT_EQ(out.record.Light, c.light) << c.what;
    EXPECT_EQ(out.record.Speed, c.speed) << c.what;
  }
}

TEST(SettingsBlockRoundTrip, HostRenderedEffectSurvivesWriteAndReadBack) {
  LightingRecord record = SomeRecord();
  record.SelectItem = 30;
  const SettingsBlock written = EncodeSettingsBlock(ReadBlock(), record, SomeStages(), TestEffects(), 0);
  ASSERT_EQ(written[1], 0xFE);
  const DecodedSettings read = DecodeSettingsBlock(written, record, SomeStages(), TestEffects());
  EXPECT_EQ(read.record.SelectItem, 30);
  EXPECT_EQ(read.record.Speed, record.Speed);
}

// --- Macro image -----------------------------------------------------------------------------------

TEST(MacroImage, OneMacroOfThreeEventsIs34BytesWithItsRecordAt18) {
  const MacroEvents events{{100, 0x01, true, 0x04}, {25, 0x01, false, 0x04}, {0x1234, 0x02, true, 0x81}};
  const std::vector<MacroEvents> macros{events};
  const std::vector<uint8_t> image = BuildMacroImage(macros);
  EXPECT_EQ(image, Hex("AA 55 22 00 01 00 00 00 00 00 00 00 00 00 00 00"
                       " 12 00"
                       " 03 00 00 00"
                       " 64 00 81 04  19 00 01 04  34 12 82 81"));
  const std::vector<size_t> counts{3};
  EXPECT_EQ(MacroImageLength(counts), 34u);
}

TEST(MacroImage, RecordsFollowEachOtherInListOrder) {
  const std::vector<MacroEvents> macros{
      {{1, 1, true, 1}},
      {},
      {{2, 2, false, 2}, {3, 3, true, 3}},
  };
  const std::vector<uint8_t> image = BuildMacroImage(macros);
  // 16 + 6 x 3 + 4 x 3 = 46 bytes; records at 22, 30 (empty), 34.
  ASSERT_EQ(image.size(), 46u);
  EXPECT_EQ(image[2], 46);
  EXPECT_EQ(image[4], 3);
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 16, image.begin() + 22), Hex("16 00 1E 00 22 00"));
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 30, image.begin() + 34), Hex("00 00 00 00"));
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 34, image.begin() + 38), Hex("02 00 00 00"));
}

TEST(MacroImage, LongDelaysSaturateAndAnEmptyListBuildsNothing) {
  const std::vector<MacroEvents> macros{{{70000, 0x01, false, 0x04}}};
  const std::vector<uint8_t> image = BuildMacroImage(macros);
  ASSERT_EQ(image.size(), 26u);
  EXPECT_EQ(image[22], 0xFF);
  EXPECT_EQ(image[23], 0xFF);
  EXPECT_TRUE(BuildMacroImage({}).empty());
}

TEST(MacroImage, ExcessIsCountedInEventsPlusOne) {
  struct Case {
    uint64_t length;
    size_t capacity;
    size_t excess;
  };
  constexpr Case kCases[] = {
      {34, 34, 0}, {34, 4096, 0}, {35, 34, 1}, {38, 34, 2}, {4100, 4096, 2}, {4096 + 40, 4096, 11}, {100, 0, 26},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(MacroImageExcess(c.length, c.capacity), c.excess) << c.length << " in " << c.capacity;
  }
}

// --- Key maps --------------------------------------------------------------------------------------

// A keyboard whose slot s holds grid key s (slot map = identity for grid keys 0..n-1 except 104).
struct KeyMapFixture : testing::Test {
  static constexpr size_t kSlots = 126;

  KeyMapFixture() : layer1(MakeDefaultKeyList()), layer2(MakeDefaultKeyList()) {
    cached.resize(kSlots * 3);
    for (size_t key = 0; key < kSlots; ++key) {
      const Assignment a = DefaultAssignmentOf(key);
      cached[key * 3] = a.type;
      cached[key * 3 + 1] = a.value1;
      cached[key * 3 + 2] = a.value2;
    }
    maps.Rebuild(cached, kSlots);
  }

  Assignment SlotIn(const std::vector<uint8_t>& image, size_t slot) const {
    return {image[slot * 3], image[slot * 3 + 1], image[slot * 3 + 2]};
  }

  std::vector<KeyEntry> layer1;
  std::vector<KeyEntry> layer2;
  std::vector<uint8_t> cached;
  KeySlotMaps maps;
};

TEST_F(KeyMapFixture, UntouchedKeysWriteTheCachedImageBack) {
  const Layer1KeyMap map = BuildLayer1KeyMap(cached, kSlots, layer1, maps.Slots(), 0);
  EXPECT_EQ(map.image, cached);
  EXPECT_TRUE(map.macroSlots.empty());
}

TEST_F(KeyMapFixture, MacroIndicesBecomeDeviceSlotsInFirstUseOrder) {
  constexpr size_t kMacroCount = 5;
  layer1[10].current = {fn::kMacro, 3, 1};        // first use: slot 0
  layer1[20].current = {fn::kMacroRepeat, 1, 7};  // slot 1
  layer1[30].current = {fn::kMacro, 3, 2};        // macro 3 again: slot 0
  layer1[40].current = {fn::kMacro, 5, 0};        // 5 is not below 5: default
  layer1[50].current = {fn::kKeyboardKey, modifier::kLShift, 0x04};

  const Layer1KeyMap map = BuildLayer1KeyMap(cached, kSlots, layer1, maps.Slots(), kMacroCount);
  EXPECT_EQ(map.macroSlots, (std::vector<size_t>{3, 1}));
  EXPECT_EQ(SlotIn(map.image, 10), (Assignment{fn::kMacro, 0, 1}));
  EXPECT_EQ(SlotIn(map.image, 20), (Assignment{fn::kMacroRepeat, 1, 7}));
  EXPECT_EQ(SlotIn(map.image, 30), (Assignment{fn::kMacro, 0, 2}));
  EXPECT_EQ(SlotIn(map.image, 40), DefaultAssignmentOf(40));
  EXPECT_EQ(SlotIn(map.image, 50), (Assignment{fn::kKeyboardKey, modifier::kLShift, 0x04}));
  EXPECT_EQ(CollectMacroSlots(layer1, maps.Slots(), kMacroCount), map.macroSlots);
}

TEST_F(KeyMapFixture, KeysWithoutASlotNeitherWriteNorTakeAMacroSlot) {
  // Keep key 10 out of the keyboard: its slot holds something else.
  cached[30] = 0x20;
  cached[31] = 0;
  cached[32] = 0x65;
  maps.Rebuild(cached, kSlots);
  ASSERT_EQ(maps.SlotOf(10), slotmap::kNone);
  layer1[10].current = {fn::kMacro, 4, 0};
  layer1[20].current = {fn::kMacro, 2, 0};

  const Layer1KeyMap map = BuildLayer1KeyMap(cached, kSlots, layer1, maps.Slots(), 5);
  // Macro 2 is the first macro a key on the keyboard uses, so it is device slot 0.
  EXPECT_EQ(map.macroSlots, (std::vector<size_t>{2}));
  EXPECT_EQ(SlotIn(map.image, 20), (Assignment{fn::kMacro, 0, 0}));
  EXPECT_EQ(SlotIn(map.image, 10), (Assignment{0x20, 0, 0x65}));
}

TEST_F(KeyMapFixture, Layer1ImageFollowsTheAnnouncedSlotCount) {
  const size_t fewer = 50;
  const Layer1KeyMap map = BuildLayer1KeyMap(cached, fewer, layer1, maps.Slots(), 0);
  EXPECT_EQ(map.image.size(), fewer * 3);
  const size_t more = 140;
  const Layer1KeyMap wider = BuildLayer1KeyMap(cached, more, layer1, maps.Slots(), 0);
  ASSERT_EQ(wider.image.size(), more * 3);
  EXPECT_TRUE(std::all_of(wider.image.begin() + kSlots * 3, wider.image.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(KeyMapFixture, Layer2StartsBlankAndKeyZeroStaysBlankWhileUntouched) {
  layer2[5].current = {fn::kConsumer, 0xE9, 0x00};
  struct Case {
    const char* what;
    std::optional<Assignment> key0;
    std::optional<size_t> selected;
    Assignment slot0;
  };
  const Assignment esc = DefaultAssignmentOf(0);
  const Case cases[] = {
      {"untouched and not selected", std::nullopt, std::nullopt, {0, 0, 0}},
      {"untouched but another key selected", std::nullopt, 7, {0, 0, 0}},
      {"untouched but selected", std::nullopt, 0, esc},
      {"changed", Assignment{fn::kConsumer, 0xE2, 0}, std::nullopt, {fn::kConsumer, 0xE2, 0}},
  };
  for (const Case& c : cases) {
    std::vector<KeyEntry> keys = layer2;
    if (c.key0) keys[0].current = *c.key0;
    const std::vector<uint8_t> image = BuildLayer2KeyMap(kSlots, keys, maps.Slots(), c.selected);
    ASSERT_EQ(image.size(), kSlots * 3) << c.what;
    EXPECT_EQ(SlotIn(image, 0), c.slot0) << c.what;
    EXPECT_EQ(SlotIn(image, 5), (Assignment{fn::kConsumer, 0xE9, 0})) << c.what;
    EXPECT_EQ(SlotIn(image, 6), DefaultAssignmentOf(6)) << c.what;
    EXPECT_EQ(SlotIn(image, 104), (Assignment{0, 0, 0})) << c.what << ": key 104 has no slot";
  }
}

// --- Custom light ----------------------------------------------------------------------------------

TEST(CustomLightBitmap, PositionPIsBitPOver19OfBytePMod19) {
  LogicalKeyMap positions;
  positions.fill(slotmap::kNone);
  std::vector<uint8_t> lit(logicalkey::kCount, 0);
  struct Key {
    size_t key;
    uint8_t position;
    bool lit;
  };
  constexpr Key kKeys[] = {
      {0, 0, true},     // byte 0 bit 0
      {1, 19, true},    // byte 0 bit 1
      {2, 20, true},    // byte 1 bit 1
      {3, 151, true},   // byte 18 bit 7: the last position a byte can hold
      {4, 152, true},   // no bit for it: left out
      {5, 40, false},   // dark
      {6, slotmap::kNone, true},
  };
  for (const Key& k : kKeys) {
    positions[k.key] = k.position;
    lit[k.key] = k.lit ? 1 : 0;
  }
  CustomLightBitmap expected{};
  expected[0] = 0x03;
  expected[1] = 0x02;
  expected[18] = 0x80;
  EXPECT_EQ(BuildCustomLightBitmap(lit, positions), expected);
}

TEST(CustomColours, EveryKeyTakesTheColourAtThreeTimesItsPosition) {
  LogicalKeyMap positions;
  positions.fill(slotmap::kNone);
  positions[0] = 0;
  positions[36] = 33;
  positions[7] = 2;
  positions[8] = 200;  // beyond the image
  std::vector<uint8_t> image(3 * 132);
  std::iota(image.begin(), image.end(), uint8_t{0});
  const std::vector<KeyColour> colours = CustomColoursByKey(image, positions);
  const std::vector<KeyColour> expected{
      {0, {0, 1, 2}},
      {7, {6, 7, 8}},
      {36, {99, 100, 101}},
  };
  EXPECT_EQ(colours, expected);
}

}  // namespace
}  // namespace dw
