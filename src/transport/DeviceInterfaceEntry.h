#pragma once

// One supported HID interface: a row of the supported-interface table, or one run-time slot of
// the slot list (which adds the connected flag and the path of the claimed interface).

#include <cstdint>
#include <string>

namespace dw {

// The fixed part, a literal type so that the table can be constexpr.
struct SupportedInterfaceRow {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;   // the "&mi_" number of the path
    uint16_t collectionNumber = 0;  // the "&col" number of the path, 0 when the path has none
    uint16_t kind = 0;              // dw::kind
    uint16_t role = 0;              // dw::role
    uint16_t usagePage = 0;         // top-level collection usage page
    uint16_t usage = 0;             // top-level collection usage
    uint16_t hasPartner = 0;        // 1 when the same device is also reachable as another row
    uint16_t partnerIndex = 0;      // that row; meaningful only with hasPartner
};

struct DeviceInterfaceEntry {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
    uint16_t kind = 0;
    uint16_t role = 0;
    uint16_t connected = 0;  // run time: 1 while a present interface holds this slot
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t hasPartner = 0;
    uint16_t partnerIndex = 0;
    std::wstring path;  // run time: path of the claimed interface, empty when free

    static DeviceInterfaceEntry FromRow(const SupportedInterfaceRow& row)
    {
        DeviceInterfaceEntry e;
        e.vendorId = row.vendorId;
        e.productId = row.productId;
        e.interfaceNumber = row.interfaceNumber;
        e.collectionNumber = row.collectionNumber;
        e.kind = row.kind;
        e.role = row.role;
        e.usagePage = row.usagePage;
        e.usage = row.usage;
        e.hasPartner = row.hasPartner;
        e.partnerIndex = row.partnerIndex;
        return e;
    }
};

// Two entries denote the same interface when ids, interface and collection numbers, kind,
// role, usage page and usage are equal; connected, partner and path are not compared.
inline bool InterfacesEqual(const DeviceInterfaceEntry& a, const DeviceInterfaceEntry& b)
{
    return a.vendorId == b.vendorId && a.productId == b.productId && a.interfaceNumber == b.interfaceNumber &&
           a.collectionNumber == b.collectionNumber && a.kind == b.kind && a.role == b.role &&
           a.usagePage == b.usagePage && a.usage == b.usage;
}

}  // namespace dw
