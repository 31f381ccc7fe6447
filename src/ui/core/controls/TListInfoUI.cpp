#include "ui/core/controls/TListInfoUI.h"

#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"

namespace dw::ui {

namespace {

AttributeResult SetColor(UIColor& target, std::wstring_view value)
{
    const auto color = ParseColor(value);
    if (!color)
        return AttributeResult::Malformed;
    target = *color;
    return AttributeResult::Ok;
}

// "left", "center", "right", "top", "vcenter", "bottom" as in a label's align attributes.
std::optional<UINT> ParseItemAlign(std::wstring_view value, UINT style)
{
    style &= ~(text::kCenter | text::kRight);
    if (value == L"left")
        return style;
    if (value == L"center")
        return style | text::kCenter;
    if (value == L"right")
        return style | text::kRight;
    return std::nullopt;
}

}  // namespace

std::optional<AttributeResult> SetListInfoAttribute(TListInfoUI& info, std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    if (key == L"itemfont") {
        const auto id = ParseInt(value);
        if (!id)
            return AttributeResult::Malformed;
        info.font = *id;
        return AttributeResult::Ok;
    }
    if (key == L"itemalign") {
        const auto style = ParseItemAlign(value, info.textStyle);
        if (!style)
            return AttributeResult::Malformed;
        info.textStyle = *style;
        return AttributeResult::Ok;
    }
    if (key == L"itemendellipsis") {
        const auto on = ParseBool(value);
        if (!on)
            return AttributeResult::Malformed;
        info.textStyle = *on ? (info.textStyle | text::kEndEllipsis) : (info.textStyle & ~text::kEndEllipsis);
        return AttributeResult::Ok;
    }
    if (key == L"itemtextpadding") {
        const auto rc = ParseRect(value, true);
        if (!rc)
            return AttributeResult::Malformed;
        info.textPadding = *rc;
        return AttributeResult::Ok;
    }
    if (key == L"itemheight") {
        const auto cy = ParseInt(value);
        if (!cy || *cy < 0)
            return AttributeResult::Malformed;
        info.itemHeight = *cy;
        return AttributeResult::Ok;
    }
    if (key == L"itemaltbk") {
        const auto on = ParseBool(value);
        if (!on)
            return AttributeResult::Malformed;
        info.alternateBk = *on;
        return AttributeResult::Ok;
    }
    if (key == L"itemtextcolor")
        return SetColor(info.textColor, value);
    if (key == L"itembkcolor")
        return SetColor(info.bkColor, value);
    if (key == L"itemaltbkcolor")
        return SetColor(info.alternateBkColor, value);
    if (key == L"itemhottextcolor")
        return SetColor(info.hotTextColor, value);
    if (key == L"itemhotbkcolor")
        return SetColor(info.hotBkColor, value);
    if (key == L"itemselectedtextcolor")
        return SetColor(info.selectedTextColor, value);
    if (key == L"itemselectedbkcolor")
        return SetColor(info.selectedBkColor, value);
    if (key == L"itemdisabledtextcolor")
        return SetColor(info.disabledTextColor, value);
    if (key == L"itemdisabledbkcolor")
        return SetColor(info.disabledBkColor, value);
    if (key == L"itemlinecolor")
        return SetColor(info.lineColor, value);
    if (key == L"itembkimage") {
        info.bkImage = value;
        return AttributeResult::Ok;
    }
    if (key == L"itemhotimage") {
        info.hotImage = value;
        return AttributeResult::Ok;
    }
    if (key == L"itemselectedimage") {
        info.selectedImage = value;
        return AttributeResult::Ok;
    }
    if (key == L"itemdisabledimage") {
        info.disabledImage = value;
        return AttributeResult::Ok;
    }
    return std::nullopt;
}

}  // namespace dw::ui
