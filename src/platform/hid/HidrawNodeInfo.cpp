#include "platform/hid/HidrawNodeInfo.h"

#include <charconv>
#include <string_view>

namespace dw::hid {

namespace {

constexpr const char* kDevFolder = "/dev/";
constexpr uint32_t kMaxInterfaceNumber = 0xFF;

bool ParseHex(std::string_view text, uint32_t& value) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return ec == std::errc() && end == text.data() + text.size();
}

// HID_ID is "bus:vendor:product", each field hexadecimal ("0003:00005A3C:00006A3E").
bool ParseHidId(std::string_view hidId, uint16_t& vendorId, uint16_t& productId) {
    const size_t first = hidId.find(':');
    const size_t second = first == std::string_view::npos ? first : hidId.find(':', first + 1);
    if (second == std::string_view::npos) {
        return false;
    }
    uint32_t vendor = 0;
    uint32_t product = 0;
    if (!ParseHex(hidId.substr(first + 1, second - first - 1), vendor) || !ParseHex(hidId.substr(second + 1), product)) {
        return false;
    }
    vendorId = static_cast<uint16_t>(vendor);
    productId = static_cast<uint16_t>(product);
    return true;
}

}  // namespace

HidNodeInfo DescribeHidrawDevice(const UdevHidrawDevice& d) {
    HidNodeInfo info;
    info.node = d.devnode.empty() ? kDevFolder + d.sysname : d.devnode;
    if (!ParseHidId(d.hidId, info.vendorId, info.productId)) {
        uint32_t vendor = 0;
        uint32_t product = 0;
        if (ParseHex(d.usbVendorId, vendor) && ParseHex(d.usbProductId, product)) {
            info.vendorId = static_cast<uint16_t>(vendor);
            info.productId = static_cast<uint16_t>(product);
        }
    }
    uint32_t value = 0;
    if (ParseHex(d.usbBcdDevice, value)) {
        info.version = static_cast<uint16_t>(value);
    }
    if (ParseHex(d.usbInterfaceNumber, value) && value <= kMaxInterfaceNumber) {
        info.interfaceNumber = static_cast<int>(value);
    }
    return info;
}

}  // namespace dw::hid
