// Both language files hold a text for every key the program uses: the keys of every layout of
// the skin (resource texts and their tool tips), the key table and the function vocabulary,
// every literal key in the sources, the effect names of "default_light.json", the message
// numbers, and the language names of "Language.config". They hold the same keys, and no text
// is empty.

#include <gtest/gtest.h>

#include <json/reader.h>
#include <json/value.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "keyboard/KeyTable.h"
#include "keyboard/VocabularyTables.h"
#include "shell/frame/LanguageList.h"
#include "shell/frame/MessageTexts.h"
#include "ui/core/CMarkup.h"
#include "platform/Utf8.h"
#include "ui/core/UIString.h"

namespace dw {
namespace {

namespace fs = std::filesystem;

const fs::path kResources = DW_RESOURCES_DIR;
const fs::path kSources = fs::path(DW_SOURCE_DIR) / "src";
const char* const kLanguageFiles[] = {"lan_en.xml", "lan_cn.xml"};

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Narrow(const std::wstring& text) { return platform::WideToUtf8(text); }

// key -> where it is used (for the failure message)
using KeyUses = std::map<std::string, std::string>;

void Use(KeyUses& uses, const std::string& key, const std::string& where)
{
    if (!key.empty())
        uses.emplace(key, where);
}

void VisitNodes(const ui::CMarkupNode& node, const std::function<void(const ui::CMarkupNode&)>& visit)
{
    visit(node);
    for (const auto& child : node.GetChildren())
        VisitNodes(*child, visit);
}

bool IsLanguageFile(const fs::path& path)
{
    const std::string name = path.filename().string();
    return name == "lan_en.xml" || name == "lan_cn.xml";
}

// Resource-text controls of every layout: their text and tool tip are keys. The key list of the
// skin (language-keys.xml) also names the keys the program sets on controls at run time.
void CollectLayoutKeys(KeyUses& uses)
{
    for (const auto& entry : fs::recursive_directory_iterator(kResources / "skin")) {
        if (entry.path().extension() != ".xml" || IsLanguageFile(entry.path()))
            continue;
        ui::CMarkup markup;
        ASSERT_TRUE(markup.LoadFromFile(entry.path().wstring())) << entry.path();
        const std::string where = entry.path().filename().string();
        VisitNodes(*markup.GetRoot(), [&](const ui::CMarkupNode& node) {
            if (node.GetName() == L"Text" && node.HasAttribute(L"key")) {
                Use(uses, Narrow(node.GetAttributeValue(L"key")), where);
                return;
            }
            if (!ui::EqualsNoCase(node.GetAttributeValue(L"resourcetext"), L"true"))
                return;
            for (const wchar_t* attribute : {L"text", L"tooltip"})
                Use(uses, Narrow(node.GetAttributeValue(attribute)), where + ":" + std::to_string(node.GetLine()));
        });
    }
}

void CollectTableKeys(KeyUses& uses)
{
    for (const KeyTableRow& row : kKeyTable)
        Use(uses, Narrow(std::wstring(row.nameKey)), "key table");
    Use(uses, Narrow(std::wstring(keytable::kUnusedNameKey)), "key table");
    for (std::span<const VocabularyRow> table :
         {std::span<const VocabularyRow>(kMouseButtonTable), std::span<const VocabularyRow>(kDpiTable),
          std::span<const VocabularyRow>(kMediaTable), std::span<const VocabularyRow>(kSystemTable),
          std::span<const VocabularyRow>(kCombinationShortcutTable), std::span<const VocabularyRow>(kBuiltInShortcutTable),
          std::span<const VocabularyRow>(kSpecialTable), std::span<const VocabularyRow>(kGunPresetTable),
          std::span<const VocabularyRow>(kMovementTable)})
        for (const VocabularyRow& row : table)
            Use(uses, Narrow(std::wstring(row.nameKey)), "function vocabulary");
}

// Literal keys anywhere in the sources: the prefixes of the key and function names, message
// keys, and names ending in _text, _tip or _txt. Control names carry none of these.
void CollectSourceKeys(KeyUses& uses)
{
    static const std::regex kKeyLiteral(
        R"re(L"((?:keyboard_key_|mouse_key_|media_|web_|wed_|system_|custem_|gun_|light_effect_|light_area_|message_text_)[^"]*|[A-Za-z0-9][A-Za-z0-9_ ]*_(?:text|tip|txt)|win_key_text|com_key_nothing|show_window)")re");
    for (const auto& entry : fs::recursive_directory_iterator(kSources)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp")
            continue;
        const std::string text = ReadText(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), kKeyLiteral), end; it != end; ++it) {
            const std::string key = (*it)[1];
            // A bare prefix is joined with a number or name at run time; those are listed elsewhere.
            if (key.back() != '_')
                Use(uses, key, fs::relative(entry.path(), kSources).string());
        }
    }
}

// Every string of a data document that has the form of a key (the prefixes and suffixes above).
void CollectKeyStrings(const Json::Value& value, const std::string& where, KeyUses& uses)
{
    static const std::regex kKeyForm(
        R"re((keyboard_key_|mouse_key_|media_|light_effect_|light_area_|message_text_).*|.*_(text|tip|txt))re");
    if (value.isString() && std::regex_match(value.asString(), kKeyForm))
        Use(uses, value.asString(), where);
    else if (value.isArray() || value.isObject())
        for (const Json::Value& member : value)
            CollectKeyStrings(member, where, uses);
}

void CollectDataKeys(KeyUses& uses)
{
    // The factory profiles and every other document of the default-data folder.
    for (const auto& entry : fs::directory_iterator(kResources / "DefaultData")) {
        Json::Value document;
        if (entry.is_regular_file() && Json::Reader().parse(ReadText(entry.path()), document))
            CollectKeyStrings(document, entry.path().filename().string(), uses);
    }

    Json::Value lighting;
    ASSERT_TRUE(Json::Reader().parse(ReadText(kResources / "DefaultData" / "default_light.json"), lighting));
    for (const char* list : {"DefaultLightName", "AreaLightName"})
        for (const Json::Value& model : lighting[list])
            for (const Json::Value& effect : model)
                Use(uses, effect["LightName"].asString(), "default_light.json");

    const auto languages = LoadLanguageList((kResources / "DefaultData" / "Language.config").wstring());
    ASSERT_TRUE(languages.has_value());
    for (const LanguageEntry& entry : *languages)
        Use(uses, Narrow(entry.textKey), "Language.config");

    for (int number : msgtext::kAllMessages)
        Use(uses, Narrow(msgtext::MessageTextKey(number)), "message box texts");
}

std::map<std::string, std::string> LoadTexts(const char* file)
{
    std::map<std::string, std::string> texts;
    ui::CMarkup markup;
    EXPECT_TRUE(markup.LoadFromFile((kResources / "skin" / file).wstring())) << file;
    if (markup.GetRoot() == nullptr)
        return texts;
    for (const auto& child : markup.GetRoot()->GetChildren()) {
        const std::string key = Narrow(child->GetAttributeValue(L"key"));
        EXPECT_FALSE(texts.count(key)) << file << ": key listed twice: " << key;
        texts[key] = Narrow(child->GetAttributeValue(L"value"));
    }
    return texts;
}

TEST(LanguageFiles, EveryKeyTheProgramUsesHasATextInEveryLanguage)
{
    KeyUses uses;
    ASSERT_NO_FATAL_FAILURE(CollectLayoutKeys(uses));
    CollectTableKeys(uses);
    CollectSourceKeys(uses);
    ASSERT_NO_FATAL_FAILURE(CollectDataKeys(uses));
    // The collection itself works: each source of keys contributed.
    for (const char* sample : {"keyboard_key_Esc", "media_play", "light_effect_wave", "message_text_22",
                               "software_rev_text", "menu_exit_text", "nodevice_title_text"})
        ASSERT_TRUE(uses.count(sample)) << sample;

    for (const char* file : kLanguageFiles) {
        const auto texts = LoadTexts(file);
        for (const auto& [key, where] : uses)
            EXPECT_TRUE(texts.count(key)) << file << " has no text for \"" << key << "\" (used in " << where << ")";
    }
}

TEST(LanguageFiles, BothLanguagesHoldTheSameKeysAndNoEmptyText)
{
    const auto english = LoadTexts("lan_en.xml");
    const auto chinese = LoadTexts("lan_cn.xml");
    for (const auto& [key, text] : english) {
        EXPECT_TRUE(chinese.count(key)) << "only in English: " << key;
        EXPECT_FALSE(text.empty()) << "empty English text: " << key;
    }
    for (const auto& [key, text] : chinese) {
        EXPECT_TRUE(english.count(key)) << "only in Chinese: " << key;
        EXPECT_FALSE(text.empty()) << "empty Chinese text: " << key;
    }
}

// A text used as a format takes exactly the arguments the program gives it.
TEST(LanguageFiles, FormatTextsCarryTheirPlaceholder)
{
    for (const char* file : kLanguageFiles) {
        const auto texts = LoadTexts(file);
        for (const auto& [key, text] : texts) {
            // "%d" and its kin; a lone "%" ("75%") is plain text.
            static const std::regex kPlaceholder("%l?[dsu]");
            const size_t placeholders = static_cast<size_t>(
                std::distance(std::sregex_iterator(text.begin(), text.end(), kPlaceholder), std::sregex_iterator()));
            const bool isFormat = key == Narrow(msgtext::MessageTextKey(msgtext::kMacroMemoryExceeded));
            EXPECT_EQ(placeholders, isFormat ? 1u : 0u) << file << ": " << key;
            if (isFormat) {
                EXPECT_NE(text.find("%d"), std::string::npos) << file << ": " << key;
            }
        }
    }
}

}  // namespace
}  // namespace dw
