#include "shell/frame/LanguageList.h"

#include <json/value.h>

#include "platform/folders/WideUtf8.h"
#include "profiles/JsonDocument.h"

namespace dw {

namespace {

std::wstring TextMember(const Json::Value& element, const char* member)
{
    const Json::Value& value = element[member];
    return value.isString() ? platform::Utf8ToWide(value.asString()) : std::wstring{};
}

}  // namespace

std::optional<std::vector<LanguageEntry>> ParseLanguageList(const Json::Value& document)
{
    if (!document.isObject())
        return std::nullopt;
    const Json::Value& list = document[language::kListMember];
    if (!list.isArray())
        return std::nullopt;
    std::vector<LanguageEntry> entries;
    entries.reserve(list.size());
    for (const Json::Value& element : list) {
        LanguageEntry entry;
        if (element.isObject()) {
            entry.name = TextMember(element, language::kNameMember);
            entry.file = TextMember(element, language::kFileMember);
            entry.textKey = TextMember(element, language::kTextMember);
            const Json::Value& id = element[language::kIdMember];
            if (id.isInt64())
                entry.id = id.asInt64();
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<std::vector<LanguageEntry>> LoadLanguageList(const std::wstring& path)
{
    const Json::Value document = ReadJsonDocument(path);
    return ParseLanguageList(document);
}

int LanguageIndexForId(const std::optional<std::vector<LanguageEntry>>& list, std::optional<uint32_t> storedId)
{
    if (!storedId || !list)
        return language::kDefaultIndex;
    int index = language::kDefaultIndex;
    for (size_t i = 0; i < list->size(); ++i) {
        if ((*list)[i].id == static_cast<int64_t>(*storedId))
            index = static_cast<int>(i);
    }
    return index;
}

}  // namespace dw
