#include "platform/DebugOutput.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace dw {

namespace {

// Appends one code point as UTF-8. Values that are not code points (surrogates, beyond
// U+10FFFF) become U+FFFD so that the line stays valid text.
void AppendUtf8(std::string& out, char32_t cp)
{
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

bool DebugOutputEnabled()
{
    static const bool enabled = std::getenv("DUNWAKE_DEBUG") != nullptr;
    return enabled;
}

void DebugOutput(std::wstring_view text)
{
    if (!DebugOutputEnabled())
        return;
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.remove_suffix(1);

    std::string line;
    line.reserve(text.size() + 1);
    for (wchar_t c : text)
        AppendUtf8(line, static_cast<char32_t>(c));
    line.push_back('\n');

    // One write call per line keeps lines of different threads from interleaving (writes to a
    // pipe or terminal of this size are not split).
    const char* data = line.data();
    size_t left = line.size();
    while (left > 0) {
        const ssize_t n = ::write(STDERR_FILENO, data, left);
        if (n <= 0)
            return;  // Diagnostics are best effort; a closed stderr is not an error.
        data += n;
        left -= static_cast<size_t>(n);
    }
}

}  // namespace dw
