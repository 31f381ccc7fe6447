#include "shell/devices/ControlLookup.h"

#include "ui/core/CContainerUI.h"

namespace dw {

ui::CControlUI* FindNamedControl(ui::CControlUI* root, std::wstring_view name)
{
    if (root == nullptr)
        return nullptr;
    if (root->GetName() == name)
        return root;
    auto* container = static_cast<ui::CContainerUI*>(root->GetInterface(L"Container"));
    if (container == nullptr)
        return nullptr;
    for (int i = 0; i < container->GetCount(); ++i) {
        if (ui::CControlUI* found = FindNamedControl(container->GetItemAt(i), name))
            return found;
    }
    return nullptr;
}

}  // namespace dw
