// Fuzz target of the HID report-descriptor parser and the input-report decoder.
//
// Input layout: two bytes of little-endian descriptor length, the descriptor, then input
// reports, each one length byte followed by that many bytes. When the descriptor parses,
// every report is decoded against every collection: usages of every page the collection
// names, and raw and scaled values of every value usage.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/hid/HidReportDescriptor.h"

namespace {

using dw::hid::HidCollection;
using dw::hid::HidReportType;

constexpr size_t kLengthPrefixBytes = 2;
constexpr size_t kMaxUsagesPerCall = 64;
constexpr size_t kMaxReports = 16;

void DecodeAgainst(const HidCollection& c, std::span<const uint8_t> report) {
    std::array<uint16_t, kMaxUsagesPerCall> usages{};
    size_t count = 0;
    for (const auto& cap : c.buttonCaps) {
        (void)dw::hid::GetHidUsages(c, HidReportType::Input, cap.usagePage, report, usages, count);
        (void)dw::hid::HidMaxUsageListLength(c, cap.reportType, cap.usagePage);
    }
    for (const auto& cap : c.valueCaps) {
        uint32_t raw = 0;
        int32_t scaled = 0;
        (void)dw::hid::GetHidUsageValue(c, cap.reportType, cap.usagePage, cap.usageMin, report, raw);
        (void)dw::hid::GetHidUsageValue(c, cap.reportType, cap.usagePage, cap.usageMax, report, raw);
        (void)dw::hid::GetHidScaledUsageValue(c, cap.reportType, cap.usagePage, cap.usageMax, report, scaled);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    if (input.size() < kLengthPrefixBytes) {
        return 0;
    }
    const size_t descriptorLength = std::min<size_t>(input[0] | (input[1] << 8), input.size() - kLengthPrefixBytes);
    const std::span<const uint8_t> descriptor = input.subspan(kLengthPrefixBytes, descriptorLength);
    std::span<const uint8_t> rest = input.subspan(kLengthPrefixBytes + descriptorLength);

    dw::hid::HidReportDescriptor parsed;
    if (dw::hid::ParseHidReportDescriptor(descriptor, parsed) != dw::hid::HidDescriptorError::None) {
        return 0;
    }
    for (size_t n = 0; n < kMaxReports && !rest.empty(); ++n) {
        const size_t length = std::min<size_t>(rest[0], rest.size() - 1);
        const std::span<const uint8_t> report = rest.subspan(1, length);
        rest = rest.subspan(1 + length);
        for (const HidCollection& c : parsed.collections) {
            DecodeAgainst(c, report);
        }
    }
    return 0;
}
