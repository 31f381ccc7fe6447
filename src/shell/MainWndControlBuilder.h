#pragma once

// The control builder table of the main window: the element names of the skin that only this
// program knows, and what each creates. The main window is the builder callback of every layout
// it builds (its own skin, device pages, list entries, power controls), so layouts may nest
// these names. Element names compare without regard to case.

#include <span>
#include <string_view>

namespace dw::ui {
class CControlUI;
class CPaintManagerUI;
class IDialogBuilderCallback;
}  // namespace dw::ui

namespace dw {

enum class BuiltControl {
    NotBuiltYet,      // its class comes with a later part of the program; nothing is created
    SelectPanel,      // CSelectPanelUI
    DeviceKeyButton,  // CDeviceKeyButtonUI
    DeviceObject,     // a device object (the family classes fall back to CKestovarUSBDevice)
    KeyboardDevice,   // CKestovarKeyboardDevice
    Layout,           // the layout file of the row, built with the same callback
};

struct ControlBuilderRow {
    std::wstring_view element;
    BuiltControl built;
    std::wstring_view layout;  // Layout rows: the file under the skin folder
};

std::span<const ControlBuilderRow> ControlBuilderTable();

// The row of an element name, or null ("anything else": the library's own classes).
const ControlBuilderRow* FindControlBuilderRow(std::wstring_view element);

// Creates the control of an element name as its row says; null for names without a row, for
// classes not built yet and for a layout file that is missing or cannot be built. Problems of a
// nested layout are written to the diagnostic output.
ui::CControlUI* CreateMainWndControl(std::wstring_view element, ui::IDialogBuilderCallback& callback,
                                     ui::CPaintManagerUI* manager);

}  // namespace dw
