#include "ui/core/CScrollBarUI.h"

#include <algorithm>

#include "ui/core/CContainerUI.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIString.h"

namespace dw::ui {

namespace {
constexpr int kPageRepeat = 2;
constexpr int kWheelLines = 3;
}  // namespace

CScrollBarUI::CScrollBarUI() { m_bkColor = 0xFFF0F0F0; }

std::wstring CScrollBarUI::GetClass() const { return L"ScrollBarUI"; }

void* CScrollBarUI::GetInterface(std::wstring_view name)
{
    if (name == L"ScrollBar")
        return this;
    return CControlUI::GetInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal)
{
    if (m_horizontal == horizontal)
        return;
    m_horizontal = horizontal;
    if (m_fixed.cx == 0 && m_fixed.cy == 0)
        NeedParentUpdate();
}

void CScrollBarUI::SetScrollRange(int range)
{
    range = std::max(range, 0);
    if (m_range == range)
        return;
    m_range = range;
    m_scrollPos = std::clamp(m_scrollPos, 0, m_range);
    SetPos(m_rcItem, false);
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int pos)
{
    pos = std::clamp(pos, 0, m_range);
    if (m_scrollPos == pos)
        return;
    m_scrollPos = pos;
    SetPos(m_rcItem, false);
    Invalidate();
}

int CScrollBarUI::GetLineSize() const { return Scale(m_lineSize); }

void CScrollBarUI::SetLineSize(int size)
{
    if (size > 0)
        m_lineSize = size;
}

void CScrollBarUI::SetShowButton1(bool show)
{
    if (m_showButton1 == show)
        return;
    m_showButton1 = show;
    SetPos(m_rcItem, false);
    Invalidate();
}

void CScrollBarUI::SetShowButton2(bool show)
{
    if (m_showButton2 == show)
        return;
    m_showButton2 = show;
    SetPos(m_rcItem, false);
    Invalidate();
}

int CScrollBarUI::GetThickness() const
{
    const int fixed = m_horizontal ? GetFixedHeight() : GetFixedWidth();
    return fixed > 0 ? fixed : Scale(m_thickness);
}

void CScrollBarUI::SetPos(UIRect rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    const int thick = m_horizontal ? rc.GetHeight() : rc.GetWidth();
    const int length = m_horizontal ? rc.GetWidth() : rc.GetHeight();
    // Arrow buttons are squares at both ends; they shrink when the bar is too short for them.
    const int b1 = m_showButton1 ? std::min(thick, length / 2) : 0;
    const int b2 = m_showButton2 ? std::min(thick, length / 2) : 0;
    if (m_horizontal) {
        m_rcButton1 = {rc.left, rc.top, rc.left + b1, rc.bottom};
        m_rcButton2 = {rc.right - b2, rc.top, rc.right, rc.bottom};
    } else {
        m_rcButton1 = {rc.left, rc.top, rc.right, rc.top + b1};
        m_rcButton2 = {rc.left, rc.bottom - b2, rc.right, rc.bottom};
    }
    const int railStart = (m_horizontal ? rc.left : rc.top) + b1;
    const int railLen = std::max(0, length - b1 - b2);
    // The thumb is to the rail what the visible page is to the whole content.
    int page = railLen;
    if (m_owner != nullptr)
        page = m_horizontal ? m_owner->GetClientRect().GetWidth() : m_owner->GetClientRect().GetHeight();
    int thumbLen = railLen;
    if (m_range > 0 && page + m_range > 0)
        thumbLen = static_cast<int>(static_cast<long long>(railLen) * page / (page + m_range));
    thumbLen = std::min(railLen, std::max(thumbLen, Scale(kMinThumb)));
    const int travel = railLen - thumbLen;
    const int thumbStart =
        railStart + (m_range > 0 ? static_cast<int>(static_cast<long long>(travel) * m_scrollPos / m_range) : 0);
    if (m_horizontal)
        m_rcThumb = {thumbStart, rc.top, thumbStart + thumbLen, rc.bottom};
    else
        m_rcThumb = {rc.left, thumbStart, rc.right, thumbStart + thumbLen};
}

void CScrollBarUI::ApplyPos(int pos)
{
    pos = std::clamp(pos, 0, m_range);
    if (pos == m_scrollPos)
        return;
    if (m_owner != nullptr) {
        UISize ownerPos = m_owner->GetScrollPos();
        (m_horizontal ? ownerPos.cx : ownerPos.cy) = pos;
        m_owner->SetScrollPos(ownerPos);
    } else {
        SetScrollPos(pos);
        SendNotify(notify::kScroll, static_cast<WPARAM>(m_scrollPos));
    }
}

void CScrollBarUI::ScrollBy(int delta) { ApplyPos(m_scrollPos + delta); }

void CScrollBarUI::DoEvent(TEventUI& event)
{
    const UIPoint pt = event.ptMouse;
    const int page = std::max(GetLineSize(), (m_horizontal ? m_rcItem.GetWidth() : m_rcItem.GetHeight()) - GetLineSize());
    switch (event.Type) {
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (!IsEnabled())
            return;
        m_repeatDirection = 0;
        if (m_rcButton1.Contains(pt)) {
            m_button1State |= UISTATE_PUSHED;
            m_repeatDirection = -1;
            ScrollBy(-GetLineSize());
        } else if (m_rcButton2.Contains(pt)) {
            m_button2State |= UISTATE_PUSHED;
            m_repeatDirection = 1;
            ScrollBy(GetLineSize());
        } else if (m_rcThumb.Contains(pt)) {
            m_thumbState |= UISTATE_CAPTURED | UISTATE_PUSHED;
            m_dragStart = pt;
            m_dragStartPos = m_scrollPos;
        } else {
            const bool before = m_horizontal ? pt.x < m_rcThumb.left : pt.y < m_rcThumb.top;
            m_repeatDirection = before ? -kPageRepeat : kPageRepeat;
            ScrollBy(before ? -page : page);
        }
        if (m_repeatDirection != 0)
            SetTimer(kRepeatTimerId, kRepeatDelayMs);
        Invalidate();
        return;
    case UIEventType::ButtonUp:
        if (m_repeatDirection != 0) {
            KillTimer(kRepeatTimerId);
            m_repeatDirection = 0;
        }
        m_button1State &= ~UISTATE_PUSHED;
        m_button2State &= ~UISTATE_PUSHED;
        m_thumbState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
        Invalidate();
        return;
    case UIEventType::MouseMove:
        if ((m_thumbState & UISTATE_CAPTURED) != 0) {
            const int railLen = m_horizontal ? m_rcButton2.left - m_rcButton1.right : m_rcButton2.top - m_rcButton1.bottom;
            const int travel = railLen - (m_horizontal ? m_rcThumb.GetWidth() : m_rcThumb.GetHeight());
            if (travel > 0) {
                const int moved = m_horizontal ? pt.x - m_dragStart.x : pt.y - m_dragStart.y;
                ApplyPos(m_dragStartPos + static_cast<int>(static_cast<long long>(moved) * m_range / travel));
            }
            return;
        }
        {
            const UINT old = m_thumbState;
            if (m_rcThumb.Contains(pt))
                m_thumbState |= UISTATE_HOT;
            else
                m_thumbState &= ~UISTATE_HOT;
            if (old != m_thumbState)
                Invalidate();
        }
        return;
    case UIEventType::Timer:
        if (event.wParam == kRepeatTimerId && m_repeatDirection != 0) {
            const int step = (m_repeatDirection == -1 || m_repeatDirection == 1) ? GetLineSize() : page;
            ScrollBy(m_repeatDirection < 0 ? -step : step);
        }
        return;
    case UIEventType::ScrollWheel:
        if (m_owner != nullptr) {
            m_owner->DoEvent(event);
        } else {
            ScrollBy((event.wParam == SB_LINEUP ? -1 : 1) * kWheelLines * GetLineSize());
        }
        return;
    case UIEventType::MouseLeave:
        m_thumbState &= ~UISTATE_HOT;
        Invalidate();
        return;
    default:
        CControlUI::DoEvent(event);
        return;
    }
}

void CScrollBarUI::PaintPart(IRenderContext& context, const UIRect& rc, UINT state, const std::wstring& normal,
                             const std::wstring& hot, const std::wstring& pushed, const std::wstring& disabled,
                             UIColor fill)
{
    if (rc.IsEmpty())
        return;
    const std::wstring* image = &normal;
    if (!IsEnabled() && !disabled.empty())
        image = &disabled;
    else if ((state & UISTATE_PUSHED) != 0 && !pushed.empty())
        image = &pushed;
    else if ((state & UISTATE_HOT) != 0 && !hot.empty())
        image = &hot;
    if (!image->empty() && DrawImage(context, *image, &rc))
        return;
    if (fill != 0)
        context.FillRect(rc, fill);
}

void CScrollBarUI::PaintBkImage(IRenderContext& context)
{
    if (!m_bkNormal.empty())
        DrawImage(context, m_bkNormal);
    CControlUI::PaintBkImage(context);
}

void CScrollBarUI::PaintStatusImage(IRenderContext& context)
{
    PaintPart(context, m_rcButton1, m_button1State, m_button1Normal, m_button1Hot, m_button1Pushed, m_button1Disabled,
              m_buttonColor);
    PaintPart(context, m_rcButton2, m_button2State, m_button2Normal, m_button2Hot, m_button2Pushed, m_button2Disabled,
              m_buttonColor);
    if (m_range > 0) {
        PaintPart(context, m_rcThumb, m_thumbState, m_thumbNormal, m_thumbHot, m_thumbPushed, m_thumbDisabled,
                  m_thumbColor);
        if (!m_railNormal.empty())
            DrawImage(context, m_railNormal, &m_rcThumb);
    }
}

void CScrollBarUI::PaintBorder(IRenderContext& context) { CControlUI::PaintBorder(context); }

AttributeResult CScrollBarUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    using R = AttributeResult;
    const std::wstring key = ToLowerAscii(name);
    struct ImageAttr {
        const wchar_t* name;
        std::wstring CScrollBarUI::*member;
    };
    static const ImageAttr kImages[] = {
        {L"button1normalimage", &CScrollBarUI::m_button1Normal}, {L"button1hotimage", &CScrollBarUI::m_button1Hot},
        {L"button1pushedimage", &CScrollBarUI::m_button1Pushed}, {L"button1disabledimage", &CScrollBarUI::m_button1Disabled},
        {L"button2normalimage", &CScrollBarUI::m_button2Normal}, {L"button2hotimage", &CScrollBarUI::m_button2Hot},
        {L"button2pushedimage", &CScrollBarUI::m_button2Pushed}, {L"button2disabledimage", &CScrollBarUI::m_button2Disabled},
        {L"thumbnormalimage", &CScrollBarUI::m_thumbNormal},     {L"thumbhotimage", &CScrollBarUI::m_thumbHot},
        {L"thumbpushedimage", &CScrollBarUI::m_thumbPushed},     {L"thumbdisabledimage", &CScrollBarUI::m_thumbDisabled},
        {L"railnormalimage", &CScrollBarUI::m_railNormal},       {L"bknormalimage", &CScrollBarUI::m_bkNormal},
    };
    for (const auto& attr : kImages) {
        if (key == attr.name) {
            if (!ParseImageAttribute(value))
                return R::Malformed;
            this->*attr.member = std::wstring(value);
            Invalidate();
            return R::Ok;
        }
    }
    if (key == L"hor" || key == L"showbutton1" || key == L"showbutton2") {
        const auto v = ParseBool(value);
        if (!v)
            return R::Malformed;
        if (key == L"hor")
            SetHorizontal(*v);
        else if (key == L"showbutton1")
            SetShowButton1(*v);
        else
            SetShowButton2(*v);
        return R::Ok;
    }
    if (key == L"linesize" || key == L"range" || key == L"value" || key == L"thickness") {
        const auto v = ParseInt(value);
        if (!v || *v < 0)
            return R::Malformed;
        if (key == L"linesize")
            SetLineSize(*v);
        else if (key == L"range")
            SetScrollRange(*v);
        else if (key == L"value")
            SetScrollPos(*v);
        else if (*v > 0)
            m_thickness = *v;
        return R::Ok;
    }
    if (key == L"thumbcolor" || key == L"buttoncolor") {
        const auto v = ParseColor(value);
        if (!v)
            return R::Malformed;
        (key == L"thumbcolor" ? m_thumbColor : m_buttonColor) = *v;
        Invalidate();
        return R::Ok;
    }
    return CControlUI::SetAttribute(name, value);
}

}  // namespace dw::ui
