#include "platform/hid/HidReportDescriptor.h"

#include <gtest/gtest.h>

#include <array>

#include "TestDescriptors.h"

namespace dw::hid {
namespace {

using test::kBootKeyboard;
using test::kBootMouse;
using test::kJoystick;
using test::kReceiver;

using Bytes = std::vector<uint8_t>;

constexpr uint16_t kGenericDesktop = 0x01;
constexpr uint16_t kKeyboardPage = 0x07;
constexpr uint16_t kLedPage = 0x08;
constexpr uint16_t kButtonPage = 0x09;
constexpr uint16_t kConsumerPage = 0x0C;
constexpr uint16_t kVendorPage = 0xFF1C;

HidReportDescriptor Parse(const std::vector<uint8_t>& bytes) {
    HidReportDescriptor d;
    const HidDescriptorError e = ParseHidReportDescriptor(bytes, d);
    EXPECT_EQ(e, HidDescriptorError::None) << HidDescriptorErrorName(e);
    return d;
}

std::vector<uint16_t> Usages(const HidCollection& c, uint16_t page, const std::vector<uint8_t>& report,
                             HidStatus expected = HidStatus::Success) {
    std::array<uint16_t, 32> buffer{};
    size_t count = 0;
    EXPECT_EQ(GetHidUsages(c, HidReportType::Input, page, report, buffer, count), expected);
    return {buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(count)};
}

// --- Capabilities --------------------------------------------------------------------------

struct CapsRow {
    const char* name;
    const std::vector<uint8_t>* descriptor;
    size_t collection;
    uint16_t usagePage, usage;
    bool usesIds;
    std::vector<uint8_t> reportIds;
    uint16_t inputLength, outputLength, featureLength;
    size_t inButtons, inValues, outButtons, outValues;
};

TEST(HidReportDescriptor, CollectionCapabilities) {
    const std::vector<CapsRow> rows = {
        {"boot keyboard", &kBootKeyboard, 0, kGenericDesktop, 0x06, false, {0}, 9, 2, 0, 2, 0, 1, 0},
        {"boot mouse", &kBootMouse, 0, kGenericDesktop, 0x02, false, {0}, 4, 0, 0, 1, 2, 0, 0},
        {"receiver keyboard", &kReceiver, 0, kGenericDesktop, 0x06, true, {1}, 9, 2, 0, 2, 0, 1, 0},
        {"receiver system control", &kReceiver, 1, kGenericDesktop, 0x80, true, {2}, 2, 0, 0, 1, 0, 0, 0},
        {"receiver consumer control", &kReceiver, 2, kConsumerPage, 0x01, true, {3}, 3, 0, 0, 1, 0, 0, 0},
        {"receiver vendor", &kReceiver, 3, kVendorPage, 0x92, true, {4}, 64, 64, 0, 0, 1, 0, 1},
        {"joystick", &kJoystick, 0, kGenericDesktop, 0x04, false, {0}, 4, 0, 0, 0, 3, 0, 0},
    };
    for (const CapsRow& row : rows) {
        SCOPED_TRACE(row.name);
        const HidReportDescriptor d = Parse(*row.descriptor);
        ASSERT_GT(d.collections.size(), row.collection);
        const HidCollection& c = d.collections[row.collection];
        EXPECT_EQ(c.usagePage, row.usagePage);
        EXPECT_EQ(c.usage, row.usage);
        EXPECT_EQ(c.usesReportIds, row.usesIds);
        EXPECT_EQ(c.reportIds, row.reportIds);
        EXPECT_EQ(c.inputReportByteLength, row.inputLength);
        EXPECT_EQ(c.outputReportByteLength, row.outputLength);
        EXPECT_EQ(c.featureReportByteLength, row.featureLength);
        EXPECT_EQ(c.ButtonCapCount(HidReportType::Input), row.inButtons);
        EXPECT_EQ(c.ValueCapCount(HidReportType::Input), row.inValues);
        EXPECT_EQ(c.ButtonCapCount(HidReportType::Output), row.outButtons);
        EXPECT_EQ(c.ValueCapCount(HidReportType::Output), row.outValues);
    }
}

TEST(HidReportDescriptor, ReceiverHasFourCollectionsInDescriptorOrder) {
    const HidReportDescriptor d = Parse(kReceiver);
    ASSERT_EQ(d.collections.size(), 4u);
    EXPECT_EQ(d.collections[3].ReportByteLength(HidReportType::Input, 4), 64u);
    EXPECT_EQ(d.collections[3].ReportByteLength(HidReportType::Input, 3), 0u);
    EXPECT_TRUE(d.collections[2].HasReportId(3));
    EXPECT_FALSE(d.collections[2].HasReportId(4));
}

TEST(HidReportDescriptor, BootKeyboardButtonCaps) {
    const HidCollection c = Parse(kBootKeyboard).collections.at(0);
    ASSERT_EQ(c.buttonCaps.size(), 3u);

    const HidButtonCap& modifiers = c.buttonCaps[0];
    EXPECT_EQ(modifiers.reportType, HidReportType::Input);
    EXPECT_EQ(modifiers.usagePage, kKeyboardPage);
    EXPECT_TRUE(modifiers.isRange);
    EXPECT_EQ(modifiers.usageMin, 0xE0);
    EXPECT_EQ(modifiers.usageMax, 0xE7);
    EXPECT_FALSE(modifiers.isArray);
    EXPECT_EQ(modifiers.bitPosition, 0u);
    EXPECT_EQ(modifiers.reportCount, 8);

    const HidButtonCap& leds = c.buttonCaps[1];
    EXPECT_EQ(leds.reportType, HidReportType::Output);
    EXPECT_EQ(leds.usagePage, kLedPage);
    EXPECT_EQ(leds.usageMin, 1);
    EXPECT_EQ(leds.usageMax, 5);
    EXPECT_EQ(leds.reportCount, 5);

    const HidButtonCap& keys = c.buttonCaps[2];
    EXPECT_TRUE(keys.isArray);
    EXPECT_EQ(keys.usageMin, 0);
    EXPECT_EQ(keys.usageMax, 0x65);
    EXPECT_EQ(keys.bitPosition, 16u);   // after the modifier and the reserved byte
    EXPECT_EQ(keys.bitSize, 8);
    EXPECT_EQ(keys.reportCount, 6);
    EXPECT_EQ(keys.logicalMax, 101);
}

TEST(HidReportDescriptor, BootMouseValueCaps) {
    const HidCollection c = Parse(kBootMouse).collections.at(0);
    ASSERT_EQ(c.valueCaps.size(), 2u);
    const std::array<uint16_t, 2> usages = {0x30, 0x31};
    for (size_t i = 0; i < 2; ++i) {
        const HidValueCap& v = c.valueCaps[i];
        EXPECT_EQ(v.usagePage, kGenericDesktop);
        EXPECT_FALSE(v.isRange);
        EXPECT_EQ(v.usageMin, usages[i]);
        EXPECT_EQ(v.bitPosition, 8u + 8u * i);
        EXPECT_EQ(v.bitSize, 8);
        EXPECT_EQ(v.reportCount, 1);
        EXPECT_EQ(v.logicalMin, -127);
        EXPECT_EQ(v.logicalMax, 127);
        EXPECT_FALSE(v.isAbsolute);
    }
}

TEST(HidReportDescriptor, MaximumAfterNonNegativeMinimumIsUnsigned) {
    const HidCollection c = Parse(kJoystick).collections.at(0);
    ASSERT_EQ(c.valueCaps.size(), 3u);
    EXPECT_EQ(c.valueCaps[0].logicalMax, 255);   // written as 25 FF
    EXPECT_EQ(c.valueCaps[1].logicalMin, -128);
    EXPECT_EQ(c.valueCaps[1].physicalMin, -1000);
    EXPECT_EQ(c.valueCaps[1].physicalMax, 1000);
}

TEST(HidReportDescriptor, ValuesBeyondTheUsageListRepeatTheLastUsage) {
    // Vendor page, Usage 1, Usage 2, Report Size 8, Report Count 5: usage 2 takes four fields.
    const std::vector<uint8_t> bytes = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x09, 0x02,
                                        0x75, 0x08, 0x95, 0x05, 0x81, 0x02, 0xC0};
    const HidCollection c = Parse(bytes).collections.at(0);
    ASSERT_EQ(c.valueCaps.size(), 2u);
    EXPECT_EQ(c.valueCaps[0].reportCount, 1);
    EXPECT_EQ(c.valueCaps[1].reportCount, 4);
    EXPECT_EQ(c.valueCaps[1].bitPosition, 8u);
}

TEST(HidReportDescriptor, ExtendedUsageCarriesItsOwnPage) {
    // Usage (0x000C00E9) under the Generic Desktop page still names a consumer usage.
    const std::vector<uint8_t> bytes = {0x05, 0x01, 0x09, 0x80, 0xA1, 0x01, 0x0B, 0xE9, 0x00, 0x0C, 0x00,
                                        0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02,
                                        0x95, 0x07, 0x81, 0x01, 0xC0};
    const HidCollection c = Parse(bytes).collections.at(0);
    ASSERT_EQ(c.buttonCaps.size(), 1u);
    EXPECT_EQ(c.buttonCaps[0].usagePage, kConsumerPage);
    EXPECT_EQ(c.buttonCaps[0].usageMin, 0xE9);
    EXPECT_EQ(Usages(c, kConsumerPage, {0x00, 0x01}), std::vector<uint16_t>{0xE9});
}

TEST(HidReportDescriptor, PushPopRestoresGlobals) {
    // Push, change the report size to 16, Pop: the input after Pop is 8 bits wide again.
    const std::vector<uint8_t> bytes = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01,
                                        0xA4, 0x75, 0x10, 0xB4, 0x09, 0x01, 0x81, 0x02, 0xC0};
    const HidCollection c = Parse(bytes).collections.at(0);
    EXPECT_EQ(c.inputReportByteLength, 2);
}

// --- Decoding ------------------------------------------------------------------------------

TEST(HidReportDescriptor, DecodesPressedUsages) {
    const HidReportDescriptor keyboard = Parse(kBootKeyboard);
    const HidReportDescriptor mouse = Parse(kBootMouse);
    const HidReportDescriptor receiver = Parse(kReceiver);
    struct Row {
        const char* name;
        const HidCollection* collection;
        uint16_t page;
        std::vector<uint8_t> report;
        std::vector<uint16_t> usages;
    };
    const std::vector<Row> rows = {
        {"keyboard idle", &keyboard.collections[0], kKeyboardPage, {0, 0, 0, 0, 0, 0, 0, 0, 0}, {}},
        {"shift + A + B", &keyboard.collections[0], kKeyboardPage, {0, 0x02, 0, 0x04, 0x05, 0, 0, 0, 0},
         {0xE1, 0x04, 0x05}},
        {"index past logical max is null", &keyboard.collections[0], kKeyboardPage, {0, 0, 0, 0x66, 0xFF, 0, 0, 0, 0},
         {}},
        {"mouse buttons 1 and 3", &mouse.collections[0], kButtonPage, {0, 0x05, 0x10, 0xF0}, {1, 3}},
        {"mouse padding bits ignored", &mouse.collections[0], kButtonPage, {0, 0xF8, 0, 0}, {}},
        {"receiver keyboard", &receiver.collections[0], kKeyboardPage, {1, 0x80, 0, 0x29, 0, 0, 0, 0, 0}, {0xE7, 0x29}},
        {"receiver consumer volume up", &receiver.collections[2], kConsumerPage, {3, 0xE9, 0x00}, {0xE9}},
        {"receiver consumer 16-bit usage", &receiver.collections[2], kConsumerPage, {3, 0x23, 0x02}, {0x223}},
        {"receiver consumer released", &receiver.collections[2], kConsumerPage, {3, 0x00, 0x00}, {}},
        {"receiver system sleep", &receiver.collections[1], kGenericDesktop, {2, 0x02}, {0x82}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Usages(*row.collection, row.page, row.report), row.usages);
    }
}

TEST(HidReportDescriptor, UsageDecodingStatuses) {
    const HidReportDescriptor keyboard = Parse(kBootKeyboard);
    const HidReportDescriptor receiver = Parse(kReceiver);
    const HidCollection& consumer = receiver.collections[2];
    struct Row {
        const char* name;
        const HidCollection* collection;
        uint16_t page;
        std::vector<uint8_t> report;
        HidStatus status;
    };
    const std::vector<Row> rows = {
        {"page absent", &consumer, kKeyboardPage, {3, 0xE9, 0}, HidStatus::UsageNotFound},
        {"report of another collection", &consumer, kConsumerPage, {1, 0xE9, 0}, HidStatus::IncompatibleReportId},
        {"short report", &consumer, kConsumerPage, {3, 0xE9}, HidStatus::InvalidReportLength},
        {"empty report", &consumer, kConsumerPage, {}, HidStatus::InvalidReportLength},
        {"id byte on an id-less collection", &keyboard.collections[0], kKeyboardPage, {1, 0, 0, 4, 0, 0, 0, 0, 0},
         HidStatus::IncompatibleReportId},
        {"output page asked of input", &keyboard.collections[0], kLedPage, {0, 0, 0, 0, 0, 0, 0, 0, 0},
         HidStatus::UsageNotFound},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(Usages(*row.collection, row.page, row.report, row.status).empty());
    }
}

TEST(HidReportDescriptor, UsageListThatDoesNotFitKeepsWhatFits) {
    const HidCollection c = Parse(kBootKeyboard).collections.at(0);
    const std::vector<uint8_t> report = {0, 0x03, 0, 0x04, 0x05, 0x06, 0, 0, 0};
    std::array<uint16_t, 2> buffer{};
    size_t count = 0;
    EXPECT_EQ(GetHidUsages(c, HidReportType::Input, kKeyboardPage, report, buffer, count), HidStatus::BufferTooSmall);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(buffer[0], 0xE0);
    EXPECT_EQ(buffer[1], 0xE1);
}

TEST(HidReportDescriptor, MaxUsageListLength) {
    const HidCollection keyboard = Parse(kBootKeyboard).collections.at(0);
    EXPECT_EQ(HidMaxUsageListLength(keyboard, HidReportType::Input, kKeyboardPage), 14u);
    EXPECT_EQ(HidMaxUsageListLength(keyboard, HidReportType::Output, kLedPage), 5u);
    EXPECT_EQ(HidMaxUsageListLength(keyboard, HidReportType::Input, kConsumerPage), 0u);
    EXPECT_EQ(HidMaxUsageListLength(keyboard, HidReportType::Input, 0), 14u);
    const HidCollection consumer = Parse(kReceiver).collections.at(2);
    EXPECT_EQ(HidMaxUsageListLength(consumer, HidReportType::Input, kConsumerPage), 1u);
}

TEST(HidReportDescriptor, RawValues) {
    const HidCollection mouse = Parse(kBootMouse).collections.at(0);
    const HidCollection vendor = Parse(kReceiver).collections.at(3);
    uint32_t value = 0;
    EXPECT_EQ(GetHidUsageValue(mouse, HidReportType::Input, kGenericDesktop, 0x30, Bytes{0, 0, 0xFF, 0x05}, value),
              HidStatus::Success);
    EXPECT_EQ(value, 0xFFu);   // -1, as the bits are
    EXPECT_EQ(GetHidUsageValue(mouse, HidReportType::Input, kGenericDesktop, 0x31, Bytes{0, 0, 0xFF, 0x05}, value),
              HidStatus::Success);
    EXPECT_EQ(value, 5u);
    EXPECT_EQ(GetHidUsageValue(mouse, HidReportType::Input, kGenericDesktop, 0x38, Bytes{0, 0, 0, 0}, value),
              HidStatus::UsageNotFound);
    EXPECT_EQ(GetHidUsageValue(mouse, HidReportType::Input, kGenericDesktop, 0x30, Bytes{0, 0}, value),
              HidStatus::InvalidReportLength);

    std::vector<uint8_t> frame(64, 0);
    frame[0] = 4;
    frame[1] = 0xAB;
    EXPECT_EQ(GetHidUsageValue(vendor, HidReportType::Input, kVendorPage, 0x01, frame, value), HidStatus::Success);
    EXPECT_EQ(value, 0xABu);   // the first element of the value array
    frame[0] = 3;
    EXPECT_EQ(GetHidUsageValue(vendor, HidReportType::Input, kVendorPage, 0x01, frame, value),
              HidStatus::IncompatibleReportId);
}

TEST(HidReportDescriptor, ScaledValues) {
    const HidCollection joystick = Parse(kJoystick).collections.at(0);
    const HidCollection mouse = Parse(kBootMouse).collections.at(0);
    struct Row {
        const char* name;
        const HidCollection* collection;
        uint16_t usage;
        std::vector<uint8_t> report;
        HidStatus status;
        int32_t value;
    };
    const std::vector<Row> rows = {
        {"X minimum", &joystick, 0x30, {0, 0, 0, 1}, HidStatus::Success, 0},
        {"X maximum", &joystick, 0x30, {0, 255, 0, 1}, HidStatus::Success, 1000},
        {"X middle rounds toward zero", &joystick, 0x30, {0, 128, 0, 1}, HidStatus::Success, 501},
        {"Y most negative", &joystick, 0x31, {0, 0, 0x80, 1}, HidStatus::Success, -1000},
        {"Y maximum", &joystick, 0x31, {0, 0, 0x7F, 1}, HidStatus::Success, 1000},
        {"Y zero", &joystick, 0x31, {0, 0, 0x00, 1}, HidStatus::Success, 3},
        {"Z minimum", &joystick, 0x32, {0, 0, 0, 1}, HidStatus::Success, 10},
        {"Z maximum", &joystick, 0x32, {0, 0, 0, 100}, HidStatus::Success, 1000},
        {"Z below its logical range", &joystick, 0x32, {0, 0, 0, 0}, HidStatus::ValueOutOfRange, 0},
        {"Z above its logical range", &joystick, 0x32, {0, 0, 0, 101}, HidStatus::ValueOutOfRange, 0},
        {"no physical range", &mouse, 0x30, {0, 0, 5, 0}, HidStatus::BadLogPhyValues, 0},
        {"usage absent", &joystick, 0x35, {0, 0, 0, 1}, HidStatus::UsageNotFound, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int32_t value = -7;
        EXPECT_EQ(GetHidScaledUsageValue(*row.collection, HidReportType::Input, kGenericDesktop, row.usage, row.report,
                                         value),
                  row.status);
        EXPECT_EQ(value, row.value);
    }
}

TEST(HidReportDescriptor, FieldsCrossingByteBoundaries) {
    // Two 12-bit vendor values packed in three bytes.
    const std::vector<uint8_t> bytes = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x19, 0x01, 0x29, 0x02,
                                        0x15, 0x00, 0x26, 0xFF, 0x0F, 0x75, 0x0C, 0x95, 0x02, 0x81, 0x02, 0xC0};
    const HidCollection c = Parse(bytes).collections.at(0);
    EXPECT_EQ(c.inputReportByteLength, 4);
    const std::vector<uint8_t> report = {0, 0x21, 0x43, 0x65};
    uint32_t first = 0;
    uint32_t second = 0;
    EXPECT_EQ(GetHidUsageValue(c, HidReportType::Input, 0xFF00, 1, report, first), HidStatus::Success);
    EXPECT_EQ(GetHidUsageValue(c, HidReportType::Input, 0xFF00, 2, report, second), HidStatus::Success);
    EXPECT_EQ(first, 0x321u);
    EXPECT_EQ(second, 0x654u);
}

// --- Malformed descriptors -----------------------------------------------------------------

std::vector<uint8_t> Repeat(std::initializer_list<uint8_t> unit, size_t times,
                            std::initializer_list<uint8_t> head = {}, std::initializer_list<uint8_t> tail = {}) {
    std::vector<uint8_t> out(head);
    for (size_t i = 0; i < times; ++i) {
        out.insert(out.end(), unit);
    }
    out.insert(out.end(), tail);
    return out;
}

TEST(HidReportDescriptor, RefusesMalformedDescriptors) {
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        HidDescriptorError error;
    };
    const std::vector<Row> rows = {
        {"empty", {}, HidDescriptorError::Empty},
        {"globals only", {0x05, 0x01, 0x75, 0x08}, HidDescriptorError::Empty},
        {"truncated one-byte item", {0x05}, HidDescriptorError::TruncatedItem},
        {"truncated four-byte item", {0x05, 0x01, 0xA1, 0x01, 0x97, 0x01, 0x02}, HidDescriptorError::TruncatedItem},
        {"long item", {0xFE, 0x02, 0x10, 0x00, 0x00}, HidDescriptorError::LongItem},
        {"report size 257", {0x76, 0x01, 0x01}, HidDescriptorError::ReportSizeTooLarge},
        {"report count 2^32-1", {0x97, 0xFF, 0xFF, 0xFF, 0xFF}, HidDescriptorError::ReportCountTooLarge},
        {"one field over 4096 bytes",
         {0x05, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x96, 0x01, 0x10, 0x81, 0x02, 0xC0},
         HidDescriptorError::ReportTooLong},
        {"fields adding up over 4096 bytes",
         Repeat({0x81, 0x02}, 3, {0x05, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x96, 0x00, 0x06}, {0xC0}),
         HidDescriptorError::ReportTooLong},
        {"report id 0", {0x85, 0x00}, HidDescriptorError::InvalidReportId},
        {"report id in two collections",
         {0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0, 0xA1, 0x01, 0x81, 0x02, 0xC0},
         HidDescriptorError::ReportIdConflict},
        {"id-less report beside numbered ones",
         {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x02, 0x81, 0x02, 0xC0},
         HidDescriptorError::ReportIdConflict},
        {"end without collection", {0xC0}, HidDescriptorError::UnbalancedCollection},
        {"collection left open", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}, HidDescriptorError::UnbalancedCollection},
        {"nesting 33 deep", Repeat({0xA1, 0x00}, 33), HidDescriptorError::NestingTooDeep},
        {"17 pushes", Repeat({0xA4}, 17), HidDescriptorError::PushPopStackOverflow},
        {"pop without push", {0xB4}, HidDescriptorError::PushPopStackUnderflow},
        {"1025 usages", Repeat({0x09, 0x01}, 1025, {0xA1, 0x01}), HidDescriptorError::TooManyUsages},
        {"2049 fields", Repeat({0x81, 0x02}, 2049, {0xA1, 0x01, 0x75, 0x01, 0x95, 0x01}, {0xC0}),
         HidDescriptorError::TooManyFields},
        {"65 collections", Repeat({0xA1, 0x01, 0xC0}, 65), HidDescriptorError::TooManyCollections},
        {"input outside a collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}, HidDescriptorError::MainItemOutsideCollection},
        {"usage minimum above maximum", {0x19, 0x05, 0x29, 0x01}, HidDescriptorError::InvalidUsageRange},
        {"usage minimum without maximum",
         {0xA1, 0x01, 0x19, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0},
         HidDescriptorError::InvalidUsageRange},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HidReportDescriptor d;
        d.collections.resize(1);   // a failed parse leaves nothing behind
        EXPECT_EQ(ParseHidReportDescriptor(row.bytes, d), row.error);
        EXPECT_TRUE(d.collections.empty());
    }
}

TEST(HidReportDescriptor, BoundsAreInclusive) {
    std::vector<uint8_t> nested32 = Repeat({0xA1, 0x00}, 32);
    nested32.insert(nested32.end(), 32, 0xC0);
    const std::vector<std::vector<uint8_t>> atBound = {
        nested32,
        Repeat({0x09, 0x01}, 1024, {0xA1, 0x01}, {0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0}),
        {0x05, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x96, 0x00, 0x10, 0x81, 0x02, 0xC0},   // 4096 data bytes
        Repeat({0xA4}, 16, {}, {0xA1, 0x01, 0xC0}),
    };
    for (size_t i = 0; i < atBound.size(); ++i) {
        SCOPED_TRACE(i);
        HidReportDescriptor d;
        EXPECT_EQ(ParseHidReportDescriptor(atBound[i], d), HidDescriptorError::None);
    }
}

}  // namespace
}  // namespace dw::hid
