#pragma once

// The panel that holds a device page's key buttons. Dragging with the left button over its
// free area draws a selection rectangle; releasing marks every key button whose rectangle meets
// the selection as selected (and every other one as not selected) and sends
// "click_select_end". A press released without moving selects nothing and sends nothing.

#include "ui/core/CVerticalLayoutUI.h"

namespace dw {

namespace notify {
// Sent by the select panel when a rubber-band selection ends.
inline constexpr const wchar_t* kClickSelectEnd = L"click_select_end";
}  // namespace notify

class CSelectPanelUI : public ui::CVerticalLayoutUI {
public:
    static constexpr const wchar_t* kClassName = L"SelectPanel";
    // Outline of the selection rectangle while it is dragged.
    static constexpr ui::UIColor kSelectionColour = 0xFF3C8CFF;

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    void DoEvent(ui::TEventUI& event) override;
    void DoPaint(ui::IRenderContext& context, const ui::UIRect& paint) override;

    bool IsSelecting() const { return m_selecting; }
    // The rectangle being dragged, normalised (left <= right, top <= bottom); empty when idle.
    const ui::UIRect& GetSelection() const { return m_selection; }

private:
    void UpdateSelection(ui::UIPoint pointer);
    void FinishSelection();

    bool m_selecting = false;
    bool m_moved = false;
    ui::UIPoint m_start;
    ui::UIRect m_selection;
};

}  // namespace dw
