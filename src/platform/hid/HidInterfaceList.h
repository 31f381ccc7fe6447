#pragma once

// The HID interfaces present, one entry per top-level collection of every node a backend
// lists. Collections are numbered 1..N in descriptor order on a node with several of them and
// 0 on a node with one. A node whose report descriptor does not parse is left out.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidReportDescriptor.h"

namespace dw::hid {

struct HidInterfaceEntry {
    std::string identity;            // see HidIdentity.h
    std::string node;                // the backend's node name
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    int interfaceNumber = -1;        // -1 when the bus has no interface numbers
    uint16_t collectionNumber = 0;   // 1..N, or 0 for a node's only collection
    HidCollection collection;        // usage page, usage, report lengths and capabilities
};

class HidInterfaceList {
public:
    HidInterfaceList() = default;

    // Pure: splits the given nodes into their collections.
    static HidInterfaceList FromNodes(std::span<const HidNodeInfo> nodes);
    // Lists the nodes of `backend` now and splits them.
    static HidInterfaceList Enumerate(IHidBackend& backend);

    const std::vector<HidInterfaceEntry>& entries() const { return entries_; }
    // The entry an identity names (same node and collection number); null when absent.
    const HidInterfaceEntry* Find(std::string_view identity) const;

private:
    std::vector<HidInterfaceEntry> entries_;
};

}  // namespace dw::hid
