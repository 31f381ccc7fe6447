#pragma once

#include "ui/core/CVerticalLayoutUI.h"
#include "ui/core/controls/CListSelection.h"
#include "ui/core/controls/IListOwnerUI.h"
#include "ui/core/controls/TListInfoUI.h"

namespace dw::ui {

class CListHeaderUI;

// A scrolling list of items (CListLabelElementUI, CListContainerElementUI or any control) with
// an optional header row. The header is not one of the items: GetCount, GetItemAt and the
// indexes count items only. Single selection: a press on an item selects it; Up/Down, Home/End
// and PageUp/PageDown move the selection over visible, enabled items and scroll it into view;
// Enter raises "itemactivate" from the selected item. "itemselect" comes from the list with
// wParam = new index and lParam = previous index.
class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();
    ~CListUI() override;

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;

    CListHeaderUI* GetHeader() const { return m_header; }
    // Takes ownership; a previous header is deleted. Null removes it.
    void SetHeader(CListHeaderUI* header);

    // ---- IListOwnerUI ---------------------------------------------------------------------
    TListInfoUI* GetListInfo() override { return &m_info; }
    int GetCurSel() const override { return m_selection.Get(); }
    bool SelectItem(int index, bool takeFocus = false, bool notify = true) override;
    void DoEvent(TEventUI& event) override;

    // Scrolls the least needed to show the item whole.
    void EnsureVisible(int index);

    // ---- children (items; a header added here becomes the header) ------------------------
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;
    bool SetItemIndex(CControlUI* control, int index) override;

    // ---- control overrides ----------------------------------------------------------------
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindControl(FindControlProc proc, void* data, UINT flags) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetPos(UIRect rc, bool needInvalidate = true) override;
    void Move(UISize offset, bool needInvalidate = true) override;
    void DoPaint(IRenderContext& context, const UIRect& paint) override;
    void ReloadText() override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void SetChildrenPos(const UIRect& client) override;

private:
    // The item the keyboard moves to from the selection for a key; -1 when none.
    int TargetForKey(UINT key) const;
    int ItemsPerPage() const;
    // The area items are shown in: the client rectangle below the header.
    UIRect ItemArea() const;

    CListHeaderUI* m_header = nullptr;
    TListInfoUI m_info;
    CListSelection m_selection{*this, *this};
    int m_pendingEnsureVisible = -1;
    bool m_headerHidden = false;  // "header=hidden", applied to a header added later too
};

}  // namespace dw::ui
