// Decoding of received reports against the capabilities of one top-level collection, and the
// collection's small queries. Every bit read is bounds-checked against the report given.

#include "platform/hid/HidReportDescriptor.h"

#include <algorithm>

namespace dw::hid {

namespace {

__extension__ typedef __int128 Int128;

constexpr uint32_t kMaxValueBits = 32;
constexpr size_t kReportIdOffset = 0;
constexpr size_t kReportDataOffset = 1;

// Reads `bitSize` (1..32) bits starting at `bitPosition` of the report's data (byte 1 on),
// least significant bit first as HID lays fields out. False when the bits are not all there.
bool ExtractBits(std::span<const uint8_t> report, uint32_t bitPosition, uint32_t bitSize, uint32_t& value) {
    value = 0;
    if (bitSize == 0 || bitSize > kMaxValueBits || report.size() < kReportDataOffset) {
        return false;
    }
    const std::span<const uint8_t> data = report.subspan(kReportDataOffset);
    const uint64_t end = static_cast<uint64_t>(bitPosition) + bitSize;
    if (end > static_cast<uint64_t>(data.size()) * 8) {
        return false;
    }
    uint64_t acc = 0;
    const uint32_t firstByte = bitPosition / 8;
    const uint32_t lastByte = static_cast<uint32_t>((end - 1) / 8);
    for (uint32_t b = lastByte + 1; b-- > firstByte;) {
        acc = (acc << 8) | data[b];
    }
    acc >>= bitPosition % 8;
    value = static_cast<uint32_t>(acc & ((uint64_t{1} << bitSize) - 1));
    return true;
}

int64_t SignExtend(uint32_t raw, uint32_t bitSize) {
    if (bitSize == 0 || bitSize >= 64) {
        return raw;
    }
    const uint64_t signBit = uint64_t{1} << (bitSize - 1);
    const uint64_t v = raw;
    return static_cast<int64_t>((v ^ signBit)) - static_cast<int64_t>(signBit);
}

// A field value as its logical range reads it: signed when the range reaches below zero.
int64_t LogicalValue(uint32_t raw, uint32_t bitSize, int32_t logicalMin) {
    return logicalMin < 0 ? SignExtend(raw, bitSize) : static_cast<int64_t>(raw);
}

class UsageSink {
public:
    explicit UsageSink(std::span<uint16_t> out) : out_(out) {}

    void Add(uint16_t usage) {
        if (usage == 0) {
            return;   // usage 0 means "no event"
        }
        if (count_ < out_.size()) {
            out_[count_++] = usage;
        } else {
            overflow_ = true;
        }
    }
    size_t count() const { return count_; }
    bool overflow() const { return overflow_; }

private:
    std::span<uint16_t> out_;
    size_t count_ = 0;
    bool overflow_ = false;
};

void CollectArrayUsages(const HidField& field, uint16_t usagePage, std::span<const uint8_t> report, UsageSink& sink) {
    for (uint32_t slot = 0; slot < field.reportCount; ++slot) {
        uint32_t raw = 0;
        if (!ExtractBits(report, field.bitPosition + slot * field.bitSize, field.bitSize, raw)) {
            return;
        }
        const int64_t v = LogicalValue(raw, field.bitSize, field.logicalMin);
        if (v < field.logicalMin || v > field.logicalMax) {
            continue;   // a null slot: nothing pressed there
        }
        const auto index = static_cast<uint64_t>(v - field.logicalMin);
        uint64_t base = 0;
        for (const HidUsageRange& u : field.usages) {
            const uint64_t span = static_cast<uint64_t>(u.usageMax - u.usageMin) + 1;
            if (index < base + span) {
                if (u.usagePage == usagePage) {
                    sink.Add(static_cast<uint16_t>(u.usageMin + (index - base)));
                }
                break;
            }
            base += span;
        }
    }
}

void CollectVariableUsages(const HidButtonCap& cap, std::span<const uint8_t> report, UsageSink& sink) {
    for (uint32_t i = 0; i < cap.reportCount; ++i) {
        uint32_t bit = 0;
        if (!ExtractBits(report, cap.bitPosition + i, 1, bit)) {
            return;
        }
        if (bit != 0) {
            // Slots beyond the end of a range repeat its last usage.
            sink.Add(static_cast<uint16_t>(std::min<uint32_t>(cap.usageMin + i, cap.usageMax)));
        }
    }
}

// Checks the report against the collection: its id must be one that carries the wanted usage,
// and the report must be as long as the report that id names.
HidStatus CheckReport(const HidCollection& collection, HidReportType type, std::span<const uint8_t> report,
                      bool anyCap, bool capWithId) {
    if (!anyCap) {
        return HidStatus::UsageNotFound;
    }
    if (!capWithId) {
        return HidStatus::IncompatibleReportId;
    }
    if (report.size() < collection.ReportByteLength(type, report[kReportIdOffset])) {
        return HidStatus::InvalidReportLength;
    }
    return HidStatus::Success;
}

// Finds the value capability holding `usage`, preferring one of the report's id.
HidStatus FindValue(const HidCollection& collection, HidReportType type, uint16_t usagePage, uint16_t usage,
                    std::span<const uint8_t> report, const HidValueCap*& found, uint32_t& bitPosition) {
    found = nullptr;
    if (report.empty()) {
        return HidStatus::InvalidReportLength;
    }
    bool any = false;
    for (const HidValueCap& cap : collection.valueCaps) {
        if (cap.reportType != type || cap.usagePage != usagePage || usage < cap.usageMin || usage > cap.usageMax) {
            continue;
        }
        any = true;
        if (cap.reportId == report[kReportIdOffset]) {
            found = &cap;
            break;
        }
    }
    const HidStatus s = CheckReport(collection, type, report, any, found != nullptr);
    if (s != HidStatus::Success) {
        return s;
    }
    if (found->bitSize > kMaxValueBits) {
        return HidStatus::ValueTooWide;
    }
    bitPosition = found->bitPosition + static_cast<uint32_t>(usage - found->usageMin) * found->bitSize;
    return HidStatus::Success;
}

}  // namespace

size_t HidCollection::ButtonCapCount(HidReportType type) const {
    return static_cast<size_t>(std::count_if(buttonCaps.begin(), buttonCaps.end(),
                                             [type](const HidButtonCap& c) { return c.reportType == type; }));
}

size_t HidCollection::ValueCapCount(HidReportType type) const {
    return static_cast<size_t>(std::count_if(valueCaps.begin(), valueCaps.end(),
                                             [type](const HidValueCap& c) { return c.reportType == type; }));
}

uint16_t HidCollection::ReportByteLength(HidReportType type) const {
    switch (type) {
    case HidReportType::Input: return inputReportByteLength;
    case HidReportType::Output: return outputReportByteLength;
    case HidReportType::Feature: return featureReportByteLength;
    }
    return 0;
}

bool HidCollection::HasReportId(uint8_t reportId) const {
    return std::binary_search(reportIds.begin(), reportIds.end(), reportId);
}

uint32_t HidCollection::ReportByteLength(HidReportType type, uint8_t reportId) const {
    for (const HidReportInfo& r : reports) {
        if (r.reportType == type && r.reportId == reportId) {
            return r.ByteLength();
        }
    }
    return 0;
}

HidStatus GetHidUsages(const HidCollection& collection, HidReportType type, uint16_t usagePage,
                       std::span<const uint8_t> report, std::span<uint16_t> usages, size_t& count) {
    count = 0;
    if (report.empty()) {
        return HidStatus::InvalidReportLength;
    }
    const uint8_t id = report[kReportIdOffset];
    bool any = false;
    bool withId = false;
    for (const HidButtonCap& cap : collection.buttonCaps) {
        if (cap.reportType == type && cap.usagePage == usagePage) {
            any = true;
            withId = withId || cap.reportId == id;
        }
    }
    const HidStatus s = CheckReport(collection, type, report, any, withId);
    if (s != HidStatus::Success) {
        return s;
    }

    // Fields in descriptor order; the capabilities of a variable field follow each other in
    // the same order, so one cursor walks them alongside.
    UsageSink sink(usages);
    size_t capCursor = 0;
    for (uint32_t f = 0; f < collection.fields.size(); ++f) {
        const HidField& field = collection.fields[f];
        const bool wanted = field.reportType == type && field.reportId == id && field.IsButton();
        if (wanted && field.IsArray()) {
            CollectArrayUsages(field, usagePage, report, sink);
            continue;
        }
        while (capCursor < collection.buttonCaps.size() && collection.buttonCaps[capCursor].fieldIndex < f) {
            ++capCursor;
        }
        for (; capCursor < collection.buttonCaps.size() && collection.buttonCaps[capCursor].fieldIndex == f;
             ++capCursor) {
            const HidButtonCap& cap = collection.buttonCaps[capCursor];
            if (wanted && cap.usagePage == usagePage) {
                CollectVariableUsages(cap, report, sink);
            }
        }
    }
    count = sink.count();
    return sink.overflow() ? HidStatus::BufferTooSmall : HidStatus::Success;
}

HidStatus GetHidUsageValue(const HidCollection& collection, HidReportType type, uint16_t usagePage,
                           uint16_t usage, std::span<const uint8_t> report, uint32_t& value) {
    value = 0;
    const HidValueCap* cap = nullptr;
    uint32_t position = 0;
    const HidStatus s = FindValue(collection, type, usagePage, usage, report, cap, position);
    if (s != HidStatus::Success) {
        return s;
    }
    if (!ExtractBits(report, position, cap->bitSize, value)) {
        return HidStatus::InvalidReportLength;
    }
    return HidStatus::Success;
}

HidStatus GetHidScaledUsageValue(const HidCollection& collection, HidReportType type, uint16_t usagePage,
                                 uint16_t usage, std::span<const uint8_t> report, int32_t& value) {
    value = 0;
    const HidValueCap* cap = nullptr;
    uint32_t position = 0;
    const HidStatus s = FindValue(collection, type, usagePage, usage, report, cap, position);
    if (s != HidStatus::Success) {
        return s;
    }
    const int64_t lmin = cap->logicalMin;
    const int64_t lmax = cap->logicalMax;
    const int64_t pmin = cap->physicalMin;
    const int64_t pmax = cap->physicalMax;
    if (lmin >= lmax || pmin >= pmax) {
        return HidStatus::BadLogPhyValues;   // also the unset physical range (both 0)
    }
    uint32_t raw = 0;
    if (!ExtractBits(report, position, cap->bitSize, raw)) {
        return HidStatus::InvalidReportLength;
    }
    const int64_t v = LogicalValue(raw, cap->bitSize, cap->logicalMin);
    if (v < lmin || v > lmax) {
        return HidStatus::ValueOutOfRange;
    }
    // Both spans are below 2^32, so their product needs more than 64 bits; the result lies
    // inside the physical range and fits 32 bits again.
    const Int128 scaled = static_cast<Int128>(v - lmin) * (pmax - pmin) / (lmax - lmin) + pmin;
    value = static_cast<int32_t>(scaled);
    return HidStatus::Success;
}

size_t HidMaxUsageListLength(const HidCollection& collection, HidReportType type, uint16_t usagePage) {
    size_t total = 0;
    for (const HidField& field : collection.fields) {
        if (field.reportType != type || !field.IsButton() || !field.IsArray()) {
            continue;
        }
        const bool hasPage = usagePage == 0 ||
                             std::any_of(field.usages.begin(), field.usages.end(),
                                         [usagePage](const HidUsageRange& u) { return u.usagePage == usagePage; });
        if (hasPage && !field.usages.empty()) {
            total += field.reportCount;
        }
    }
    for (const HidButtonCap& cap : collection.buttonCaps) {
        if (cap.reportType == type && !cap.isArray && (usagePage == 0 || cap.usagePage == usagePage)) {
            total += cap.reportCount;
        }
    }
    return total;
}

const char* HidStatusName(HidStatus status) {
    switch (status) {
    case HidStatus::Success: return "success";
    case HidStatus::UsageNotFound: return "usage not found";
    case HidStatus::IncompatibleReportId: return "incompatible report id";
    case HidStatus::InvalidReportLength: return "invalid report length";
    case HidStatus::BadLogPhyValues: return "bad logical/physical values";
    case HidStatus::ValueOutOfRange: return "value out of range";
    case HidStatus::BufferTooSmall: return "buffer too small";
    case HidStatus::ValueTooWide: return "value too wide";
    }
    return "unknown";
}

}  // namespace dw::hid
