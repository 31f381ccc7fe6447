#include "shell/frame/IniFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/folders/UserFolders.h"

namespace dw {

namespace {

// An INI file of this program is a few lines; anything much larger is not read.
constexpr std::uintmax_t kMaxIniBytes = 1024 * 1024;

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

// The section name of a "[name]" line.
bool SectionOf(std::string_view line, std::string_view& name)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    name = Trim(line.substr(1, line.size() - 2));
    return true;
}

// The key name of a "key=value" line.
bool KeyOf(std::string_view line, std::string_view& key, std::string_view& value)
{
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !key.empty() && key.front() != ';' && key.front() != '#';
}

}  // namespace

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    std::vector<std::string> lines = SplitLines(text);
    const std::string entry = std::string(key) + "=" + std::string(value);
    bool inSection = false;
    size_t sectionEnd = 0;  // one past the last non-empty line of the section
    bool found = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (SectionOf(lines[i], name)) {
            if (inSection)
                break;
            inSection = SameName(name, section);
            sectionEnd = i + 1;
            found = found || inSection;
            continue;
        }
        if (!inSection)
            continue;
        std::string_view lineKey;
        std::string_view lineValue;
        if (KeyOf(lines[i], lineKey, lineValue) && SameName(lineKey, key)) {
            lines[i] = entry;
            std::string out;
            for (const std::string& line : lines)
                out += line + "\n";
            return out;
        }
        if (!Trim(lines[i]).empty())
            sectionEnd = i + 1;
    }
    if (found) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    }
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

std::string GetIniValue(std::string_view text, std::string_view section, std::string_view key)
{
    bool inSection = false;
    for (const std::string& line : SplitLines(text)) {
        std::string_view name;
        if (SectionOf(line, name)) {
            inSection = SameName(name, section);
            continue;
        }
        std::string_view lineKey;
        std::string_view lineValue;
        if (inSection && KeyOf(line, lineKey, lineValue) && SameName(lineKey, key))
            return std::string(lineValue);
    }
    return {};
}

bool WriteIniValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file(path);
    if (file.has_parent_path() && !platform::EnsureFolder(file.parent_path().string()))
        return false;

    std::string text;
    if (fs::exists(file, error)) {
        // Something that is not a settings file of ours is left alone rather than replaced.
        if (!fs::is_regular_file(file, error) || fs::file_size(file, error) > kMaxIniBytes)
            return false;
        std::ifstream in(file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        if (!in.good() && !in.eof())
            return false;
        text = content.str();
    }
    const std::string updated = SetIniValue(text, section, key, value);

    const fs::path temporary = fs::path(path + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << updated;
        out.flush();
        if (!out) {
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::rename(temporary, file, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace dw
