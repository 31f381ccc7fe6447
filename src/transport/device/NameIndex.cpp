#include "transport/device/NameIndex.h"

#include <limits>

#include "ui/core/UIString.h"

namespace dw {

std::optional<NameIndex> SplitNameIndex(std::wstring_view text)
{
    const size_t split = text.rfind(L'_');
    if (split == std::wstring_view::npos)
        return std::nullopt;
    const std::wstring_view digits = text.substr(split + 1);
    if (digits.empty())
        return std::nullopt;
    size_t index = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        const size_t digit = static_cast<size_t>(c - L'0');
        if (index > (std::numeric_limits<size_t>::max() - digit) / 10)
            return std::nullopt;
        index = index * 10 + digit;
    }
    return NameIndex{text.substr(0, split + 1), index};
}

std::optional<size_t> IndexAfterPrefix(std::wstring_view text, std::wstring_view prefix)
{
    const auto split = SplitNameIndex(text);
    if (!split || !ui::EqualsNoCase(split->prefix, prefix))
        return std::nullopt;
    return split->index;
}

}  // namespace dw
