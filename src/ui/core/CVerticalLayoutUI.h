#pragma once

#include "ui/core/CContainerUI.h"

namespace dw::ui {

// Children one above the other, top to bottom. A child with a fixed height gets it (within
// its min/max); the height left after fixed children, paddings and child padding is shared
// evenly by the others. Widths: fixed width or the full client width, aligned by childalign.
class CVerticalLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

protected:
    void SetChildrenPos(const UIRect& client) override;
};

}  // namespace dw::ui
