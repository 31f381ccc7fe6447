#pragma once

// A control that holds other controls. The base container stacks every child over its whole
// client area (inside the inset); the layouts place them in rows, columns, pages or tiles.
// Children are owned: Remove deletes them unless asked not to.

#include <vector>

#include "ui/core/CControlUI.h"

namespace dw::ui {

class CScrollBarUI;

class CContainerUI : public CControlUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    // ---- children -------------------------------------------------------------------------
    CControlUI* GetItemAt(int index) const;
    int GetItemIndex(CControlUI* control) const;  // -1 when not a child
    virtual bool SetItemIndex(CControlUI* control, int index);
    int GetCount() const { return static_cast<int>(m_items.size()); }
    // Takes ownership. False (and the control is not taken) for null or a control that
    // already has a parent.
    virtual bool Add(CControlUI* control);
    virtual bool AddAt(CControlUI* control, int index);
    // Detaches the child; deletes it unless doNotDestroy. A child removed while the manager
    // is dispatching an event or notification is deleted after the dispatch ends.
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false);
    virtual bool RemoveAt(int index, bool doNotDestroy = false);
    virtual void RemoveAll();
    bool IsAutoDestroy() const { return m_autoDestroy; }
    void SetAutoDestroy(bool autoDestroy) { m_autoDestroy = autoDestroy; }
    bool IsDelayedDestroy() const { return m_delayedDestroy; }
    void SetDelayedDestroy(bool delayed) { m_delayedDestroy = delayed; }

    // ---- layout parameters ----------------------------------------------------------------
    UIRect GetInset() const;  // scaled
    void SetInset(const UIRect& inset);
    int GetChildPadding() const;  // scaled gap between children
    void SetChildPadding(int padding);
    UINT GetChildAlign() const { return m_childAlign; }    // text::kLeft / kCenter / kRight
    void SetChildAlign(UINT align);
    UINT GetChildVAlign() const { return m_childVAlign; }  // text::kLeft(top) / kVCenter / kBottom
    void SetChildVAlign(UINT align);
    bool IsMouseChildEnabled() const { return m_mouseChildEnabled; }
    void SetMouseChildEnabled(bool enabled = true) { m_mouseChildEnabled = enabled; }

    // ---- scrolling ------------------------------------------------------------------------
    // Creates or removes the scroll bars. A scroll bar shows only while the content is larger
    // than the client area.
    virtual void EnableScrollBar(bool enableVertical = true, bool enableHorizontal = false);
    CScrollBarUI* GetVerticalScrollBar() const { return m_vScroll; }
    CScrollBarUI* GetHorizontalScrollBar() const { return m_hScroll; }
    UISize GetScrollPos() const;
    UISize GetScrollRange() const;
    virtual void SetScrollPos(UISize pos);
    int GetScrollStepSize() const;  // scaled; the line size of wheel and arrows
    void SetScrollStepSize(int step);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void PageLeft();
    virtual void PageRight();
    virtual void HomeLeft();
    virtual void EndRight();

    // ---- control overrides ----------------------------------------------------------------
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindControl(FindControlProc proc, void* data, UINT flags) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetPos(UIRect rc, bool needInvalidate = true) override;
    void Move(UISize offset, bool needInvalidate = true) override;
    void DoPaint(IRenderContext& context, const UIRect& paint) override;
    void DoEvent(TEventUI& event) override;
    void ReloadText() override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;

    // The client area: the control's rectangle less the inset and the visible scroll bars.
    UIRect GetClientRect() const;
    // Finds the next child from index that can be selected (visible and enabled), searching
    // forwards or backwards; -1 when none. Lists and combos use it for arrow keys.
    virtual int FindSelectable(int index, bool forward = true) const;

protected:
    // Places a floating child from its pos and anchors inside this container's rectangle.
    void SetFloatPos(int index);
    // Shows, hides and sizes the scroll bars for a content size; called by the layouts after
    // they measured their children. rc is the area the children were laid out in.
    virtual void ProcessScrollBar(UIRect rc, int cxRequired, int cyRequired);
    // Lays out every non-floating child over the whole client area and every floating child
    // by its pos; layouts override.
    virtual void SetChildrenPos(const UIRect& client);
    // Row (horizontal) or column layout of the children, shared by the two linear layouts:
    // fixed sizes first, the rest shared by the others within their min/max, then aligned.
    void LayoutLinear(const UIRect& client, bool horizontal);

    std::vector<CControlUI*> m_items;
    UIRect m_inset;           // 96-DPI units
    int m_childPadding = 0;   // 96-DPI units
    UINT m_childAlign = text::kLeft;
    UINT m_childVAlign = text::kLeft;
    bool m_autoDestroy = true;
    bool m_delayedDestroy = true;
    bool m_mouseChildEnabled = true;
    int m_scrollStep = 0;     // 0: the default line size
    CScrollBarUI* m_vScroll = nullptr;
    CScrollBarUI* m_hScroll = nullptr;
};

}  // namespace dw::ui
