#pragma once

#include "ui/core/CLabelUI.h"

namespace dw::ui {

// A bar filled in proportion to value between min and max: left to right when horizontal,
// bottom to top when vertical. The fill is the fore image (cut to the filled part, or
// stretched with "isstretchfore") or the fore colour.
class CProgressUI : public CLabelUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    bool IsHorizontal() const { return m_horizontal; }
    void SetHorizontal(bool horizontal = true);
    int GetMinValue() const { return m_min; }
    void SetMinValue(int min);
    int GetMaxValue() const { return m_max; }
    void SetMaxValue(int max);
    int GetValue() const;
    // Clamped to [min, max].
    void SetValue(int value);
    bool IsStretchForeImage() const { return m_stretchFore; }
    void SetStretchForeImage(bool stretch);
    UIColor GetForeColor() const { return m_foreColor; }
    void SetForeColor(UIColor color);
    // The filled part of the control's rectangle.
    UIRect GetFilledRect() const;

    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(IRenderContext& context) override;

private:
    bool m_horizontal = true;
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    bool m_stretchFore = true;
    UIColor m_foreColor = 0;
};

}  // namespace dw::ui
