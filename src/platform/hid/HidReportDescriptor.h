#pragma once

// Our own HID report-descriptor parser and input-report decoder. Pure functions over byte
// spans: no I/O, no global state, safe on untrusted bytes.
//
// A descriptor is split into its top-level collections, in descriptor order. Each collection
// carries what the device code asks of a HID interface: its usage page and usage, the report
// ids it uses, the byte length of its longest input, output and feature report, and its button
// and value capabilities.
//
// Report byte lengths include the report-id byte, also for a collection that uses no report
// ids: such a report is handled with a leading 0 byte, so every report seen by the decoder has
// its report id in byte 0 and its data from byte 1.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dw::hid {

enum class HidReportType : uint8_t { Input = 0, Output = 1, Feature = 2 };

inline constexpr size_t kHidReportTypeCount = 3;

// Why a descriptor was refused. Every malformed descriptor ends in one of these; the parser
// never reads past the bytes it was given and never allocates in proportion to a count read
// from the descriptor without a bound.
enum class HidDescriptorError {
    None = 0,
    Empty,                      // no bytes, or no top-level collection
    TruncatedItem,              // an item's data runs past the end of the descriptor
    LongItem,                   // long items are reserved by the HID standard; none is in use
    ReportSizeTooLarge,         // Report Size beyond kHidMaxReportSizeBits
    ReportCountTooLarge,        // Report Count beyond kHidMaxReportCount
    ReportTooLong,              // one report's data beyond kHidMaxReportBytes
    InvalidReportId,            // Report ID 0, or above 255
    ReportIdConflict,           // one report id in two top-level collections, or ids mixed with id-less reports
    UnbalancedCollection,       // End Collection without Collection, or a collection left open
    NestingTooDeep,             // collections nested deeper than kHidMaxCollectionDepth
    PushPopStackOverflow,       // more than kHidMaxPushDepth Push items outstanding
    PushPopStackUnderflow,      // Pop without Push
    TooManyUsages,              // more than kHidMaxLocalUsages usages before one main item
    TooManyFields,              // more than kHidMaxFields main items carrying data
    TooManyCollections,         // more than kHidMaxTopLevelCollections top-level collections
    MainItemOutsideCollection,  // Input, Output or Feature outside every collection
    InvalidUsageRange,          // Usage Minimum above Usage Maximum, or one given without the other
};

// Bounds applied to untrusted descriptors. Real devices stay far below each of them.
inline constexpr uint32_t kHidMaxReportSizeBits = 256;
inline constexpr uint32_t kHidMaxReportCount = 4096 * 8;
inline constexpr uint32_t kHidMaxReportBytes = 4096;    // data bytes of one report, id byte excluded
inline constexpr uint32_t kHidMaxCollectionDepth = 32;
inline constexpr uint32_t kHidMaxPushDepth = 16;
inline constexpr uint32_t kHidMaxLocalUsages = 1024;
inline constexpr uint32_t kHidMaxFields = 2048;
inline constexpr uint32_t kHidMaxTopLevelCollections = 64;

// Results of decoding, modelled on the statuses callers of a HID parser expect.
enum class HidStatus {
    Success = 0,
    UsageNotFound,          // no capability of that usage page / usage in this report type
    IncompatibleReportId,   // the capability exists, but in a report with another id
    InvalidReportLength,    // the report is shorter than the report its id names
    BadLogPhyValues,        // logical range empty, or physical range not set or empty
    ValueOutOfRange,        // the field holds a value outside its logical range (a null value)
    BufferTooSmall,         // more usages than room in the caller's list; the list holds what fit
    ValueTooWide,           // the field is wider than 32 bits
};

// One usage list entry: a single usage (minimum == maximum) or a usage range.
struct HidUsageRange {
    uint16_t usagePage = 0;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
};

// One Input, Output or Feature main item that carries data (constant padding is skipped).
struct HidField {
    HidReportType reportType = HidReportType::Input;
    uint8_t reportId = 0;           // 0 when the collection uses no report ids
    uint32_t bitPosition = 0;       // first bit of the field, counted from byte 1 of the report
    uint16_t bitSize = 0;           // Report Size
    uint16_t reportCount = 0;       // Report Count
    uint32_t flags = 0;             // the main item's data bits (constant, variable, relative, ..., null state)
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    int8_t unitExponent = 0;        // -8..7
    uint32_t unit = 0;
    std::vector<HidUsageRange> usages;   // in descriptor order; bounded by kHidMaxLocalUsages

    bool IsArray() const { return (flags & kVariableFlag) == 0; }
    bool IsAbsolute() const { return (flags & kRelativeFlag) == 0; }
    bool HasNullState() const { return (flags & kNullStateFlag) != 0; }
    // A field of buttons: an array (its values are indices into the usage list) or one bit per usage.
    bool IsButton() const { return IsArray() || bitSize == 1; }

    static constexpr uint32_t kConstantFlag = 0x01;
    static constexpr uint32_t kVariableFlag = 0x02;
    static constexpr uint32_t kRelativeFlag = 0x04;
    static constexpr uint32_t kNullStateFlag = 0x40;
};

// A button capability: one usage list entry of a button field. A variable field with a list of
// single usages gives one capability per usage; a usage range gives one capability.
struct HidButtonCap {
    HidReportType reportType = HidReportType::Input;
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    uint16_t usageMin = 0;          // the single usage when !isRange
    uint16_t usageMax = 0;          // equals usageMin when !isRange
    bool isArray = false;           // the field holds usage indices rather than one bit per usage
    bool isAbsolute = true;
    uint32_t bitPosition = 0;       // of the first bit this capability covers, from byte 1
    uint16_t bitSize = 1;           // 1 for variable buttons, the index width for arrays
    uint16_t reportCount = 0;       // bits (variable) or index slots (array) this capability covers
    int32_t logicalMin = 0;         // array fields: the index of the field's first usage
    int32_t logicalMax = 0;
    uint32_t fieldIndex = 0;        // index into HidCollection::fields
    uint32_t arrayIndexBase = 0;    // array fields: position of usageMin in the field's usage list
};

// A value capability: one usage list entry of a value field.
struct HidValueCap {
    HidReportType reportType = HidReportType::Input;
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    bool isAbsolute = true;
    bool hasNull = false;
    uint32_t bitPosition = 0;       // of the first bit this capability covers, from byte 1
    uint16_t bitSize = 0;
    uint16_t reportCount = 0;       // fields this capability covers
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    int8_t unitExponent = 0;
    uint32_t unit = 0;
    uint32_t fieldIndex = 0;
};

// Data bits of one report of a collection.
struct HidReportInfo {
    HidReportType reportType = HidReportType::Input;
    uint8_t reportId = 0;
    uint32_t bitLength = 0;         // data bits, id byte excluded

    // Bytes of the report with its id byte, the form every report takes in this layer.
    uint32_t ByteLength() const { return (bitLength + 7) / 8 + 1; }
};

// One top-level collection.
struct HidCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    bool usesReportIds = false;
    std::vector<uint8_t> reportIds;          // ids of every report of the collection, ascending
    std::vector<HidReportInfo> reports;      // one per (type, id) present
    // Length of the longest report of each type, id byte included; 0 when there is none.
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    std::vector<HidField> fields;
    std::vector<HidButtonCap> buttonCaps;    // every report type, descriptor order
    std::vector<HidValueCap> valueCaps;

    size_t ButtonCapCount(HidReportType type) const;
    size_t ValueCapCount(HidReportType type) const;
    uint16_t ReportByteLength(HidReportType type) const;
    bool HasReportId(uint8_t reportId) const;
    // Byte length (id byte included) of the report of this type and id; 0 when there is none.
    uint32_t ReportByteLength(HidReportType type, uint8_t reportId) const;
};

struct HidReportDescriptor {
    std::vector<HidCollection> collections;   // top-level collections in descriptor order
};

// Parses a report descriptor. On failure `out` is left empty and the reason is returned.
HidDescriptorError ParseHidReportDescriptor(std::span<const uint8_t> descriptor, HidReportDescriptor& out);

const char* HidDescriptorErrorName(HidDescriptorError error);
const char* HidStatusName(HidStatus status);

// --- Decoding of received reports --------------------------------------------------------
// `report` is a whole report with its id in byte 0 (a leading 0 for a collection without ids).

// The usages of `usagePage` that are on in the report: for an array field the usage each
// non-null index names, for a variable button field the usages whose bit is 1. Usage 0
// ("no event") is never listed. `count` receives the number of usages written to `usages`.
HidStatus GetHidUsages(const HidCollection& collection, HidReportType type, uint16_t usagePage,
                       std::span<const uint8_t> report, std::span<uint16_t> usages, size_t& count);

// The raw bits of a value usage, unsigned, as the report holds them. For a value array the
// first element is returned.
HidStatus GetHidUsageValue(const HidCollection& collection, HidReportType type, uint16_t usagePage,
                           uint16_t usage, std::span<const uint8_t> report, uint32_t& value);

// The value mapped from its logical range onto its physical range. Requires a non-empty
// logical range, a set physical range (not both 0) and a logical value inside its range.
HidStatus GetHidScaledUsageValue(const HidCollection& collection, HidReportType type, uint16_t usagePage,
                                 uint16_t usage, std::span<const uint8_t> report, int32_t& value);

// The most usages GetHidUsages can return for this report type and usage page (0 = every page).
size_t HidMaxUsageListLength(const HidCollection& collection, HidReportType type, uint16_t usagePage);

}  // namespace dw::hid
