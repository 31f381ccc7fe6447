#pragma once

// One top-level collection of a HID node, opened for report I/O the way the device code
// expects it: every report it hands out or takes has its report id in byte 0, and a read only
// returns input reports of this collection.
//
// Threads: one thread may Read while another Writes; Abort may be called from any thread and
// breaks the waiting call (or, when nothing waits, the next one). Reads are not meant to be
// made from two threads at once.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidReportDescriptor.h"

namespace dw::hid {

struct HidInterfaceEntry;

class HidCollectionConnection {
public:
    // Largest report a node hands over; longer ones are cut by the node itself.
    static constexpr size_t kMaxNodeReportBytes = 16384;

    HidCollectionConnection(std::unique_ptr<IHidNode> node, HidCollection collection);

    // Opens the node of `entry` through `backend`; null when it cannot be opened.
    static std::unique_ptr<HidCollectionConnection> Open(IHidBackend& backend, const HidInterfaceEntry& entry,
                                                         const OpenMode& mode);
    // Lists the interfaces of `backend`, finds the one `identity` names and opens it; null when
    // it is not present or cannot be opened.
    static std::unique_ptr<HidCollectionConnection> Open(IHidBackend& backend, std::string_view identity,
                                                         const OpenMode& mode);

    // Writes one output report of this collection; byte 0 is its report id (0 when the
    // collection uses none). A report shorter than its declared length is padded with zeros;
    // a longer one, or one whose id is not an output report of this collection, fails without
    // I/O. `transferred` receives the bytes sent. timeoutMs < 0 waits forever.
    IoResult Write(std::span<const uint8_t> report, int timeoutMs, size_t& transferred);

    // Waits for the next input report of this collection and copies at most buffer.size()
    // bytes of it, report id first (a 0 is put in front when the collection uses no ids).
    // Reports of the node's other collections are dropped and the wait goes on for the time
    // left. timeoutMs < 0 waits forever.
    IoResult Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred);

    void Abort();

    const HidCollection& collection() const { return collection_; }

private:
    std::unique_ptr<IHidNode> node_;
    HidCollection collection_;
    std::vector<uint8_t> readBuffer_;
};

}  // namespace dw::hid
