#include "ui/core/CCheckBoxUI.h"

#include "ui/core/UIString.h"

namespace dw::ui {

std::wstring CCheckBoxUI::GetClass() const { return L"CheckBoxUI"; }

void* CCheckBoxUI::GetInterface(std::wstring_view name)
{
    if (name == L"CheckBox")
        return this;
    return COptionUI::GetInterface(name);
}

AttributeResult CCheckBoxUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    // A check box toggles on its own; a group would make it an option.
    if (EqualsNoCase(name, L"group"))
        return AttributeResult::Ok;
    if (EqualsNoCase(name, L"checked"))
        return COptionUI::SetAttribute(L"selected", value);
    return COptionUI::SetAttribute(name, value);
}

}  // namespace dw::ui
