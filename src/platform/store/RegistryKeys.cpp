#include "platform/store/RegistryKeys.h"

#include <algorithm>

#ifndef DW_VERSION_STRING
#error "DW_VERSION_STRING must come from the build"
#endif

namespace dw::platform {

namespace {

wchar_t AsciiLower(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

std::wstring InstalledDisplayVersion()
{
    const std::string_view version = DW_VERSION_STRING;
    return std::wstring(version.begin(), version.end());
}

uint32_t VersionNumberFromText(std::wstring_view version)
{
    uint64_t number = 0;
    bool anyDigit = false;
    for (wchar_t c : version) {
        if (c == L'.')
            continue;
        if (c < L'0' || c > L'9')
            return 0;
        number = number * 10 + static_cast<uint64_t>(c - L'0');
        if (number > UINT32_MAX)
            return 0;
        anyDigit = true;
    }
    return anyDigit ? static_cast<uint32_t>(number) : 0;
}

bool RegistryNamesEqual(std::wstring_view a, std::wstring_view b)
{
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace dw::platform
