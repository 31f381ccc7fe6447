#include "platform/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace dw::platform {

namespace {

static_assert(sizeof(wchar_t) == 4, "wide texts hold one code point per character here");

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr uint8_t kContinuationLow = 0x80;
constexpr uint8_t kContinuationHigh = 0xBF;
constexpr uint8_t kContinuationPayload = 0x3F;

constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kHighSurrogateLast = 0xDBFF;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kLowSurrogateLast = 0xDFFF;
constexpr char32_t kFirstSupplementary = 0x10000;

bool IsScalarValue(char32_t cp)
{
    return cp <= kMaxCodePoint && (cp < kHighSurrogateFirst || cp > kLowSurrogateLast);
}

char32_t WideCodeUnit(wchar_t c)
{
    return static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(c));
}

// What a lead byte starts: the length of the sequence, the bits it contributes, and the range the
// second byte must fall in. The narrowed ranges after E0, ED, F0 and F4 are what refuse overlong
// forms, surrogates and values past U+10FFFF before a single wrong byte is consumed.
struct LeadByte {
    size_t length = 0;  // 0: the byte starts no sequence.
    char32_t bits = 0;
    uint8_t secondLow = kContinuationLow;
    uint8_t secondHigh = kContinuationHigh;
};

LeadByte ClassifyLead(uint8_t lead)
{
    if (lead < 0x80)
        return {1, lead};
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, static_cast<char32_t>(lead & 0x1F)};
    if (lead >= 0xE0 && lead <= 0xEF) {
        const char32_t bits = lead & 0x0F;
        if (lead == 0xE0)
            return {3, bits, 0xA0, kContinuationHigh};
        if (lead == 0xED)
            return {3, bits, kContinuationLow, 0x9F};
        return {3, bits};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const char32_t bits = lead & 0x07;
        if (lead == 0xF0)
            return {4, bits, 0x90, kContinuationHigh};
        if (lead == 0xF4)
            return {4, bits, kContinuationLow, 0x8F};
        return {4, bits};
    }
    return {};
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (!IsScalarValue(cp))
        cp = kReplacement;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & kContinuationPayload)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & kContinuationPayload)));
        out.push_back(static_cast<char>(0x80 | (cp & kContinuationPayload)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & kContinuationPayload)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & kContinuationPayload)));
        out.push_back(static_cast<char>(0x80 | (cp & kContinuationPayload)));
    }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view bytes)
{
    std::wstring out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const LeadByte lead = ClassifyLead(static_cast<uint8_t>(bytes[i]));
        if (lead.length == 0) {
            out.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        char32_t cp = lead.bits;
        size_t taken = 1;
        for (; taken < lead.length && i + taken < bytes.size(); ++taken) {
            const auto next = static_cast<uint8_t>(bytes[i + taken]);
            const uint8_t low = taken == 1 ? lead.secondLow : kContinuationLow;
            const uint8_t high = taken == 1 ? lead.secondHigh : kContinuationHigh;
            if (next < low || next > high)
                break;
            cp = (cp << 6) | (next & kContinuationPayload);
        }
        // The bytes taken so far are one replacement character when the sequence was broken off;
        // the byte that broke it is read again as the start of the next one.
        out.push_back(static_cast<wchar_t>(taken == lead.length ? cp : kReplacement));
        i += taken;
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = WideCodeUnit(text[i]);
        // Text typed through a toolkit that hands over UTF-16 code units can hold a character
        // outside the basic plane as a surrogate pair; the pair is that one character. A
        // surrogate without its partner is not text and is replaced.
        if (cp >= kHighSurrogateFirst && cp <= kHighSurrogateLast && i + 1 < text.size()) {
            const char32_t low = WideCodeUnit(text[i + 1]);
            if (low >= kLowSurrogateFirst && low <= kLowSurrogateLast) {
                cp = kFirstSupplementary + ((cp - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst);
                ++i;
            }
        }
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace dw::platform
