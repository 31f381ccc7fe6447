#pragma once

// The language list "Language.config" of the default-data folder and the choice of a language
// from the stored setting.
//
// Document shape:
//   { "Language": [ { "Language_name": "English", "Language_file": "lan_en.xml",
//                     "Language_ID": 1033, "Language_text": "language_english_text" }, ... ] }
//
// "Language_name" is the name given to the resource manager, "Language_file" the text file it
// loads (a file of the skin folder), "Language_ID" the number kept in the "LANGUAGE" setting and
// "Language_text" the key under which the settings window lists the language.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Json {
class Value;
}

namespace dw {

namespace language {
inline constexpr const wchar_t* kListFileName = L"Language.config";
inline constexpr const char* kListMember = "Language";
inline constexpr const char* kNameMember = "Language_name";
inline constexpr const char* kFileMember = "Language_file";
inline constexpr const char* kIdMember = "Language_ID";
inline constexpr const char* kTextMember = "Language_text";
// The index chosen when nothing better is known: no setting, no list, no matching entry.
inline constexpr int kDefaultIndex = 0;
}  // namespace language

struct LanguageEntry {
    std::wstring name;
    std::wstring file;
    int64_t id = 0;
    std::wstring textKey;
    friend bool operator==(const LanguageEntry&, const LanguageEntry&) = default;
};

// The entries of a parsed document, in document order. Nothing when the document has no
// "Language" array. An element that is not an object, or whose members have the wrong types,
// becomes an entry with the members it could read (empty texts, id 0), so that the positions
// of the other entries keep their meaning.
std::optional<std::vector<LanguageEntry>> ParseLanguageList(const Json::Value& document);

// Reads and parses the list file; nothing when it is missing, unreadable or not a list.
std::optional<std::vector<LanguageEntry>> LoadLanguageList(const std::wstring& path);

// The language index for a stored id: the position of the last entry carrying that id;
// kDefaultIndex without a stored id, without a list, or when no entry matches.
int LanguageIndexForId(const std::optional<std::vector<LanguageEntry>>& list, std::optional<uint32_t> storedId);

}  // namespace dw
