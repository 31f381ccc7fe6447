#include "transport/CHidConnection.h"

#include <gtest/gtest.h>

#include <thread>

#include "ScriptedHidBackend.h"

namespace dw {
namespace {

using test::ScriptedHidBackend;

std::vector<std::wstring> AllPaths(CHidConnection& connection)
{
    std::vector<std::wstring> paths;
    while (std::optional<std::wstring> path = connection.NextHidPath())
        paths.push_back(*path);
    return paths;
}

TEST(CHidConnection, EnumerationGrowsPastEightPaths)
{
    // 10 nodes of two collections each: 20 paths, so the list doubles from 8 to 16 to 32.
    ScriptedHidBackend backend(test::kNotificationAndVendorDescriptor, 10);
    CHidConnection connection(&backend);
    ASSERT_TRUE(connection.EnumerateHidPaths());
    EXPECT_EQ(connection.PathCount(), 20u);
    EXPECT_EQ(connection.PathCapacity(), 32u);
    const std::vector<std::wstring> paths = AllPaths(connection);
    ASSERT_EQ(paths.size(), 20u);
    EXPECT_EQ(paths[0], L"hid#vid_5a3c&pid_6a3e&mi_01&col01#/dev/hidraw-test0");
    EXPECT_EQ(paths[19], L"hid#vid_5a3c&pid_6a3e&mi_01&col02#/dev/hidraw-test9");
    EXPECT_FALSE(connection.NextHidPath());

    // A new enumeration starts over; freeing empties the list.
    ASSERT_TRUE(connection.EnumerateHidPaths());
    EXPECT_EQ(AllPaths(connection).size(), 20u);
    connection.FreeHidPaths();
    EXPECT_EQ(connection.PathCount(), 0u);
    EXPECT_FALSE(connection.NextHidPath());
}

TEST(CHidConnection, EmptyBusGivesAnEmptyList)
{
    ScriptedHidBackend backend(test::kVendorOnlyDescriptor, 0);
    CHidConnection connection(&backend);
    ASSERT_TRUE(connection.EnumerateHidPaths());
    EXPECT_EQ(connection.PathCount(), 0u);
    EXPECT_FALSE(connection.NextHidPath());
}

TEST(CHidConnection, OpenReadsCapabilitiesAttributesAndNumbers)
{
    ScriptedHidBackend backend(test::kNotificationAndVendorDescriptor);
    CHidConnection connection(&backend);
    ASSERT_TRUE(connection.OpenPath(L"HID#VID_5A3C&PID_6A3E&MI_01&COL02#/dev/hidraw-test0", true, true, true, false));
    EXPECT_TRUE(connection.IsOpen());

    const HidCapabilities caps = connection.Capabilities();
    EXPECT_EQ(caps.usagePage, 0xFF1C);
    EXPECT_EQ(caps.usage, 0x92);
    EXPECT_EQ(caps.inputReportByteLength, 64);
    EXPECT_EQ(caps.outputReportByteLength, 64);
    EXPECT_EQ(caps.featureReportByteLength, 0);
    EXPECT_EQ(connection.InputReportBuffer(), std::vector<uint8_t>(64, 0));
    EXPECT_EQ(connection.OutputReportBuffer().size(), 64u);
    EXPECT_TRUE(connection.FeatureReportBuffer().empty());

    const HidAttributes attributes = connection.Attributes();
    EXPECT_EQ(attributes.vendorId, 0x5A3C);
    EXPECT_EQ(attributes.productId, 0x6A3E);
    EXPECT_EQ(attributes.versionNumber, 0x0107);
    EXPECT_EQ(connection.InterfaceNumber(), 1);
    EXPECT_EQ(connection.CollectionNumber(), 2);

    connection.Close();
    EXPECT_FALSE(connection.IsOpen());
    EXPECT_EQ(connection.Capabilities().usagePage, 0);
    connection.Close();  // closing twice is harmless

    // Reopen uses the stored path and modes.
    EXPECT_TRUE(connection.Reopen());
    EXPECT_EQ(connection.Capabilities().usage, 0x92);
}

TEST(CHidConnection, OpenFailuresLeaveItClosed)
{
    ScriptedHidBackend backend(test::kNotificationAndVendorDescriptor);
    const wchar_t* kBadPaths[] = {
        L"",
        L"hid#vid_5a3c&pid_6a3e&mi_01&col07#/dev/hidraw-test0",  // no such collection
        L"hid#vid_5a3c&pid_6a3e&mi_01&col01#/dev/hidraw-gone",   // no such node
        L"hid#vid_1111&pid_6a3e&mi_01&col01#/dev/hidraw-test0",  // another device on that node now
        L"hid#vid_5a3c&pid_6a3e&mi_01&col01#/dev/hidraw-test\x4e2d",
    };
    for (const wchar_t* path : kBadPaths) {
        CHidConnection connection(&backend);
        EXPECT_FALSE(connection.OpenPath(path, true, true, true, false));
        EXPECT_FALSE(connection.IsOpen());
        size_t transferred = 7;
        uint8_t buffer[64] = {};
        EXPECT_FALSE(connection.ReadReport(buffer, transferred, 0));
        EXPECT_EQ(transferred, 0u);
        EXPECT_FALSE(connection.WriteReport(buffer, transferred, 0));
    }
}

TEST(CHidConnection, CloseReleasesAnInfiniteRead)
{
    ScriptedHidBackend backend;
    CHidConnection connection(&backend);
    ASSERT_TRUE(connection.OpenPath(L"hid#vid_5a3c&pid_6a3e&mi_01#/dev/hidraw-test0", true, true, true, false));

    bool readResult = true;
    std::thread reader([&] {
        uint8_t buffer[64];
        size_t transferred = 0;
        readResult = connection.ReadReport(buffer, transferred, -1);
    });
    while (backend.ReadsWaiting() == 0)
        std::this_thread::yield();
    connection.Close();
    reader.join();  // would hang forever if Close did not abort the read
    EXPECT_FALSE(readResult);
}

TEST(CHidConnection, ReadsOnlyItsOwnCollection)
{
    ScriptedHidBackend backend(test::kNotificationAndVendorDescriptor);
    CHidConnection notifications(&backend);
    ASSERT_TRUE(notifications.OpenPath(L"hid#vid_5a3c&pid_6a3e&mi_01&col01#/dev/hidraw-test0", true, true, true, false));
    // A command reply (id 4) then a notification (id 3): the notification collection sees only
    // the second.
    backend.QueueReply(0x03);
    backend.QueueReport({0x03, 0x01, 0x04});
    uint8_t buffer[8] = {};
    size_t transferred = 0;
    ASSERT_TRUE(notifications.ReadReport(buffer, transferred, 1000));
    ASSERT_EQ(transferred, 3u);
    EXPECT_EQ(buffer[0], 0x03);
}

TEST(CHidConnection, UnpackGivesTheNotificationCode)
{
    ScriptedHidBackend backend(test::kNotificationAndVendorDescriptor);
    CHidConnection connection(&backend);
    ASSERT_TRUE(connection.OpenPath(L"hid#vid_5a3c&pid_6a3e&mi_01&col01#/dev/hidraw-test0", true, true, true, false));

    const std::vector<HidReportItem> items = connection.InputItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(items[0].isButtonData);
    EXPECT_EQ(items[0].usagePage, 0x0C);
    EXPECT_EQ(items[0].reportId, 3);
    EXPECT_EQ(items[0].usageMax, 0xFFFF);
    EXPECT_EQ(items[0].maxUsageCount, 1u);

    const uint8_t report[] = {0x03, 0x01, 0x04};  // code 0x0401, little-endian
    EXPECT_EQ(connection.UnpackInputReport(report), hid::HidStatus::Success);
    EXPECT_EQ(connection.FirstInputUsage(), 0x0401);
    EXPECT_TRUE(connection.InputItems()[0].isDataSet);

    // A report of another id fills nothing and leaves no stale code behind.
    const uint8_t other[] = {0x04, 0x11, 0x22};
    connection.UnpackInputReport(other);
    EXPECT_FALSE(connection.InputItems()[0].isDataSet);
    EXPECT_EQ(connection.FirstInputUsage(), 0);
    EXPECT_EQ(connection.UnpackInputReport({}), hid::HidStatus::InvalidReportLength);
}

}  // namespace
}  // namespace dw
