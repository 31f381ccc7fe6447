#include "profiles/KeyListGroup.h"

namespace dw {
namespace {

constexpr const char* kAssignmentKey = "Assignment";
constexpr const char* kDefaultAssignmentKey = "DefaultAssignment";

std::optional<Assignment> ReadAssignment(const Json::Value& value)
{
    const auto number = json::ReadInt(value);
    return number ? AssignmentFromJsonInt(*number) : std::nullopt;
}

}  // namespace

json::GroupRead ReadKeyList(const Json::Value& holder, std::span<const Assignment> defaults,
                            std::vector<KeyEntry>& entries)
{
    entries.clear();
    const Json::Value& list = json::Member(holder, kKeyListKey);
    if (!list.isArray())
        return json::GroupRead::Missing;
    json::FieldTally tally;
    entries.reserve(defaults.size());
    for (size_t i = 0; i < defaults.size(); ++i) {
        const Json::Value& element = json::Element(list, static_cast<Json::ArrayIndex>(i));
        const auto defaultRead = ReadAssignment(json::Member(element, kDefaultAssignmentKey));
        const Assignment fallback = defaultRead.value_or(defaults[i]);
        const auto currentRead = ReadAssignment(json::Member(element, kAssignmentKey));
        tally.Count(defaultRead.has_value());
        tally.Count(currentRead.has_value());
        entries.push_back(MakeKeyEntry(static_cast<uint16_t>(i), currentRead.value_or(fallback), fallback));
    }
    return tally.Result();
}

void WriteKeyList(Json::Value& holder, const std::vector<KeyEntry>& entries)
{
    Json::Value& list = json::EnsureArray(json::ObjectMember(holder, kKeyListKey),
                                          static_cast<Json::ArrayIndex>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        Json::Value& element = list[static_cast<Json::ArrayIndex>(i)];
        if (!element.isObject())
            element = Json::Value(Json::objectValue);
        element[kAssignmentKey] = static_cast<Json::Int>(AssignmentToJsonInt(entries[i].current));
        if (!ReadAssignment(json::Member(element, kDefaultAssignmentKey)))
            element[kDefaultAssignmentKey] = static_cast<Json::Int>(AssignmentToJsonInt(entries[i].defaults));
    }
}

}  // namespace dw
