#include "ui/core/UIImageAttribute.h"

#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"

namespace dw::ui {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

}  // namespace

std::optional<UIImageAttribute> ParseImageAttribute(std::wstring_view text)
{
    UIImageAttribute out;
    // A plain file name has no key=value pair.
    if (text.find(L'=') == std::wstring_view::npos) {
        while (!text.empty() && IsSpace(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && IsSpace(text.back()))
            text.remove_suffix(1);
        out.file = NormalizePath(text);
        return out;
    }
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size())
            break;
        const size_t keyStart = i;
        while (i < text.size() && text[i] != L'=' && !IsSpace(text[i]))
            ++i;
        const std::wstring key = ToLowerAscii(text.substr(keyStart, i - keyStart));
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size() || text[i] != L'=')
            return std::nullopt;
        ++i;
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        if (i >= text.size() || (text[i] != L'\'' && text[i] != L'"'))
            return std::nullopt;
        const wchar_t quote = text[i++];
        const size_t valueEnd = text.find(quote, i);
        if (valueEnd == std::wstring_view::npos)
            return std::nullopt;
        const std::wstring_view value = text.substr(i, valueEnd - i);
        i = valueEnd + 1;

        if (key == L"file" || key == L"res") {
            out.file = NormalizePath(value);
        } else if (key == L"source") {
            const auto rc = ParseRect(value);
            if (!rc)
                return std::nullopt;
            out.params.source = *rc;
        } else if (key == L"corner") {
            const auto rc = ParseRect(value, true);
            if (!rc)
                return std::nullopt;
            out.params.corners = *rc;
        } else if (key == L"dest") {
            const auto rc = ParseRect(value);
            if (!rc)
                return std::nullopt;
            out.dest = *rc;
        } else if (key == L"fade") {
            const auto v = ParseInt(value);
            if (!v || *v < 0 || *v > 255)
                return std::nullopt;
            out.params.fade = static_cast<uint8_t>(*v);
        } else if (key == L"hole" || key == L"xtiled" || key == L"ytiled") {
            const auto v = ParseBool(value);
            if (!v)
                return std::nullopt;
            (key == L"hole" ? out.params.hole : key == L"xtiled" ? out.params.xtiled : out.params.ytiled) = *v;
        } else if (key == L"restype" || key == L"mask") {
            // Accepted for older skins; images come from files and have real alpha here.
        } else {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace dw::ui
