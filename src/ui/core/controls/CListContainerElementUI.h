#pragma once

#include "ui/core/CHorizontalLayoutUI.h"
#include "ui/core/controls/CListItemState.h"
#include "ui/core/controls/IListItemUI.h"

namespace dw::ui {

// A list or combo item that holds other controls, side by side. When the list has a header,
// the n-th visible child is placed in the n-th column. Pressing on a part of the row that does
// not act by itself (a label, empty space) selects the row; buttons, options and edits inside
// it keep their own input.
class CListContainerElementUI : public CHorizontalLayoutUI, public IListItemUI {
public:
    CListContainerElementUI();

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    int GetIndex() const override { return m_state.GetIndex(); }
    void SetIndex(int index) override { m_state.SetIndex(index); }
    IListOwnerUI* GetOwner() const override { return m_state.GetOwner(); }
    void SetOwner(IListOwnerUI* owner) override { m_state.SetOwner(owner); }
    bool IsSelected() const override { return m_state.IsSelected(); }
    void Select(bool select) override { m_state.Select(select); }
    bool IsHot() const { return m_state.IsHot(); }
    // The row's own text, else the text of its first child that has one.
    void DrawItemText(IRenderContext& context, const UIRect& rc) override;

    bool Activate() override;
    UISize EstimateSize(UISize available) override;
    CControlUI* FindControl(FindControlProc proc, void* data, UINT flags) override;
    void DoEvent(TEventUI& event) override;
    void PaintBkColor(IRenderContext& context) override;

protected:
    void SetChildrenPos(const UIRect& client) override;

private:
    CListItemState m_state;
};

}  // namespace dw::ui
