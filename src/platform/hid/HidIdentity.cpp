#include "platform/hid/HidIdentity.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace dw::hid {

namespace {

constexpr std::string_view kPrefix = "hid#";
constexpr std::string_view kCollectionMarker = "&col";
constexpr char kNodeSeparator = '#';

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

size_t FindNoCase(std::string_view text, std::string_view marker) {
    const auto it = std::search(text.begin(), text.end(), marker.begin(), marker.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it == text.end() ? std::string_view::npos : static_cast<size_t>(it - text.begin());
}

}  // namespace

std::string MakeHidIdentity(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                            uint16_t collectionNumber, std::string_view node) {
    char ids[64];
    std::snprintf(ids, sizeof ids, "vid_%04x&pid_%04x", static_cast<unsigned>(vendorId),
                  static_cast<unsigned>(productId));
    std::string identity(kPrefix);
    identity += ids;
    if (interfaceNumber >= 0) {
        std::snprintf(ids, sizeof ids, "&mi_%02x", static_cast<unsigned>(interfaceNumber & 0xFFFF));
        identity += ids;
    }
    if (collectionNumber != 0) {
        std::snprintf(ids, sizeof ids, "&col%02x", static_cast<unsigned>(collectionNumber));
        identity += ids;
    }
    identity += kNodeSeparator;
    identity += node;
    return identity;
}

bool ParseHidIdentity(std::string_view identity, std::string& node, uint16_t& collectionNumber) {
    node.clear();
    collectionNumber = 0;
    const size_t separator = identity.rfind(kNodeSeparator);
    if (separator == std::string_view::npos || separator + 1 >= identity.size()) {
        return false;
    }
    const std::string_view head = identity.substr(0, separator);
    const size_t marker = FindNoCase(head, kCollectionMarker);
    if (marker != std::string_view::npos) {
        uint32_t value = 0;
        for (size_t i = marker + kCollectionMarker.size(); i < head.size(); ++i) {
            const int digit = HexDigit(head[i]);
            if (digit < 0) {
                break;
            }
            value = ((value << 4) | static_cast<uint32_t>(digit)) & 0xFFFF;
        }
        collectionNumber = static_cast<uint16_t>(value);
    }
    node.assign(identity.substr(separator + 1));
    return true;
}

}  // namespace dw::hid
