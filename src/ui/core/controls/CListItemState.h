#pragma once

// What every list item does the same way, whether it is a plain control (CListLabelElementUI)
// or a container of controls (CListContainerElementUI): its owner and index, the selected and
// hot states, the background it paints from the owner's shared look, and its reaction to the
// pointer (a press selects, a release over it raises "itemclick", a double click raises
// "itemactivate") and to keys (passed on to the owner).

#include "ui/core/CControlUI.h"
#include "ui/core/controls/IListOwnerUI.h"

namespace dw::ui {

class CListItemState {
public:
    explicit CListItemState(CControlUI& item) : m_item(item) {}

    int GetIndex() const { return m_index; }
    void SetIndex(int index) { m_index = index; }
    IListOwnerUI* GetOwner() const { return m_owner; }
    void SetOwner(IListOwnerUI* owner) { m_owner = owner; }
    bool IsSelected() const { return m_selected; }
    void Select(bool select);
    bool IsHot() const { return m_hot; }

    // Background colour or image for the state, then the separator line.
    void PaintBackground(IRenderContext& context);
    // Text colour for the state from the owner's look (0 when the look sets none).
    UIColor TextColor() const;
    // Height of an item that sets none itself, scaled.
    int DefaultHeight() const;
    // Handles the item's part of an event; true when the event is consumed.
    bool HandleEvent(TEventUI& event);

private:
    void Notify(const wchar_t* type);

    static constexpr int kFallbackItemHeight = 24;

    CControlUI& m_item;
    IListOwnerUI* m_owner = nullptr;
    int m_index = -1;
    bool m_selected = false;
    bool m_hot = false;
    bool m_pressed = false;
};

}  // namespace dw::ui
