#include "shell/frame/LanguageList.h"

#include <json/reader.h>
#include <json/value.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "platform/Utf8.h"

namespace dw {

namespace {

// The list is a few hundred bytes; a file far larger is not a language list and is not parsed.
constexpr std::uintmax_t kMaxListBytes = 256 * 1024;
// The list nests three levels; a deeper document is refused.
constexpr int kMaxListDepth = 16;

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
    namespace fs = std::filesystem;
    const fs::path file(platform::WideToUtf8(path));
    std::error_code error;
    if (!fs::is_regular_file(file, error) || fs::file_size(file, error) > kMaxListBytes)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    const std::string text = content.str();

    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["stackLimit"] = kMaxListDepth;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value document;
    std::string errors;
    // A byte-order mark is allowed before the document.
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        begin += 3;
    if (!reader->parse(begin, end, &document, &errors))
        return std::nullopt;
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
