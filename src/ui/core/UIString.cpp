#include "ui/core/UIString.h"

#include <algorithm>

namespace dw::ui {

namespace {

wchar_t LowerAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

std::wstring ToLowerAscii(std::wstring_view text)
{
    std::wstring out(text);
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return LowerAscii(x) == LowerAscii(y); });
}

std::wstring NormalizePath(std::wstring_view path)
{
    std::wstring out;
    out.reserve(path.size());
    for (wchar_t c : path) {
        if (c == L'\\')
            c = L'/';
        if (c == L'/' && !out.empty() && out.back() == L'/')
            continue;
        out.push_back(c);
    }
    return out;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name)
{
    std::wstring normName = NormalizePath(name);
    if (!normName.empty() && normName.front() == L'/')
        return normName;
    if (folder.empty())
        return normName;
    std::wstring out = NormalizePath(folder);
    if (out.back() != L'/')
        out.push_back(L'/');
    return out + normName;
}

}  // namespace dw::ui
