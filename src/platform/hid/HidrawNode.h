#pragma once

// One open /dev/hidraw* node. The file is non-blocking; every wait is a poll on the file and
// on an eventfd that Abort() signals, bounded by the caller's time-out.

#include <memory>
#include <string>

#include "platform/hid/HidBackend.h"

namespace dw::hid {

class HidrawNode final : public IHidNode {
public:
    // Null when the node cannot be opened (gone, or no permission).
    static std::unique_ptr<HidrawNode> Open(const std::string& path, const OpenMode& mode);
    ~HidrawNode() override;

    HidrawNode(const HidrawNode&) = delete;
    HidrawNode& operator=(const HidrawNode&) = delete;

    IoResult Write(std::span<const uint8_t> report, int timeoutMs, size_t& transferred) override;
    IoResult Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) override;
    void Abort() override;

private:
    HidrawNode(int fd, int abortFd, const OpenMode& mode);

    int fd_;
    int abortFd_;
    bool canRead_;
    bool canWrite_;
};

}  // namespace dw::hid
