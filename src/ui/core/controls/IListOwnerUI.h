#pragma once

#include "ui/core/TEventUI.h"
#include "ui/core/controls/TListInfoUI.h"

namespace dw::ui {

// What list items need from the list or combo that holds them: the shared look, the selection,
// and a place to pass on the keys and wheel turns they receive.
class IListOwnerUI {
public:
    virtual ~IListOwnerUI() = default;
    virtual TListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    // Selects the item at index (-1: none). Raises "itemselect" (wParam new index, lParam old
    // index) from the owner when the selection changed and notify is set. False when the index
    // names no selectable item.
    virtual bool SelectItem(int index, bool takeFocus = false, bool notify = true) = 0;
    // Keys and wheel turns an item received go to its owner.
    virtual void DoEvent(TEventUI& event) = 0;
};

}  // namespace dw::ui
