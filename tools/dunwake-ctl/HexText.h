#pragma once

// Bytes written as hexadecimal text, as typed on the command line ("04 00 00 03 22",
// "0400000322", "0x04,0x03") or kept in a descriptor file (with "#" or "//" comments).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dw::ctl {

// Tokens are separated by white space or commas; each may carry a "0x" prefix and holds one or
// more whole bytes (an even number of digits, or a single digit for one byte when prefixed or
// alone). Nothing (no value) when the text holds anything else or more than maxBytes bytes.
std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view text, size_t maxBytes);

// Lower-case two-digit bytes separated by single spaces.
std::string FormatHexBytes(std::span<const uint8_t> bytes);

}  // namespace dw::ctl
