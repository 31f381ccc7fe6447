#pragma once

// Identity strings of HID interfaces. Each top-level collection of each node is named in the
// path form the device code parses, for example
//   hid#vid_5a3c&pid_6a3e&mi_01&col04#/dev/hidraw3
// with lower-case hexadecimal, four digits for the ids and two for the interface and collection
// numbers; "&mi_" is left out when the interface number is unknown, "&col" when the node has a
// single collection. The node follows the last '#'.

#include <cstdint>
#include <string>
#include <string_view>

namespace dw::hid {

// interfaceNumber < 0: unknown (no "&mi_"); collectionNumber 0: single collection (no "&col").
std::string MakeHidIdentity(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                            uint16_t collectionNumber, std::string_view node);

// Splits an identity back into its node and collection number (0 when it names none). The
// marker is found without regard to case. False when there is no node after a '#'.
bool ParseHidIdentity(std::string_view identity, std::string& node, uint16_t& collectionNumber);

}  // namespace dw::hid
