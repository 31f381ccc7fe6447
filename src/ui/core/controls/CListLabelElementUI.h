#pragma once

#include "ui/core/CControlUI.h"
#include "ui/core/controls/CListItemState.h"
#include "ui/core/controls/IListItemUI.h"

namespace dw::ui {

// A list or combo item showing one line of text in the owner's item look. A press selects it,
// a release over it raises "itemclick", a double click "itemactivate" (both from the item).
class CListLabelElementUI : public CControlUI, public IListItemUI {
public:
    CListLabelElementUI();

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    int GetIndex() const override { return m_state.GetIndex(); }
    void SetIndex(int index) override { m_state.SetIndex(index); }
    IListOwnerUI* GetOwner() const override { return m_state.GetOwner(); }
    void SetOwner(IListOwnerUI* owner) override { m_state.SetOwner(owner); }
    bool IsSelected() const override { return m_state.IsSelected(); }
    void Select(bool select) override { m_state.Select(select); }
    bool IsHot() const { return m_state.IsHot(); }
    void DrawItemText(IRenderContext& context, const UIRect& rc) override;

    // Selects this item through its owner (with notification), as a click would.
    bool Activate() override;
    UISize EstimateSize(UISize available) override;
    void DoEvent(TEventUI& event) override;
    void PaintBkColor(IRenderContext& context) override;
    void PaintText(IRenderContext& context) override;

private:
    CListItemState m_state;
};

}  // namespace dw::ui
