#include "keyboard/ui/CSelectPanelUI.h"

#include <algorithm>

#include "keyboard/ui/CDeviceKeyButtonUI.h"

namespace dw {
namespace {

// Rectangles that share at least one pixel; an empty selection meets nothing.
bool Overlaps(const ui::UIRect& a, const ui::UIRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

std::wstring CSelectPanelUI::GetClass() const { return kClassName; }

void* CSelectPanelUI::GetInterface(std::wstring_view name)
{
    if (name == kClassName)
        return this;
    return ui::CVerticalLayoutUI::GetInterface(name);
}

void CSelectPanelUI::DoEvent(ui::TEventUI& event)
{
    switch (event.Type) {
    case ui::UIEventType::ButtonDown:
        if (IsEnabled() && m_rcItem.Contains(event.ptMouse)) {
            m_selecting = true;
            m_moved = false;
            m_start = event.ptMouse;
            m_selection = {};
        }
        return;
    case ui::UIEventType::MouseMove:
        if (m_selecting)
            UpdateSelection(event.ptMouse);
        return;
    case ui::UIEventType::ButtonUp:
        if (m_selecting) {
            UpdateSelection(event.ptMouse);
            FinishSelection();
        }
        return;
    default:
        break;
    }
    ui::CVerticalLayoutUI::DoEvent(event);
}

void CSelectPanelUI::UpdateSelection(ui::UIPoint pointer)
{
    if (pointer != m_start)
        m_moved = true;
    m_selection = {std::min(m_start.x, pointer.x), std::min(m_start.y, pointer.y), std::max(m_start.x, pointer.x),
                   std::max(m_start.y, pointer.y)};
    Invalidate();
}

void CSelectPanelUI::FinishSelection()
{
    m_selecting = false;
    const ui::UIRect selection = m_selection;
    m_selection = {};
    Invalidate();
    if (!m_moved)
        return;
    for (ui::CControlUI* child : m_items) {
        auto* button = static_cast<CDeviceKeyButtonUI*>(child->GetInterface(CDeviceKeyButtonUI::kClassName));
        if (button != nullptr)
            button->SetSelected(Overlaps(button->GetPos(), selection));
    }
    SendNotify(notify::kClickSelectEnd);
}

void CSelectPanelUI::DoPaint(ui::IRenderContext& context, const ui::UIRect& paint)
{
    ui::CVerticalLayoutUI::DoPaint(context, paint);
    if (m_selecting && !m_selection.IsEmpty())
        context.DrawRect(m_selection, 1, kSelectionColour);
}

}  // namespace dw
