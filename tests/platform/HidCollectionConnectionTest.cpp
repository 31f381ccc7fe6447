#include "platform/hid/HidCollectionConnection.h"

#include <gtest/gtest.h>

#include <thread>

#include "FakeHidBackend.h"
#include "TestDescriptors.h"
#include "platform/hid/HidInterfaceList.h"

namespace dw::hid {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kReceiverNode = "/dev/hidraw3";
constexpr const char* kMouseNode = "/dev/hidraw7";
constexpr const char* kConsumerIdentity = "hid#vid_5a3c&pid_6a21&mi_01&col03#/dev/hidraw3";
constexpr const char* kVendorIdentity = "hid#vid_5a3c&pid_6a21&mi_01&col04#/dev/hidraw3";
constexpr const char* kMouseIdentity = "hid#vid_1234&pid_abcd#/dev/hidraw7";
constexpr int kShortTimeoutMs = 5;

Bytes KeyboardReport() { return {1, 0, 0, 4, 0, 0, 0, 0, 0}; }
Bytes VendorReport(uint8_t command) {
    Bytes r(64, 0);
    r[0] = 4;
    r[3] = command;
    return r;
}

class HidCollectionConnectionTest : public ::testing::Test {
protected:
    HidCollectionConnectionTest() {
        HidNodeInfo receiver;
        receiver.node = kReceiverNode;
        receiver.vendorId = 0x5A3C;
        receiver.productId = 0x6A21;
        receiver.interfaceNumber = 1;
        receiver.reportDescriptor = test::kReceiver;
        backend_.AddNode(receiver);
        HidNodeInfo mouse;
        mouse.node = kMouseNode;
        mouse.vendorId = 0x1234;
        mouse.productId = 0xABCD;
        mouse.reportDescriptor = test::kBootMouse;
        backend_.AddNode(mouse);
    }

    std::unique_ptr<HidCollectionConnection> Open(const char* identity) {
        auto c = HidCollectionConnection::Open(backend_, identity, OpenMode{});
        EXPECT_NE(c, nullptr);
        return c;
    }

    test::FakeHidBackend backend_;
};

TEST_F(HidCollectionConnectionTest, OpensTheCollectionAnIdentityNames) {
    EXPECT_EQ(Open(kConsumerIdentity)->collection().usagePage, 0x0C);
    EXPECT_EQ(Open(kVendorIdentity)->collection().usagePage, 0xFF1C);
    EXPECT_EQ(HidCollectionConnection::Open(backend_, "hid#vid_5a3c&pid_6a21&mi_01&col09#/dev/hidraw3", OpenMode{}),
              nullptr);
    EXPECT_EQ(HidCollectionConnection::Open(backend_, "hid#vid_1&pid_2#/dev/hidraw99", OpenMode{}), nullptr);
}

TEST_F(HidCollectionConnectionTest, ReadSkipsReportsOfOtherCollections) {
    auto consumer = Open(kConsumerIdentity);
    backend_.QueueInput(kReceiverNode, KeyboardReport());
    backend_.QueueInput(kReceiverNode, VendorReport(0x10));
    backend_.QueueInput(kReceiverNode, {3, 0xE9, 0x00});
    Bytes buffer(3, 0xEE);
    size_t got = 0;
    ASSERT_EQ(consumer->Read(buffer, -1, got), IoResult::Ok);
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(buffer, (Bytes{3, 0xE9, 0x00}));
}

TEST_F(HidCollectionConnectionTest, OnlyForeignReportsEndInATimeOut) {
    auto vendor = Open(kVendorIdentity);
    backend_.QueueInput(kReceiverNode, KeyboardReport());
    backend_.QueueInput(kReceiverNode, {3, 0xE9, 0x00});
    backend_.QueueInput(kReceiverNode, {0x77, 1, 2});   // an id no collection declares
    Bytes buffer(64);
    size_t got = 1;
    EXPECT_EQ(vendor->Read(buffer, kShortTimeoutMs, got), IoResult::TimedOut);
    EXPECT_EQ(got, 0u);
}

TEST_F(HidCollectionConnectionTest, ReadPutsAZeroIdInFrontForIdLessCollections) {
    auto mouse = Open(kMouseIdentity);
    backend_.QueueInput(kMouseNode, {0x01, 0x02, 0x03});
    Bytes buffer(8, 0xEE);
    size_t got = 0;
    ASSERT_EQ(mouse->Read(buffer, kShortTimeoutMs, got), IoResult::Ok);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 4), (Bytes{0x00, 0x01, 0x02, 0x03}));
}

TEST_F(HidCollectionConnectionTest, ReadCutsReportsToTheBuffer) {
    auto vendor = Open(kVendorIdentity);
    backend_.QueueInput(kReceiverNode, VendorReport(0x06));
    Bytes buffer(4);
    size_t got = 0;
    ASSERT_EQ(vendor->Read(buffer, kShortTimeoutMs, got), IoResult::Ok);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(buffer, (Bytes{4, 0, 0, 0x06}));
}

TEST_F(HidCollectionConnectionTest, WriteChecksAndPadsOutputReports) {
    auto vendor = Open(kVendorIdentity);
    size_t sent = 0;
    EXPECT_EQ(vendor->Write(VendorReport(0x01), 100, sent), IoResult::Ok);
    EXPECT_EQ(sent, 64u);
    EXPECT_EQ(vendor->Write(Bytes{4, 0xAA, 0xBB}, 100, sent), IoResult::Ok);
    EXPECT_EQ(sent, 64u);

    EXPECT_EQ(vendor->Write(Bytes(65, 4), 100, sent), IoResult::Failed);          // longer than the report
    EXPECT_EQ(vendor->Write(Bytes{3, 0xE9, 0}, 100, sent), IoResult::Failed);     // input-only id
    EXPECT_EQ(vendor->Write(Bytes{1, 0x01}, 100, sent), IoResult::Failed);        // another collection's id
    EXPECT_EQ(vendor->Write(Bytes{}, 100, sent), IoResult::Failed);
    EXPECT_EQ(sent, 0u);

    const auto written = backend_.Written(kReceiverNode);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0], VendorReport(0x01));
    Bytes padded(64, 0);
    padded[0] = 4;
    padded[1] = 0xAA;
    padded[2] = 0xBB;
    EXPECT_EQ(written[1], padded);
}

TEST_F(HidCollectionConnectionTest, AbortIsRememberedOnceWhenNothingWaits) {
    auto consumer = Open(kConsumerIdentity);
    consumer->Abort();
    Bytes buffer(3);
    size_t got = 0;
    EXPECT_EQ(consumer->Read(buffer, -1, got), IoResult::Aborted);
    EXPECT_EQ(consumer->Read(buffer, kShortTimeoutMs, got), IoResult::TimedOut);
}

TEST_F(HidCollectionConnectionTest, AbortBreaksAnEndlessRead) {
    auto consumer = Open(kConsumerIdentity);
    IoResult result = IoResult::Ok;
    std::thread reader([&] {
        Bytes buffer(3);
        size_t got = 0;
        result = consumer->Read(buffer, -1, got);
    });
    backend_.WaitForReader(kReceiverNode);
    consumer->Abort();
    reader.join();
    EXPECT_EQ(result, IoResult::Aborted);
}

TEST_F(HidCollectionConnectionTest, FailureOfTheNodeIsPassedOn) {
    auto consumer = Open(kConsumerIdentity);
    {
        auto& s = backend_.NodeState(kReceiverNode);
        std::lock_guard lock(s.mutex);
        s.failWith = IoResult::Failed;
    }
    Bytes buffer(3);
    size_t got = 0;
    EXPECT_EQ(consumer->Read(buffer, -1, got), IoResult::Failed);
    EXPECT_EQ(Open(kVendorIdentity)->Write(VendorReport(1), 100, got), IoResult::Failed);
}

}  // namespace
}  // namespace dw::hid
