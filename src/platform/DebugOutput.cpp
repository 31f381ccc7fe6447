#include "platform/DebugOutput.h"

#include "platform/Utf8.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace dw {

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

    // Characters that are not text become U+FFFD so that the line stays valid UTF-8.
    std::string line = platform::WideToUtf8(text);
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
