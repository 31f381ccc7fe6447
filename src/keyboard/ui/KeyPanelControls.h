#pragma once

// Registers the key panel's controls with the control factory, so layouts can create them by
// element name ("DeviceKeyButton", "SelectPanel") or class name ("CDeviceKeyButtonUI",
// "CSelectPanelUI"). Registering again replaces the creators with identical ones.

namespace dw::ui {
class CControlFactory;
}

namespace dw {

void RegisterKeyPanelControls(ui::CControlFactory& factory);
// The same on the process-wide factory.
void RegisterKeyPanelControls();

}  // namespace dw
