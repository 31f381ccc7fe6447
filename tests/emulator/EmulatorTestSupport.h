#pragma once

// Small helpers shared by the emulator's tests: frames from hex text, and one host-side
// transaction (write a frame, read the next report) over a virtual bus handle.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "emulator/VirtualHidBus.h"
#include "transport/CommandFrame.h"

namespace dw::emu::test {

// "04 01 00 01" -> {0x04, 0x01, 0x00, 0x01}
inline std::vector<uint8_t> Hex(const std::string& text)
{
    std::istringstream in(text);
    std::vector<uint8_t> bytes;
    unsigned value = 0;
    while (in >> std::hex >> value)
        bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

// A 64-byte report whose first bytes are `prefix` and the rest zero.
inline Report ReportOf(const std::vector<uint8_t>& prefix)
{
    Report report{};
    std::copy(prefix.begin(), prefix.end(), report.begin());
    return report;
}

inline Report ToReport(const std::vector<uint8_t>& bytes)
{
    Report report{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), report.size()), report.begin());
    return report;
}

// The interface-1 (or headset interface-3) node of a device on `link`: the one carrying commands.
inline std::string CommandNode(const EmulatedDevice& device, Link link)
{
    const auto names = device.NodeNames(link);
    return names.empty() ? std::string() : names.back();
}

struct Exchange {
    hid::IoResult write = hid::IoResult::Failed;
    hid::IoResult read = hid::IoResult::Failed;
    Report reply{};
    size_t replyBytes = 0;
};

// Writes `request` and reads one report back, waiting at most `timeoutMs`.
inline Exchange Transact(hid::IHidNode& node, const Report& request, int timeoutMs = 1000)
{
    Exchange result;
    size_t written = 0;
    result.write = node.Write(request, timeoutMs, written);
    if (result.write != hid::IoResult::Ok)
        return result;
    result.read = node.Read(result.reply, timeoutMs, result.replyBytes);
    return result;
}

}  // namespace dw::emu::test
