#pragma once

#include "ui/core/CControlUI.h"

namespace dw::ui {

// One column title of a list header. A click raises "headerclick". When "dragable", the strip
// of "sepwidth" pixels at its right edge resizes the column (within min/max width) and the
// list lays its items out again.
class CListHeaderItemUI : public CControlUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    bool IsDragable() const { return m_dragable; }
    void SetDragable(bool dragable) { m_dragable = dragable; }
    int GetSepWidth() const;  // scaled
    void SetSepWidth(int width);
    UIColor GetSepColor() const { return m_sepColor; }
    void SetSepColor(UIColor color);
    UIColor GetHotBkColor() const { return m_hotBkColor; }
    void SetHotBkColor(UIColor color);
    UIColor GetPushedBkColor() const { return m_pushedBkColor; }
    void SetPushedBkColor(UIColor color);

    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintBkColor(IRenderContext& context) override;
    void PaintStatusImage(IRenderContext& context) override;
    void PaintText(IRenderContext& context) override;

private:
    UIRect SeparatorRect() const;
    void SetState(UINT state);

    bool m_dragable = false;
    bool m_resizing = false;
    int m_sepWidth = 4;  // 96-DPI units
    UIColor m_sepColor = 0;
    UIColor m_hotBkColor = 0;
    UIColor m_pushedBkColor = 0;
    std::wstring m_normalImage;
    std::wstring m_hotImage;
    std::wstring m_pushedImage;
    UINT m_state = 0;
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;
};

}  // namespace dw::ui
