#pragma once

// The Linux backend: hidraw nodes listed through udev, reports read and written on
// /dev/hidraw* with poll and an abort eventfd. On a machine without udev or without hidraw
// nodes it lists nothing.

#include <memory>

#include "platform/hid/HidBackend.h"

namespace dw::hid {

class HidrawBackend final : public IHidBackend {
public:
    HidrawBackend();
    ~HidrawBackend() override;

    HidrawBackend(const HidrawBackend&) = delete;
    HidrawBackend& operator=(const HidrawBackend&) = delete;

    // Sorted by node number (hidraw2 before hidraw10).
    std::vector<HidNodeInfo> ListNodes() override;
    std::unique_ptr<IHidNode> Open(const std::string& node, const OpenMode& mode) override;
    // Grows on every hidraw node added or removed. Never blocks.
    uint64_t ChangeCount() override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace dw::hid
