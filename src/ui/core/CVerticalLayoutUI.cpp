#include "ui/core/CVerticalLayoutUI.h"

namespace dw::ui {

std::wstring CVerticalLayoutUI::GetClass() const { return L"VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(std::wstring_view name)
{
    if (name == L"VerticalLayout")
        return this;
    return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetChildrenPos(const UIRect& client) { LayoutLinear(client, false); }

}  // namespace dw::ui
