#include "UdevRuleSyntax.h"

#include <array>
#include <cctype>

namespace dw::test {

namespace {

enum class Attribute { None, Optional, Required };

struct KeyInfo {
    std::string_view name;
    bool match;
    bool assign;
    Attribute attribute;
};

// The keys of the udev rule language (udev(7)).
constexpr std::array<KeyInfo, 26> kKeys{{
    {"ACTION", true, false, Attribute::None},
    {"DEVPATH", true, false, Attribute::None},
    {"KERNEL", true, false, Attribute::None},
    {"KERNELS", true, false, Attribute::None},
    {"SUBSYSTEM", true, false, Attribute::None},
    {"SUBSYSTEMS", true, false, Attribute::None},
    {"DRIVER", true, false, Attribute::None},
    {"DRIVERS", true, false, Attribute::None},
    {"ATTR", true, true, Attribute::Required},
    {"ATTRS", true, false, Attribute::Required},
    {"SYSCTL", true, true, Attribute::Required},
    {"ENV", true, true, Attribute::Required},
    {"CONST", true, false, Attribute::Required},
    {"TAG", true, true, Attribute::None},
    {"TAGS", true, false, Attribute::None},
    {"TEST", true, false, Attribute::Optional},
    {"PROGRAM", true, false, Attribute::None},
    {"RESULT", true, false, Attribute::None},
    {"NAME", true, true, Attribute::None},
    {"SYMLINK", true, true, Attribute::None},
    {"OWNER", false, true, Attribute::None},
    {"GROUP", false, true, Attribute::None},
    {"MODE", false, true, Attribute::None},
    {"RUN", false, true, Attribute::Optional},
    {"LABEL", false, true, Attribute::None},
    {"GOTO", false, true, Attribute::None},
}};
// IMPORT, OPTIONS and SECLABEL exist too; a rule that gives access has no use for them, so the
// checker refuses them rather than half-check them.

const KeyInfo* FindKey(std::string_view name)
{
    for (const KeyInfo& key : kKeys) {
        if (key.name == name)
            return &key;
    }
    return nullptr;
}

bool IsMatchOperator(std::string_view op)
{
    return op == "==" || op == "!=";
}

class LineParser {
public:
    LineParser(std::string_view line, int lineNumber, std::vector<std::string>& errors)
        : m_line(line), m_lineNumber(lineNumber), m_errors(errors)
    {
    }

    // Parses the whole line into `rule`; false (with an error recorded) on the first fault.
    bool Parse(UdevRule& rule)
    {
        for (;;) {
            SkipSpaces();
            UdevPair pair;
            if (!ParsePair(pair))
                return false;
            rule.pairs.push_back(std::move(pair));
            SkipSpaces();
            if (AtEnd())
                return true;
            if (m_line[m_pos] != ',')
                return Fail("expected ',' between pairs");
            ++m_pos;
            SkipSpaces();
            if (AtEnd())
                return Fail("trailing ','");
        }
    }

private:
    bool ParsePair(UdevPair& pair)
    {
        const size_t keyStart = m_pos;
        while (!AtEnd() && (std::isupper(static_cast<unsigned char>(m_line[m_pos])) || m_line[m_pos] == '_'))
            ++m_pos;
        pair.key = std::string(m_line.substr(keyStart, m_pos - keyStart));
        if (pair.key.empty())
            return Fail("expected a key");
        const KeyInfo* key = FindKey(pair.key);
        if (key == nullptr)
            return Fail("unknown key " + pair.key);

        if (!AtEnd() && m_line[m_pos] == '{') {
            const size_t close = m_line.find('}', m_pos);
            if (close == std::string_view::npos)
                return Fail("unclosed '{' after " + pair.key);
            pair.attribute = std::string(m_line.substr(m_pos + 1, close - m_pos - 1));
            m_pos = close + 1;
            if (pair.attribute.empty())
                return Fail("empty attribute of " + pair.key);
            if (key->attribute == Attribute::None)
                return Fail(pair.key + " takes no attribute");
        } else if (key->attribute == Attribute::Required) {
            return Fail(pair.key + " needs an attribute, as in " + pair.key + "{name}");
        }

        SkipSpaces();
        for (std::string_view op : {"==", "!=", "+=", "-=", ":=", "="}) {
            if (m_line.substr(m_pos, op.size()) == op) {
                pair.op = std::string(op);
                m_pos += op.size();
                break;
            }
        }
        if (pair.op.empty())
            return Fail("expected an operator after " + pair.key);
        if (IsMatchOperator(pair.op) && !key->match)
            return Fail(pair.key + " cannot be matched, only assigned");
        if (!IsMatchOperator(pair.op) && !key->assign)
            return Fail(pair.key + " cannot be assigned; a match needs '==' or '!='");

        SkipSpaces();
        if (AtEnd() || m_line[m_pos] != '"')
            return Fail("the value of " + pair.key + " must be in double quotes");
        ++m_pos;
        for (;;) {
            if (AtEnd())
                return Fail("unclosed quote in the value of " + pair.key);
            const char c = m_line[m_pos++];
            if (c == '"')
                break;
            if (c == '\\') {
                if (AtEnd())
                    return Fail("unclosed quote in the value of " + pair.key);
                pair.value.push_back(m_line[m_pos++]);
                continue;
            }
            pair.value.push_back(c);
        }
        return true;
    }

    void SkipSpaces()
    {
        while (!AtEnd() && (m_line[m_pos] == ' ' || m_line[m_pos] == '\t'))
            ++m_pos;
    }

    bool AtEnd() const { return m_pos >= m_line.size(); }

    bool Fail(const std::string& what)
    {
        m_errors.push_back("line " + std::to_string(m_lineNumber) + ": " + what);
        return false;
    }

    std::string_view m_line;
    size_t m_pos = 0;
    int m_lineNumber;
    std::vector<std::string>& m_errors;
};

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

}  // namespace

const UdevPair* UdevRule::Find(std::string_view key, std::string_view attribute, std::string_view op) const
{
    for (const UdevPair& pair : pairs) {
        if (pair.key == key && pair.attribute == attribute && pair.op == op)
            return &pair;
    }
    return nullptr;
}

UdevRuleFile ParseUdevRules(std::string_view text)
{
    UdevRuleFile file;
    int lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++lineNumber;
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        if (line.back() == '\\') {
            file.errors.push_back("line " + std::to_string(lineNumber) + ": line continuation");
            continue;
        }
        UdevRule rule;
        rule.lineNumber = lineNumber;
        if (!LineParser(line, lineNumber, file.errors).Parse(rule))
            continue;
        bool assigns = false;
        for (const UdevPair& pair : rule.pairs)
            assigns = assigns || !IsMatchOperator(pair.op);
        if (!assigns) {
            file.errors.push_back("line " + std::to_string(lineNumber) + ": the rule only matches and does nothing");
            continue;
        }
        file.rules.push_back(std::move(rule));
    }
    return file;
}

}  // namespace dw::test
