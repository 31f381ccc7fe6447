#include "transport/DeviceLookup.h"

#include "transport/DeviceTables.h"

namespace dw {

int FindInterfaceRow(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role)
{
    for (size_t i = 0; i < kSupportedInterfaces.size(); ++i) {
        const SupportedInterfaceRow& row = kSupportedInterfaces[i];
        if (row.vendorId == vendorId && row.productId == productId && row.kind == kind && row.role == role)
            return static_cast<int>(i);
    }
    return -1;
}

int FindFamilyRow(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role)
{
    for (size_t i = 0; i < kDeviceOptions.size(); ++i) {
        const DeviceOptionEntry& row = kDeviceOptions[i];
        if (row.vendorId == vendorId && row.productId == productId && row.kind == kind && row.role == role)
            return static_cast<int>(i);
    }
    return -1;
}

int FamilyRowOfSlot(size_t slotIndex)
{
    if (slotIndex >= kSupportedInterfaces.size())
        return -1;
    const SupportedInterfaceRow& slot = kSupportedInterfaces[slotIndex];
    if (IsReceiverKind(slot.kind) && slot.hasPartner && slot.partnerIndex < kSupportedInterfaces.size()) {
        // The receiver row's partner is the cable row of the same device; its kind is the
        // cable kind (2 for the mouse, 1 for the keyboard).
        const SupportedInterfaceRow& partner = kSupportedInterfaces[slot.partnerIndex];
        return FindFamilyRow(partner.vendorId, partner.productId, partner.kind, slot.role);
    }
    return FindFamilyRow(slot.vendorId, slot.productId, slot.kind, slot.role);
}

}  // namespace dw
