#include "keyboard/EffectList.h"

#include <json/reader.h>
#include <json/value.h>

#include <exception>
#include <fstream>
#include <memory>
#include <sstream>

namespace dw {
namespace {

constexpr const char* kEffectsKey = "DefaultLightName";
constexpr const char* kAreasKey = "AreaLightName";
constexpr const char* kNameKey = "LightName";
constexpr const char* kVisibleKey = "visible";
constexpr const char* kValueKey = "value";
constexpr int kMaxDepth = 16;

// The model's array inside `key`, or null when the document does not have one.
const Json::Value* ModelArray(const Json::Value& document, const char* key, size_t modelIndex) {
  if (!document.isObject()) {
    return nullptr;
  }
  const Json::Value& models = document[key];
  if (!models.isArray() || modelIndex >= models.size()) {
    return nullptr;
  }
  const Json::Value& model = models[static_cast<Json::ArrayIndex>(modelIndex)];
  return model.isArray() ? &model : nullptr;
}

std::string NameOf(const Json::Value& element) {
  if (!element.isObject()) {
    return {};
  }
  const Json::Value& name = element[kNameKey];
  return name.isString() ? name.asString() : std::string();
}

EffectEntry EntryOf(const Json::Value& element) {
  EffectEntry entry;
  if (!element.isObject()) {
    return entry;
  }
  entry.nameKey = NameOf(element);
  const Json::Value& visible = element[kVisibleKey];
  entry.visible = visible.isBool() && visible.asBool();
  const Json::Value& value = element[kValueKey];
  if (value.isIntegral() && value.isInt64()) {
    const int64_t code = value.asInt64();
    if (code >= 0 && code <= 0xFF) {
      entry.code = static_cast<uint8_t>(code);
    }
  }
  return entry;
}

}  // namespace

std::optional<size_t> EffectList::IndexOfCode(uint8_t code) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].code == code) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<uint8_t> EffectList::CodeOfIndex(size_t index) const {
  const EffectEntry* entry = At(index);
  return entry != nullptr ? entry->code : std::nullopt;
}

EffectList EffectListFromDocument(const Json::Value& document, size_t modelIndex) {
  const Json::Value* model = ModelArray(document, kEffectsKey, modelIndex);
  if (model == nullptr) {
    return {};
  }
  std::vector<EffectEntry> entries;
  entries.reserve(model->size());
  for (const Json::Value& element : *model) {
    entries.push_back(EntryOf(element));
  }
  return EffectList(std::move(entries));
}

std::vector<std::string> AreaNamesFromDocument(const Json::Value& document, size_t modelIndex) {
  const Json::Value* model = ModelArray(document, kAreasKey, modelIndex);
  std::vector<std::string> names;
  if (model == nullptr) {
    return names;
  }
  for (const Json::Value& element : *model) {
    names.push_back(NameOf(element));
  }
  return names;
}

Json::Value ParseEffectDocument(std::string_view text) {
  if (text.empty() || text.size() > effect::kMaxDocumentBytes) {
    return Json::Value();
  }
  // jsoncpp reports syntax errors through its result but throws when a limit is exceeded;
  // neither may leave this function.
  try {
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["stackLimit"] = kMaxDepth;
    builder["collectComments"] = false;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value document;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &document, &errors)) {
      return Json::Value();
    }
    return document;
  } catch (const std::exception&) {
    return Json::Value();
  }
}

Json::Value ReadEffectDocument(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return Json::Value();
  }
  std::string text;
  text.resize(effect::kMaxDocumentBytes + 1);
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(file.gcount()));
  if (file.bad()) {
    return Json::Value();
  }
  // An optional UTF-8 byte-order mark is not part of the document.
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  std::string_view body = text;
  if (body.substr(0, kBom.size()) == kBom) {
    body.remove_prefix(kBom.size());
  }
  return ParseEffectDocument(body);
}

EffectList LoadEffectList(const std::string& path, size_t modelIndex) {
  return EffectListFromDocument(ReadEffectDocument(path), modelIndex);
}

}  // namespace dw
