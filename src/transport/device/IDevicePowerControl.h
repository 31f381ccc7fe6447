#pragma once

// What a device object needs of its battery/power control in the device list: to be told
// whether the device's page shows power information. The control itself belongs to the device
// list and outlives nothing of the device object; the device holds a plain pointer to it.

namespace dw {

class IDevicePowerControl {
public:
    virtual ~IDevicePowerControl() = default;
    virtual void SetPowerPageFlag(int flag) = 0;
};

}  // namespace dw
