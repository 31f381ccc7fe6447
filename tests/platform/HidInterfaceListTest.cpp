#include "platform/hid/HidInterfaceList.h"

#include <gtest/gtest.h>

#include "FakeHidBackend.h"
#include "TestDescriptors.h"
#include "platform/hid/HidIdentity.h"

namespace dw::hid {
namespace {

HidNodeInfo Node(std::string node, uint16_t vid, uint16_t pid, int mi, std::vector<uint8_t> descriptor) {
    HidNodeInfo info;
    info.node = std::move(node);
    info.vendorId = vid;
    info.productId = pid;
    info.version = 0x0102;
    info.interfaceNumber = mi;
    info.reportDescriptor = std::move(descriptor);
    return info;
}

const std::vector<HidNodeInfo>& SampleNodes() {
    static const std::vector<HidNodeInfo> nodes = {
        Node("/dev/hidraw3", 0x5A3C, 0x6A21, 1, test::kReceiver),
        Node("/dev/hidraw4", 0x5A3C, 0x6A21, 2, {0xA1, 0x01}),   // does not parse: left out
        Node("/dev/hidraw7", 0x1234, 0xABCD, -1, test::kBootMouse),
    };
    return nodes;
}

TEST(HidIdentity, MakesPathFormIdentities) {
    struct Row {
        uint16_t vid, pid;
        int mi;
        uint16_t col;
        const char* node;
        const char* identity;
    };
    const std::vector<Row> rows = {
        {0x5A3C, 0x6A3E, 1, 4, "/dev/hidraw3", "hid#vid_5a3c&pid_6a3e&mi_01&col04#/dev/hidraw3"},
        {0x0C76, 0x1A47, 3, 0, "/dev/hidraw0", "hid#vid_0c76&pid_1a47&mi_03#/dev/hidraw0"},
        {0x0001, 0x0002, -1, 0, "/dev/hidraw12", "hid#vid_0001&pid_0002#/dev/hidraw12"},
        {0x0001, 0x0002, -1, 0x1F, "virtual/5", "hid#vid_0001&pid_0002&col1f#virtual/5"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MakeHidIdentity(row.vid, row.pid, row.mi, row.col, row.node), row.identity);
    }
}

TEST(HidIdentity, ParsesNodeAndCollection) {
    struct Row {
        const char* identity;
        bool ok;
        const char* node;
        uint16_t col;
    };
    const std::vector<Row> rows = {
        {"hid#vid_5a3c&pid_6a3e&mi_01&col04#/dev/hidraw3", true, "/dev/hidraw3", 4},
        {"HID#VID_5A3C&PID_6A3E&MI_01&COL0A#/dev/hidraw3", true, "/dev/hidraw3", 10},
        {"hid#vid_0c76&pid_1a47&mi_03#/dev/hidraw0", true, "/dev/hidraw0", 0},
        {"hid#vid_0c76&pid_1a47&col02#a#b", true, "b", 2},
        {"/dev/hidraw0", false, "", 0},
        {"hid#vid_0c76&pid_1a47#", false, "", 0},
        {"", false, "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.identity);
        std::string node = "stale";
        uint16_t col = 99;
        EXPECT_EQ(ParseHidIdentity(row.identity, node, col), row.ok);
        EXPECT_EQ(node, row.node);
        EXPECT_EQ(col, row.col);
    }
}

TEST(HidInterfaceList, OneEntryPerTopLevelCollection) {
    const HidInterfaceList list = HidInterfaceList::FromNodes(SampleNodes());
    struct Expected {
        const char* identity;
        uint16_t col;
        uint16_t usagePage, usage;
    };
    const std::vector<Expected> expected = {
        {"hid#vid_5a3c&pid_6a21&mi_01&col01#/dev/hidraw3", 1, 0x01, 0x06},
        {"hid#vid_5a3c&pid_6a21&mi_01&col02#/dev/hidraw3", 2, 0x01, 0x80},
        {"hid#vid_5a3c&pid_6a21&mi_01&col03#/dev/hidraw3", 3, 0x0C, 0x01},
        {"hid#vid_5a3c&pid_6a21&mi_01&col04#/dev/hidraw3", 4, 0xFF1C, 0x92},
        {"hid#vid_1234&pid_abcd#/dev/hidraw7", 0, 0x01, 0x02},
    };
    ASSERT_EQ(list.entries().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].identity);
        const HidInterfaceEntry& e = list.entries()[i];
        EXPECT_EQ(e.identity, expected[i].identity);
        EXPECT_EQ(e.collectionNumber, expected[i].col);
        EXPECT_EQ(e.collection.usagePage, expected[i].usagePage);
        EXPECT_EQ(e.collection.usage, expected[i].usage);
        EXPECT_EQ(e.version, 0x0102);
    }
    EXPECT_EQ(list.entries()[3].collection.inputReportByteLength, 64);
    EXPECT_EQ(list.entries()[4].interfaceNumber, -1);
}

TEST(HidInterfaceList, FindsByIdentityWhateverTheCase) {
    const HidInterfaceList list = HidInterfaceList::FromNodes(SampleNodes());
    const HidInterfaceEntry* vendor = list.Find("HID#VID_5A3C&PID_6A21&MI_01&COL04#/dev/hidraw3");
    ASSERT_NE(vendor, nullptr);
    EXPECT_EQ(vendor->collection.usage, 0x92);
    EXPECT_NE(list.Find("hid#vid_1234&pid_abcd#/dev/hidraw7"), nullptr);
    EXPECT_EQ(list.Find("hid#vid_5a3c&pid_6a21&mi_01&col05#/dev/hidraw3"), nullptr);
    EXPECT_EQ(list.Find("hid#vid_5a3c&pid_6a21&mi_02#/dev/hidraw4"), nullptr);
    EXPECT_EQ(list.Find("garbage"), nullptr);
}

TEST(HidInterfaceList, EnumeratesThroughTheBackend) {
    test::FakeHidBackend backend;
    for (const HidNodeInfo& n : SampleNodes()) {
        backend.AddNode(n);
    }
    const HidInterfaceList list = HidInterfaceList::Enumerate(backend);
    ASSERT_EQ(list.entries().size(), 5u);
    EXPECT_EQ(list.entries()[2].node, "/dev/hidraw3");
}

}  // namespace
}  // namespace dw::hid
