#include "keyboard/KeySlotMaps.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace dw {
namespace {

constexpr uint8_t kNone = slotmap::kNone;

// A layer-1 key map image of `slots` slots, all holding the "no key" code.
struct KeyMapImage {
  explicit KeyMapImage(size_t slots) : bytes(slots * 3) {
    for (size_t s = 0; s < slots; ++s) Put(s, logicalkey::kNoKey);
  }
  void Put(size_t slot, const Assignment& a) {
    bytes[slot * 3] = a.type;
    bytes[slot * 3 + 1] = a.value1;
    bytes[slot * 3 + 2] = a.value2;
  }
  void PutKey(size_t slot, size_t logicalKey) { Put(slot, DefaultAssignmentOf(logicalKey)); }
  size_t SlotCount() const { return bytes.size() / 3; }
  std::vector<uint8_t> bytes;
};

// The layout most keyboards of the family report: slot i holds grid key i.
KeyMapImage IdentityImage() {
  KeyMapImage image(logicalkey::kGridCount);
  for (size_t key = 0; key < logicalkey::kGridCount; ++key) {
    if (key != 104) image.PutKey(key, key);
  }
  return image;
}

TEST(KeySlotMaps, IdentityLayoutFindsEveryGridKeyAtItsSlot) {
  const KeyMapImage image = IdentityImage();
  KeySlotMaps maps;
  maps.Rebuild(image.bytes, image.SlotCount());
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    const bool present = key < logicalkey::kGridCount && key != 104;
    EXPECT_EQ(maps.SlotOf(key), present ? key : kNone) << key;
    if (present) {
      EXPECT_EQ(maps.LogicalKeyOfSlot(key), key);
    }
  }
}

TEST(KeySlotMaps, NoKeyCodeNeverClaimsABlankSlot) {
  KeyMapImage image(20);  // every slot blank
  image.PutKey(3, 0);
  const LogicalKeyMap slots = BuildSlotMap(image.bytes, image.SlotCount());
  EXPECT_EQ(slots[0], 3);
  EXPECT_EQ(slots[104], kNone);
  for (size_t key = logicalkey::kGridCount; key < logicalkey::kCount; ++key) {
    EXPECT_EQ(slots[key], kNone) << key;
  }
  KeySlotMaps maps;
  maps.Rebuild(image.bytes, image.SlotCount());
  EXPECT_EQ(maps.LogicalKeyOfSlot(0), std::nullopt);
  EXPECT_EQ(maps.LogicalKeyOfSlot(3), 0u);
  EXPECT_EQ(maps.LogicalKeyOfSlot(255), std::nullopt);
}

TEST(KeySlotMaps, EscIsFoundByItsCodeWhereverTheKeyboardKeepsIt) {
  for (size_t slot : {size_t{0}, size_t{7}, size_t{99}}) {
    KeyMapImage image(100);
    image.Put(slot, {0x20, 0, 0x29});
    EXPECT_EQ(BuildSlotMap(image.bytes, image.SlotCount())[0], slot);
  }
}

TEST(KeySlotMaps, FirstMatchingSlotWins) {
  KeyMapImage image(50);
  image.PutKey(40, 64);
  image.PutKey(12, 64);
  EXPECT_EQ(BuildSlotMap(image.bytes, image.SlotCount())[64], 12);
}

TEST(KeySlotMaps, MissingKeysHaveNeitherSlotNorLight) {
  KeyMapImage image = IdentityImage();
  image.Put(36, {0x20, 0, 0x00});  // Home not on this keyboard
  image.Put(0, {0x99, 0, 0});      // nor Esc
  KeySlotMaps maps;
  maps.Rebuild(image.bytes, image.SlotCount());
  for (size_t key : {size_t{0}, size_t{36}}) {
    EXPECT_EQ(maps.SlotOf(key), kNone) << key;
    EXPECT_EQ(maps.LightPositionOf(key), kNone) << key;
  }
  EXPECT_EQ(maps.SlotOf(100000), kNone);
  EXPECT_EQ(maps.LightPositionOf(100000), kNone);
}

TEST(KeySlotMaps, SearchStaysInsideTheSlotCountAndTheImage) {
  KeyMapImage image(30);
  image.PutKey(29, 5);
  EXPECT_EQ(BuildSlotMap(image.bytes, 29)[5], kNone) << "slot 29 is beyond a 29-slot keyboard";
  EXPECT_EQ(BuildSlotMap(image.bytes, 30)[5], 29);
  EXPECT_EQ(BuildSlotMap(image.bytes, 255)[5], 29) << "a slot count larger than the image is cut to it";
  EXPECT_EQ(BuildSlotMap(std::span(image.bytes).first(88), 30)[5], kNone) << "a partial last slot is not read";

  KeyMapImage large(200);
  large.PutKey(180, 5);
  EXPECT_EQ(BuildSlotMap(large.bytes, 200)[5], kNone) << "no keyboard has more than 170 slots";
}

TEST(KeySlotMaps, LightPositionsFollowTheRowOffsets) {
  struct Case {
    size_t key;
    size_t slot;
    uint8_t light;
  };
  const Case cases[] = {
      {0, 0, 0},       {20, 20, 20},     {21, 22, 21},     {40, 41, 40},   {41, 43, 41},
      {61, 63, 61},    {62, 65, 62},     {82, 85, 82},     {83, 87, 83},   {103, 107, 103},
      {105, 110, 105}, {124, 129, 124},  {125, 125, 125},  {125, 14, kNone},
      // Results that belong to the fixed keys give way to them.
      {22, 34, kNone}, {43, 54, kNone},  {1, 14, kNone},   {60, 104, kNone},
      // A slot before the first lit slot of the key's row has no light, not a wrapped one.
      {21, 0, kNone},  {62, 2, kNone},   {105, 4, kNone},  {105, 5, 0},
      // The fixed keys keep their places wherever their slots are.
      {36, 0, 33},     {36, 36, 33},     {36, 169, 33},    {37, 40, 52},   {56, 1, 14},
      {57, 60, 34},    {58, 61, 53},     {110, 7, 102},
  };
  for (const Case& c : cases) {
    KeyMapImage image(170);
    image.PutKey(c.slot, c.key);
    KeySlotMaps maps;
    maps.Rebuild(image.bytes, image.SlotCount());
    EXPECT_EQ(maps.SlotOf(c.key), c.slot) << "key " << c.key;
    EXPECT_EQ(maps.LightPositionOf(c.key), c.light) << "key " << c.key << " at slot " << c.slot;
  }
}

TEST(KeySlotMaps, RowStaggeredLayoutGivesDistinctLightPositions) {
  // Each row of keys sits one slot further on than the row before, as the light offsets
  // expect: key k at slot k + (its row's offset).
  const auto offset = [](size_t key) -> size_t {
    return key <= 20 ? 0 : key <= 40 ? 1 : key <= 61 ? 2 : key <= 82 ? 3 : key <= 103 ? 4 : 5;
  };
  KeyMapImage image(slotmap::kMaxSlots);
  for (size_t key = 0; key < 125; ++key) {
    if (key != 104) image.PutKey(key + offset(key), key);
  }
  const LogicalKeyMap lights = BuildLightMap(BuildSlotMap(image.bytes, image.SlotCount()));
  std::set<uint8_t> used;
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    if (lights[key] == kNone) continue;
    EXPECT_LT(key, logicalkey::kGridCount);
    EXPECT_TRUE(used.insert(lights[key]).second) << "key " << key << " repeats light " << int(lights[key]);
  }
  EXPECT_EQ(lights[64], 64) << "A";
  EXPECT_EQ(lights[36], 33) << "Home";
  EXPECT_EQ(lights[33], kNone) << "= would take Home's light";
}

}  // namespace
}  // namespace dw
