#include "platform/hid/HidCollectionConnection.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "platform/hid/HidInterfaceList.h"

namespace dw::hid {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kReportIdOffset = 0;

// Milliseconds left until `deadline`, rounded up so that a wait never ends early; 0 when past.
int RemainingMs(Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) {
        return 0;
    }
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return static_cast<int>(std::min<decltype(ms)>(ms, std::numeric_limits<int>::max()));
}

}  // namespace

HidCollectionConnection::HidCollectionConnection(std::unique_ptr<IHidNode> node, HidCollection collection)
    : node_(std::move(node)), collection_(std::move(collection)), readBuffer_(kMaxNodeReportBytes + 1) {}

std::unique_ptr<HidCollectionConnection> HidCollectionConnection::Open(IHidBackend& backend,
                                                                       const HidInterfaceEntry& entry,
                                                                       const OpenMode& mode) {
    std::unique_ptr<IHidNode> node = backend.Open(entry.node, mode);
    if (!node) {
        return nullptr;
    }
    return std::make_unique<HidCollectionConnection>(std::move(node), entry.collection);
}

std::unique_ptr<HidCollectionConnection> HidCollectionConnection::Open(IHidBackend& backend,
                                                                       std::string_view identity,
                                                                       const OpenMode& mode) {
    const HidInterfaceList list = HidInterfaceList::Enumerate(backend);
    const HidInterfaceEntry* entry = list.Find(identity);
    if (entry == nullptr) {
        return nullptr;
    }
    return Open(backend, *entry, mode);
}

IoResult HidCollectionConnection::Write(std::span<const uint8_t> report, int timeoutMs, size_t& transferred) {
    transferred = 0;
    if (report.empty()) {
        return IoResult::Failed;
    }
    const uint32_t length = collection_.ReportByteLength(HidReportType::Output, report[kReportIdOffset]);
    if (length == 0 || report.size() > length) {
        return IoResult::Failed;   // not an output report of this collection
    }
    if (report.size() == length) {
        return node_->Write(report, timeoutMs, transferred);
    }
    std::vector<uint8_t> padded(length, 0);
    std::copy(report.begin(), report.end(), padded.begin());
    return node_->Write(padded, timeoutMs, transferred);
}

IoResult HidCollectionConnection::Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) {
    transferred = 0;
    const bool forever = timeoutMs < 0;
    const Clock::time_point deadline = forever ? Clock::time_point::max()
                                               : Clock::now() + std::chrono::milliseconds(timeoutMs);
    // A node without report ids hands its reports over without the id byte; it goes in front.
    const bool prependId = !collection_.usesReportIds;
    const std::span<uint8_t> into = prependId ? std::span<uint8_t>(readBuffer_).subspan(1)
                                              : std::span<uint8_t>(readBuffer_).first(kMaxNodeReportBytes);
    for (;;) {
        size_t got = 0;
        const IoResult r = node_->Read(into, forever ? -1 : RemainingMs(deadline), got);
        if (r != IoResult::Ok) {
            return r;
        }
        got = std::min(got, into.size());
        if (prependId) {
            readBuffer_[kReportIdOffset] = 0;
            ++got;
        }
        const bool ours =
            got > 0 && collection_.ReportByteLength(HidReportType::Input, readBuffer_[kReportIdOffset]) != 0;
        if (ours) {
            transferred = std::min(got, buffer.size());
            std::copy_n(readBuffer_.begin(), transferred, buffer.begin());
            return IoResult::Ok;
        }
        // A report of another collection of the same node: drop it and wait for the time left.
        if (!forever && Clock::now() >= deadline) {
            return IoResult::TimedOut;
        }
    }
}

void HidCollectionConnection::Abort() {
    node_->Abort();
}

}  // namespace dw::hid
