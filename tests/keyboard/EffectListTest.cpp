// The effect list: the reader over good and damaged documents, and the list the program ships.

#include "keyboard/EffectList.h"

#include <gtest/gtest.h>
#include <json/value.h>

#include <set>

namespace dw {
namespace {

TEST(EffectListReader, ReadsTheModelsEntriesInOrder) {
  const Json::Value document = ParseEffectDocument(R"({
    // comments are allowed
    "DefaultLightName": [
      [ {"LightName": "a", "visible": true, "value": 7},
        {"LightName": "b", "visible": false, "value": 3} ],
      [ {"LightName": "other model", "visible": true, "value": 1} ]
    ],
    "AreaLightName": [ [ {"LightName": "all"}, {"LightName": "main"} ] ]
  })");
  const EffectList list = EffectListFromDocument(document, 0);
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(*list.At(0), (EffectEntry{"a", true, 7}));
  EXPECT_EQ(*list.At(1), (EffectEntry{"b", false, 3}));
  EXPECT_EQ(list.At(2), nullptr);
  EXPECT_EQ(list.IndexOfCode(3), 1u);
  EXPECT_EQ(list.IndexOfCode(9), std::nullopt);
  EXPECT_EQ(list.CodeOfIndex(0), 7);
  EXPECT_EQ(list.CodeOfIndex(2), std::nullopt);
  EXPECT_EQ(EffectListFromDocument(document, 1).Size(), 1u);
  EXPECT_EQ(AreaNamesFromDocument(document, 0), (std::vector<std::string>{"all", "main"}));
  EXPECT_TRUE(AreaNamesFromDocument(document, 1).empty());
}

TEST(EffectListReader, DamagedEntriesKeepTheirPlace) {
  const Json::Value document = ParseEffectDocument(R"({"DefaultLightName": [[
      {"LightName": "ok", "visible": true, "value": 1},
      "not an object",
      {"LightName": 5, "visible": "yes", "value": "2"},
      {"LightName": "too big", "visible": true, "value": 256},
      {"LightName": "negative", "visible": true, "value": -1},
      {"LightName": "fraction", "visible": true, "value": 2.5},
      {"LightName": "last", "visible": true, "value": 9}
  ]]})");
  const EffectList list = EffectListFromDocument(document, 0);
  ASSERT_EQ(list.Size(), 7u);
  EXPECT_EQ(*list.At(1), EffectEntry{});
  EXPECT_EQ(*list.At(2), EffectEntry{});
  EXPECT_EQ(*list.At(3), (EffectEntry{"too big", true, std::nullopt}));
  EXPECT_EQ(list.At(4)->code, std::nullopt);
  EXPECT_EQ(list.At(5)->code, std::nullopt);
  EXPECT_EQ(list.IndexOfCode(9), 6u);
}

TEST(EffectListReader, BadDocumentsGiveAnEmptyList) {
  const std::string deep = std::string(500, '[') + std::string(500, ']');
  const char* const texts[] = {
      "",
      "not json",
      "{\"DefaultLightName\": [[{\"LightName\": \"a\"",  // cut short
      "[]",
      "42",
      "{}",
      "{\"DefaultLightName\": 5}",
      "{\"DefaultLightName\": [5]}",
      "{\"DefaultLightName\": {\"0\": []}}",
      deep.c_str(),
  };
  for (const char* text : texts) {
    const Json::Value document = ParseEffectDocument(text);
    EXPECT_TRUE(EffectListFromDocument(document, 0).Empty()) << text;
    EXPECT_TRUE(AreaNamesFromDocument(document, 0).empty()) << text;
  }
  EXPECT_TRUE(EffectListFromDocument(ParseEffectDocument("{\"DefaultLightName\": [[]]}"), 3).Empty());
  EXPECT_TRUE(LoadEffectList("/nonexistent/default_light.json", 0).Empty());
}

TEST(ShippedEffectList, KeyboardHas46EffectsWithDistinctCodes) {
  const std::string path = std::string(DW_RESOURCES_DIR) + "/DefaultData/" + effect::kFileName;
  const EffectList list = LoadEffectList(path, effect::kKeyboardModelIndex);
  ASSERT_EQ(list.Size(), 46u) << path;

  std::set<uint8_t> codes;
  std::set<std::string> names;
  for (size_t i = 0; i < list.Size(); ++i) {
    const EffectEntry& entry = *list.At(i);
    ASSERT_TRUE(entry.code.has_value()) << "effect " << i;
    EXPECT_NE(*entry.code, effect::kHostRenderedCode) << "effect " << i;
    EXPECT_TRUE(codes.insert(*entry.code).second) << "effect " << i << " repeats a code";
    EXPECT_EQ(entry.nameKey.rfind("light_effect_", 0), 0u) << "effect " << i;
    EXPECT_TRUE(names.insert(entry.nameKey).second) << "effect " << i << " repeats a name";
  }
  // The effects the program gives a meaning of its own are offered, and the two rendered on the
  // host carry the codes that are sent as 0xFE.
  for (size_t index : {effect::kCustomLight, effect::kAudioReactive, effect::kExternalColour}) {
    EXPECT_TRUE(list.At(index)->visible) << index;
  }
  EXPECT_EQ(list.CodeOfIndex(effect::kAudioReactive), effect::kAudioReactiveCode);
  EXPECT_EQ(list.CodeOfIndex(effect::kExternalColour), effect::kExternalColourCode);

  const Json::Value document = ReadEffectDocument(path);
  EXPECT_FALSE(AreaNamesFromDocument(document, effect::kKeyboardModelIndex).empty());
}

}  // namespace
}  // namespace dw
