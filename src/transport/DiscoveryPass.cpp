#include "transport/DiscoveryPass.h"

#include "transport/HidPathParsers.h"

namespace dw {

bool RunDiscoveryPass(CHidConnection& probe, CDeviceSlotList& slots, const SlotClaimedCallback& claimed)
{
    if (!probe.EnumerateHidPaths())
        return false;
    while (std::optional<std::wstring> path = probe.NextHidPath()) {
        DeviceInterfaceEntry entry;
        entry.vendorId = VendorIdOfPath(*path);
        entry.productId = ProductIdOfPath(*path);
        entry.interfaceNumber = InterfaceNumberOfPath(*path);
        entry.collectionNumber = CollectionNumberOfPath(*path);
        entry.path = *path;
        if (!slots.IsCandidate(entry))
            continue;
        // Probing asks for read access only and shares the interface with everyone else.
        if (!probe.OpenPath(*path, true, false, true, false))
            continue;
        const HidAttributes attributes = probe.Attributes();
        const HidCapabilities caps = probe.Capabilities();
        entry.vendorId = attributes.vendorId;
        entry.productId = attributes.productId;
        entry.usagePage = caps.usagePage;
        entry.usage = caps.usage;
        int slot = -1;
        if (slots.ClaimSlot(entry, slot) && claimed)
            claimed(slot, entry);
        probe.Close();
    }
    probe.FreeHidPaths();
    return true;
}

}  // namespace dw
