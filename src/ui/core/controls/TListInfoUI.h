#pragma once

// The look every item of a list or combo shares: font, text alignment and padding, colours and
// images per state (normal, alternate rows, hot, selected, disabled), the separator line, and
// the column edges the list's header gives its items. The owner keeps one; items read it when
// they paint.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/CControlUI.h"
#include "ui/core/IRenderContext.h"

namespace dw::ui {

struct TListInfoUI {
    int font = -1;
    UINT textStyle = text::kLeft | text::kVCenter | text::kSingleLine | text::kEndEllipsis;
    UIRect textPadding;  // 96-DPI units
    UIColor textColor = 0;
    UIColor bkColor = 0;
    std::wstring bkImage;
    bool alternateBk = false;
    UIColor alternateBkColor = 0;
    UIColor hotTextColor = 0;
    UIColor hotBkColor = 0;
    std::wstring hotImage;
    UIColor selectedTextColor = 0;
    UIColor selectedBkColor = 0;
    std::wstring selectedImage;
    UIColor disabledTextColor = 0;
    UIColor disabledBkColor = 0;
    std::wstring disabledImage;
    UIColor lineColor = 0;  // a one-pixel line under every item when set
    int itemHeight = 0;     // height of items without a fixed height, 96-DPI units; 0: unset
    // Left and right edges (window x) of each column, from the list's header.
    std::vector<std::pair<int, int>> columns;
};

// Applies one of the "item..." attributes a list or combo accepts; nothing when the name is not
// one of them.
std::optional<AttributeResult> SetListInfoAttribute(TListInfoUI& info, std::wstring_view name,
                                                    std::wstring_view value);

}  // namespace dw::ui
