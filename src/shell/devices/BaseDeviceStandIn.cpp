#include "shell/devices/BaseDeviceStandIn.h"

#include <algorithm>
#include <mutex>
#include <typeinfo>

#include "keyboard/CKeyboardCommandChannel.h"
#include "keyboard/KeyboardProtocol.h"
#include "transport/TransportResult.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "transport/device/IDevicePowerControl.h"

namespace dw {

bool IsBaseDeviceObject(const CKestovarUSBDevice& device)
{
    return typeid(device) == typeid(CKestovarUSBDevice);
}

bool QueryDeviceLink(CKestovarUSBDevice& device)
{
    if (!IsBaseDeviceObject(device))
        return device.IsLinkUp();
    CKeyboardCommandChannel channel(device.CommandTransport());
    return channel.IsLinked();
}

void ReadDevicePowerStatus(CKestovarUSBDevice& device)
{
    if (!IsBaseDeviceObject(device)) {
        device.ReadPowerStatus();
        return;
    }
    CKeyboardCommandChannel channel(device.CommandTransport());
    StatusBlock block{};
    if (channel.ReadStatus(block) != result::kSuccess)
        return;
    if (IDevicePowerControl* control = device.GetPowerControl())
        control->ShowPowerStatus(block);
}

std::optional<uint8_t> ReadDeviceInfoLinkByte(CKestovarUSBDevice& device)
{
    CDeviceTransport& transport = device.CommandTransport();
    std::lock_guard command(transport.CommandLock());
    if (!transport.IsOpened())
        return std::nullopt;
    // The info block up to its link byte, in as many chunks as the link carries.
    const size_t wanted = kbinfo::kLinkState + 1;
    std::vector<uint8_t> info;
    for (const Chunk& chunk : PlanChunks(wanted, transport.ChunkSize())) {
        Report reply{};
        size_t transferred = 0;
        const Report request = BuildReadChunkRequest(cmd::kReadInfo, chunk, ChunkOffset(0, chunk));
        if (ReplyResult(transport.Transact(request, reply, transferred), reply) != result::kSuccess)
            return std::nullopt;
        const std::span<const uint8_t> data = FrameData(reply);
        info.insert(info.end(), data.begin(), data.begin() + std::min<size_t>(chunk.length, data.size()));
    }
    if (info.size() < wanted)
        return std::nullopt;
    return info[kbinfo::kLinkState];
}

int SendBeginCommand(CKestovarUSBDevice& device)
{
    CDeviceTransport& transport = device.CommandTransport();
    std::lock_guard command(transport.CommandLock());
    if (!transport.IsOpened())
        return result::kNothing;
    Report reply{};
    size_t transferred = 0;
    return ReplyResult(transport.Transact(BuildBeginRequest(), reply, transferred), reply);
}

}  // namespace dw
