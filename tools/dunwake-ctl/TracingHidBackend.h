#pragma once

// A HID backend that passes everything to another one and reports every report written
// ("> " and the bytes) and read ("< " and the bytes) through a callback, for --trace.

#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "platform/hid/HidBackend.h"

namespace dw::ctl {

class TracingHidBackend : public hid::IHidBackend {
public:
    using LineCallback = std::function<void(const std::string& line)>;

    // `inner` must outlive this backend. The callback may be called from any thread that does
    // I/O; calls are serialised.
    TracingHidBackend(hid::IHidBackend& inner, LineCallback callback);

    std::vector<hid::HidNodeInfo> ListNodes() override { return inner_.ListNodes(); }
    std::unique_ptr<hid::IHidNode> Open(const std::string& node, const hid::OpenMode& mode) override;
    uint64_t ChangeCount() override { return inner_.ChangeCount(); }

    // Formats one traced report: the prefix, then each byte as two lower-case hexadecimal
    // digits separated by single spaces.
    static std::string FormatLine(const char* prefix, std::span<const uint8_t> report);

private:
    friend class TracingHidNode;
    void Emit(const std::string& line);

    hid::IHidBackend& inner_;
    LineCallback callback_;
    std::mutex mutex_;
};

}  // namespace dw::ctl
