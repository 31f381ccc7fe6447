#include "ui/core/CLabelUI.h"

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"

namespace dw::ui {

std::wstring CLabelUI::GetClass() const { return L"LabelUI"; }

void* CLabelUI::GetInterface(std::wstring_view name)
{
    if (name == L"Label")
        return this;
    return CControlUI::GetInterface(name);
}

void CLabelUI::SetAutoCalcWidth(bool autoCalc)
{
    if (m_autoCalcWidth == autoCalc)
        return;
    m_autoCalcWidth = autoCalc;
    NeedParentUpdate();
}

void CLabelUI::SetAutoCalcHeight(bool autoCalc)
{
    if (m_autoCalcHeight == autoCalc)
        return;
    m_autoCalcHeight = autoCalc;
    NeedParentUpdate();
}

void CLabelUI::SetText(const std::wstring& text)
{
    if (m_text == text)
        return;
    CControlUI::SetText(text);
    if (m_autoCalcWidth || m_autoCalcHeight)
        NeedParentUpdate();
}

void CLabelUI::ReloadText()
{
    CControlUI::ReloadText();
    if (m_resourceText && (m_autoCalcWidth || m_autoCalcHeight))
        NeedParentUpdate();
}

UISize CLabelUI::EstimateSize(UISize available)
{
    UISize size = CControlUI::EstimateSize(available);
    if ((!m_autoCalcWidth && !m_autoCalcHeight) || m_manager == nullptr)
        return size;
    const UIRect pad = GetTextPadding();
    const std::wstring text = GetText();
    ITextMetrics& metrics = m_manager->GetTextMetrics();
    const UIFontSpec font = GetFontSpec();
    if (m_autoCalcWidth) {
        const UISize measured = metrics.MeasureText(text, font, text::kSingleLine, 0);
        size.cx = measured.cx + pad.left + pad.right;
    }
    if (m_autoCalcHeight) {
        const int width = (size.cx > 0 ? size.cx : available.cx) - pad.left - pad.right;
        const UISize measured = metrics.MeasureText(text, font, text::kWordBreak, std::max(width, 1));
        size.cy = measured.cy + pad.top + pad.bottom;
    }
    return size;
}

AttributeResult CLabelUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const bool width = EqualsNoCase(name, L"autocalcwidth");
    if (width || EqualsNoCase(name, L"autocalcheight")) {
        const auto v = ParseBool(value);
        if (!v)
            return AttributeResult::Malformed;
        width ? SetAutoCalcWidth(*v) : SetAutoCalcHeight(*v);
        return AttributeResult::Ok;
    }
    return CControlUI::SetAttribute(name, value);
}

}  // namespace dw::ui
