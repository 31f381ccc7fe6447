// The emulated report descriptors read by the project's own parser: every interface parses,
// the collections carry the usages, report ids and lengths the program looks for, and the
// supported-interface rows each find exactly one collection on a bus with every device.

#include <gtest/gtest.h>

#include <tuple>

#include "EmulatorTestSupport.h"
#include "emulator/EmulatedModels.h"
#include "emulator/EmulatorFactory.h"
#include "platform/hid/HidInterfaceList.h"
#include "platform/hid/HidReportDescriptor.h"

namespace dw::emu {
namespace {

using hid::HidReportType;

hid::HidReportDescriptor Parse(std::span<const uint8_t> bytes)
{
    hid::HidReportDescriptor parsed;
    const auto error = hid::ParseHidReportDescriptor(bytes, parsed);
    EXPECT_EQ(error, hid::HidDescriptorError::None) << hid::HidDescriptorErrorName(error);
    return parsed;
}

TEST(EmulatedDescriptors, EveryInterfaceParsesAndAgreesWithItsLayout)
{
    for (const ModelDescription& model : kModels) {
        for (const auto interfaces : {model.cableInterfaces, model.receiverInterfaces}) {
            for (const InterfaceLayout& layout : interfaces) {
                SCOPED_TRACE(std::string(model.name) + " interface " + std::to_string(layout.interfaceNumber));
                const auto parsed = Parse(layout.descriptor);
                ASSERT_FALSE(parsed.collections.empty());
                for (const auto& collection : parsed.collections)
                    EXPECT_EQ(collection.usesReportIds, layout.usesReportIds);
                // Every output report the bus accepts is one the descriptor declares, same length.
                for (const OutputReportShape& shape : layout.outputReports) {
                    uint32_t length = 0;
                    for (const auto& collection : parsed.collections)
                        length = std::max(length, collection.ReportByteLength(HidReportType::Output, shape.reportId));
                    EXPECT_EQ(length, shape.byteLength) << "output report " << int(shape.reportId);
                }
            }
        }
    }
}

TEST(EmulatedDescriptors, FamilyInterfaceOneHasFourCollectionsInTheProgramsOrder)
{
    struct Expect {
        uint16_t usagePage;
        uint16_t usage;
        uint8_t reportId;
        uint16_t input;
        uint16_t output;
    };
    const Expect keyboard[] = {
        {0x0001, 0x06, 0x01, 17, 2}, {0x0001, 0x80, 0x02, 2, 0}, {0x000C, 0x01, 0x03, 3, 0}, {0xFF1C, 0x92, 0x04, 64, 64}};
    const Expect mouse[] = {
        {0x0001, 0x02, 0x01, 8, 0}, {0x0001, 0x80, 0x02, 2, 0}, {0x000C, 0x01, 0x03, 3, 0}, {0xFF1C, 0x92, 0x04, 64, 64}};
    for (const auto& [descriptor, expected] :
         {std::pair{std::span<const uint8_t>(kKeyboardInterface1Descriptor), std::span<const Expect>(keyboard)},
          std::pair{std::span<const uint8_t>(kMouseInterface1Descriptor), std::span<const Expect>(mouse)}}) {
        const auto parsed = Parse(descriptor);
        ASSERT_EQ(parsed.collections.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            const auto& c = parsed.collections[i];
            SCOPED_TRACE("collection " + std::to_string(i + 1));
            EXPECT_EQ(c.usagePage, expected[i].usagePage);
            EXPECT_EQ(c.usage, expected[i].usage);
            EXPECT_EQ(c.reportIds, std::vector<uint8_t>{expected[i].reportId});
            EXPECT_EQ(c.inputReportByteLength, expected[i].input);
            EXPECT_EQ(c.outputReportByteLength, expected[i].output);
        }
    }
}

TEST(EmulatedDescriptors, NotificationCodeDecodesAsTheFirstUsageOfTheConsumerField)
{
    const auto family = Parse(kKeyboardInterface1Descriptor);
    const auto headset = Parse(kHeadsetDescriptor);
    ASSERT_EQ(headset.collections.size(), 1u);
    const auto& hc = headset.collections[0];
    EXPECT_EQ(hc.usagePage, 0x0C);
    EXPECT_EQ(hc.usage, 0x01);
    EXPECT_EQ(hc.reportIds, (std::vector<uint8_t>{0x01, 0x04, 0xFF}));
    EXPECT_EQ(hc.ReportByteLength(HidReportType::Input, 0x04), 64u);
    EXPECT_EQ(hc.ReportByteLength(HidReportType::Output, 0x04), 64u);
    EXPECT_EQ(hc.ReportByteLength(HidReportType::Output, 0xFF), 17u);

    struct Case {
        const char* what;
        const hid::HidCollection& collection;
        uint8_t reportId;
    };
    const Case cases[] = {{"family col03", family.collections[2], 0x03}, {"headset", hc, 0x01}};
    for (const Case& c : cases) {
        for (uint16_t code : {uint16_t{0x0401}, uint16_t{0x0404}, uint16_t{0x1123}, uint16_t{0x05FF}}) {
            const uint8_t report[] = {c.reportId, static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8)};
            uint16_t usages[4] = {};
            size_t count = 0;
            ASSERT_EQ(hid::GetHidUsages(c.collection, HidReportType::Input, 0x0C, report, usages, count),
                      hid::HidStatus::Success)
                << c.what;
            ASSERT_EQ(count, 1u) << c.what;
            EXPECT_EQ(usages[0], code) << c.what;
        }
    }
}

TEST(EmulatedDescriptors, EverySupportedInterfaceRowFindsExactlyOneCollection)
{
    std::unique_ptr<VirtualHidBus> bus;
    std::string bad;
    ASSERT_EQ(BuildEmulatedBus("all", bus, bad), kEmulateOk);
    const auto list = hid::HidInterfaceList::Enumerate(*bus);

    // vendor, product, interface, collection, usage page, usage
    using Row = std::tuple<uint16_t, uint16_t, int, uint16_t, uint16_t, uint16_t>;
    const Row rows[] = {
        {0x4E71, 0x0B17, 1, 4, 0xFF1C, 0x92}, {0x4E71, 0x0B17, 1, 3, 0x0C, 0x01},
        {0x5A3C, 0x6A21, 1, 4, 0xFF1C, 0x92}, {0x5A3C, 0x6A21, 1, 3, 0x0C, 0x01},
        {0x5A3C, 0x6A3E, 1, 4, 0xFF1C, 0x92}, {0x5A3C, 0x6A3E, 1, 3, 0x0C, 0x01},
        {0x5A3C, 0x3B48, 1, 4, 0xFF1C, 0x92}, {0x5A3C, 0x3B48, 1, 3, 0x0C, 0x01},
        {0x5A3C, 0x2C09, 1, 4, 0xFF1C, 0x92}, {0x5A3C, 0x2C09, 1, 3, 0x0C, 0x01},
        {0x0C76, 0x1A47, 3, 0, 0x0C, 0x01},
    };
    for (const Row& row : rows) {
        int matches = 0;
        for (const auto& e : list.entries()) {
            matches += Row{e.vendorId, e.productId, e.interfaceNumber, e.collectionNumber, e.collection.usagePage,
                           e.collection.usage} == row;
        }
        EXPECT_EQ(matches, 1) << std::hex << std::get<0>(row) << ":" << std::get<1>(row) << " col "
                              << std::get<3>(row);
    }
    // The boot interfaces are single collections on interface 0: no row names them.
    for (const auto& e : list.entries()) {
        if (e.interfaceNumber == 0) {
            EXPECT_EQ(e.collectionNumber, 0);
            EXPECT_EQ(e.identity.find("&col"), std::string::npos) << e.identity;
        }
    }
    // Six family interface sets (keyboard and mouse by cable and by receiver, the mousepad, the
    // other vendor's mouse) of 1 + 4 collections each, and the headset's one collection.
    EXPECT_EQ(list.entries().size(), 6u * 5u + 1u);
}

}  // namespace
}  // namespace dw::emu
