#include "ui/core/CContainerUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CScrollBarUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"

namespace dw::ui {

namespace {
constexpr int kDefaultScrollStep = 8;
}

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI()
{
    // Children first: their destructors reap themselves from the manager while the manager
    // still knows this container.
    RemoveAll();
    delete m_vScroll;
    delete m_hScroll;
}

std::wstring CContainerUI::GetClass() const { return L"ContainerUI"; }

void* CContainerUI::GetInterface(std::wstring_view name)
{
    if (name == L"Container")
        return this;
    return CControlUI::GetInterface(name);
}

// ---- children -------------------------------------------------------------------------------

CControlUI* CContainerUI::GetItemAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}

int CContainerUI::GetItemIndex(CControlUI* control) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), control);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index)
{
    const int current = GetItemIndex(control);
    if (current < 0 || index < 0 || index >= GetCount())
        return false;
    if (current == index)
        return true;
    m_items.erase(m_items.begin() + current);
    m_items.insert(m_items.begin() + index, control);
    NeedUpdate();
    return true;
}

bool CContainerUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CContainerUI::AddAt(CControlUI* control, int index)
{
    if (control == nullptr || control == this || control->GetParent() != nullptr || index < 0 || index > GetCount())
        return false;
    m_items.insert(m_items.begin() + index, control);
    if (m_manager != nullptr)
        m_manager->InitControls(control, this);
    else
        control->SetManager(nullptr, this, false);
    control->SetInternVisible(IsVisible());
    if (IsVisible())
        NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy)
{
    const int index = GetItemIndex(control);
    if (index < 0)
        return false;
    return RemoveAt(index, doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy)
{
    CControlUI* control = GetItemAt(index);
    if (control == nullptr)
        return false;
    CPaintManagerUI* manager = m_manager;
    if (manager != nullptr)
        manager->ReapObjects(control);
    m_items.erase(m_items.begin() + index);
    control->SetManager(nullptr, nullptr, false);
    if (!doNotDestroy && m_autoDestroy) {
        if (manager != nullptr && m_delayedDestroy && manager->IsDispatching())
            manager->AddDelayedCleanup(control);
        else
            delete control;
    }
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll()
{
    while (!m_items.empty()) {
        CControlUI* control = m_items.back();
        if (m_manager != nullptr)
            m_manager->ReapObjects(control);
        m_items.pop_back();
        control->SetManager(nullptr, nullptr, false);
        if (m_autoDestroy) {
            if (m_manager != nullptr && m_delayedDestroy && m_manager->IsDispatching())
                m_manager->AddDelayedCleanup(control);
            else
                delete control;
        }
    }
    if (m_vScroll != nullptr)
        m_vScroll->SetScrollPos(0);
    if (m_hScroll != nullptr)
        m_hScroll->SetScrollPos(0);
    NeedUpdate();
}

// ---- layout parameters ----------------------------------------------------------------------

UIRect CContainerUI::GetInset() const { return Scale(m_inset); }

void CContainerUI::SetInset(const UIRect& inset)
{
    if (m_inset == inset)
        return;
    m_inset = inset;
    NeedUpdate();
}

int CContainerUI::GetChildPadding() const { return Scale(m_childPadding); }

void CContainerUI::SetChildPadding(int padding)
{
    if (padding < 0 || m_childPadding == padding)
        return;
    m_childPadding = padding;
    NeedUpdate();
}

void CContainerUI::SetChildAlign(UINT align)
{
    if (m_childAlign == align)
        return;
    m_childAlign = align;
    NeedUpdate();
}

void CContainerUI::SetChildVAlign(UINT align)
{
    if (m_childVAlign == align)
        return;
    m_childVAlign = align;
    NeedUpdate();
}

// ---- scrolling ------------------------------------------------------------------------------

void CContainerUI::EnableScrollBar(bool enableVertical, bool enableHorizontal)
{
    if (enableVertical && m_vScroll == nullptr) {
        m_vScroll = new CScrollBarUI;
        m_vScroll->SetOwner(this);
        m_vScroll->SetVisible(false);
        m_vScroll->SetManager(m_manager, this, false);
    } else if (!enableVertical && m_vScroll != nullptr) {
        if (m_manager != nullptr)
            m_manager->ReapObjects(m_vScroll);
        delete m_vScroll;
        m_vScroll = nullptr;
    }
    if (enableHorizontal && m_hScroll == nullptr) {
        m_hScroll = new CScrollBarUI;
        m_hScroll->SetHorizontal(true);
        m_hScroll->SetOwner(this);
        m_hScroll->SetVisible(false);
        m_hScroll->SetManager(m_manager, this, false);
    } else if (!enableHorizontal && m_hScroll != nullptr) {
        if (m_manager != nullptr)
            m_manager->ReapObjects(m_hScroll);
        delete m_hScroll;
        m_hScroll = nullptr;
    }
    NeedUpdate();
}

UISize CContainerUI::GetScrollPos() const
{
    UISize pos;
    if (m_vScroll != nullptr && m_vScroll->IsOwnVisible())
        pos.cy = m_vScroll->GetScrollPos();
    if (m_hScroll != nullptr && m_hScroll->IsOwnVisible())
        pos.cx = m_hScroll->GetScrollPos();
    return pos;
}

UISize CContainerUI::GetScrollRange() const
{
    UISize range;
    if (m_vScroll != nullptr && m_vScroll->IsOwnVisible())
        range.cy = m_vScroll->GetScrollRange();
    if (m_hScroll != nullptr && m_hScroll->IsOwnVisible())
        range.cx = m_hScroll->GetScrollRange();
    return range;
}

void CContainerUI::SetScrollPos(UISize pos)
{
    const UISize range = GetScrollRange();
    pos.cx = std::clamp(pos.cx, 0, range.cx);
    pos.cy = std::clamp(pos.cy, 0, range.cy);
    const UISize old = GetScrollPos();
    if (pos == old)
        return;
    if (m_vScroll != nullptr && m_vScroll->IsOwnVisible())
        m_vScroll->SetScrollPos(pos.cy);
    if (m_hScroll != nullptr && m_hScroll->IsOwnVisible())
        m_hScroll->SetScrollPos(pos.cx);
    const UISize offset{old.cx - pos.cx, old.cy - pos.cy};
    for (CControlUI* child : m_items) {
        if (child->IsVisible() && !child->IsFloat())
            child->Move(offset, false);
    }
    Invalidate();
}

int CContainerUI::GetScrollStepSize() const { return Scale(m_scrollStep > 0 ? m_scrollStep : kDefaultScrollStep); }

void CContainerUI::SetScrollStepSize(int step)
{
    if (step > 0)
        m_scrollStep = step;
}

void CContainerUI::LineUp() { SetScrollPos({GetScrollPos().cx, GetScrollPos().cy - GetScrollStepSize()}); }
void CContainerUI::LineDown() { SetScrollPos({GetScrollPos().cx, GetScrollPos().cy + GetScrollStepSize()}); }
void CContainerUI::PageUp()
{
    const int page = std::max(GetClientRect().GetHeight() - GetScrollStepSize(), GetScrollStepSize());
    SetScrollPos({GetScrollPos().cx, GetScrollPos().cy - page});
}
void CContainerUI::PageDown()
{
    const int page = std::max(GetClientRect().GetHeight() - GetScrollStepSize(), GetScrollStepSize());
    SetScrollPos({GetScrollPos().cx, GetScrollPos().cy + page});
}
void CContainerUI::HomeUp() { SetScrollPos({GetScrollPos().cx, 0}); }
void CContainerUI::EndDown() { SetScrollPos({GetScrollPos().cx, GetScrollRange().cy}); }
void CContainerUI::LineLeft() { SetScrollPos({GetScrollPos().cx - GetScrollStepSize(), GetScrollPos().cy}); }
void CContainerUI::LineRight() { SetScrollPos({GetScrollPos().cx + GetScrollStepSize(), GetScrollPos().cy}); }
void CContainerUI::PageLeft()
{
    const int page = std::max(GetClientRect().GetWidth() - GetScrollStepSize(), GetScrollStepSize());
    SetScrollPos({GetScrollPos().cx - page, GetScrollPos().cy});
}
void CContainerUI::PageRight()
{
    const int page = std::max(GetClientRect().GetWidth() - GetScrollStepSize(), GetScrollStepSize());
    SetScrollPos({GetScrollPos().cx + page, GetScrollPos().cy});
}
void CContainerUI::HomeLeft() { SetScrollPos({0, GetScrollPos().cy}); }
void CContainerUI::EndRight() { SetScrollPos({GetScrollRange().cx, GetScrollPos().cy}); }

UIRect CContainerUI::GetClientRect() const
{
    UIRect rc = m_rcItem;
    rc.Deflate(GetInset());
    if (m_vScroll != nullptr && m_vScroll->IsOwnVisible())
        rc.right -= m_vScroll->GetThickness();
    if (m_hScroll != nullptr && m_hScroll->IsOwnVisible())
        rc.bottom -= m_hScroll->GetThickness();
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return rc;
}

void CContainerUI::ProcessScrollBar(UIRect rc, int cxRequired, int cyRequired)
{
    bool relayout = false;
    if (m_vScroll != nullptr) {
        const bool need = cyRequired > rc.GetHeight();
        if (need != m_vScroll->IsOwnVisible()) {
            m_vScroll->SetVisible(need);
            if (!need)
                m_vScroll->SetScrollPos(0);
            relayout = true;
        }
        if (need) {
            m_vScroll->SetScrollRange(cyRequired - rc.GetHeight());
            m_vScroll->SetPos({rc.right, rc.top, rc.right + m_vScroll->GetThickness(), rc.bottom});
        }
    }
    if (m_hScroll != nullptr) {
        const bool need = cxRequired > rc.GetWidth();
        if (need != m_hScroll->IsOwnVisible()) {
            m_hScroll->SetVisible(need);
            if (!need)
                m_hScroll->SetScrollPos(0);
            relayout = true;
        }
        if (need) {
            m_hScroll->SetScrollRange(cxRequired - rc.GetWidth());
            m_hScroll->SetPos({rc.left, rc.bottom, rc.right, rc.bottom + m_hScroll->GetThickness()});
        }
    }
    // Showing or hiding a bar changes the client area once; the second pass cannot flip the
    // bar again because the content size does not depend on it in the other direction.
    static thread_local int depth = 0;
    if (relayout && depth == 0) {
        ++depth;
        SetChildrenPos(GetClientRect());
        --depth;
    }
}

// ---- control overrides ----------------------------------------------------------------------

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    for (CControlUI* child : m_items)
        child->SetManager(manager, this, init);
    if (m_vScroll != nullptr)
        m_vScroll->SetManager(manager, this, false);
    if (m_hScroll != nullptr)
        m_hScroll->SetManager(manager, this, false);
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindControl(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled())
        return nullptr;
    const bool hitTest = (flags & UIFIND_HITTEST) != 0;
    const UIPoint* pt = hitTest ? static_cast<const UIPoint*>(data) : nullptr;
    if (hitTest && !m_rcItem.Contains(*pt))
        return nullptr;
    if (hitTest && !m_mouseChildEnabled)
        return CControlUI::FindControl(proc, data, flags);
    if ((flags & UIFIND_ME_FIRST) != 0) {
        if (CControlUI* me = CControlUI::FindControl(proc, data, flags))
            return me;
    }
    for (CScrollBarUI* bar : {m_vScroll, m_hScroll}) {
        if (bar != nullptr && bar->IsOwnVisible()) {
            if (CControlUI* found = bar->FindControl(proc, data, flags))
                return found;
        }
    }
    const UIRect client = GetClientRect();
    const auto visit = [&](CControlUI* child) -> CControlUI* {
        // Outside the client area only floating children can be hit.
        if (hitTest && !child->IsFloat() && !client.Contains(*pt))
            return nullptr;
        return child->FindControl(proc, data, flags);
    };
    if ((flags & UIFIND_TOP_FIRST) != 0) {
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            if (CControlUI* found = visit(*it))
                return found;
        }
    } else {
        for (CControlUI* child : m_items) {
            if (CControlUI* found = visit(child))
                return found;
        }
    }
    if ((flags & UIFIND_ME_FIRST) == 0)
        return CControlUI::FindControl(proc, data, flags);
    return nullptr;
}

void CContainerUI::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    CControlUI::SetVisible(visible);
    for (CControlUI* child : m_items)
        child->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool visible)
{
    CControlUI::SetInternVisible(visible);
    for (CControlUI* child : m_items)
        child->SetInternVisible(IsVisible());
}

void CContainerUI::SetPos(UIRect rc, bool needInvalidate)
{
    CControlUI::SetPos(rc, needInvalidate);
    SetChildrenPos(GetClientRect());
}

void CContainerUI::SetChildrenPos(const UIRect& client)
{
    const UISize scroll = GetScrollPos();
    int cxNeeded = 0;
    int cyNeeded = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = m_items[static_cast<size_t>(i)];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        UIRect rc = client;
        rc.Deflate(child->GetPadding());
        const UISize want = child->EstimateSize({rc.GetWidth(), rc.GetHeight()});
        int cx = want.cx > 0 ? want.cx : rc.GetWidth();
        int cy = want.cy > 0 ? want.cy : rc.GetHeight();
        cx = std::clamp(cx, child->GetMinWidth(), std::max(child->GetMinWidth(), child->GetMaxWidth()));
        cy = std::clamp(cy, child->GetMinHeight(), std::max(child->GetMinHeight(), child->GetMaxHeight()));
        rc.right = rc.left + cx;
        rc.bottom = rc.top + cy;
        cxNeeded = std::max(cxNeeded, cx + child->GetPadding().left + child->GetPadding().right);
        cyNeeded = std::max(cyNeeded, cy + child->GetPadding().top + child->GetPadding().bottom);
        rc.Offset(-scroll.cx, -scroll.cy);
        child->SetPos(rc, false);
    }
    ProcessScrollBar(client, cxNeeded, cyNeeded);
}

void CContainerUI::SetFloatPos(int index)
{
    CControlUI* child = GetItemAt(index);
    if (child == nullptr || !child->IsFloat())
        return;
    const UIRect pos = child->GetFloatPos();
    const UIFloatPercent& pct = child->GetFloatPercent();
    const int w = m_rcItem.GetWidth();
    const int h = m_rcItem.GetHeight();
    UIRect rc;
    rc.left = m_rcItem.left + pos.left + static_cast<int>(pct.left * w);
    rc.top = m_rcItem.top + pos.top + static_cast<int>(pct.top * h);
    rc.right = m_rcItem.left + pos.right + static_cast<int>(pct.right * w);
    rc.bottom = m_rcItem.top + pos.bottom + static_cast<int>(pct.bottom * h);
    // A pos without a size takes the fixed (or estimated) size.
    const UISize want = child->EstimateSize({w, h});
    if (rc.right <= rc.left)
        rc.right = rc.left + std::max(want.cx, child->GetFixedWidth());
    if (rc.bottom <= rc.top)
        rc.bottom = rc.top + std::max(want.cy, child->GetFixedHeight());
    child->SetPos(rc, false);
}

void CContainerUI::Move(UISize offset, bool needInvalidate)
{
    CControlUI::Move(offset, needInvalidate);
    for (CControlUI* child : m_items) {
        if (child->IsVisible())
            child->Move(offset, false);
    }
    if (m_vScroll != nullptr && m_vScroll->IsOwnVisible())
        m_vScroll->Move(offset, false);
    if (m_hScroll != nullptr && m_hScroll->IsOwnVisible())
        m_hScroll->Move(offset, false);
}

void CContainerUI::DoPaint(IRenderContext& context, const UIRect& paint)
{
    const UIRect area = paint.Intersect(m_rcItem);
    if (area.IsEmpty())
        return;
    CControlUI::DoPaint(context, paint);
    if (!m_items.empty()) {
        const UIRect client = GetClientRect();
        const UIRect clientArea = area.Intersect(client);
        for (CControlUI* child : m_items) {
            if (!child->IsVisible())
                continue;
            const UIRect clip = child->IsFloat() ? area : clientArea;
            if (clip.IsEmpty() || clip.Intersect(child->GetPos()).IsEmpty())
                continue;
            context.PushClip(clip);
            child->DoPaint(context, clip);
            context.PopClip();
        }
    }
    for (CScrollBarUI* bar : {m_vScroll, m_hScroll}) {
        if (bar != nullptr && bar->IsOwnVisible() && !area.Intersect(bar->GetPos()).IsEmpty())
            bar->DoPaint(context, area);
    }
}

void CContainerUI::DoEvent(TEventUI& event)
{
    const bool vertical = m_vScroll != nullptr && m_vScroll->IsOwnVisible();
    const bool horizontal = m_hScroll != nullptr && m_hScroll->IsOwnVisible();
    if (event.Type == UIEventType::ScrollWheel && (vertical || horizontal)) {
        if (vertical)
            event.wParam == SB_LINEUP ? LineUp() : LineDown();
        else
            event.wParam == SB_LINEUP ? LineLeft() : LineRight();
        return;
    }
    if (event.Type == UIEventType::KeyDown && vertical) {
        switch (event.chKey) {
        case VK_UP: LineUp(); return;
        case VK_DOWN: LineDown(); return;
        case VK_PRIOR: PageUp(); return;
        case VK_NEXT: PageDown(); return;
        case VK_HOME: HomeUp(); return;
        case VK_END: EndDown(); return;
        default: break;
        }
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::ReloadText()
{
    CControlUI::ReloadText();
    for (CControlUI* child : m_items)
        child->ReloadText();
}

int CContainerUI::FindSelectable(int index, bool forward) const
{
    if (m_items.empty())
        return -1;
    index = std::clamp(index, 0, GetCount() - 1);
    for (int i = index; i >= 0 && i < GetCount(); i += forward ? 1 : -1) {
        const CControlUI* c = m_items[static_cast<size_t>(i)];
        if (c->IsVisible() && c->IsEnabled())
            return i;
    }
    return -1;
}

AttributeResult CContainerUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    using R = AttributeResult;
    const std::wstring key = ToLowerAscii(name);
    if (key == L"inset") {
        const auto rc = ParseRect(value, true);
        if (!rc)
            return R::Malformed;
        SetInset(*rc);
        return R::Ok;
    }
    if (key == L"childpadding") {
        const auto v = ParseInt(value);
        if (!v || *v < 0)
            return R::Malformed;
        SetChildPadding(*v);
        return R::Ok;
    }
    if (key == L"childalign" || key == L"childvalign") {
        const std::wstring v = ToLowerAscii(value);
        if (key == L"childalign") {
            if (v == L"left")
                SetChildAlign(text::kLeft);
            else if (v == L"center")
                SetChildAlign(text::kCenter);
            else if (v == L"right")
                SetChildAlign(text::kRight);
            else
                return R::Malformed;
        } else {
            if (v == L"top")
                SetChildVAlign(text::kLeft);
            else if (v == L"vcenter" || v == L"center")
                SetChildVAlign(text::kVCenter);
            else if (v == L"bottom")
                SetChildVAlign(text::kBottom);
            else
                return R::Malformed;
        }
        return R::Ok;
    }
    if (key == L"mousechild") {
        const auto v = ParseBool(value);
        if (!v)
            return R::Malformed;
        SetMouseChildEnabled(*v);
        return R::Ok;
    }
    if (key == L"vscrollbar" || key == L"hscrollbar") {
        const auto v = ParseBool(value);
        if (!v)
            return R::Malformed;
        if (key == L"vscrollbar")
            EnableScrollBar(*v, m_hScroll != nullptr);
        else
            EnableScrollBar(m_vScroll != nullptr, *v);
        return R::Ok;
    }
    if (key == L"vscrollbarstyle" || key == L"hscrollbarstyle") {
        const bool vertical = key == L"vscrollbarstyle";
        EnableScrollBar(vertical || m_vScroll != nullptr, !vertical || m_hScroll != nullptr);
        CScrollBarUI* bar = vertical ? m_vScroll : m_hScroll;
        return bar->ApplyAttributeList(value) == R::Malformed ? R::Malformed : R::Ok;
    }
    if (key == L"scrollstepsize") {
        const auto v = ParseInt(value);
        if (!v || *v <= 0)
            return R::Malformed;
        SetScrollStepSize(*v);
        return R::Ok;
    }
    if (key == L"autodestroy" || key == L"delayeddestroy") {
        const auto v = ParseBool(value);
        if (!v)
            return R::Malformed;
        (key == L"autodestroy" ? m_autoDestroy : m_delayedDestroy) = *v;
        return R::Ok;
    }
    return CControlUI::SetAttribute(name, value);
}

}  // namespace dw::ui

namespace dw::ui {

void CContainerUI::LayoutLinear(const UIRect& client, bool horizontal)
{
    // Main axis: x for a row, y for a column. "Len" is the size along it, "cross" across it.
    const auto mainLen = [horizontal](UISize s) { return horizontal ? s.cx : s.cy; };
    const auto crossLen = [horizontal](UISize s) { return horizontal ? s.cy : s.cx; };
    const int clientLen = horizontal ? client.GetWidth() : client.GetHeight();
    const int clientCross = horizontal ? client.GetHeight() : client.GetWidth();
    const int gap = GetChildPadding();
    const UISize scroll = GetScrollPos();

    struct Item {
        CControlUI* control;
        UIRect padding;
        UISize want;
        int len;       // -1 while it shares the rest
        int minLen;
        int maxLen;
    };
    std::vector<Item> items;
    items.reserve(m_items.size());
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = m_items[static_cast<size_t>(i)];
        if (!child->IsVisible())
            continue;
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        Item item{child, child->GetPadding(), {}, -1, 0, 0};
        const int padCross = horizontal ? item.padding.top + item.padding.bottom : item.padding.left + item.padding.right;
        item.want = child->EstimateSize(horizontal ? UISize{0, clientCross - padCross} : UISize{clientCross - padCross, 0});
        item.minLen = horizontal ? child->GetMinWidth() : child->GetMinHeight();
        item.maxLen = std::max(item.minLen, horizontal ? child->GetMaxWidth() : child->GetMaxHeight());
        if (mainLen(item.want) > 0)
            item.len = std::clamp(mainLen(item.want), item.minLen, item.maxLen);
        items.push_back(item);
    }

    const auto padMain = [horizontal](const Item& it) {
        return horizontal ? it.padding.left + it.padding.right : it.padding.top + it.padding.bottom;
    };
    int fixedTotal = items.empty() ? 0 : gap * static_cast<int>(items.size() - 1);
    for (const Item& it : items)
        fixedTotal += padMain(it) + std::max(it.len, 0);

    // Share the rest among the stretching children; one whose share breaks its min or max
    // takes that bound and leaves the sharing, and the rest is shared again.
    int share = 0;
    int stretchCount = 0;
    for (size_t round = 0; round <= items.size(); ++round) {
        stretchCount = 0;
        int used = items.empty() ? 0 : gap * static_cast<int>(items.size() - 1);
        for (const Item& it : items) {
            used += padMain(it);
            if (it.len >= 0)
                used += it.len;
            else
                ++stretchCount;
        }
        if (stretchCount == 0)
            break;
        share = std::max(0, clientLen - used) / stretchCount;
        bool changed = false;
        for (Item& it : items) {
            if (it.len < 0 && (share < it.minLen || share > it.maxLen)) {
                it.len = std::clamp(share, it.minLen, it.maxLen);
                changed = true;
            }
        }
        if (!changed)
            break;
    }
    // The pixels lost to rounding go to the last stretching child.
    int remainder = 0;
    if (stretchCount > 0) {
        int used = items.empty() ? 0 : gap * static_cast<int>(items.size() - 1);
        for (const Item& it : items)
            used += padMain(it) + (it.len >= 0 ? it.len : share);
        remainder = std::max(0, clientLen - used);
    }

    int total = items.empty() ? 0 : gap * static_cast<int>(items.size() - 1);
    for (const Item& it : items)
        total += padMain(it) + (it.len >= 0 ? it.len : share);
    total += remainder;

    // Alignment along the main axis when the children do not fill it.
    int pos = horizontal ? client.left - scroll.cx : client.top - scroll.cy;
    const UINT mainAlign = horizontal ? m_childAlign : m_childVAlign;
    if (total < clientLen) {
        if ((horizontal && mainAlign == text::kCenter) || (!horizontal && mainAlign == text::kVCenter))
            pos += (clientLen - total) / 2;
        else if ((horizontal && mainAlign == text::kRight) || (!horizontal && mainAlign == text::kBottom))
            pos += clientLen - total;
    }

    int crossNeeded = 0;
    int lastStretch = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].len < 0)
            lastStretch = static_cast<int>(i);
    }
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        int len = it.len >= 0 ? it.len : share;
        if (static_cast<int>(i) == lastStretch)
            len += remainder;
        const int padBefore = horizontal ? it.padding.left : it.padding.top;
        const int padAfter = horizontal ? it.padding.right : it.padding.bottom;
        const int crossBefore = horizontal ? it.padding.top : it.padding.left;
        const int crossAfter = horizontal ? it.padding.bottom : it.padding.right;
        const int crossAvail = clientCross - crossBefore - crossAfter;
        const int crossMin = horizontal ? it.control->GetMinHeight() : it.control->GetMinWidth();
        const int crossMax = std::max(crossMin, horizontal ? it.control->GetMaxHeight() : it.control->GetMaxWidth());
        int cross = crossLen(it.want) > 0 ? crossLen(it.want) : crossAvail;
        cross = std::clamp(cross, crossMin, crossMax);
        int crossPos = (horizontal ? client.top - scroll.cy : client.left - scroll.cx) + crossBefore;
        const UINT crossAlign = horizontal ? m_childVAlign : m_childAlign;
        if ((horizontal && crossAlign == text::kVCenter) || (!horizontal && crossAlign == text::kCenter))
            crossPos += (crossAvail - cross) / 2;
        else if ((horizontal && crossAlign == text::kBottom) || (!horizontal && crossAlign == text::kRight))
            crossPos += crossAvail - cross;
        crossNeeded = std::max(crossNeeded, cross + crossBefore + crossAfter);

        pos += padBefore;
        const UIRect rc = horizontal ? UIRect{pos, crossPos, pos + len, crossPos + cross}
                                     : UIRect{crossPos, pos, crossPos + cross, pos + len};
        it.control->SetPos(rc, false);
        pos += len + padAfter + gap;
    }
    if (horizontal)
        ProcessScrollBar(client, total, crossNeeded);
    else
        ProcessScrollBar(client, crossNeeded, total);
}

}  // namespace dw::ui
