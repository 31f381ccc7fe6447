#pragma once

#include "ui/core/CControlUI.h"
#include "ui/core/controls/UIHsv.h"

namespace dw::ui {

// A colour picker: a square of saturation (left to right) and brightness (top to bottom) for
// the current hue, and a hue bar below it, both drawn with gradients. With "paletteimage" the
// picture's pixels are picked instead. Pressing and dragging picks continuously (the control
// repaints as the pointer moves); "colorchanged" with the opaque ARGB colour in wParam is raised
// once on release when the colour differs from the one at the press.
class CColorPaletteUI : public CControlUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    UIColor GetSelectColor() const { return m_color; }
    // Shows the colour without raising "colorchanged". A grey keeps the current hue.
    void SetSelectColor(UIColor color);
    const UIHsv& GetHsv() const { return m_hsv; }

    int GetBarHeight() const;  // scaled
    void SetBarHeight(int height);
    const std::wstring& GetPaletteImage() const { return m_paletteImage; }
    void SetPaletteImage(const std::wstring& image);

    // The square and the hue bar (window pixels); the bar is empty in image mode.
    UIRect GetSquareRect() const;
    UIRect GetBarRect() const;

    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(IRenderContext& context) override;

private:
    enum class Drag { None, Square, Bar, Image };

    void PickAt(UIPoint pt);
    void SetHsv(const UIHsv& hsv);

    static constexpr int kDefaultBarHeight = 12;
    static constexpr int kGap = 8;

    UIHsv m_hsv{0.0, 1.0, 1.0};
    UIColor m_color = 0xFFFF0000;
    int m_barHeight = kDefaultBarHeight;  // 96-DPI units
    std::wstring m_paletteImage;
    Drag m_drag = Drag::None;
    UIColor m_colorAtPress = 0;
    UIPoint m_imagePick{-1, -1};  // last picked point in image mode, relative to the control
};

}  // namespace dw::ui
