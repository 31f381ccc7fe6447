#pragma once

// One HID interface (one top-level collection of one HID node), opened by its path. It lists
// the interfaces present, opens one with the asked access, exposes its capabilities and
// attributes, reads and writes reports with a time-out, and splits a received input report into
// usages.
//
// Paths are the identity strings of HidInterfaceList in their wide form, for example
// L"hid#vid_5a3c&pid_6a3e&mi_01&col04#/dev/hidraw3".
//
// Threads: one thread may wait in ReadReport while another writes, and any thread may Close or
// Reopen at any time: a waiting read or write then returns false at once (this is how a
// notification reader blocked in an infinite read is released). The open interface is kept
// alive by each call that uses it, so closing never pulls it from under a waiting call.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/HidReportDescriptor.h"

namespace dw {

// What the interface's top-level collection declares.
struct HidCapabilities {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;  // id byte included; 0 when there is no such report
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
};

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

// One decoded part of an input report: a button capability (the usages pressed within its
// range) or one usage of a value capability.
struct HidReportItem {
    bool isButtonData = false;
    uint16_t usagePage = 0;
    hid::HidStatus status = hid::HidStatus::Success;  // of the last decoding of this item
    uint8_t reportId = 0;
    bool isDataSet = false;  // filled by the last UnpackInputReport
    // Button items.
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t maxUsageCount = 0;   // capacity of `usages`
    std::vector<uint16_t> usages; // pressed usages in order; a 0 ends the list when it is shorter
    // Value items.
    uint16_t usage = 0;
    uint32_t value = 0;
    int32_t scaledValue = 0;
};

class CHidConnection {
public:
    // Path slots of a new enumeration; the list doubles whenever it is full.
    static constexpr uint32_t kInitialPathCapacity = 8;
    // Bounds on what one collection may make us allocate (descriptors are untrusted input).
    static constexpr size_t kMaxReportItems = 4096;
    static constexpr size_t kMaxUsagesPerItem = 1024;

    // `backend` null means the backend chosen for the process (ActiveHidBackend) at each use.
    // An injected backend must outlive the connection.
    explicit CHidConnection(hid::IHidBackend* backend = nullptr);
    ~CHidConnection();

    CHidConnection(const CHidConnection&) = delete;
    CHidConnection& operator=(const CHidConnection&) = delete;

    // --- Enumeration -----------------------------------------------------------------------
    // Lists every HID interface present (one path per top-level collection) and resets the
    // cursor. False when the listing failed; the list is then empty.
    bool EnumerateHidPaths();
    // The path at the cursor, advancing it; nothing when the list is exhausted or the slot is
    // empty.
    std::optional<std::wstring> NextHidPath();
    void FreeHidPaths();
    uint32_t PathCount() const { return pathCount_; }
    uint32_t PathCapacity() const { return static_cast<uint32_t>(paths_.size()); }

    // --- Open and close --------------------------------------------------------------------
    // Stores the path and modes, then Reopen.
    bool OpenPath(std::wstring_view path, bool read, bool write, bool overlapped, bool exclusive);
    // Closes whatever is open and opens the stored path with the stored modes. On failure the
    // connection is closed and false is returned.
    bool Reopen();
    // Aborts a waiting read or write and closes; safe when nothing is open.
    void Close();
    bool IsOpen() const;

    // --- Report I/O ------------------------------------------------------------------------
    // Reads the next input report of this collection (byte 0 = report id) into `buffer`.
    // timeoutMs < 0 waits forever. False on time-out, abort, failure or when closed.
    bool ReadReport(std::span<uint8_t> buffer, size_t& transferred, int timeoutMs);
    // Writes one output report (byte 0 = report id). Same rules.
    bool WriteReport(std::span<const uint8_t> report, size_t& transferred, int timeoutMs);

    // Fills the input items whose report id is byte 0 of `report`. Stops at the first value
    // item whose raw value cannot be read and returns that status.
    hid::HidStatus UnpackInputReport(std::span<const uint8_t> report);

    // --- What the open interface declares (empty when closed) -------------------------------
    HidCapabilities Capabilities() const;
    HidAttributes Attributes() const;
    uint16_t InterfaceNumber() const;   // from the path's "&mi_", 0 when absent
    uint16_t CollectionNumber() const;  // from the path's "&col", 0 when absent
    std::wstring DevicePath() const;
    std::vector<uint8_t> InputReportBuffer() const;  // zero-filled, input report length
    std::vector<uint8_t> OutputReportBuffer() const;
    std::vector<uint8_t> FeatureReportBuffer() const;
    std::vector<HidReportItem> InputItems() const;
    std::vector<HidReportItem> OutputItems() const;
    std::vector<HidReportItem> FeatureItems() const;
    std::vector<hid::HidButtonCap> ButtonCaps(hid::HidReportType type) const;
    std::vector<hid::HidValueCap> ValueCaps(hid::HidReportType type) const;

    // The first usage of the first input item the last UnpackInputReport filled (for a value
    // item, its value): where the devices of the family put their notification code. 0 when
    // that report filled no item.
    uint16_t FirstInputUsage() const;

private:
    struct OpenInterface;
    struct ReportTypeData {
        std::vector<uint8_t> buffer;
        std::vector<HidReportItem> items;
        std::vector<hid::HidButtonCap> buttonCaps;
        std::vector<hid::HidValueCap> valueCaps;
    };

    hid::IHidBackend& Backend() const;
    std::shared_ptr<OpenInterface> Current() const;
    void CloseLocked();
    static void BuildReportTypeData(const hid::HidCollection& collection, hid::HidReportType type, ReportTypeData& out);

    hid::IHidBackend* backend_;

    // Enumeration state; used by one thread (the one that enumerates).
    std::vector<std::optional<std::wstring>> paths_;
    uint32_t pathCount_ = 0;
    uint32_t pathCursor_ = 0;

    // Everything below is guarded by mutex_.
    mutable std::mutex mutex_;
    bool openRead_ = false;
    bool openWrite_ = false;
    bool overlapped_ = false;
    bool exclusive_ = false;
    std::wstring devicePath_;
    std::shared_ptr<OpenInterface> open_;
    HidCapabilities caps_;
    HidAttributes attributes_;
    std::array<ReportTypeData, hid::kHidReportTypeCount> reportData_;
    uint16_t interfaceNumber_ = 0;
    uint16_t collectionNumber_ = 0;
};

}  // namespace dw
