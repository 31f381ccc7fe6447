#pragma once

// The lighting effects a keyboard model offers, read from "default_light.json" in the resource
// folder's DefaultData. The program names effects by their index in the model's list; the
// keyboard knows them by their code. A missing or damaged document, or a model the document
// does not list, gives an empty list: the lighting control then offers no effects and the
// settings block keeps the keyboard's own effect.
//
// Document shape:
//   { "DefaultLightName": [ [ {"LightName": "...", "visible": true, "value": 1}, ... ], ... ],
//     "AreaLightName":    [ [ {"LightName": "..."}, ... ], ... ] }
// Both arrays are indexed by the model's list index.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Json {
class Value;
}

namespace dw {

namespace effect {
// Indices the program gives a meaning of its own.
inline constexpr size_t kCustomLight = 21;   // per-key colours of a custom group
inline constexpr size_t kAudioReactive = 29; // rendered on the host from the sound
inline constexpr size_t kExternalColour = 30;  // rendered on the host from an outside colour
// The effect code that tells the keyboard to show the frames the host streams.
inline constexpr uint8_t kHostRenderedCode = 0xFE;
// Codes whose effect the host renders; they are sent as kHostRenderedCode.
inline constexpr uint8_t kAudioReactiveCode = 29;
inline constexpr uint8_t kExternalColourCode = 30;
// The document is a few kilobytes; anything far larger is not ours and is not parsed.
inline constexpr size_t kMaxDocumentBytes = 1024 * 1024;
inline constexpr const char* kFileName = "default_light.json";
// The keyboard's list in the document: lists are indexed by the family's device ordinal.
inline constexpr size_t kKeyboardModelIndex = 0;
}  // namespace effect

struct EffectEntry {
  std::string nameKey;          // language key of the display name ("LightName")
  bool visible = false;         // shown by the lighting control
  std::optional<uint8_t> code;  // "value"; empty when the document holds no usable byte
  friend bool operator==(const EffectEntry&, const EffectEntry&) = default;
};

class EffectList {
 public:
  EffectList() = default;
  explicit EffectList(std::vector<EffectEntry> entries) : entries_(std::move(entries)) {}

  size_t Size() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  const std::vector<EffectEntry>& Entries() const { return entries_; }
  const EffectEntry* At(size_t index) const { return index < entries_.size() ? &entries_[index] : nullptr; }

  // The index of the first entry whose code is `code`.
  std::optional<size_t> IndexOfCode(uint8_t code) const;
  // The code of entry `index`, if it exists and has one.
  std::optional<uint8_t> CodeOfIndex(size_t index) const;

 private:
  std::vector<EffectEntry> entries_;
};

// Model `modelIndex`'s effects from a parsed document. Entries that are not objects, or whose
// members are missing or of the wrong type, keep their place (indices never shift) with an
// empty name, not visible and no code.
EffectList EffectListFromDocument(const Json::Value& document, size_t modelIndex);

// Model `modelIndex`'s lighting area names ("AreaLightName").
std::vector<std::string> AreaNamesFromDocument(const Json::Value& document, size_t modelIndex);

// Parses document text (comments allowed). Never throws: invalid text gives a null value.
Json::Value ParseEffectDocument(std::string_view text);

// Reads and parses the file at `path` (UTF-8 file system path); a null value when it is
// missing, unreadable, larger than effect::kMaxDocumentBytes or invalid.
Json::Value ReadEffectDocument(const std::string& path);

// ReadEffectDocument + EffectListFromDocument.
EffectList LoadEffectList(const std::string& path, size_t modelIndex);

}  // namespace dw
