#include "ui/core/UIDebug.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Utf8.h"

namespace dw::ui {

bool UIDebugEnabled()
{
    static const bool enabled = std::getenv("DUNWAKE_DEBUG") != nullptr;
    return enabled;
}

void UIDebugOutput(std::wstring_view line)
{
    if (!UIDebugEnabled())
        return;
    const std::string text = platform::WideToUtf8(line);
    std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace dw::ui
