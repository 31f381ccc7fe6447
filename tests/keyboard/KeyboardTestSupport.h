#pragma once

// Small helpers of the keyboard protocol tests: frames written as hexadecimal text.

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "transport/CommandFrame.h"

namespace dw::kbtest {

// "04 01 00 01" -> {0x04, 0x01, 0x00, 0x01}
inline std::vector<uint8_t> Hex(const std::string& text) {
  std::istringstream in(text);
  std::vector<uint8_t> bytes;
  unsigned value = 0;
  while (in >> std::hex >> value) {
    bytes.push_back(static_cast<uint8_t>(value));
  }
  return bytes;
}

// A 64-byte report whose first bytes are `hexPrefix` and the rest zero.
inline Report ReportOf(const std::string& hexPrefix) {
  const std::vector<uint8_t> prefix = Hex(hexPrefix);
  Report report{};
  std::copy_n(prefix.begin(), std::min(prefix.size(), report.size()), report.begin());
  return report;
}

inline std::string HexOf(std::span<const uint8_t> bytes) {
  std::ostringstream out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    out << (i ? " " : "") << std::hex;
    out.width(2);
    out.fill('0');
    out << static_cast<unsigned>(bytes[i]);
  }
  return out.str();
}

}  // namespace dw::kbtest
