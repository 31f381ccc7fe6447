#pragma once

#include "ui/core/CContainerUI.h"
#include "ui/core/controls/IListItemUI.h"
#include "ui/core/controls/IListOwnerUI.h"

namespace dw::ui {

// The item bookkeeping a list and a combo share: which item is selected, and every item's owner
// and index, kept right while items are added, removed and reordered. The selection follows its
// item; removing the selected item leaves none selected.
class CListSelection {
public:
    CListSelection(CContainerUI& items, IListOwnerUI& owner) : m_items(items), m_owner(owner) {}

    // The item interface of a control; null for a control that is not a list item.
    static IListItemUI* AsListItem(CControlUI* control);

    int Get() const { return m_curSel; }
    CControlUI* SelectedItem() const;
    // Forgets the selection without touching the items (they are going away).
    void Clear() { m_curSel = -1; }

    // Gives every item from index `from` on its owner and index again.
    void Reindex(int from);
    // An item was inserted at index.
    void ItemInserted(int index);
    // The item at index is about to be removed: it leaves unselected and without an owner.
    void DetachItem(int index);
    // The item at index was removed.
    void ItemRemoved(int index);
    // The items were reordered; `selected` is what SelectedItem() gave before.
    void ItemsReordered(CControlUI* selected);
    // Moves the selection mark from the selected item to the one at index (-1: none), which the
    // caller has checked is a selectable item. Returns the previous index.
    int MoveTo(int index);

private:
    CContainerUI& m_items;
    IListOwnerUI& m_owner;
    int m_curSel = -1;
};

}  // namespace dw::ui
