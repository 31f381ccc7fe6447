#pragma once

// One open node of the virtual bus, behaving as an open hidraw file: it receives its own copy
// of every input report the device sends after the open, keeps at most 64 of them, hands out
// reports already delivered before it reports a gone device, and breaks any wait on Abort.

#include <memory>

#include "emulator/VirtualBusCore.h"
#include "platform/hid/HidBackend.h"

namespace dw::emu {

class VirtualHidHandle final : public hid::IHidNode {
public:
    VirtualHidHandle(std::shared_ptr<VirtualBusCore> core, std::shared_ptr<BusNode> node, const hid::OpenMode& mode);
    ~VirtualHidHandle() override;

    VirtualHidHandle(const VirtualHidHandle&) = delete;
    VirtualHidHandle& operator=(const VirtualHidHandle&) = delete;

    hid::IoResult Write(std::span<const uint8_t> report, int timeoutMs, size_t& transferred) override;
    hid::IoResult Read(std::span<uint8_t> buffer, int timeoutMs, size_t& transferred) override;
    void Abort() override;

private:
    std::shared_ptr<VirtualBusCore> core_;
    std::shared_ptr<BusNode> node_;
    std::shared_ptr<HandleQueue> queue_;
    hid::OpenMode mode_;
};

}  // namespace dw::emu
