#include "ui/core/controls/CListItemState.h"

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

void CListItemState::Select(bool select)
{
    if (select == m_selected)
        return;
    m_selected = select;
    m_item.Invalidate();
}

void CListItemState::PaintBackground(IRenderContext& context)
{
    const TListInfoUI* info = m_owner != nullptr ? m_owner->GetListInfo() : nullptr;
    if (info == nullptr)
        return;
    const UIRect& rc = m_item.GetPos();
    UIColor color = info->bkColor;
    const std::wstring* image = &info->bkImage;
    if (!m_item.IsEnabled()) {
        color = info->disabledBkColor;
        image = &info->disabledImage;
    } else if (m_selected) {
        color = info->selectedBkColor;
        image = &info->selectedImage;
    } else if (m_hot) {
        color = info->hotBkColor;
        image = &info->hotImage;
    } else if (info->alternateBk && m_index % 2 == 1) {
        color = info->alternateBkColor;
    }
    if (color >> 24 != 0)
        context.FillRect(rc, color);
    if (!image->empty())
        m_item.DrawImage(context, *image);
    if (info->lineColor >> 24 != 0)
        context.FillRect({rc.left, rc.bottom - 1, rc.right, rc.bottom}, info->lineColor);
}

UIColor CListItemState::TextColor() const
{
    const TListInfoUI* info = m_owner != nullptr ? m_owner->GetListInfo() : nullptr;
    if (info == nullptr)
        return 0;
    UIColor color = 0;
    if (!m_item.IsEnabled())
        color = info->disabledTextColor;
    else if (m_selected)
        color = info->selectedTextColor;
    else if (m_hot)
        color = info->hotTextColor;
    return color >> 24 != 0 ? color : info->textColor;
}

int CListItemState::DefaultHeight() const
{
    const TListInfoUI* info = m_owner != nullptr ? m_owner->GetListInfo() : nullptr;
    const int height = info != nullptr && info->itemHeight > 0 ? info->itemHeight : kFallbackItemHeight;
    return m_item.Scale(height);
}

void CListItemState::Notify(const wchar_t* type)
{
    if (CPaintManagerUI* manager = m_item.GetManager())
        manager->SendNotify(&m_item, type);
}

bool CListItemState::HandleEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEventType::ButtonDown:
    case UIEventType::RButtonDown:
        if (!m_item.IsEnabled())
            return true;
        m_pressed = event.Type == UIEventType::ButtonDown;
        if (m_owner != nullptr)
            m_owner->SelectItem(m_index, true);
        return true;
    case UIEventType::ButtonUp:
        if (m_pressed && m_item.IsEnabled() && m_item.GetPos().Contains(event.ptMouse))
            Notify(notify::kItemClick);
        m_pressed = false;
        return true;
    case UIEventType::DblClick:
        if (!m_item.IsEnabled())
            return true;
        // The double click's own press: keep the selection, then activate.
        m_pressed = true;
        if (m_owner != nullptr)
            m_owner->SelectItem(m_index, true);
        Notify(notify::kItemActivate);
        return true;
    case UIEventType::MouseEnter:
        if (m_item.IsEnabled() && !m_hot) {
            m_hot = true;
            m_item.Invalidate();
        }
        return false;
    case UIEventType::MouseLeave:
        if (m_hot) {
            m_hot = false;
            m_item.Invalidate();
        }
        return false;
    case UIEventType::KeyDown:
    case UIEventType::ScrollWheel:
        if (m_owner != nullptr) {
            m_owner->DoEvent(event);
            return true;
        }
        return false;
    default:
        return false;
    }
}

}  // namespace dw::ui
