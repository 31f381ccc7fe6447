#pragma once

// One pass of device discovery over the HID interfaces present: every path whose numbers make
// it a candidate for a free slot is opened for reading, its ids are taken from the interface's
// attributes and its usage from its capabilities, and it claims the slot it fits.

#include <functional>
#include <vector>

#include "transport/CDeviceSlotList.h"
#include "transport/CHidConnection.h"

namespace dw {

// Called for each slot claimed, in enumeration order, with the slot index and the probe entry
// (ids, numbers, usage, kind, role, path).
using SlotClaimedCallback = std::function<void(int slot, const DeviceInterfaceEntry& probe)>;

// Runs one pass with `probe` (a connection used only for probing; it is left closed and its path
// list freed). False when the interfaces could not be listed.
bool RunDiscoveryPass(CHidConnection& probe, CDeviceSlotList& slots, const SlotClaimedCallback& claimed);

}  // namespace dw
