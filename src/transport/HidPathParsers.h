#pragma once

// Reading identity numbers out of a HID interface path such as
// "hid#vid_5a3c&pid_6a3e&mi_01&col04#/dev/hidraw3". Each parser looks for its marker without
// regard to case, reads the hexadecimal digits right after it and keeps the low 16 bits; a
// missing marker, or a marker not followed by a hexadecimal digit, gives 0.

#include <cstdint>
#include <string_view>

namespace dw {

uint16_t VendorIdOfPath(std::wstring_view path);         // after "vid_"
uint16_t ProductIdOfPath(std::wstring_view path);        // after "pid_"
uint16_t InterfaceNumberOfPath(std::wstring_view path);  // after "&mi_"
uint16_t CollectionNumberOfPath(std::wstring_view path); // after "&col"

}  // namespace dw
