#include "keyboard/ui/KeyPanelControls.h"

#include "keyboard/ui/CDeviceKeyButtonUI.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "ui/core/CControlFactory.h"

namespace dw {

void RegisterKeyPanelControls(ui::CControlFactory& factory)
{
    const auto keyButton = [] { return static_cast<ui::CControlUI*>(new CDeviceKeyButtonUI); };
    const auto selectPanel = [] { return static_cast<ui::CControlUI*>(new CSelectPanelUI); };
    factory.RegistControl(CDeviceKeyButtonUI::kClassName, keyButton);
    factory.RegistControl(L"CDeviceKeyButtonUI", keyButton);
    factory.RegistControl(CSelectPanelUI::kClassName, selectPanel);
    factory.RegistControl(L"CSelectPanelUI", selectPanel);
}

void RegisterKeyPanelControls() { RegisterKeyPanelControls(ui::CControlFactory::GetInstance()); }

}  // namespace dw
