#pragma once

// The run-time copy of the supported-interface table: one slot per row, each either free or
// claimed by a present HID interface (connected, with its path). The discovery thread claims
// and releases slots while the UI thread reads them, so every access takes the list's lock and
// readers get copies.

#include <array>
#include <cstddef>
#include <mutex>
#include <vector>

#include "transport/DeviceInterfaceEntry.h"
#include "transport/DeviceTables.h"

namespace dw {

class CDeviceSlotList {
public:
    CDeviceSlotList();

    CDeviceSlotList(const CDeviceSlotList&) = delete;
    CDeviceSlotList& operator=(const CDeviceSlotList&) = delete;

    static constexpr size_t Count() { return kSlotCount; }

    // A copy of slot `index`; an empty entry (no ids, not connected) when it is out of range.
    DeviceInterfaceEntry Slot(size_t index) const;

    // Before opening an interface: `probe` holds vendor and product ids and interface and
    // collection numbers parsed from its path. True when a table row has those four values and
    // a free slot with them exists.
    bool IsCandidate(const DeviceInterfaceEntry& probe) const;

    // After opening it: the probe's ids, usage page and usage were read from the interface.
    // Finds the first row matching ids, numbers, usage page and usage, copies its kind and role
    // into the probe, then claims the first free slot with those six values (connected, path =
    // the probe's path). False, and no slot changed, when there is no such row or free slot.
    bool ClaimSlot(DeviceInterfaceEntry& probe, int& slotIndex);

    // The interface of a claimed slot went away: the slot becomes free again. Out of range
    // indexes are ignored.
    void ReleaseSlot(size_t index);

    // True when no slot is free; the discovery thread then skips enumeration.
    bool AllSlotsTaken() const;

    // Indexes of the claimed slots, in slot order.
    std::vector<size_t> ConnectedSlots() const;

private:
    static bool IsFree(const DeviceInterfaceEntry& slot) { return slot.connected == 0 && slot.path.empty(); }

    mutable std::mutex mutex_;
    std::array<DeviceInterfaceEntry, kSlotCount> slots_;
};

}  // namespace dw
