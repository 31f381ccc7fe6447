#pragma once

#include "ui/core/CHorizontalLayoutUI.h"

namespace dw::ui {

// The header row of a list: CListHeaderItemUI children side by side. Their positions are the
// columns the list hands to its items. Without a fixed height it is as high as the list's
// items default to, or 24 pixels.
class CListHeaderUI : public CHorizontalLayoutUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UISize EstimateSize(UISize available) override;

    static constexpr int kDefaultHeight = 24;
};

}  // namespace dw::ui
