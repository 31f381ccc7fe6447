#pragma once

// The seam between the program and the HID devices present: the Linux hidraw backend and the
// emulator's virtual bus both implement it, and nothing above it knows which one it talks to.
// A backend deals in whole nodes (one hidraw node = one USB HID interface with its report
// descriptor); splitting a node into its top-level collections happens above, in
// HidInterfaceList, the same way for both backends.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace dw::hid {

// One HID interface as the backend sees it.
struct HidNodeInfo {
    std::string node;            // "/dev/hidraw3", or an emulator node name of the same form
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;        // bcdDevice, reported as the HID attributes' version number
    int interfaceNumber = -1;    // USB interface number; -1 when the bus has none (Bluetooth, virtual)
    std::vector<uint8_t> reportDescriptor;
};

enum class IoResult {
    Ok,
    TimedOut,
    Aborted,   // Abort() broke the wait
    Failed,    // the device is gone or refused the transfer
};

// How a node is opened; mirrors the modes the device code asks for.
struct OpenMode {
    bool read = true;
    bool write = true;
    bool overlapped = true;   // kept for the callers' sake; every wait here is abortable anyway
    bool exclusive = false;
};

// One open node. Every open handle receives its own copy of every input report the device
// sends from the moment it was opened, as hidraw does for each open file.
class IHidNode {
public:
    virtual ~IHidNode() = default;

    // Writes one output report; byte 0 is the report id. timeoutMs < 0 waits forever.
    virtual IoResult Write(std::span<const uint8_t> report, int timeoutMs, size_t& transferred) = 0;

    // Waits for the next input report (byte 0 is its report id when the device uses ids) and
    // copies at most buffer.size() bytes of it. timeoutMs < 0 waits forever.
    virtual IoResult Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) = 0;

    // Breaks a waiting Read or Write at once; callable from any thread. When nothing waits,
    // the next wait returns Aborted at once (the abort is remembered once, then cleared).
    virtual void Abort() = 0;
};

class IHidBackend {
public:
    virtual ~IHidBackend() = default;

    // Every HID interface present now, in a stable order.
    virtual std::vector<HidNodeInfo> ListNodes() = 0;

    // Opens a node listed by ListNodes; null when it is gone or cannot be opened.
    virtual std::unique_ptr<IHidNode> Open(const std::string& node, const OpenMode& mode) = 0;

    // A counter that grows on every interface added or removed (hot-plug). Callers compare it
    // with the value they saw last to learn whether a new enumeration is worth doing.
    virtual uint64_t ChangeCount() = 0;
};

}  // namespace dw::hid
