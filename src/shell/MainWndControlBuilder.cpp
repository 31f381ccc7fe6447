#include "shell/MainWndControlBuilder.h"

#include <array>
#include <filesystem>
#include <string>

#include "keyboard/device/CKestovarKeyboardDevice.h"
#include "keyboard/ui/CDeviceKeyButtonUI.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "platform/DebugOutput.h"
#include "shell/MainWndRouting.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/core/CDialogBuilder.h"
#include "ui/core/CPaintManagerUI.h"

namespace dw {

namespace {

using enum BuiltControl;

// clang-format off
constexpr std::array kRows{
    ControlBuilderRow{L"CircleProgress", NotBuiltYet, {}},
    ControlBuilderRow{L"SelectPanel", SelectPanel, {}},
    ControlBuilderRow{L"DeviceKeyButton", DeviceKeyButton, {}},
    ControlBuilderRow{L"HandImgButton", NotBuiltYet, {}},
    ControlBuilderRow{L"AudioRecord", NotBuiltYet, {}},
    ControlBuilderRow{L"HandImgSelectButton", NotBuiltYet, {}},
    ControlBuilderRow{L"RedioMacroButton", NotBuiltYet, {}},
    ControlBuilderRow{L"ComboEditContainerElement", NotBuiltYet, {}},
    // FIXME: the mousepad, headset and mouse elements create the device object base until their
    // family classes exist.
    ControlBuilderRow{L"KestovarMousePadDevice", DeviceObject, {}},
    ControlBuilderRow{L"KestovarHS6533Device", DeviceObject, {}},
    ControlBuilderRow{L"KestovarMouseDevice", DeviceObject, {}},
    ControlBuilderRow{L"KestovarKeyboardDevice", KeyboardDevice, {}},
    ControlBuilderRow{L"DeviceProfile", NotBuiltYet, {}},
    ControlBuilderRow{L"LightControl", NotBuiltYet, {}},
    ControlBuilderRow{L"MagicControl", NotBuiltYet, {}},
    ControlBuilderRow{L"Voice6533Control", NotBuiltYet, {}},
    ControlBuilderRow{L"KeySetControl", NotBuiltYet, {}},
    ControlBuilderRow{L"ShootControl", NotBuiltYet, {}},
    ControlBuilderRow{L"DeviceProfileUI", Layout, L"XML\\CustomControlXML\\DeviceProfile.xml"},
    ControlBuilderRow{L"LightSetControlUI", Layout, L"XML\\CustomControlXML\\LightControl.xml"},
    ControlBuilderRow{L"Voice6533SetControlUI", Layout, L"XML\\CustomControlXML\\Voice6533Control.xml"},
    ControlBuilderRow{L"MagicSetControlUI", Layout, L"XML\\CustomControlXML\\MagicControl.xml"},
    ControlBuilderRow{L"KeySetControlUI", Layout, L"XML\\CustomControlXML\\KeySetControl.xml"},
    ControlBuilderRow{L"MacroSetControlUI", Layout, L"XML\\CustomControlXML\\MacroControl.xml"},
    ControlBuilderRow{L"ShootKeySetControlUI", Layout, L"XML\\CustomControlXML\\ShootControl.xml"},
    ControlBuilderRow{L"VirtualSetControlUI", Layout, L"XML\\CustomControlXML\\VirtualSet.xml"},
};
// clang-format on

std::filesystem::path SkinFile(std::wstring_view layout)
{
    std::wstring relative(layout);
    for (wchar_t& c : relative)
        if (c == L'\\')
            c = L'/';
    return std::filesystem::path(ui::CPaintManagerUI::GetResourcePath()) / relative;
}

ui::CControlUI* BuildLayout(std::wstring_view layout, ui::IDialogBuilderCallback& callback, ui::CPaintManagerUI* manager)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(SkinFile(layout), error))
        return nullptr;
    ui::CDialogBuilder builder;
    ui::CControlUI* control = builder.Create(std::wstring(layout), {}, &callback, manager);
    for (const ui::UIBuilderError& problem : builder.GetErrors())
        DebugOutput(problem.file + L":" + std::to_wstring(problem.line) + L": " + problem.message);
    return control;
}

}  // namespace

std::span<const ControlBuilderRow> ControlBuilderTable()
{
    return kRows;
}

const ControlBuilderRow* FindControlBuilderRow(std::wstring_view element)
{
    for (const ControlBuilderRow& row : kRows)
        if (route::EqualsIgnoringCase(element, row.element))
            return &row;
    return nullptr;
}

ui::CControlUI* CreateMainWndControl(std::wstring_view element, ui::IDialogBuilderCallback& callback,
                                     ui::CPaintManagerUI* manager)
{
    const ControlBuilderRow* row = FindControlBuilderRow(element);
    if (row == nullptr)
        return nullptr;
    switch (row->built) {
    case NotBuiltYet:
        return nullptr;
    case SelectPanel:
        return new CSelectPanelUI();
    case DeviceKeyButton:
        return new CDeviceKeyButtonUI();
    case DeviceObject:
        return new CKestovarUSBDevice();
    case KeyboardDevice:
        return new CKestovarKeyboardDevice();
    case Layout:
        return BuildLayout(row->layout, callback, manager);
    }
    return nullptr;
}

}  // namespace dw
