#include "ui/core/controls/CListHeaderUI.h"

namespace dw::ui {

std::wstring CListHeaderUI::GetClass() const
{
    return L"ListHeaderUI";
}

void* CListHeaderUI::GetInterface(std::wstring_view name)
{
    if (name == L"ListHeader")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

UISize CListHeaderUI::EstimateSize(UISize available)
{
    UISize size = CHorizontalLayoutUI::EstimateSize(available);
    if (size.cy == 0)
        size.cy = Scale(kDefaultHeight);
    return size;
}

}  // namespace dw::ui
