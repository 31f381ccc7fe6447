#pragma once

// A scroll bar: two arrow buttons, a rail and a thumb. Owned by a container (which it scrolls)
// or standing alone, when it raises "scroll" notifications with the new position in wParam.
// Dragging the thumb, clicking the arrows (repeating while held) and clicking the rail (a
// page) change the position; the wheel scrolls by lines.

#include "ui/core/CControlUI.h"

namespace dw::ui {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override { return 0; }

    CContainerUI* GetOwner() const { return m_owner; }
    void SetOwner(CContainerUI* owner) { m_owner = owner; }
    bool IsHorizontal() const { return m_horizontal; }
    void SetHorizontal(bool horizontal = true);
    int GetScrollRange() const { return m_range; }
    void SetScrollRange(int range);
    int GetScrollPos() const { return m_scrollPos; }
    void SetScrollPos(int pos);
    int GetLineSize() const;  // scaled
    void SetLineSize(int size);
    bool IsShowButton1() const { return m_showButton1; }
    void SetShowButton1(bool show);
    bool IsShowButton2() const { return m_showButton2; }
    void SetShowButton2(bool show);
    // Thickness of a vertical bar's width or a horizontal bar's height (scaled).
    int GetThickness() const;

    // Geometry after SetPos, for painting and tests.
    const UIRect& GetButton1Rect() const { return m_rcButton1; }
    const UIRect& GetButton2Rect() const { return m_rcButton2; }
    const UIRect& GetThumbRect() const { return m_rcThumb; }

    void SetPos(UIRect rc, bool needInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintBkImage(IRenderContext& context) override;
    void PaintStatusImage(IRenderContext& context) override;
    void PaintBorder(IRenderContext& context) override;

private:
    // Moves by delta (clamped) and tells the owner or raises "scroll".
    void ScrollBy(int delta);
    void ApplyPos(int pos);
    void PaintPart(IRenderContext& context, const UIRect& rc, UINT state, const std::wstring& normal,
                   const std::wstring& hot, const std::wstring& pushed, const std::wstring& disabled, UIColor fill);

    static constexpr UINT kRepeatTimerId = 10;
    static constexpr UINT kRepeatDelayMs = 50;
    static constexpr int kDefaultThickness = 16;
    static constexpr int kDefaultLineSize = 8;
    static constexpr int kMinThumb = 12;

    CContainerUI* m_owner = nullptr;
    bool m_horizontal = false;
    int m_range = 100;
    int m_scrollPos = 0;
    int m_lineSize = kDefaultLineSize;
    bool m_showButton1 = true;
    bool m_showButton2 = true;
    int m_thickness = kDefaultThickness;
    UIRect m_rcButton1;
    UIRect m_rcButton2;
    UIRect m_rcThumb;
    UINT m_button1State = 0;
    UINT m_button2State = 0;
    UINT m_thumbState = 0;
    UINT m_railState = 0;
    int m_repeatDirection = 0;  // -1 up/left, +1 down/right, ±2 page
    UIPoint m_dragStart;
    int m_dragStartPos = 0;

    std::wstring m_button1Normal, m_button1Hot, m_button1Pushed, m_button1Disabled;
    std::wstring m_button2Normal, m_button2Hot, m_button2Pushed, m_button2Disabled;
    std::wstring m_thumbNormal, m_thumbHot, m_thumbPushed, m_thumbDisabled;
    std::wstring m_railNormal, m_bkNormal;
    UIColor m_thumbColor = 0xFFC0C0C0;
    UIColor m_buttonColor = 0;
};

}  // namespace dw::ui
