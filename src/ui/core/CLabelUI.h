#pragma once

#include "ui/core/CControlUI.h"

namespace dw::ui {

// A line of text in the control's font, colour and alignment, cut with an ellipsis when asked
// ("endellipsis"). With autocalcwidth the label is as wide as its text plus text padding.
class CLabelUI : public CControlUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    bool IsAutoCalcWidth() const { return m_autoCalcWidth; }
    void SetAutoCalcWidth(bool autoCalc);
    bool IsAutoCalcHeight() const { return m_autoCalcHeight; }
    void SetAutoCalcHeight(bool autoCalc);
    void SetText(const std::wstring& text) override;
    void ReloadText() override;
    UISize EstimateSize(UISize available) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    bool m_autoCalcWidth = false;
    bool m_autoCalcHeight = false;
};

}  // namespace dw::ui
