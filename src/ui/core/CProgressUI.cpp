#include "ui/core/CProgressUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIString.h"

namespace dw::ui {

std::wstring CProgressUI::GetClass() const { return L"ProgressUI"; }

void* CProgressUI::GetInterface(std::wstring_view name)
{
    if (name == L"Progress")
        return this;
    return CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal)
{
    if (m_horizontal == horizontal)
        return;
    m_horizontal = horizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int min)
{
    if (m_min == min)
        return;
    m_min = min;
    m_max = std::max(m_max, m_min);
    Invalidate();
}

void CProgressUI::SetMaxValue(int max)
{
    if (m_max == max)
        return;
    m_max = max;
    m_min = std::min(m_min, m_max);
    Invalidate();
}

// The value is kept as given and clamped when read, so a layout may name the value before
// the range that contains it.
void CProgressUI::SetValue(int value)
{
    if (m_value == value)
        return;
    const int shownBefore = GetValue();
    m_value = value;
    if (GetValue() != shownBefore)
        Invalidate();
}

int CProgressUI::GetValue() const { return std::clamp(m_value, m_min, m_max); }

void CProgressUI::SetStretchForeImage(bool stretch)
{
    if (m_stretchFore == stretch)
        return;
    m_stretchFore = stretch;
    Invalidate();
}

void CProgressUI::SetForeColor(UIColor color)
{
    if (m_foreColor == color)
        return;
    m_foreColor = color;
    Invalidate();
}

UIRect CProgressUI::GetFilledRect() const
{
    UIRect rc = m_rcItem;
    const long long span = static_cast<long long>(m_max) - m_min;
    const long long done = static_cast<long long>(GetValue()) - m_min;
    if (span <= 0)
        return rc;
    if (m_horizontal)
        rc.right = rc.left + static_cast<int>(rc.GetWidth() * done / span);
    else
        rc.top = rc.bottom - static_cast<int>(rc.GetHeight() * done / span);
    return rc;
}

void CProgressUI::PaintStatusImage(IRenderContext& context)
{
    const UIRect filled = GetFilledRect();
    if (filled.IsEmpty())
        return;
    if (m_foreImage.empty()) {
        if (m_foreColor != 0)
            context.FillRect(filled, m_foreColor);
        return;
    }
    if (m_stretchFore || m_manager == nullptr) {
        DrawImage(context, m_foreImage, &filled);
        return;
    }
    // Not stretched: the image keeps its scale and only the filled part of it shows.
    const auto attr = ParseImageAttribute(m_foreImage);
    if (!attr || attr->file.empty())
        return;
    const auto image = m_manager->GetImage(attr->file);
    if (!image)
        return;
    UIImageDrawParams params = attr->params;
    if (params.source.IsEmpty())
        params.source = {0, 0, image->GetWidth(), image->GetHeight()};
    const int w = m_rcItem.GetWidth();
    const int h = m_rcItem.GetHeight();
    if (m_horizontal && w > 0)
        params.source.right = params.source.left + params.source.GetWidth() * filled.GetWidth() / w;
    else if (!m_horizontal && h > 0)
        params.source.top = params.source.bottom - params.source.GetHeight() * filled.GetHeight() / h;
    context.DrawImage(*image, filled, params);
}

AttributeResult CProgressUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    using R = AttributeResult;
    const std::wstring key = ToLowerAscii(name);
    if (key == L"hor" || key == L"isstretchfore") {
        const auto v = ParseBool(value);
        if (!v)
            return R::Malformed;
        key == L"hor" ? SetHorizontal(*v) : SetStretchForeImage(*v);
        return R::Ok;
    }
    if (key == L"min" || key == L"max" || key == L"value") {
        const auto v = ParseInt(value);
        if (!v)
            return R::Malformed;
        if (key == L"min")
            SetMinValue(*v);
        else if (key == L"max")
            SetMaxValue(*v);
        else
            SetValue(*v);
        return R::Ok;
    }
    if (key == L"forecolor") {
        const auto v = ParseColor(value);
        if (!v)
            return R::Malformed;
        SetForeColor(*v);
        return R::Ok;
    }
    return CLabelUI::SetAttribute(name, value);
}

}  // namespace dw::ui
