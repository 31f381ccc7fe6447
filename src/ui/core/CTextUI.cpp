#include "ui/core/CTextUI.h"

namespace dw::ui {

CTextUI::CTextUI() { m_textStyle = text::kLeft | text::kWordBreak; }

std::wstring CTextUI::GetClass() const { return L"TextUI"; }

void* CTextUI::GetInterface(std::wstring_view name)
{
    if (name == L"Text")
        return this;
    return CLabelUI::GetInterface(name);
}

}  // namespace dw::ui
