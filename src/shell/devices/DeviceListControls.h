#pragma once

// The device list's control classes, for the control factory: "CCircleProgressUI",
// "CDeviceOptionUI" and "CMpDevicePowerUI" (layouts name them "CircleProgress", "DeviceOption"
// and "MpDevicePower").

namespace dw::ui {
class CControlUI;
class CControlFactory;
}  // namespace dw::ui

namespace dw {

ui::CControlUI* CreateCircleProgressControl();
ui::CControlUI* CreateDeviceOptionControl();
ui::CControlUI* CreateMpDevicePowerControl();

// Registers the three classes.
void RegisterDeviceListControls(ui::CControlFactory& factory);

}  // namespace dw
