#include "platform/hid/HidInterfaceList.h"

#include "platform/hid/HidIdentity.h"

namespace dw::hid {

HidInterfaceList HidInterfaceList::FromNodes(std::span<const HidNodeInfo> nodes) {
    HidInterfaceList list;
    for (const HidNodeInfo& info : nodes) {
        HidReportDescriptor descriptor;
        if (ParseHidReportDescriptor(info.reportDescriptor, descriptor) != HidDescriptorError::None) {
            continue;   // a node we cannot describe cannot be used; it is left out
        }
        const bool numbered = descriptor.collections.size() > 1;
        for (size_t i = 0; i < descriptor.collections.size(); ++i) {
            HidInterfaceEntry e;
            e.node = info.node;
            e.vendorId = info.vendorId;
            e.productId = info.productId;
            e.version = info.version;
            e.interfaceNumber = info.interfaceNumber;
            e.collectionNumber = numbered ? static_cast<uint16_t>(i + 1) : 0;
            e.identity = MakeHidIdentity(e.vendorId, e.productId, e.interfaceNumber, e.collectionNumber, e.node);
            e.collection = std::move(descriptor.collections[i]);
            list.entries_.push_back(std::move(e));
        }
    }
    return list;
}

HidInterfaceList HidInterfaceList::Enumerate(IHidBackend& backend) {
    const std::vector<HidNodeInfo> nodes = backend.ListNodes();
    return FromNodes(nodes);
}

const HidInterfaceEntry* HidInterfaceList::Find(std::string_view identity) const {
    std::string node;
    uint16_t collection = 0;
    if (!ParseHidIdentity(identity, node, collection)) {
        return nullptr;
    }
    for (const HidInterfaceEntry& e : entries_) {
        if (e.node == node && e.collectionNumber == collection) {
            return &e;
        }
    }
    return nullptr;
}

}  // namespace dw::hid
