#pragma once

#include "ui/core/CContainerUI.h"

namespace dw::ui {

// Children side by side, left to right. A child with a fixed width gets it (within its
// min/max); the width left after fixed children, paddings and child padding is shared evenly
// by the others. Heights: fixed height or the full client height, aligned by childvalign.
class CHorizontalLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

protected:
    void SetChildrenPos(const UIRect& client) override;
};

}  // namespace dw::ui
