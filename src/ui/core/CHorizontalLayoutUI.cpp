#include "ui/core/CHorizontalLayoutUI.h"

namespace dw::ui {

std::wstring CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(std::wstring_view name)
{
    if (name == L"HorizontalLayout")
        return this;
    return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetChildrenPos(const UIRect& client) { LayoutLinear(client, true); }

}  // namespace dw::ui
