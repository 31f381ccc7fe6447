#pragma once

// Control names and user data of the form prefix + decimal index ("key_12", "light_7"): the
// text is split at its last '_' into the prefix (with the '_') and the index.

#include <cstddef>
#include <optional>
#include <string_view>

namespace dw {

struct NameIndex {
    std::wstring_view prefix;  // up to and including the last '_'
    size_t index = 0;
};

// Nothing when the text has no '_', or what follows the last '_' is not a decimal number
// (empty, a sign, any other character, or too large for size_t).
std::optional<NameIndex> SplitNameIndex(std::wstring_view text);

// The index when `text` splits and its prefix equals `prefix` ignoring ASCII case.
std::optional<size_t> IndexAfterPrefix(std::wstring_view text, std::wstring_view prefix);

}  // namespace dw
