#include "ui/core/controls/CSliderUI.h"

#include <algorithm>

#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"
#include "ui/core/UIMessages.h"
#include "ui/core/controls/SliderMath.h"

namespace dw::ui {

std::wstring CSliderUI::GetClass() const
{
    return L"SliderUI";
}

void* CSliderUI::GetInterface(std::wstring_view name)
{
    if (name == L"Slider")
        return this;
    return CProgressUI::GetInterface(name);
}

UINT CSliderUI::GetControlFlags() const
{
    return IsEnabled() ? UIFLAG_TABSTOP : 0;
}

void CSliderUI::SetChangeStep(int step)
{
    m_step = std::max(1, step);
}

UISize CSliderUI::GetThumbSize() const
{
    return Scale(m_thumbSize);
}

void CSliderUI::SetThumbSize(UISize size)
{
    size.cx = std::max(0, size.cx);
    size.cy = std::max(0, size.cy);
    if (size == m_thumbSize)
        return;
    m_thumbSize = size;
    Invalidate();
}

int CSliderUI::ThumbTravel() const
{
    const UISize thumb = GetThumbSize();
    const UIRect& rc = GetPos();
    return IsHorizontal() ? std::max(0, rc.GetWidth() - thumb.cx) : std::max(0, rc.GetHeight() - thumb.cy);
}

int CSliderUI::GetTrackThickness() const
{
    return Scale(m_trackThickness);
}

void CSliderUI::SetTrackThickness(int thickness)
{
    thickness = std::max(0, thickness);
    if (thickness == m_trackThickness)
        return;
    m_trackThickness = thickness;
    Invalidate();
}

UIRect CSliderUI::TrackRect() const
{
    const UIRect& rc = GetPos();
    const int thickness = std::max(1, GetTrackThickness());
    if (IsHorizontal()) {
        const int top = rc.top + (rc.GetHeight() - thickness) / 2;
        return {rc.left, top, rc.right, top + thickness};
    }
    const int left = rc.left + (rc.GetWidth() - thickness) / 2;
    return {left, rc.top, left + thickness, rc.bottom};
}

void CSliderUI::PaintBkColor(IRenderContext& context)
{
    if (m_trackThickness <= 0) {
        CProgressUI::PaintBkColor(context);
        return;
    }
    if (GetBkColor() >> 24 == 0)
        return;
    const int radius = GetTrackThickness() / 2;
    context.FillRoundRect(TrackRect(), radius, radius, GetBkColor());
}

UIRect CSliderUI::GetThumbRect() const
{
    const UISize thumb = GetThumbSize();
    const UIRect& rc = GetPos();
    const int offset = OffsetFromValue(GetValue(), ThumbTravel(), GetMinValue(), GetMaxValue());
    if (IsHorizontal()) {
        const int left = rc.left + offset;
        const int top = rc.top + (rc.GetHeight() - thumb.cy) / 2;
        return {left, top, left + thumb.cx, top + thumb.cy};
    }
    // Vertical sliders grow upwards: the minimum is at the bottom.
    const int top = rc.bottom - thumb.cy - offset;
    const int left = rc.left + (rc.GetWidth() - thumb.cx) / 2;
    return {left, top, left + thumb.cx, top + thumb.cy};
}

int CSliderUI::ValueAtPoint(UIPoint pt) const
{
    const UIRect& rc = GetPos();
    const int offset = IsHorizontal() ? pt.x - rc.left - m_grabOffset
                                      : rc.bottom - pt.y - m_grabOffset;
    return ValueFromOffset(offset, ThumbTravel(), GetMinValue(), GetMaxValue());
}

bool CSliderUI::SetUserValue(int value)
{
    const int snapped = SnapToStep(value, GetMinValue(), GetMaxValue(), m_step);
    if (snapped == GetValue())
        return false;
    SetValue(snapped);
    return true;
}

void CSliderUI::SetThumbState(UINT state)
{
    if (state == m_thumbState)
        return;
    m_thumbState = state;
    Invalidate();
}

void CSliderUI::EndDrag(bool notify)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    SetThumbState(m_thumbState & ~(UISTATE_PUSHED | UISTATE_CAPTURED));
    if (notify && GetValue() != m_valueAtPress)
        SendNotify(notify::kValueChanged);
}

void CSliderUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEventType::ButtonDown:
    case UIEventType::DblClick: {
        if (!IsEnabled())
            return;
        m_valueAtPress = GetValue();
        const UIRect thumb = GetThumbRect();
        const UISize size = GetThumbSize();
        if (thumb.Contains(event.ptMouse)) {
            // Keep the thumb where it was grabbed instead of centring it under the pointer.
            m_grabOffset = IsHorizontal() ? event.ptMouse.x - thumb.left : thumb.bottom - event.ptMouse.y;
        } else {
            m_grabOffset = IsHorizontal() ? size.cx / 2 : size.cy / 2;
            if (SetUserValue(ValueAtPoint(event.ptMouse)))
                SendNotify(notify::kMoveValueChanged);
        }
        m_dragging = true;
        SetThumbState(m_thumbState | UISTATE_PUSHED | UISTATE_CAPTURED);
        return;
    }
    case UIEventType::MouseMove:
        if (m_dragging) {
            if (SetUserValue(ValueAtPoint(event.ptMouse)))
                SendNotify(notify::kMoveValueChanged);
        } else if (IsEnabled()) {
            const bool overThumb = GetThumbRect().Contains(event.ptMouse);
            SetThumbState(overThumb ? (m_thumbState | UISTATE_HOT) : (m_thumbState & ~UISTATE_HOT));
        }
        return;
    case UIEventType::ButtonUp:
        if (m_dragging) {
            if (SetUserValue(ValueAtPoint(event.ptMouse)))
                SendNotify(notify::kMoveValueChanged);
            EndDrag(true);
        }
        return;
    case UIEventType::MouseLeave:
        if (!m_dragging)
            SetThumbState(m_thumbState & ~UISTATE_HOT);
        return;
    case UIEventType::KillFocus:
        // The press can end without a release reaching us (the window lost the pointer);
        // the value the user left is still reported once.
        EndDrag(true);
        CProgressUI::DoEvent(event);
        return;
    case UIEventType::ScrollWheel:
        if (!IsEnabled() || m_dragging)
            return;
        if (SetUserValue(GetValue() + (event.wParam == SB_LINEUP ? m_step : -m_step)))
            SendNotify(notify::kValueChanged);
        return;
    case UIEventType::KeyDown: {
        if (!IsEnabled() || m_dragging) {
            CProgressUI::DoEvent(event);
            return;
        }
        const int range = GetMaxValue() - GetMinValue();
        const int page = std::max(m_step, range / kPageFraction);
        int target = GetValue();
        switch (event.chKey) {
        case VK_LEFT:
        case VK_DOWN: target -= m_step; break;
        case VK_RIGHT:
        case VK_UP: target += m_step; break;
        case VK_PRIOR: target += page; break;
        case VK_NEXT: target -= page; break;
        case VK_HOME: target = GetMinValue(); break;
        case VK_END: target = GetMaxValue(); break;
        default:
            CProgressUI::DoEvent(event);
            return;
        }
        if (SetUserValue(target))
            SendNotify(notify::kValueChanged);
        return;
    }
    default:
        CProgressUI::DoEvent(event);
        return;
    }
}

AttributeResult CSliderUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    if (key == L"step") {
        const auto step = ParseInt(value);
        if (!step)
            return AttributeResult::Malformed;
        SetChangeStep(*step);
        return AttributeResult::Ok;
    }
    if (key == L"thumbsize") {
        const auto size = ParseSize(value, true);
        if (!size)
            return AttributeResult::Malformed;
        SetThumbSize(*size);
        return AttributeResult::Ok;
    }
    if (key == L"trackthickness") {
        const auto thickness = ParseInt(value);
        if (!thickness)
            return AttributeResult::Malformed;
        SetTrackThickness(*thickness);
        return AttributeResult::Ok;
    }
    if (key == L"thumbcolor") {
        const auto color = ParseColor(value);
        if (!color)
            return AttributeResult::Malformed;
        SetThumbColor(*color);
        return AttributeResult::Ok;
    }
    if (key == L"thumbimage") {
        SetThumbImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"thumbhotimage") {
        SetThumbHotImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"thumbpushedimage") {
        SetThumbPushedImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"thumbdisabledimage") {
        SetThumbDisabledImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"sendmove")
        return ParseBool(value) ? AttributeResult::Ok : AttributeResult::Malformed;  // always sent here
    return CProgressUI::SetAttribute(name, value);
}

void CSliderUI::SetThumbImage(const std::wstring& image)
{
    if (image == m_thumbImage)
        return;
    m_thumbImage = image;
    Invalidate();
}

void CSliderUI::SetThumbHotImage(const std::wstring& image)
{
    if (image == m_thumbHotImage)
        return;
    m_thumbHotImage = image;
    Invalidate();
}

void CSliderUI::SetThumbPushedImage(const std::wstring& image)
{
    if (image == m_thumbPushedImage)
        return;
    m_thumbPushedImage = image;
    Invalidate();
}

void CSliderUI::SetThumbDisabledImage(const std::wstring& image)
{
    if (image == m_thumbDisabledImage)
        return;
    m_thumbDisabledImage = image;
    Invalidate();
}

void CSliderUI::SetThumbColor(UIColor color)
{
    if (color == m_thumbColor)
        return;
    m_thumbColor = color;
    Invalidate();
}

void CSliderUI::PaintStatusImage(IRenderContext& context)
{
    const UIRect thumb = GetThumbRect();
    if (m_trackThickness <= 0) {
        CProgressUI::PaintStatusImage(context);
    } else if (GetForeColor() >> 24 != 0) {
        // The fill runs from the minimum's end of the track to the middle of the thumb.
        UIRect fill = TrackRect();
        if (IsHorizontal())
            fill.right = (thumb.left + thumb.right) / 2;
        else
            fill.top = (thumb.top + thumb.bottom) / 2;
        const int radius = GetTrackThickness() / 2;
        if (!fill.IsEmpty())
            context.FillRoundRect(fill, radius, radius, GetForeColor());
    }

    if (thumb.IsEmpty())
        return;
    const std::wstring* image = &m_thumbImage;
    if (!IsEnabled() && !m_thumbDisabledImage.empty())
        image = &m_thumbDisabledImage;
    else if ((m_thumbState & UISTATE_PUSHED) && !m_thumbPushedImage.empty())
        image = &m_thumbPushedImage;
    else if ((m_thumbState & UISTATE_HOT) && !m_thumbHotImage.empty())
        image = &m_thumbHotImage;
    if (!image->empty()) {
        if (DrawImage(context, *image, &thumb))
            return;
    }
    if (m_thumbColor >> 24 != 0)
        context.FillEllipse(thumb, m_thumbColor);
}

}  // namespace dw::ui
