#pragma once

// A small XML reader for layouts, resource indexes and language files: elements, attributes
// (single or double quotes), character data, comments, <?...?> and <!DOCTYPE>, CDATA, the five
// named entities and numeric character references. UTF-8 input (a byte-order mark is
// skipped). Errors carry the line. Nesting depth and input size are bounded so a hostile file
// cannot exhaust the stack or memory.

#include <memory>
#include <string>
#include <string_view>

#include "ui/core/CMarkupNode.h"

namespace dw::ui {

class CMarkup {
public:
    static constexpr int kMaxDepth = 256;
    static constexpr size_t kMaxFileBytes = 16u * 1024u * 1024u;

    // Parses a document; false on a syntax error (see GetLastError/GetErrorLine).
    bool Load(std::string_view utf8);
    bool LoadFromFile(const std::wstring& path);
    bool IsValid() const { return m_root != nullptr; }
    const CMarkupNode* GetRoot() const { return m_root.get(); }
    const std::wstring& GetLastError() const { return m_error; }
    int GetErrorLine() const { return m_errorLine; }
    void Release();

private:
    std::unique_ptr<CMarkupNode> m_root;
    std::wstring m_error;
    int m_errorLine = 0;
};

}  // namespace dw::ui
