#include "HexText.h"

namespace dw::ctl {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; }

// Appends the bytes of one token; false when it is not hexadecimal.
bool AppendToken(std::string_view token, std::vector<uint8_t>& out, size_t maxBytes)
{
    if (token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X'))
        token.remove_prefix(2);
    if (token.empty())
        return false;
    for (char c : token) {
        if (HexValue(c) < 0)
            return false;
    }
    if (token.size() == 1) {
        // "4" or "0x4": a token of its own, so it can only stand for a whole byte.
        if (out.size() >= maxBytes)
            return false;
        out.push_back(static_cast<uint8_t>(HexValue(token[0])));
        return true;
    }
    if (token.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < token.size(); i += 2) {
        if (out.size() >= maxBytes)
            return false;
        out.push_back(static_cast<uint8_t>(HexValue(token[i]) << 4 | HexValue(token[i + 1])));
    }
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view text, size_t maxBytes)
{
    std::vector<uint8_t> bytes;
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsSeparator(c)) {
            ++pos;
            continue;
        }
        if (c == '#' || (c == '/' && pos + 1 < text.size() && text[pos + 1] == '/')) {
            while (pos < text.size() && text[pos] != '\n')
                ++pos;
            continue;
        }
        size_t end = pos;
        while (end < text.size() && !IsSeparator(text[end]) && text[end] != '#')
            ++end;
        if (!AppendToken(text.substr(pos, end - pos), bytes, maxBytes))
            return std::nullopt;
        pos = end;
    }
    return bytes;
}

std::string FormatHexBytes(std::span<const uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0x0F];
    }
    return text;
}

}  // namespace dw::ctl
