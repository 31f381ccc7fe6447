#pragma once

// What the device list asks of a device object, for the families whose device class is not
// built yet and whose pages therefore are the device object base: the receiver link query,
// the status block for the battery control and the info block's link byte, all over the
// command protocol every device of the family shares. A device of a family class answers
// through its own virtual operations instead.
//
// FIXME: goes away when the mouse, mousepad and headset classes override IsLinkUp and
// ReadPowerStatus themselves.

#include <cstdint>
#include <optional>

namespace dw {

class CKestovarUSBDevice;

// True when the device object is the base class itself (no family class yet).
bool IsBaseDeviceObject(const CKestovarUSBDevice& device);

// Whether the device answers: through the receiver the link query (0xAA) decides; by cable,
// and for an opened transport not in receiver mode, it does. A family class: IsLinkUp.
bool QueryDeviceLink(CKestovarUSBDevice& device);

// Reads the status block and hands it to the device's power control. A family class:
// ReadPowerStatus.
void ReadDevicePowerStatus(CKestovarUSBDevice& device);

// Byte 7 of the device's info block (command 0x03), or nothing when it cannot be read.
std::optional<uint8_t> ReadDeviceInfoLinkByte(CKestovarUSBDevice& device);

// Sends Begin (command 0x01) on the command transport; the result code.
int SendBeginCommand(CKestovarUSBDevice& device);

}  // namespace dw
