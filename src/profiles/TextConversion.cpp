#include "profiles/TextConversion.h"

#include <cstdint>
#include <type_traits>

namespace dw {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Length of the sequence a lead byte starts, 0 for a byte that cannot start one.
size_t SequenceLength(uint8_t lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view bytes)
{
    static_assert(sizeof(wchar_t) == 4, "wide strings hold one code point per character here");
    std::wstring out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<uint8_t>(bytes[i]);
        const size_t length = SequenceLength(lead);
        if (length == 1) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        if (length == 0 || i + length > bytes.size()) {
            out.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        char32_t c = lead & (0x7F >> length);
        bool valid = true;
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(bytes[i + k]);
            if (!IsContinuation(next)) {
                valid = false;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong three- and four-byte forms, surrogates and values past U+10FFFF are refused;
        // two-byte overlong forms are already excluded by the lead byte range.
        const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
        if (!valid || overlong || IsSurrogate(c) || c > kMaxCodePoint) {
            out.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        out.push_back(static_cast<wchar_t>(c));
        i += length;
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const wchar_t wc : text) {
        auto c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(wc));
        if (IsSurrogate(c) || c > kMaxCodePoint)
            c = kReplacement;
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace dw
