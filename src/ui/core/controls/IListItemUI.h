#pragma once

#include "ui/core/IRenderContext.h"

namespace dw::ui {

class IListOwnerUI;

// A control that can be an item of a list or combo (GetInterface(L"ListItem")).
class IListItemUI {
public:
    virtual ~IListItemUI() = default;
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() const = 0;
    virtual void SetOwner(IListOwnerUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    // Changes the selected look only; the owner keeps the selection and raises notifications.
    virtual void Select(bool select) = 0;
    // Draws the item's text in rc (a closed combo shows its selected item this way).
    virtual void DrawItemText(IRenderContext& context, const UIRect& rc) = 0;
};

}  // namespace dw::ui
