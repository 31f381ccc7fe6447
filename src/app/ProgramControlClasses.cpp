#include "app/ProgramControlClasses.h"

#include <array>
#include <string>

#include "keyboard/ui/CDeviceKeyButtonUI.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "shell/devices/DeviceListControls.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/core/CControlFactory.h"

namespace dw::app {

namespace {

template <class T>
ui::CControlUI* Create()
{
    return new T();
}

// FIXME: the rows without a creator are filled by the issues that build their classes: lighting, macros, profiles,
// recoil, headset, settings and cloud-list controls, and the mousepad and headset pages.
constexpr std::array<ProgramControlClass, 24> kClasses = {{
    {L"CCircleProgressUI", &CreateCircleProgressControl},
    {L"CChartViewUI", nullptr},
    {L"CWndUI", nullptr},
    {L"CSelectPanelUI", &Create<CSelectPanelUI>},
    {L"CDeviceKeyButtonUI", &Create<CDeviceKeyButtonUI>},
    {L"CCloudShareListItemUI", nullptr},
    {L"CUpdateInfoListItemUI", nullptr},
    {L"CDeviceOptionUI", &CreateDeviceOptionControl},
    {L"CMpDevicePowerUI", &CreateMpDevicePowerControl},
    {L"CComboEditContainerElementUI", nullptr},
    {L"CHandImgButtonUI", nullptr},
    {L"CHandImgSelectButtonUI", nullptr},
    {L"CRedioMacroButtonUI", nullptr},
    {L"CAudioRecordUI", nullptr},
    {L"CLightControlUI", nullptr},
    {L"CMacroControlUI", nullptr},
    {L"CKeySetControlUI", nullptr},
    {L"CDeviceProfileUI", nullptr},
    {L"CShootControlUI", nullptr},
    {L"CMagicControlUI", nullptr},
    {L"CVoice6533ControlUI", nullptr},
    {L"CKestovarUSBDevice", &Create<CKestovarUSBDevice>},
    {L"CKestovarMousePadDevice", nullptr},
    {L"CKestovarHS6533Device", nullptr},
}};

}  // namespace

std::span<const ProgramControlClass> ProgramControlClasses()
{
    return kClasses;
}

int RegisterProgramControls(ui::CControlFactory& factory)
{
    int registered = 0;
    for (const ProgramControlClass& entry : kClasses) {
        if (entry.create == nullptr)
            continue;
        factory.RegistControl(std::wstring(entry.className), entry.create);
        ++registered;
    }
    return registered;
}

}  // namespace dw::app
