#include "transport/CDeviceSlotList.h"

namespace dw {

namespace {

bool SameNumbers(const DeviceInterfaceEntry& a, const SupportedInterfaceRow& b)
{
    return a.vendorId == b.vendorId && a.productId == b.productId && a.interfaceNumber == b.interfaceNumber &&
           a.collectionNumber == b.collectionNumber;
}

bool SameNumbers(const DeviceInterfaceEntry& a, const DeviceInterfaceEntry& b)
{
    return a.vendorId == b.vendorId && a.productId == b.productId && a.interfaceNumber == b.interfaceNumber &&
           a.collectionNumber == b.collectionNumber;
}

bool SameUsage(const DeviceInterfaceEntry& a, uint16_t usagePage, uint16_t usage)
{
    return a.usagePage == usagePage && a.usage == usage;
}

}  // namespace

CDeviceSlotList::CDeviceSlotList()
{
    for (size_t i = 0; i < kSlotCount; ++i)
        slots_[i] = DeviceInterfaceEntry::FromRow(kSupportedInterfaces[i]);
}

DeviceInterfaceEntry CDeviceSlotList::Slot(size_t index) const
{
    if (index >= kSlotCount)
        return {};
    std::lock_guard lock(mutex_);
    return slots_[index];
}

bool CDeviceSlotList::IsCandidate(const DeviceInterfaceEntry& probe) const
{
    bool inTable = false;
    for (const SupportedInterfaceRow& row : kSupportedInterfaces)
        inTable = inTable || SameNumbers(probe, row);
    if (!inTable)
        return false;

    std::lock_guard lock(mutex_);
    for (const DeviceInterfaceEntry& slot : slots_) {
        if (SameNumbers(probe, slot) && IsFree(slot))
            return true;
    }
    return false;
}

bool CDeviceSlotList::ClaimSlot(DeviceInterfaceEntry& probe, int& slotIndex)
{
    const SupportedInterfaceRow* match = nullptr;
    for (const SupportedInterfaceRow& row : kSupportedInterfaces) {
        if (SameNumbers(probe, row) && SameUsage(probe, row.usagePage, row.usage)) {
            match = &row;
            break;
        }
    }
    if (match == nullptr)
        return false;
    probe.kind = match->kind;
    probe.role = match->role;

    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < kSlotCount; ++i) {
        DeviceInterfaceEntry& slot = slots_[i];
        if (SameNumbers(probe, slot) && SameUsage(probe, slot.usagePage, slot.usage) && IsFree(slot)) {
            slot.connected = 1;
            slot.path = probe.path;
            slotIndex = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

void CDeviceSlotList::ReleaseSlot(size_t index)
{
    if (index >= kSlotCount)
        return;
    std::lock_guard lock(mutex_);
    slots_[index].connected = 0;
    slots_[index].path.clear();
}

bool CDeviceSlotList::AllSlotsTaken() const
{
    std::lock_guard lock(mutex_);
    for (const DeviceInterfaceEntry& slot : slots_) {
        if (IsFree(slot))
            return false;
    }
    return true;
}

std::vector<size_t> CDeviceSlotList::ConnectedSlots() const
{
    std::vector<size_t> result;
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < kSlotCount; ++i) {
        if (slots_[i].connected != 0)
            result.push_back(i);
    }
    return result;
}

}  // namespace dw
