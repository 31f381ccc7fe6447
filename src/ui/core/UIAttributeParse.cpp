#include "ui/core/UIAttributeParse.h"

#include <cmath>
#include <limits>
#include <vector>

#include "ui/core/UIString.h"

namespace dw::ui {

namespace {

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t' || text.front() == L'\n' || text.front() == L'\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t' || text.back() == L'\n' || text.back() == L'\r'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::wstring_view> SplitComma(std::wstring_view text)
{
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(L',', start);
        parts.push_back(text.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start));
        if (comma == std::wstring_view::npos)
            break;
        start = comma + 1;
    }
    return parts;
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

}  // namespace

std::optional<int> ParseInt(std::wstring_view text)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<double> ParseDouble(std::wstring_view text)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    double value = 0;
    double scale = 0;
    bool digits = false;
    for (wchar_t c : text) {
        if (c == L'.' && scale == 0) {
            scale = 1;
            continue;
        }
        if (c < L'0' || c > L'9')
            return std::nullopt;
        digits = true;
        if (scale == 0) {
            value = value * 10 + (c - L'0');
        } else {
            scale /= 10;
            value += (c - L'0') * scale;
        }
        if (value > 1e9)
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<bool> ParseBool(std::wstring_view text)
{
    text = Trim(text);
    if (EqualsNoCase(text, L"true") || text == L"1")
        return true;
    if (EqualsNoCase(text, L"false") || text == L"0")
        return false;
    return std::nullopt;
}

std::optional<UIColor> ParseColor(std::wstring_view text)
{
    text = Trim(text);
    if (!text.empty() && text.front() == L'#')
        text.remove_prefix(1);
    else if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
        text.remove_prefix(2);
    if (text.size() != 6 && text.size() != 8)
        return std::nullopt;
    UIColor value = 0;
    for (wchar_t c : text) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<UIColor>(d);
    }
    if (text.size() == 6)
        value |= 0xFF000000u;
    return value;
}

std::optional<UIRect> ParseRect(std::wstring_view text, bool allowShort)
{
    const auto parts = SplitComma(text);
    if (parts.size() == 1 && allowShort) {
        const auto v = ParseInt(parts[0]);
        if (!v)
            return std::nullopt;
        return UIRect{*v, *v, *v, *v};
    }
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (size_t i = 0; i < 4; ++i) {
        const auto v = ParseInt(parts[i]);
        if (!v)
            return std::nullopt;
        values[i] = *v;
    }
    return UIRect{values[0], values[1], values[2], values[3]};
}

std::optional<UISize> ParseSize(std::wstring_view text, bool allowShort)
{
    const auto parts = SplitComma(text);
    if (parts.size() == 1 && allowShort) {
        const auto v = ParseInt(parts[0]);
        if (!v)
            return std::nullopt;
        return UISize{*v, *v};
    }
    if (parts.size() != 2)
        return std::nullopt;
    const auto cx = ParseInt(parts[0]);
    const auto cy = ParseInt(parts[1]);
    if (!cx || !cy)
        return std::nullopt;
    return UISize{*cx, *cy};
}

}  // namespace dw::ui
