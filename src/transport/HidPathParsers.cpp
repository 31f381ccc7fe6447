#include "transport/HidPathParsers.h"

#include <cstddef>

namespace dw {

namespace {

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

int HexDigitValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    const wchar_t lower = LowerAscii(c);
    if (lower >= L'a' && lower <= L'f')
        return lower - L'a' + 10;
    return -1;
}

// Position just after the first case-insensitive occurrence of `marker` (given in lower case),
// or npos.
size_t FindAfterMarker(std::wstring_view path, std::wstring_view marker)
{
    if (path.size() < marker.size())
        return std::wstring_view::npos;
    for (size_t start = 0; start + marker.size() <= path.size(); ++start) {
        size_t i = 0;
        while (i < marker.size() && LowerAscii(path[start + i]) == marker[i])
            ++i;
        if (i == marker.size())
            return start + marker.size();
    }
    return std::wstring_view::npos;
}

// Reads every hexadecimal digit after the marker; the number may be longer than four digits,
// only its low 16 bits are kept (the accumulator is masked as it goes, so no overflow).
uint16_t HexAfterMarker(std::wstring_view path, std::wstring_view marker)
{
    size_t pos = FindAfterMarker(path, marker);
    if (pos == std::wstring_view::npos)
        return 0;
    uint32_t value = 0;
    for (; pos < path.size(); ++pos) {
        const int digit = HexDigitValue(path[pos]);
        if (digit < 0)
            break;
        value = ((value << 4) | static_cast<uint32_t>(digit)) & 0xFFFFu;
    }
    return static_cast<uint16_t>(value);
}

}  // namespace

uint16_t VendorIdOfPath(std::wstring_view path) { return HexAfterMarker(path, L"vid_"); }
uint16_t ProductIdOfPath(std::wstring_view path) { return HexAfterMarker(path, L"pid_"); }
uint16_t InterfaceNumberOfPath(std::wstring_view path) { return HexAfterMarker(path, L"&mi_"); }
uint16_t CollectionNumberOfPath(std::wstring_view path) { return HexAfterMarker(path, L"&col"); }

}  // namespace dw
