#pragma once

// What a device object needs of its battery/power control in the device list: to be told
// whether the device's page shows power information, and to be handed the status block the
// device reported. The control itself belongs to the device list and outlives nothing of the
// device object; the device holds a plain pointer to it.

#include <cstdint>
#include <span>

namespace dw {

class IDevicePowerControl {
public:
    virtual ~IDevicePowerControl() = default;
    virtual void SetPowerPageFlag(int flag) = 0;
    // The device's status block (battery level, power state, link byte, ...), as the device
    // object finished it. A control that shows no status ignores it.
    virtual void ShowPowerStatus(std::span<const uint8_t> block) { (void)block; }
};

}  // namespace dw
