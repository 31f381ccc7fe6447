#include "platform/hid/HidReportDescriptor.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace dw::hid {

namespace {

// Short item prefix: bits 0-1 data size code, bits 2-3 type, bits 4-7 tag.
constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint8_t kItemSizeMask = 0x03;
constexpr uint8_t kItemTypeShift = 2;
constexpr uint8_t kItemTypeMask = 0x03;
constexpr uint8_t kItemTagShift = 4;

enum ItemType : uint8_t { kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2, kTypeReserved = 3 };

enum MainTag : uint8_t {
    kMainInput = 0x8,
    kMainOutput = 0x9,
    kMainCollection = 0xA,
    kMainFeature = 0xB,
    kMainEndCollection = 0xC,
};

enum GlobalTag : uint8_t {
    kGlobalUsagePage = 0x0,
    kGlobalLogicalMin = 0x1,
    kGlobalLogicalMax = 0x2,
    kGlobalPhysicalMin = 0x3,
    kGlobalPhysicalMax = 0x4,
    kGlobalUnitExponent = 0x5,
    kGlobalUnit = 0x6,
    kGlobalReportSize = 0x7,
    kGlobalReportId = 0x8,
    kGlobalReportCount = 0x9,
    kGlobalPush = 0xA,
    kGlobalPop = 0xB,
};

enum LocalTag : uint8_t {
    kLocalUsage = 0x0,
    kLocalUsageMin = 0x1,
    kLocalUsageMax = 0x2,
};

constexpr uint32_t kMaxReportId = 255;
constexpr size_t kNoOwner = std::numeric_limits<size_t>::max();

// The data of one short item: its unsigned value, and its value sign-extended from its size.
struct ItemData {
    uint32_t size = 0;
    uint32_t unsignedValue = 0;
    int32_t signedValue = 0;
};

ItemData ReadItemData(std::span<const uint8_t> bytes) {
    ItemData d;
    d.size = static_cast<uint32_t>(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        d.unsignedValue |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    }
    switch (d.size) {
    case 1: d.signedValue = static_cast<int8_t>(d.unsignedValue); break;
    case 2: d.signedValue = static_cast<int16_t>(d.unsignedValue); break;
    case 4: d.signedValue = static_cast<int32_t>(d.unsignedValue); break;
    default: d.signedValue = 0; break;
    }
    return d;
}

// A maximum that follows a non-negative minimum is read unsigned: devices commonly write a
// logical maximum of 255 as the single byte 0xFF.
int32_t ResolveMaximum(int32_t minimum, const ItemData& maximum) {
    if (minimum >= 0 && maximum.unsignedValue <= static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
        return static_cast<int32_t>(maximum.unsignedValue);
    }
    return maximum.signedValue;
}

int8_t DecodeUnitExponent(const ItemData& d) {
    // The exponent is a 4-bit two's complement nibble; some devices write it as a signed byte.
    if (d.unsignedValue <= 0x0F) {
        return static_cast<int8_t>(d.unsignedValue >= 8 ? static_cast<int>(d.unsignedValue) - 16
                                                         : static_cast<int>(d.unsignedValue));
    }
    if (d.signedValue >= -8 && d.signedValue <= 7) {
        return static_cast<int8_t>(d.signedValue);
    }
    return 0;
}

struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    ItemData logicalMax;
    int32_t physicalMin = 0;
    ItemData physicalMax;
    int8_t unitExponent = 0;
    uint32_t unit = 0;
    uint32_t reportSize = 0;
    uint32_t reportId = 0;
    uint32_t reportCount = 0;
};

// A Usage item as written: a 4-byte usage carries its own page, a shorter one takes the usage
// page in force when the main item that consumes it is reached.
struct PendingUsage {
    bool hasPage = false;
    uint16_t page = 0;
    uint16_t usage = 0;
};

struct PendingRange {
    PendingUsage min;
    PendingUsage max;
};

struct LocalState {
    // Each entry is a single usage (min == max) or a completed range.
    std::vector<PendingRange> usages;
    std::optional<PendingUsage> usageMin;
    std::optional<PendingUsage> usageMax;

    void Clear() {
        usages.clear();
        usageMin.reset();
        usageMax.reset();
    }
};

PendingUsage MakeUsage(const ItemData& d) {
    PendingUsage u;
    u.usage = static_cast<uint16_t>(d.unsignedValue & 0xFFFF);
    if (d.size == 4) {
        u.hasPage = true;
        u.page = static_cast<uint16_t>(d.unsignedValue >> 16);
    }
    return u;
}

uint16_t PageOf(const PendingUsage& u, uint16_t currentPage) {
    return u.hasPage ? u.page : currentPage;
}

size_t TypeIndex(HidReportType type) {
    return static_cast<size_t>(type);
}

class Parser {
public:
    HidDescriptorError Run(std::span<const uint8_t> bytes, HidReportDescriptor& out);

private:
    HidDescriptorError HandleMain(uint8_t tag, const ItemData& d);
    HidDescriptorError HandleGlobal(uint8_t tag, const ItemData& d);
    HidDescriptorError HandleLocal(uint8_t tag, const ItemData& d);
    HidDescriptorError AddDataItem(HidReportType type, uint32_t flags);
    HidDescriptorError CompleteRange();
    void BuildCaps(HidCollection& c, const HidField& field, uint32_t fieldIndex);
    void Finish(HidReportDescriptor& out);

    GlobalState global_;
    std::vector<GlobalState> globalStack_;
    LocalState local_;
    uint32_t depth_ = 0;
    uint32_t fieldCount_ = 0;
    std::vector<HidCollection> collections_;
    // Data bits written so far, per report type and report id.
    std::array<std::array<uint32_t, kMaxReportId + 1>, kHidReportTypeCount> reportBits_{};
    std::array<std::array<bool, kMaxReportId + 1>, kHidReportTypeCount> reportSeen_{};
    // The top-level collection each report id belongs to.
    std::array<size_t, kMaxReportId + 1> idOwner_{};
    bool sawIdZero_ = false;
    bool sawNumberedId_ = false;
};

HidDescriptorError Parser::Run(std::span<const uint8_t> bytes, HidReportDescriptor& out) {
    idOwner_.fill(kNoOwner);
    size_t pos = 0;
    while (pos < bytes.size()) {
        const uint8_t prefix = bytes[pos];
        if (prefix == kLongItemPrefix) {
            return HidDescriptorError::LongItem;
        }
        const uint8_t sizeCode = prefix & kItemSizeMask;
        const size_t dataSize = sizeCode == 3 ? 4 : sizeCode;
        if (bytes.size() - pos - 1 < dataSize) {
            return HidDescriptorError::TruncatedItem;
        }
        const ItemData d = ReadItemData(bytes.subspan(pos + 1, dataSize));
        pos += 1 + dataSize;

        const uint8_t type = (prefix >> kItemTypeShift) & kItemTypeMask;
        const uint8_t tag = prefix >> kItemTagShift;
        HidDescriptorError e = HidDescriptorError::None;
        switch (type) {
        case kTypeMain: e = HandleMain(tag, d); break;
        case kTypeGlobal: e = HandleGlobal(tag, d); break;
        case kTypeLocal: e = HandleLocal(tag, d); break;
        default: break;   // reserved item types carry nothing we use
        }
        if (e != HidDescriptorError::None) {
            return e;
        }
    }
    if (depth_ != 0) {
        return HidDescriptorError::UnbalancedCollection;
    }
    if (collections_.empty()) {
        return HidDescriptorError::Empty;
    }
    Finish(out);
    return HidDescriptorError::None;
}

HidDescriptorError Parser::HandleMain(uint8_t tag, const ItemData& d) {
    HidDescriptorError e = HidDescriptorError::None;
    switch (tag) {
    case kMainCollection:
        if (depth_ >= kHidMaxCollectionDepth) {
            return HidDescriptorError::NestingTooDeep;
        }
        if (depth_ == 0) {
            if (collections_.size() >= kHidMaxTopLevelCollections) {
                return HidDescriptorError::TooManyCollections;
            }
            HidCollection c;
            if (!local_.usages.empty()) {
                c.usagePage = PageOf(local_.usages.front().min, global_.usagePage);
                c.usage = local_.usages.front().min.usage;
            } else if (local_.usageMin) {
                c.usagePage = PageOf(*local_.usageMin, global_.usagePage);
                c.usage = local_.usageMin->usage;
            }
            collections_.push_back(std::move(c));
        }
        ++depth_;
        break;
    case kMainEndCollection:
        if (depth_ == 0) {
            return HidDescriptorError::UnbalancedCollection;
        }
        --depth_;
        break;
    case kMainInput: e = AddDataItem(HidReportType::Input, d.unsignedValue); break;
    case kMainOutput: e = AddDataItem(HidReportType::Output, d.unsignedValue); break;
    case kMainFeature: e = AddDataItem(HidReportType::Feature, d.unsignedValue); break;
    default: break;
    }
    local_.Clear();
    return e;
}

HidDescriptorError Parser::HandleGlobal(uint8_t tag, const ItemData& d) {
    switch (tag) {
    case kGlobalUsagePage: global_.usagePage = static_cast<uint16_t>(d.unsignedValue & 0xFFFF); break;
    case kGlobalLogicalMin: global_.logicalMin = d.signedValue; break;
    case kGlobalLogicalMax: global_.logicalMax = d; break;
    case kGlobalPhysicalMin: global_.physicalMin = d.signedValue; break;
    case kGlobalPhysicalMax: global_.physicalMax = d; break;
    case kGlobalUnitExponent: global_.unitExponent = DecodeUnitExponent(d); break;
    case kGlobalUnit: global_.unit = d.unsignedValue; break;
    case kGlobalReportSize:
        if (d.unsignedValue > kHidMaxReportSizeBits) {
            return HidDescriptorError::ReportSizeTooLarge;
        }
        global_.reportSize = d.unsignedValue;
        break;
    case kGlobalReportId:
        if (d.unsignedValue == 0 || d.unsignedValue > kMaxReportId) {
            return HidDescriptorError::InvalidReportId;
        }
        global_.reportId = d.unsignedValue;
        break;
    case kGlobalReportCount:
        if (d.unsignedValue > kHidMaxReportCount) {
            return HidDescriptorError::ReportCountTooLarge;
        }
        global_.reportCount = d.unsignedValue;
        break;
    case kGlobalPush:
        if (globalStack_.size() >= kHidMaxPushDepth) {
            return HidDescriptorError::PushPopStackOverflow;
        }
        globalStack_.push_back(global_);
        break;
    case kGlobalPop:
        if (globalStack_.empty()) {
            return HidDescriptorError::PushPopStackUnderflow;
        }
        global_ = globalStack_.back();
        globalStack_.pop_back();
        break;
    default: break;
    }
    return HidDescriptorError::None;
}

HidDescriptorError Parser::HandleLocal(uint8_t tag, const ItemData& d) {
    switch (tag) {
    case kLocalUsage: {
        if (local_.usages.size() >= kHidMaxLocalUsages) {
            return HidDescriptorError::TooManyUsages;
        }
        const PendingUsage u = MakeUsage(d);
        local_.usages.push_back(PendingRange{u, u});
        break;
    }
    case kLocalUsageMin:
        if (local_.usageMin) {
            return HidDescriptorError::InvalidUsageRange;
        }
        local_.usageMin = MakeUsage(d);
        return CompleteRange();
    case kLocalUsageMax:
        if (local_.usageMax) {
            return HidDescriptorError::InvalidUsageRange;
        }
        local_.usageMax = MakeUsage(d);
        return CompleteRange();
    default: break;   // designators, strings and delimiters are not used by this layer
    }
    return HidDescriptorError::None;
}

HidDescriptorError Parser::CompleteRange() {
    if (!local_.usageMin || !local_.usageMax) {
        return HidDescriptorError::None;
    }
    if (local_.usages.size() >= kHidMaxLocalUsages) {
        return HidDescriptorError::TooManyUsages;
    }
    PendingRange r{*local_.usageMin, *local_.usageMax};
    // A range spans one page; an extended minimum gives it to an unextended maximum.
    if (r.min.hasPage && !r.max.hasPage) {
        r.max.hasPage = true;
        r.max.page = r.min.page;
    }
    if (r.max.hasPage && !r.min.hasPage) {
        r.min.hasPage = true;
        r.min.page = r.max.page;
    }
    if (r.min.page != r.max.page || r.min.usage > r.max.usage) {
        return HidDescriptorError::InvalidUsageRange;
    }
    local_.usages.push_back(r);
    local_.usageMin.reset();
    local_.usageMax.reset();
    return HidDescriptorError::None;
}

HidDescriptorError Parser::AddDataItem(HidReportType type, uint32_t flags) {
    if (depth_ == 0) {
        return HidDescriptorError::MainItemOutsideCollection;
    }
    if (local_.usageMin || local_.usageMax) {
        return HidDescriptorError::InvalidUsageRange;
    }
    const size_t owner = collections_.size() - 1;
    const uint32_t id = global_.reportId;
    if (id == 0) {
        sawIdZero_ = true;
    } else {
        sawNumberedId_ = true;
    }
    if (sawIdZero_ && sawNumberedId_) {
        return HidDescriptorError::ReportIdConflict;
    }
    if (idOwner_[id] == kNoOwner) {
        idOwner_[id] = owner;
    } else if (idOwner_[id] != owner) {
        return HidDescriptorError::ReportIdConflict;
    }

    const size_t t = TypeIndex(type);
    const uint64_t bits = static_cast<uint64_t>(global_.reportSize) * global_.reportCount;
    const uint32_t start = reportBits_[t][id];
    if (start + bits > static_cast<uint64_t>(kHidMaxReportBytes) * 8) {
        return HidDescriptorError::ReportTooLong;
    }
    reportBits_[t][id] = start + static_cast<uint32_t>(bits);

    HidCollection& c = collections_[owner];
    if (!reportSeen_[t][id]) {
        reportSeen_[t][id] = true;
        c.reports.push_back(HidReportInfo{type, static_cast<uint8_t>(id), 0});
    }
    if ((flags & HidField::kConstantFlag) != 0 || bits == 0) {
        return HidDescriptorError::None;   // padding: it only moves the following fields
    }
    if (fieldCount_ >= kHidMaxFields) {
        return HidDescriptorError::TooManyFields;
    }
    ++fieldCount_;

    HidField f;
    f.reportType = type;
    f.reportId = static_cast<uint8_t>(id);
    f.bitPosition = start;
    f.bitSize = static_cast<uint16_t>(global_.reportSize);
    f.reportCount = static_cast<uint16_t>(global_.reportCount);
    f.flags = flags;
    f.logicalMin = global_.logicalMin;
    f.logicalMax = ResolveMaximum(global_.logicalMin, global_.logicalMax);
    f.physicalMin = global_.physicalMin;
    f.physicalMax = ResolveMaximum(global_.physicalMin, global_.physicalMax);
    f.unitExponent = global_.unitExponent;
    f.unit = global_.unit;
    f.usages.reserve(local_.usages.size());
    for (const PendingRange& r : local_.usages) {
        f.usages.push_back(HidUsageRange{PageOf(r.min, global_.usagePage), r.min.usage, r.max.usage});
    }
    const auto fieldIndex = static_cast<uint32_t>(c.fields.size());
    c.fields.push_back(std::move(f));
    BuildCaps(c, c.fields.back(), fieldIndex);
    return HidDescriptorError::None;
}

// Splits a field into capabilities, one per usage list entry. Variable fields hand their
// slots to the entries in order (a single usage takes one slot, a range one per usage); when
// the list runs out, the last entry takes the remaining slots; entries beyond the last slot
// are dropped. Array fields give every entry the whole field, since any slot may name any usage.
void Parser::BuildCaps(HidCollection& c, const HidField& field, uint32_t fieldIndex) {
    const bool button = field.IsButton();
    if (field.IsArray()) {
        uint32_t indexBase = 0;
        for (const HidUsageRange& u : field.usages) {
            HidButtonCap cap;
            cap.reportType = field.reportType;
            cap.usagePage = u.usagePage;
            cap.reportId = field.reportId;
            cap.isRange = u.usageMin != u.usageMax;
            cap.usageMin = u.usageMin;
            cap.usageMax = u.usageMax;
            cap.isArray = true;
            cap.isAbsolute = field.IsAbsolute();
            cap.bitPosition = field.bitPosition;
            cap.bitSize = field.bitSize;
            cap.reportCount = field.reportCount;
            cap.logicalMin = field.logicalMin;
            cap.logicalMax = field.logicalMax;
            cap.fieldIndex = fieldIndex;
            cap.arrayIndexBase = indexBase;
            c.buttonCaps.push_back(cap);
            indexBase += static_cast<uint32_t>(u.usageMax - u.usageMin) + 1;
        }
        return;
    }

    uint32_t slot = 0;
    for (size_t i = 0; i < field.usages.size() && slot < field.reportCount; ++i) {
        const HidUsageRange& u = field.usages[i];
        const uint32_t left = field.reportCount - slot;
        uint32_t take = std::min<uint32_t>(static_cast<uint32_t>(u.usageMax - u.usageMin) + 1, left);
        if (i + 1 == field.usages.size()) {
            take = left;
        }
        const uint32_t position = field.bitPosition + slot * field.bitSize;
        if (button) {
            HidButtonCap cap;
            cap.reportType = field.reportType;
            cap.usagePage = u.usagePage;
            cap.reportId = field.reportId;
            cap.isRange = u.usageMin != u.usageMax;
            cap.usageMin = u.usageMin;
            cap.usageMax = u.usageMax;
            cap.isAbsolute = field.IsAbsolute();
            cap.bitPosition = position;
            cap.bitSize = 1;
            cap.reportCount = static_cast<uint16_t>(take);
            cap.logicalMin = field.logicalMin;
            cap.logicalMax = field.logicalMax;
            cap.fieldIndex = fieldIndex;
            c.buttonCaps.push_back(cap);
        } else {
            HidValueCap cap;
            cap.reportType = field.reportType;
            cap.usagePage = u.usagePage;
            cap.reportId = field.reportId;
            cap.isRange = u.usageMin != u.usageMax;
            cap.usageMin = u.usageMin;
            cap.usageMax = u.usageMax;
            cap.isAbsolute = field.IsAbsolute();
            cap.hasNull = field.HasNullState();
            cap.bitPosition = position;
            cap.bitSize = field.bitSize;
            cap.reportCount = static_cast<uint16_t>(take);
            cap.logicalMin = field.logicalMin;
            cap.logicalMax = field.logicalMax;
            cap.physicalMin = field.physicalMin;
            cap.physicalMax = field.physicalMax;
            cap.unitExponent = field.unitExponent;
            cap.unit = field.unit;
            cap.fieldIndex = fieldIndex;
            c.valueCaps.push_back(cap);
        }
        slot += take;
    }
}

void Parser::Finish(HidReportDescriptor& out) {
    for (HidCollection& c : collections_) {
        for (HidReportInfo& r : c.reports) {
            r.bitLength = reportBits_[TypeIndex(r.reportType)][r.reportId];
            const auto length = static_cast<uint16_t>(r.ByteLength());
            uint16_t& longest = r.reportType == HidReportType::Input    ? c.inputReportByteLength
                                : r.reportType == HidReportType::Output ? c.outputReportByteLength
                                                                         : c.featureReportByteLength;
            longest = std::max(longest, length);
            if (std::find(c.reportIds.begin(), c.reportIds.end(), r.reportId) == c.reportIds.end()) {
                c.reportIds.push_back(r.reportId);
            }
        }
        std::sort(c.reportIds.begin(), c.reportIds.end());
        c.usesReportIds = !c.reportIds.empty() && c.reportIds.front() != 0;
    }
    out.collections = std::move(collections_);
}

}  // namespace

HidDescriptorError ParseHidReportDescriptor(std::span<const uint8_t> descriptor, HidReportDescriptor& out) {
    out.collections.clear();
    if (descriptor.empty()) {
        return HidDescriptorError::Empty;
    }
    Parser parser;
    return parser.Run(descriptor, out);
}

const char* HidDescriptorErrorName(HidDescriptorError error) {
    switch (error) {
    case HidDescriptorError::None: return "none";
    case HidDescriptorError::Empty: return "empty";
    case HidDescriptorError::TruncatedItem: return "truncated item";
    case HidDescriptorError::LongItem: return "long item";
    case HidDescriptorError::ReportSizeTooLarge: return "report size too large";
    case HidDescriptorError::ReportCountTooLarge: return "report count too large";
    case HidDescriptorError::ReportTooLong: return "report too long";
    case HidDescriptorError::InvalidReportId: return "invalid report id";
    case HidDescriptorError::ReportIdConflict: return "report id conflict";
    case HidDescriptorError::UnbalancedCollection: return "unbalanced collection";
    case HidDescriptorError::NestingTooDeep: return "nesting too deep";
    case HidDescriptorError::PushPopStackOverflow: return "push stack overflow";
    case HidDescriptorError::PushPopStackUnderflow: return "pop without push";
    case HidDescriptorError::TooManyUsages: return "too many usages";
    case HidDescriptorError::TooManyFields: return "too many fields";
    case HidDescriptorError::TooManyCollections: return "too many collections";
    case HidDescriptorError::MainItemOutsideCollection: return "main item outside collection";
    case HidDescriptorError::InvalidUsageRange: return "invalid usage range";
    }
    return "unknown";
}

}  // namespace dw::hid
