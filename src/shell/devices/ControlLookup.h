#pragma once

// Finding the named controls of a small layout (a list entry, a battery control) before it is
// attached to a window: a depth-first walk of its children.

#include <string_view>

namespace dw::ui {
class CControlUI;
}

namespace dw {

// The first control named `name` in the tree under `root` (root included), or null.
ui::CControlUI* FindNamedControl(ui::CControlUI* root, std::wstring_view name);

// The same, typed: null also when the control is not of the class `interfaceName` names.
template <class T>
T* FindNamedControlAs(ui::CControlUI* root, std::wstring_view name, std::wstring_view interfaceName);

}  // namespace dw

#include "ui/core/CControlUI.h"

namespace dw {

template <class T>
T* FindNamedControlAs(ui::CControlUI* root, std::wstring_view name, std::wstring_view interfaceName)
{
    ui::CControlUI* control = FindNamedControl(root, name);
    return control != nullptr ? static_cast<T*>(control->GetInterface(interfaceName)) : nullptr;
}

}  // namespace dw
