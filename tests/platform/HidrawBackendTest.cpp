#include "platform/hid/HidrawBackend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "FakeHidBackend.h"
#include "platform/hid/HidBackendSelection.h"
#include "platform/hid/HidInterfaceList.h"
#include "platform/hid/HidrawNode.h"
#include "platform/hid/HidrawNodeInfo.h"

namespace dw::hid {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kShortTimeoutMs = 5;

// Must pass on a machine with no hidraw node and no udev daemon (build containers).
TEST(HidrawBackend, ListsWhateverIsPresentWithoutFailing) {
    HidrawBackend backend;
    const std::vector<HidNodeInfo> nodes = backend.ListNodes();
    for (const HidNodeInfo& n : nodes) {
        EXPECT_EQ(n.node.rfind("/dev/", 0), 0u) << n.node;
        EXPECT_LE(n.reportDescriptor.size(), 4096u);
    }
    const HidInterfaceList list = HidInterfaceList::Enumerate(backend);
    EXPECT_LE(list.entries().size(), nodes.size() * kHidMaxTopLevelCollections);
    const uint64_t first = backend.ChangeCount();
    EXPECT_GE(backend.ChangeCount(), first);
    EXPECT_EQ(backend.Open("/dev/hidraw-that-does-not-exist", OpenMode{}), nullptr);
    // Names that are not hidraw nodes are refused before any open.
    EXPECT_EQ(backend.Open("/dev/null", OpenMode{}), nullptr);
    EXPECT_EQ(backend.Open("/dev/hidraw0/../null", OpenMode{}), nullptr);
}

TEST(HidrawNodeInfo, ReadsIdsFromTheUdevDescription) {
    struct Row {
        const char* name;
        UdevHidrawDevice device;
        const char* node;
        uint16_t vid, pid, version;
        int interfaceNumber;
    };
    const std::vector<Row> rows = {
        {"usb receiver", {"hidraw3", "/dev/hidraw3", "/sys/x", "0003:00005A3C:00006A21", "5a3c", "6a21", "0102", "01"},
         "/dev/hidraw3", 0x5A3C, 0x6A21, 0x0102, 1},
        {"HID_ID wins over the usb ids", {"hidraw1", "/dev/hidraw1", "", "0003:00004E71:00000B17\n", "1111", "2222", "", "03"},
         "/dev/hidraw1", 0x4E71, 0x0B17, 0, 3},
        {"usb ids when HID_ID is absent", {"hidraw2", "", "", "", "0c76", "1a47", "0100", "03"},
         "/dev/hidraw2", 0x0C76, 0x1A47, 0x0100, 3},
        {"bluetooth: no usb parent", {"hidraw9", "/dev/hidraw9", "", "0005:0000045E:000002E0", "", "", "", ""},
         "/dev/hidraw9", 0x045E, 0x02E0, 0, -1},
        {"garbage stays unknown", {"hidraw5", "/dev/hidraw5", "", "zz:yy", "xyz", "", "1g", "nope"},
         "/dev/hidraw5", 0, 0, 0, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const HidNodeInfo info = DescribeHidrawDevice(row.device);
        EXPECT_EQ(info.node, row.node);
        EXPECT_EQ(info.vendorId, row.vid);
        EXPECT_EQ(info.productId, row.pid);
        EXPECT_EQ(info.version, row.version);
        EXPECT_EQ(info.interfaceNumber, row.interfaceNumber);
        EXPECT_TRUE(info.reportDescriptor.empty());
    }
}

// The node's wait logic runs against a FIFO, which polls and reads like a character device.
class HidrawNodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dw-hidraw-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/node";
        ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);
        peer_ = open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(peer_, 0);
        node_ = HidrawNode::Open(path_, OpenMode{});
        ASSERT_NE(node_, nullptr);
    }
    void TearDown() override {
        node_.reset();
        if (peer_ >= 0) {
            close(peer_);
        }
        unlink(path_.c_str());
        rmdir(dir_.c_str());
    }

    std::string dir_;
    std::string path_;
    int peer_ = -1;
    std::unique_ptr<HidrawNode> node_;
};

TEST_F(HidrawNodeTest, ReadsWhatArrives) {
    const Bytes report = {4, 1, 2, 3};
    ASSERT_EQ(write(peer_, report.data(), report.size()), 4);
    Bytes buffer(64);
    size_t got = 0;
    ASSERT_EQ(node_->Read(buffer, -1, got), IoResult::Ok);
    ASSERT_EQ(got, 4u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 4), report);
}

TEST_F(HidrawNodeTest, ReadTimesOutWhenNothingArrives) {
    Bytes buffer(64);
    size_t got = 7;
    EXPECT_EQ(node_->Read(buffer, kShortTimeoutMs, got), IoResult::TimedOut);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(node_->Read(buffer, 0, got), IoResult::TimedOut);
}

TEST_F(HidrawNodeTest, WritesWholeReports) {
    const Bytes report = {4, 9, 8, 7, 6};
    size_t sent = 0;
    ASSERT_EQ(node_->Write(report, 100, sent), IoResult::Ok);
    EXPECT_EQ(sent, report.size());
    // The node itself shares the FIFO, so whoever reads first gets the bytes; read them here.
    Bytes back(16);
    size_t got = 0;
    ASSERT_EQ(node_->Read(back, kShortTimeoutMs, got), IoResult::Ok);
    EXPECT_EQ(Bytes(back.begin(), back.begin() + static_cast<std::ptrdiff_t>(got)), report);
}

TEST_F(HidrawNodeTest, AbortIsRememberedOnceThenCleared) {
    node_->Abort();
    node_->Abort();   // two aborts before a wait still break only that one wait
    Bytes buffer(8);
    size_t got = 0;
    EXPECT_EQ(node_->Read(buffer, -1, got), IoResult::Aborted);
    EXPECT_EQ(node_->Read(buffer, kShortTimeoutMs, got), IoResult::TimedOut);
    node_->Abort();
    EXPECT_EQ(node_->Write(Bytes{1, 2}, -1, got), IoResult::Aborted);
}

TEST_F(HidrawNodeTest, AbortWinsOverAWaitingReport) {
    const Bytes report = {1, 2};
    ASSERT_EQ(write(peer_, report.data(), report.size()), 2);
    node_->Abort();
    Bytes buffer(8);
    size_t got = 0;
    EXPECT_EQ(node_->Read(buffer, -1, got), IoResult::Aborted);
    EXPECT_EQ(node_->Read(buffer, -1, got), IoResult::Ok);
}

TEST_F(HidrawNodeTest, AbortBreaksAnEndlessReadFromAnotherThread) {
    IoResult result = IoResult::Ok;
    std::thread reader([&] {
        Bytes buffer(8);
        size_t got = 0;
        result = node_->Read(buffer, -1, got);
    });
    // Whether the abort lands before or during the wait, the read ends Aborted.
    node_->Abort();
    reader.join();
    EXPECT_EQ(result, IoResult::Aborted);
}

TEST_F(HidrawNodeTest, ModesLimitTheDirections) {
    OpenMode readOnly;
    readOnly.write = false;
    auto node = HidrawNode::Open(path_, readOnly);
    ASSERT_NE(node, nullptr);
    size_t sent = 0;
    EXPECT_EQ(node->Write(Bytes{1}, 0, sent), IoResult::Failed);
    OpenMode writeOnly;
    writeOnly.read = false;
    node = HidrawNode::Open(path_, writeOnly);
    ASSERT_NE(node, nullptr);
    Bytes buffer(4);
    EXPECT_EQ(node->Read(buffer, -1, sent), IoResult::Failed);
}

TEST(HidBackendSelection, SelectedBackendIsActiveUntilReset) {
    auto fake = std::make_shared<test::FakeHidBackend>();
    SelectHidBackend(fake);
    EXPECT_EQ(&ActiveHidBackend(), fake.get());
    IHidBackend* held = &ActiveHidBackend();
    SelectHidBackend(nullptr);
    EXPECT_NE(dynamic_cast<HidrawBackend*>(&ActiveHidBackend()), nullptr);
    IHidBackend* hidraw = &ActiveHidBackend();
    SelectHidBackend(nullptr);
    EXPECT_EQ(&ActiveHidBackend(), hidraw);   // the default is made once
    fake.reset();
    EXPECT_EQ(held->ListNodes().size(), 0u);  // an earlier selection outlives its last owner
}

}  // namespace
}  // namespace dw::hid
