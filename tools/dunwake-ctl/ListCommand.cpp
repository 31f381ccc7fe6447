#include <cstdio>
#include <map>

#include "CtlCommands.h"
#include "transport/CDeviceSlotList.h"
#include "transport/DiscoveryPass.h"

namespace dw::ctl {

namespace {

std::string Narrow(const std::wstring& wide)
{
    std::string text;
    for (wchar_t c : wide)
        text.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
    return text;
}

std::string Hex4(uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x", value);
    return text;
}

}  // namespace

int RunList(hid::IHidBackend& backend, std::ostream& out, std::ostream& err)
{
    CHidConnection probe(&backend);
    CDeviceSlotList slots;
    std::map<int, DeviceInterfaceEntry> found;
    if (!RunDiscoveryPass(probe, slots, [&](int slot, const DeviceInterfaceEntry& entry) { found[slot] = entry; })) {
        err << "The HID interfaces could not be listed.\n";
        return kExitDeviceError;
    }
    if (found.empty()) {
        out << "No supported device found.\n";
        return kExitSuccess;
    }
    for (const auto& [slot, entry] : found) {
        out << "slot=" << slot << " kind=" << entry.kind << " role=" << entry.role << " vid=" << Hex4(entry.vendorId)
            << " pid=" << Hex4(entry.productId) << " interface=" << entry.interfaceNumber
            << " collection=" << entry.collectionNumber << " identity=" << Narrow(entry.path) << '\n';
    }
    return kExitSuccess;
}

}  // namespace dw::ctl
