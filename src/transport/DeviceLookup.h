#pragma once

// Look-ups over the supported-device tables (DeviceTables.h).

#include <cstddef>
#include <cstdint>

namespace dw {

// Row of the supported-interface table with these ids, kind and role, or -1.
int FindInterfaceRow(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role);

// Row of the device-option table (the family index) with these ids, kind and role, or -1.
int FindFamilyRow(uint16_t vendorId, uint16_t productId, uint16_t kind, uint16_t role);

// The family row whose page serves a slot. A device reached through its receiver has no row of
// its own: a receiver slot with a partner is looked up with its partner's (the cable row's) ids
// and kind. Notification slots (role 255) have no family row; -1 for them and for an index out
// of range.
int FamilyRowOfSlot(size_t slotIndex);

}  // namespace dw
