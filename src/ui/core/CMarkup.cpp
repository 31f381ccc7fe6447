#include "ui/core/CMarkup.h"

#include <fstream>
#include <vector>

#include "platform/Utf8.h"

namespace dw::ui {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
bool IsNameChar(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' || c == L'-' ||
           c == L'.' || c == L':' || c > 0x7F;
}

// A cursor over the document that knows its line.
class Reader {
public:
    explicit Reader(const std::wstring& text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    wchar_t Peek(size_t ahead = 0) const { return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : L'\0'; }
    bool StartsWith(std::wstring_view s) const { return m_text.compare(m_pos, s.size(), s) == 0; }
    void Advance(size_t n = 1)
    {
        for (size_t i = 0; i < n && m_pos < m_text.size(); ++i) {
            if (m_text[m_pos] == L'\n')
                ++m_line;
            ++m_pos;
        }
    }
    void SkipSpace()
    {
        while (!AtEnd() && IsSpace(Peek()))
            Advance();
    }
    // Moves past the terminator; false when it never comes.
    bool SkipPast(std::wstring_view terminator)
    {
        const size_t at = m_text.find(terminator, m_pos);
        if (at == std::wstring::npos)
            return false;
        Advance(at + terminator.size() - m_pos);
        return true;
    }
    std::wstring ReadName()
    {
        const size_t start = m_pos;
        while (!AtEnd() && IsNameChar(Peek()))
            Advance();
        return m_text.substr(start, m_pos - start);
    }
    std::wstring_view Slice(size_t start, size_t end) const { return std::wstring_view(m_text).substr(start, end - start); }
    size_t Pos() const { return m_pos; }
    int Line() const { return m_line; }

private:
    const std::wstring& m_text;
    size_t m_pos = 0;
    int m_line = 1;
};

// Decodes the five named entities and numeric references; false on a malformed one.
bool DecodeEntities(std::wstring_view in, std::wstring& out)
{
    out.clear();
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != L'&') {
            out.push_back(in[i]);
            continue;
        }
        const size_t semi = in.find(L';', i);
        if (semi == std::wstring_view::npos || semi - i > 12)
            return false;
        const std::wstring_view entity = in.substr(i + 1, semi - i - 1);
        if (entity == L"lt")
            out.push_back(L'<');
        else if (entity == L"gt")
            out.push_back(L'>');
        else if (entity == L"amp")
            out.push_back(L'&');
        else if (entity == L"quot")
            out.push_back(L'"');
        else if (entity == L"apos")
            out.push_back(L'\'');
        else if (entity.size() > 1 && entity[0] == L'#') {
            unsigned long cp = 0;
            const bool hex = entity[1] == L'x' || entity[1] == L'X';
            const std::wstring_view digits = entity.substr(hex ? 2 : 1);
            if (digits.empty())
                return false;
            for (wchar_t c : digits) {
                int d;
                if (c >= L'0' && c <= L'9')
                    d = c - L'0';
                else if (hex && c >= L'a' && c <= L'f')
                    d = c - L'a' + 10;
                else if (hex && c >= L'A' && c <= L'F')
                    d = c - L'A' + 10;
                else
                    return false;
                cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(d);
                if (cp > 0x10FFFF)
                    return false;
            }
            if (cp == 0)
                return false;
            if (cp >= 0xD800 && cp <= 0xDFFF)
                return false;
            static_assert(sizeof(wchar_t) == 4, "texts are UTF-32 on this platform");
            out.push_back(static_cast<wchar_t>(cp));
        } else {
            return false;
        }
        i = semi;
    }
    return true;
}

}  // namespace

void CMarkup::Release()
{
    m_root.reset();
    m_error.clear();
    m_errorLine = 0;
}

bool CMarkup::LoadFromFile(const std::wstring& path)
{
    Release();
    std::ifstream in(platform::WideToUtf8(path), std::ios::binary);
    if (!in) {
        m_error = L"cannot open " + path;
        return false;
    }
    std::string bytes;
    char buffer[8192];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
        if (bytes.size() > kMaxFileBytes) {
            m_error = L"file too large: " + path;
            return false;
        }
    }
    return Load(bytes);
}

bool CMarkup::Load(std::string_view utf8)
{
    Release();
    if (utf8.size() > kMaxFileBytes) {
        m_error = L"document too large";
        return false;
    }
    if (utf8.size() >= 3 && static_cast<uint8_t>(utf8[0]) == 0xEF && static_cast<uint8_t>(utf8[1]) == 0xBB &&
        static_cast<uint8_t>(utf8[2]) == 0xBF)
        utf8.remove_prefix(3);
    const std::wstring text = platform::Utf8ToWide(utf8);
    Reader r(text);
    auto root = std::make_unique<CMarkupNode>();
    bool haveRoot = false;
    std::vector<CMarkupNode*> stack;
    std::wstring decoded;

    auto fail = [&](const std::wstring& message, int line) {
        m_error = message;
        m_errorLine = line;
        return false;
    };

    while (!r.AtEnd()) {
        if (r.Peek() != L'<') {
            const size_t start = r.Pos();
            const int line = r.Line();
            while (!r.AtEnd() && r.Peek() != L'<')
                r.Advance();
            const std::wstring_view chunk = r.Slice(start, r.Pos());
            if (stack.empty()) {
                for (wchar_t c : chunk) {
                    if (!IsSpace(c))
                        return fail(L"text outside the root element", line);
                }
                continue;
            }
            if (!DecodeEntities(chunk, decoded))
                return fail(L"malformed entity", line);
            stack.back()->AppendText(decoded);
            continue;
        }
        const int line = r.Line();
        if (r.StartsWith(L"<?")) {
            if (!r.SkipPast(L"?>"))
                return fail(L"unterminated processing instruction", line);
            continue;
        }
        if (r.StartsWith(L"<!--")) {
            if (!r.SkipPast(L"-->"))
                return fail(L"unterminated comment", line);
            continue;
        }
        if (r.StartsWith(L"<![CDATA[")) {
            r.Advance(9);
            const size_t start = r.Pos();
            if (!r.SkipPast(L"]]>"))
                return fail(L"unterminated CDATA section", line);
            if (stack.empty())
                return fail(L"CDATA outside the root element", line);
            stack.back()->AppendText(r.Slice(start, r.Pos() - 3));
            continue;
        }
        if (r.StartsWith(L"<!")) {
            if (!r.SkipPast(L">"))
                return fail(L"unterminated declaration", line);
            continue;
        }
        if (r.StartsWith(L"</")) {
            r.Advance(2);
            const std::wstring name = r.ReadName();
            r.SkipSpace();
            if (r.Peek() != L'>')
                return fail(L"malformed end tag", line);
            r.Advance();
            if (stack.empty() || stack.back()->GetName() != name)
                return fail(L"end tag </" + name + L"> does not match", line);
            stack.pop_back();
            continue;
        }
        // Start tag.
        r.Advance();
        std::wstring name = r.ReadName();
        if (name.empty())
            return fail(L"malformed start tag", line);
        CMarkupNode* node = nullptr;
        if (stack.empty()) {
            if (haveRoot)
                return fail(L"more than one root element", line);
            haveRoot = true;
            node = root.get();
        } else {
            if (static_cast<int>(stack.size()) >= kMaxDepth)
                return fail(L"elements nested too deeply", line);
            node = stack.back()->AddChild();
        }
        node->SetName(std::move(name));
        node->SetLine(line);
        bool selfClosing = false;
        while (true) {
            r.SkipSpace();
            if (r.AtEnd())
                return fail(L"unterminated start tag", line);
            if (r.Peek() == L'/' && r.Peek(1) == L'>') {
                r.Advance(2);
                selfClosing = true;
                break;
            }
            if (r.Peek() == L'>') {
                r.Advance();
                break;
            }
            const int attrLine = r.Line();
            std::wstring attr = r.ReadName();
            if (attr.empty())
                return fail(L"malformed attribute", attrLine);
            r.SkipSpace();
            if (r.Peek() != L'=')
                return fail(L"attribute " + attr + L" has no value", attrLine);
            r.Advance();
            r.SkipSpace();
            const wchar_t quote = r.Peek();
            if (quote != L'"' && quote != L'\'')
                return fail(L"attribute " + attr + L" value is not quoted", attrLine);
            r.Advance();
            const size_t start = r.Pos();
            while (!r.AtEnd() && r.Peek() != quote)
                r.Advance();
            if (r.AtEnd())
                return fail(L"unterminated value of attribute " + attr, attrLine);
            if (!DecodeEntities(r.Slice(start, r.Pos()), decoded))
                return fail(L"malformed entity in attribute " + attr, attrLine);
            r.Advance();
            node->AddAttribute(std::move(attr), decoded);
        }
        if (!selfClosing)
            stack.push_back(node);
    }
    if (!stack.empty())
        return fail(L"element <" + stack.back()->GetName() + L"> is not closed", stack.back()->GetLine());
    if (!haveRoot)
        return fail(L"no root element", 1);
    m_root = std::move(root);
    return true;
}

}  // namespace dw::ui
