#include "transport/CDeviceSlotList.h"
#include "transport/HidPathParsers.h"

#include <gtest/gtest.h>

namespace dw {
namespace {

// A probe as the discovery thread builds it: numbers parsed from the path, then the usage page
// and usage the opened interface declares.
DeviceInterfaceEntry Probe(const std::wstring& path, uint16_t usagePage, uint16_t usage)
{
    DeviceInterfaceEntry probe;
    probe.vendorId = VendorIdOfPath(path);
    probe.productId = ProductIdOfPath(path);
    probe.interfaceNumber = InterfaceNumberOfPath(path);
    probe.collectionNumber = CollectionNumberOfPath(path);
    probe.usagePage = usagePage;
    probe.usage = usage;
    probe.path = path;
    return probe;
}

struct ClaimCase {
    const wchar_t* path;
    uint16_t usagePage;
    uint16_t usage;
    int slot;  // -1: never a candidate / never claimed
};

// clang-format off
constexpr ClaimCase kClaimCases[] = {
    {L"hid#vid_4e71&pid_0b17&mi_01&col04#/dev/hidraw1", usage::kVendorPage,   usage::kVendorUsage,   0},
    {L"hid#vid_4e71&pid_0b17&mi_01&col03#/dev/hidraw1", usage::kConsumerPage, usage::kConsumerUsage, 1},
    {L"hid#vid_5a3c&pid_6a21&mi_01&col04#/dev/hidraw2", usage::kVendorPage,   usage::kVendorUsage,   2},
    {L"hid#vid_5a3c&pid_3b48&mi_01&col03#/dev/hidraw5", usage::kConsumerPage, usage::kConsumerUsage, 7},
    {L"hid#vid_5a3c&pid_2c09&mi_01&col04#/dev/hidraw6", usage::kVendorPage,   usage::kVendorUsage,   8},
    {L"hid#vid_0c76&pid_1a47&mi_03#/dev/hidraw7",       usage::kConsumerPage, usage::kConsumerUsage, 10},
    // The keyboard's boot interface and its other collections are never candidates.
    {L"hid#vid_4e71&pid_0b17&mi_00#/dev/hidraw0",       0x0001,               0x0006,                -1},
    {L"hid#vid_4e71&pid_0b17&mi_01&col01#/dev/hidraw1", 0x0001,               0x0006,                -1},
    // A headset path with a collection number is another interface.
    {L"hid#vid_0c76&pid_1a47&mi_03&col01#/dev/hidraw7", usage::kConsumerPage, usage::kConsumerUsage, -1},
    // Another maker's mouse.
    {L"hid#vid_046d&pid_c52b&mi_01&col04#/dev/hidraw9", usage::kVendorPage,   usage::kVendorUsage,   -1},
};
// clang-format on

TEST(CDeviceSlotList, CandidatesAndClaimsTable)
{
    for (const ClaimCase& c : kClaimCases) {
        CDeviceSlotList slots;
        DeviceInterfaceEntry probe = Probe(c.path, c.usagePage, c.usage);
        SCOPED_TRACE(std::string(probe.path.begin(), probe.path.end()));
        EXPECT_EQ(slots.IsCandidate(probe), c.slot >= 0);
        int slot = -1;
        EXPECT_EQ(slots.ClaimSlot(probe, slot), c.slot >= 0);
        if (c.slot < 0) {
            EXPECT_TRUE(slots.ConnectedSlots().empty());
            continue;
        }
        EXPECT_EQ(slot, c.slot);
        const DeviceInterfaceEntry claimed = slots.Slot(static_cast<size_t>(slot));
        EXPECT_EQ(claimed.connected, 1);
        EXPECT_EQ(claimed.path, probe.path);
        // The claim hands the table's kind and role back in the probe.
        EXPECT_EQ(probe.kind, kSupportedInterfaces[static_cast<size_t>(slot)].kind);
        EXPECT_EQ(probe.role, kSupportedInterfaces[static_cast<size_t>(slot)].role);
        EXPECT_TRUE(InterfacesEqual(probe, claimed));
    }
}

TEST(CDeviceSlotList, RightCollectionWithWrongUsageIsNotClaimed)
{
    CDeviceSlotList slots;
    DeviceInterfaceEntry probe = Probe(L"hid#vid_4e71&pid_0b17&mi_01&col04#/dev/hidraw1", 0x0001, 0x0002);
    EXPECT_TRUE(slots.IsCandidate(probe));
    int slot = -1;
    EXPECT_FALSE(slots.ClaimSlot(probe, slot));
    EXPECT_EQ(slot, -1);
    EXPECT_TRUE(slots.ConnectedSlots().empty());
}

TEST(CDeviceSlotList, SecondIdenticalKeyboardFindsNoSlot)
{
    CDeviceSlotList slots;
    const wchar_t* first = L"hid#vid_4e71&pid_0b17&mi_01&col04#/dev/hidraw1";
    const wchar_t* second = L"hid#vid_4e71&pid_0b17&mi_01&col04#/dev/hidraw11";
    DeviceInterfaceEntry a = Probe(first, usage::kVendorPage, usage::kVendorUsage);
    int slot = -1;
    ASSERT_TRUE(slots.ClaimSlot(a, slot));

    DeviceInterfaceEntry b = Probe(second, usage::kVendorPage, usage::kVendorUsage);
    EXPECT_FALSE(slots.IsCandidate(b));
    int other = -1;
    EXPECT_FALSE(slots.ClaimSlot(b, other));
    EXPECT_EQ(slots.Slot(0).path, first);

    // Once the first keyboard is gone, the slot is free for the second.
    slots.ReleaseSlot(0);
    EXPECT_TRUE(slots.IsCandidate(b));
    EXPECT_TRUE(slots.ClaimSlot(b, other));
    EXPECT_EQ(other, 0);
    EXPECT_EQ(slots.Slot(0).path, second);
}

TEST(CDeviceSlotList, AllSlotsTakenOnlyWhenEveryRowIsClaimed)
{
    CDeviceSlotList slots;
    for (size_t i = 0; i < kSlotCount; ++i) {
        EXPECT_FALSE(slots.AllSlotsTaken());
        DeviceInterfaceEntry probe = DeviceInterfaceEntry::FromRow(kSupportedInterfaces[i]);
        probe.path = L"p" + std::to_wstring(i);
        int slot = -1;
        ASSERT_TRUE(slots.ClaimSlot(probe, slot));
        EXPECT_EQ(slot, static_cast<int>(i));
    }
    EXPECT_TRUE(slots.AllSlotsTaken());
    EXPECT_EQ(slots.ConnectedSlots().size(), kSlotCount);
    slots.ReleaseSlot(4);
    slots.ReleaseSlot(kSlotCount + 3);  // ignored
    EXPECT_FALSE(slots.AllSlotsTaken());
    EXPECT_EQ(slots.Slot(4).connected, 0);
    EXPECT_TRUE(slots.Slot(4).path.empty());
    EXPECT_EQ(slots.Slot(kSlotCount).vendorId, 0);  // out of range: an empty entry
}

TEST(InterfacesEqual, IgnoresRunTimeColumns)
{
    DeviceInterfaceEntry a = DeviceInterfaceEntry::FromRow(kSupportedInterfaces[6]);
    DeviceInterfaceEntry b = a;
    b.connected = 1;
    b.path = L"somewhere";
    b.hasPartner = 0;
    b.partnerIndex = 9;
    EXPECT_TRUE(InterfacesEqual(a, b));
    b.usage = 0x93;
    EXPECT_FALSE(InterfacesEqual(a, b));
    b = a;
    b.kind = kind::kMouse;
    EXPECT_FALSE(InterfacesEqual(a, b));
}

}  // namespace
}  // namespace dw
