#include "transport/DeviceLookup.h"
#include "transport/DeviceTables.h"

#include <gtest/gtest.h>

#include <set>

namespace dw {
namespace {

TEST(DeviceTables, PartnersPointAtEachOther)
{
    for (size_t i = 0; i < kSupportedInterfaces.size(); ++i) {
        SCOPED_TRACE(i);
        const SupportedInterfaceRow& row = kSupportedInterfaces[i];
        if (!row.hasPartner)
            continue;
        ASSERT_LT(row.partnerIndex, kSupportedInterfaces.size());
        const SupportedInterfaceRow& partner = kSupportedInterfaces[row.partnerIndex];
        EXPECT_TRUE(partner.hasPartner);
        EXPECT_EQ(partner.partnerIndex, i);
        // Partners are the same device's same interface role, once by cable, once by receiver.
        EXPECT_EQ(partner.role, row.role);
        EXPECT_EQ(partner.collectionNumber, row.collectionNumber);
        EXPECT_EQ(FamilyOfKind(partner.kind), FamilyOfKind(row.kind));
        EXPECT_NE(IsReceiverKind(partner.kind), IsReceiverKind(row.kind));
    }
}

TEST(DeviceTables, RolesMatchTheirCollections)
{
    std::set<std::tuple<uint16_t, uint16_t, uint16_t, uint16_t>> seen;
    for (const SupportedInterfaceRow& row : kSupportedInterfaces) {
        // No two rows describe the same interface.
        EXPECT_TRUE(seen.insert({row.vendorId, row.productId, row.interfaceNumber, row.collectionNumber}).second);
        EXPECT_NE(FamilyOfKind(row.kind), -1);
        if (row.kind == kind::kHeadset) {
            EXPECT_EQ(row.role, role::kCommand);
            EXPECT_EQ(row.collectionNumber, 0);
            EXPECT_EQ(row.interfaceNumber, kHeadsetInterfaceNumber);
            continue;
        }
        EXPECT_EQ(row.interfaceNumber, kDeviceInterfaceNumber);
        if (row.role == role::kCommand) {
            EXPECT_EQ(row.collectionNumber, kCommandCollection);
            EXPECT_EQ(row.usagePage, usage::kVendorPage);
            EXPECT_EQ(row.usage, usage::kVendorUsage);
        } else {
            EXPECT_EQ(row.role, role::kNotification);
            EXPECT_EQ(row.collectionNumber, kNotificationCollection);
            EXPECT_EQ(row.usagePage, usage::kConsumerPage);
            EXPECT_EQ(row.usage, usage::kConsumerUsage);
        }
    }
}

TEST(DeviceTables, EveryFamilyRowHasItsCommandInterface)
{
    for (size_t f = 0; f < kDeviceOptions.size(); ++f) {
        SCOPED_TRACE(f);
        const DeviceOptionEntry& option = kDeviceOptions[f];
        const int row = FindInterfaceRow(static_cast<uint16_t>(option.vendorId), static_cast<uint16_t>(option.productId),
                                         static_cast<uint16_t>(option.kind), static_cast<uint16_t>(option.role));
        ASSERT_GE(row, 0);
        EXPECT_EQ(FamilyOfKind(kSupportedInterfaces[row].kind), static_cast<int>(f));
        EXPECT_FALSE(IsReceiverKind(kSupportedInterfaces[row].kind));
        EXPECT_EQ(FindFamilyRow(static_cast<uint16_t>(option.vendorId), static_cast<uint16_t>(option.productId),
                                static_cast<uint16_t>(option.kind), static_cast<uint16_t>(option.role)),
                  static_cast<int>(f));
    }
    EXPECT_EQ(kDeviceOptions[family::kMouse].familyName, L"mouse");
    EXPECT_EQ(kDeviceOptions[family::kKeyboard].familyName, L"keyboard");
    EXPECT_EQ(kDeviceOptions[family::kMousepad].familyName, L"MousePad");
    EXPECT_EQ(kDeviceOptions[family::kHeadset].familyName, L"HD");
    EXPECT_EQ(kModelNames[kApplicationModelRow].modelCode, L"ALL");
    EXPECT_EQ(kDevicePages[family::kKeyboard].lightCount, 170);
}

TEST(DeviceLookup, FamilyRowOfEverySlot)
{
    // Receiver slots are served by their cable partner's family; notification slots have none.
    constexpr int kExpected[kSlotCount] = {
        family::kKeyboard, -1, family::kKeyboard, -1, family::kMouse, -1,
        family::kMouse,    -1, family::kMousepad, -1, family::kHeadset,
    };
    for (size_t slot = 0; slot < kSlotCount; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(FamilyRowOfSlot(slot), kExpected[slot]);
    }
    EXPECT_EQ(FamilyRowOfSlot(kSlotCount), -1);
}

TEST(DeviceLookup, UnknownIdsAreNotFound)
{
    EXPECT_EQ(FindInterfaceRow(vid::kReceiverMaker, pid::kMouseReceiver, kind::kMouseReceiver, role::kCommand), 6);
    EXPECT_EQ(FindInterfaceRow(vid::kReceiverMaker, pid::kMouseReceiver, kind::kMouse, role::kCommand), -1);
    EXPECT_EQ(FindFamilyRow(vid::kReceiverMaker, pid::kMouseReceiver, kind::kMouseReceiver, role::kCommand), -1);
    EXPECT_EQ(FindFamilyRow(0x046D, 0xC52B, kind::kMouse, role::kCommand), -1);
}

}  // namespace
}  // namespace dw
