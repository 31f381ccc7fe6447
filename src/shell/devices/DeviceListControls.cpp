#include "shell/devices/DeviceListControls.h"

#include "shell/devices/CCircleProgressUI.h"
#include "shell/devices/CDeviceOptionUI.h"
#include "shell/devices/CMpDevicePowerUI.h"
#include "ui/core/CControlFactory.h"

namespace dw {

ui::CControlUI* CreateCircleProgressControl()
{
    return new CCircleProgressUI();
}

ui::CControlUI* CreateDeviceOptionControl()
{
    return new CDeviceOptionUI();
}

ui::CControlUI* CreateMpDevicePowerControl()
{
    return new CMpDevicePowerUI();
}

void RegisterDeviceListControls(ui::CControlFactory& factory)
{
    factory.RegistControl(L"CCircleProgressUI", &CreateCircleProgressControl);
    factory.RegistControl(L"CDeviceOptionUI", &CreateDeviceOptionControl);
    factory.RegistControl(L"CMpDevicePowerUI", &CreateMpDevicePowerControl);
}

}  // namespace dw
