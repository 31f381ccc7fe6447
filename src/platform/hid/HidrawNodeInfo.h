#pragma once

// What a hidraw node's udev description says about it, as the backend reports it: node path,
// vendor and product id (from the parent HID device's HID_ID, else from the USB device),
// bcdDevice as the version, and the USB interface number (-1 when the node is not on USB).
// The report descriptor is read separately.

#include "platform/hid/HidBackend.h"
#include "platform/hid/Udev.h"

namespace dw::hid {

HidNodeInfo DescribeHidrawDevice(const UdevHidrawDevice& device);

}  // namespace dw::hid
