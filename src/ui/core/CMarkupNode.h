#pragma once

// One element of a parsed XML document: its name, its attributes in document order, its
// children and the line it starts on (for error messages).

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dw::ui {

class CMarkupNode {
public:
    using Attribute = std::pair<std::wstring, std::wstring>;

    const std::wstring& GetName() const { return m_name; }
    int GetLine() const { return m_line; }
    const std::vector<Attribute>& GetAttributes() const { return m_attributes; }
    bool HasAttribute(std::wstring_view name) const;
    // The value of the attribute (names compare exactly); empty when absent.
    std::wstring GetAttributeValue(std::wstring_view name) const;
    const std::vector<std::unique_ptr<CMarkupNode>>& GetChildren() const { return m_children; }
    // Character data directly inside the element (entities decoded).
    const std::wstring& GetText() const { return m_text; }

    // Used by the parser.
    void SetName(std::wstring name) { m_name = std::move(name); }
    void SetLine(int line) { m_line = line; }
    void AddAttribute(std::wstring name, std::wstring value) { m_attributes.emplace_back(std::move(name), std::move(value)); }
    CMarkupNode* AddChild();
    void AppendText(std::wstring_view text) { m_text.append(text); }

private:
    std::wstring m_name;
    int m_line = 0;
    std::vector<Attribute> m_attributes;
    std::vector<std::unique_ptr<CMarkupNode>> m_children;
    std::wstring m_text;
};

}  // namespace dw::ui
