#pragma once

#include "ui/core/CContainerUI.h"
#include "ui/core/controls/CListSelection.h"
#include "ui/core/controls/IListOwnerUI.h"
#include "ui/core/controls/TListInfoUI.h"

namespace dw::ui {

class CComboDropDown;

// A drop-down list. Its items (usually CListLabelElementUI) are children but are not shown in
// the combo itself: the closed combo shows the selected item's text and an arrow, and the items
// appear in a pop-up window below it (above it when there is no room below) while it is open.
//
// A press on the closed combo, Enter, Space, F4 or Alt+Down opens it and raises "dropdown".
// Up/Down, Home/End and the wheel change the selection of the closed combo. In the open list
// the same keys move the selection, Enter or a click on an item closes it, and Escape closes it
// keeping the selection. Every change of selection by the user raises "itemselect" from the
// combo (wParam new index, lParam previous index).
class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;

    // ---- IListOwnerUI ---------------------------------------------------------------------
    TListInfoUI* GetListInfo() override { return &m_info; }
    int GetCurSel() const override { return m_selection.Get(); }
    bool SelectItem(int index, bool takeFocus = false, bool notify = true) override;
    void DoEvent(TEventUI& event) override;

    // ---- drop-down ------------------------------------------------------------------------
    // Size of the pop-up list (96-DPI units); a width of 0 takes the combo's width, a height of
    // 0 fits the items (at most kMaxAutoDropHeight).
    UISize GetDropBoxSize() const { return m_dropBoxSize; }
    void SetDropBoxSize(UISize size) { m_dropBoxSize = size; }
    // Attributes applied to the pop-up list's layout ("bkcolor=... bordercolor=...").
    const std::wstring& GetDropBoxAttributeList() const { return m_dropBoxAttributes; }
    void SetDropBoxAttributeList(const std::wstring& list) { m_dropBoxAttributes = list; }
    bool IsDropDownOpen() const;
    // Opens the pop-up list and raises "dropdown"; false when it cannot open (disabled, no
    // window to open it from).
    bool OpenDropDown();
    void CloseDropDown();
    // The pop-up's screen rectangle for the combo's place on the screen and the room below.
    UIRect ComputeDropBoxRect(const UIRect& comboScreenRect, const UIRect& workArea) const;
    // The pop-up, while open (tests drive it through its window).
    CComboDropDown* GetDropDown() const { return m_dropDown; }

    // ---- children -------------------------------------------------------------------------
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;
    bool SetItemIndex(CControlUI* control, int index) override;

    // ---- look -----------------------------------------------------------------------------
    void SetNormalImage(const std::wstring& image);
    void SetHotImage(const std::wstring& image);
    void SetPushedImage(const std::wstring& image);
    void SetFocusedImage(const std::wstring& image);
    void SetDisabledImage(const std::wstring& image);
    void SetArrowImage(const std::wstring& image);
    UIColor GetArrowColor() const { return m_arrowColor; }
    void SetArrowColor(UIColor color);
    UIColor GetHotBorderColor() const { return m_hotBorderColor; }
    void SetHotBorderColor(UIColor color);

    // ---- control overrides ----------------------------------------------------------------
    // The text of the selected item (empty with no selection).
    std::wstring GetText() const override;
    bool Activate() override;
    void DoInit() override;
    void SetEnabled(bool enabled = true) override;
    void SetVisible(bool visible = true) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindControl(FindControlProc proc, void* data, UINT flags) override;
    void SetPos(UIRect rc, bool needInvalidate = true) override;
    void Move(UISize offset, bool needInvalidate = true) override;
    UISize EstimateSize(UISize available) override;
    void DoPaint(IRenderContext& context, const UIRect& paint) override;
    void PaintStatusImage(IRenderContext& context) override;
    void PaintText(IRenderContext& context) override;
    void PaintBorder(IRenderContext& context) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;

    static constexpr int kMaxAutoDropHeight = 300;
    static constexpr int kArrowAreaWidth = 24;

    // Called by the pop-up: the user picked an item there, or the pop-up went away.
    void OnDropDownPick(int index);
    void OnDropDownClosed();
    // Selection keys shared by the closed combo and the open pop-up; true when handled.
    bool HandleSelectionKey(UINT key);

private:
    int FindSelectableItem(int from, bool forward) const;
    UIRect ArrowRect() const;
    void SetButtonState(UINT state);

    TListInfoUI m_info;
    CListSelection m_selection{*this, *this};
    int m_initialSel = -1;  // "cursel" of the layout, applied once the items exist
    UINT m_buttonState = 0;
    UISize m_dropBoxSize;
    std::wstring m_dropBoxAttributes;
    CComboDropDown* m_dropDown = nullptr;  // deletes itself when its window is gone
    std::wstring m_normalImage;
    std::wstring m_hotImage;
    std::wstring m_pushedImage;
    std::wstring m_focusedImage;
    std::wstring m_disabledImage;
    std::wstring m_arrowImage;
    UIColor m_arrowColor = 0;
    UIColor m_hotBorderColor = 0;
};

}  // namespace dw::ui
