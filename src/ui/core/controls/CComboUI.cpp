#include "ui/core/controls/CComboUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"
#include "ui/core/UIMessages.h"
#include "ui/core/controls/CComboDropDown.h"
#include "ui/core/controls/IListItemUI.h"

namespace dw::ui {

namespace {

constexpr UINT kVkF4 = 0x73;

}  // namespace

CComboUI::CComboUI()
{
    m_info.textPadding = {10, 0, 10, 0};
    m_textPadding = {8, 0, kArrowAreaWidth, 0};
}

CComboUI::~CComboUI()
{
    // The pop-up borrows the items; take them back before they are deleted with the combo.
    if (m_dropDown != nullptr)
        m_dropDown->Dismiss();
}

std::wstring CComboUI::GetClass() const
{
    return L"ComboUI";
}

void* CComboUI::GetInterface(std::wstring_view name)
{
    if (name == L"Combo")
        return this;
    if (name == L"IListOwner")
        return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CComboUI::GetControlFlags() const
{
    return IsEnabled() ? UIFLAG_TABSTOP : 0;
}

// ---- items ----------------------------------------------------------------------------------

bool CComboUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CComboUI::AddAt(CControlUI* control, int index)
{
    index = std::clamp(index, 0, GetCount());
    if (!CContainerUI::AddAt(control, index))
        return false;
    m_selection.ItemInserted(index);
    if (m_dropDown != nullptr)
        m_dropDown->Refresh();
    return true;
}

bool CComboUI::Remove(CControlUI* control, bool doNotDestroy)
{
    const int index = GetItemIndex(control);
    return index >= 0 && RemoveAt(index, doNotDestroy);
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy)
{
    if (index < 0 || index >= GetCount())
        return false;
    // Items in an open list are on another window; close it before the item goes.
    CloseDropDown();
    m_selection.DetachItem(index);
    if (!CContainerUI::RemoveAt(index, doNotDestroy))
        return false;
    m_selection.ItemRemoved(index);
    Invalidate();
    return true;
}

void CComboUI::RemoveAll()
{
    CloseDropDown();
    m_selection.Clear();
    CContainerUI::RemoveAll();
    Invalidate();
}

bool CComboUI::SetItemIndex(CControlUI* control, int index)
{
    CControlUI* selected = m_selection.SelectedItem();
    if (!CContainerUI::SetItemIndex(control, index))
        return false;
    m_selection.ItemsReordered(selected);
    return true;
}

// ---- selection ------------------------------------------------------------------------------

bool CComboUI::SelectItem(int index, bool takeFocus, bool notify)
{
    if (index < -1 || index >= GetCount())
        return false;
    if (index >= 0) {
        CControlUI* control = GetItemAt(index);
        if (CListSelection::AsListItem(control) == nullptr || !control->IsOwnVisible() || !control->IsEnabled())
            return false;
    }
    if (takeFocus && IsEnabled() && m_dropDown == nullptr)
        SetFocus();
    if (index == GetCurSel())
        return true;
    const int previous = m_selection.MoveTo(index);
    if (m_dropDown != nullptr)
        m_dropDown->EnsureVisible(index);
    Invalidate();
    if (notify)
        SendNotify(notify::kItemSelect, static_cast<WPARAM>(index), previous);
    return true;
}

int CComboUI::FindSelectableItem(int from, bool forward) const
{
    // Items of a combo are never laid out here, so only their own visibility counts.
    for (int i = from; i >= 0 && i < GetCount(); i += forward ? 1 : -1) {
        CControlUI* control = GetItemAt(i);
        if (control->IsOwnVisible() && control->IsEnabled() && CListSelection::AsListItem(control) != nullptr)
            return i;
    }
    return -1;
}

bool CComboUI::HandleSelectionKey(UINT key)
{
    int target = -1;
    switch (key) {
    case VK_UP:
        target = FindSelectableItem(GetCurSel() < 0 ? GetCount() - 1 : GetCurSel() - 1, false);
        break;
    case VK_DOWN:
        target = FindSelectableItem(GetCurSel() < 0 ? 0 : GetCurSel() + 1, true);
        break;
    case VK_HOME:
        target = FindSelectableItem(0, true);
        break;
    case VK_END:
        target = FindSelectableItem(GetCount() - 1, false);
        break;
    default:
        return false;
    }
    if (target >= 0)
        SelectItem(target, false, true);
    return true;
}

// ---- drop-down ------------------------------------------------------------------------------

bool CComboUI::IsDropDownOpen() const
{
    return m_dropDown != nullptr;
}

bool CComboUI::OpenDropDown()
{
    if (m_dropDown != nullptr)
        return true;
    if (!IsVisible() || !IsEnabled() || m_manager == nullptr)
        return false;
    auto* dropDown = new CComboDropDown(*this);
    m_dropDown = dropDown;
    if (!dropDown->Open()) {
        // Open failed before a window existed; the object is ours to delete.
        m_dropDown = nullptr;
        delete dropDown;
        return false;
    }
    SetButtonState(m_buttonState | UISTATE_PUSHED);
    SendNotify(notify::kDropDown);
    return true;
}

void CComboUI::CloseDropDown()
{
    if (m_dropDown != nullptr)
        m_dropDown->Dismiss();
}

void CComboUI::OnDropDownPick(int index)
{
    SelectItem(index, false, true);
    if (m_dropDown != nullptr)
        m_dropDown->CloseLater();
}

void CComboUI::OnDropDownClosed()
{
    m_dropDown = nullptr;
    SetButtonState(m_buttonState & ~UISTATE_PUSHED);
    Invalidate();
}

UIRect CComboUI::ComputeDropBoxRect(const UIRect& combo, const UIRect& workArea) const
{
    const int width = m_dropBoxSize.cx > 0 ? Scale(m_dropBoxSize.cx) : combo.GetWidth();
    int height = Scale(m_dropBoxSize.cy);
    if (height <= 0) {
        // Fit the items, up to a limit beyond which the list scrolls.
        int itemsHeight = 0;
        for (int i = 0; i < GetCount(); ++i) {
            CControlUI* item = GetItemAt(i);
            if (!item->IsOwnVisible())
                continue;
            const UISize size = item->EstimateSize({width, 0});
            itemsHeight += size.cy > 0 ? size.cy : Scale(m_info.itemHeight > 0 ? m_info.itemHeight : 24);
        }
        height = std::clamp(itemsHeight + 2, Scale(24), Scale(kMaxAutoDropHeight));
    }
    UIRect rc{combo.left, combo.bottom, combo.left + width, combo.bottom + height};
    // No room below: open upwards, when there is more room above.
    if (!workArea.IsEmpty() && rc.bottom > workArea.bottom && combo.top - workArea.top > workArea.bottom - combo.bottom)
        rc = {combo.left, combo.top - height, combo.left + width, combo.top};
    if (!workArea.IsEmpty() && rc.right > workArea.right)
        rc.Offset(std::max(workArea.left, workArea.right - width) - rc.left, 0);
    return rc;
}

// ---- input ----------------------------------------------------------------------------------

void CComboUI::DoInit()
{
    if (m_initialSel >= 0 && GetCurSel() < 0)
        SelectItem(m_initialSel, false, false);
    m_initialSel = -1;
}

bool CComboUI::Activate()
{
    if (!CContainerUI::Activate())
        return false;
    return OpenDropDown();
}

void CComboUI::SetButtonState(UINT state)
{
    if (state == m_buttonState)
        return;
    m_buttonState = state;
    Invalidate();
}

void CComboUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (IsEnabled()) {
            SetFocus();
            if (m_dropDown != nullptr)
                CloseDropDown();
            else
                Activate();
        }
        return;
    case UIEventType::ButtonUp:
        return;
    case UIEventType::MouseEnter:
        if (IsEnabled())
            SetButtonState(m_buttonState | UISTATE_HOT);
        return;
    case UIEventType::MouseLeave:
        SetButtonState(m_buttonState & ~UISTATE_HOT);
        return;
    case UIEventType::ScrollWheel:
        if (m_dropDown != nullptr) {
            m_dropDown->Scroll(event.wParam == SB_LINEUP);
            return;
        }
        if (IsEnabled())
            HandleSelectionKey(event.wParam == SB_LINEUP ? VK_UP : VK_DOWN);
        return;
    case UIEventType::KeyDown: {
        if (!IsEnabled())
            break;
        const bool alt = (event.wKeyState & UIKEYSTATE_ALT) != 0;
        if (m_dropDown != nullptr) {
            if (event.chKey == VK_ESCAPE || event.chKey == VK_RETURN || event.chKey == kVkF4 ||
                (alt && event.chKey == VK_UP)) {
                CloseDropDown();
                return;
            }
            if (HandleSelectionKey(event.chKey))
                return;
            break;
        }
        if (event.chKey == VK_RETURN || event.chKey == VK_SPACE || event.chKey == kVkF4 ||
            (alt && event.chKey == VK_DOWN)) {
            Activate();
            return;
        }
        if (HandleSelectionKey(event.chKey))
            return;
        break;
    }
    case UIEventType::KillFocus:
        CContainerUI::DoEvent(event);
        return;
    default:
        break;
    }
    CContainerUI::DoEvent(event);
}

// ---- tree and geometry ----------------------------------------------------------------------

void CComboUI::SetEnabled(bool enabled)
{
    if (!enabled)
        CloseDropDown();
    CContainerUI::SetEnabled(enabled);
}

void CComboUI::SetVisible(bool visible)
{
    if (!visible)
        CloseDropDown();
    CContainerUI::SetVisible(visible);
}

void CComboUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    if (manager != m_manager)
        CloseDropDown();
    CContainerUI::SetManager(manager, parent, init);
}

CControlUI* CComboUI::FindControl(FindControlProc proc, void* data, UINT flags)
{
    // Hit tests stop at the combo: its items are not on this window. Searches by name or
    // class still reach them.
    if ((flags & UIFIND_HITTEST) != 0)
        return CControlUI::FindControl(proc, data, flags);
    return CContainerUI::FindControl(proc, data, flags);
}

void CComboUI::SetPos(UIRect rc, bool needInvalidate)
{
    // The items are laid out by the pop-up, not inside the combo.
    CControlUI::SetPos(rc, needInvalidate);
}

void CComboUI::Move(UISize offset, bool needInvalidate)
{
    CControlUI::Move(offset, needInvalidate);
}

UISize CComboUI::EstimateSize(UISize available)
{
    return CControlUI::EstimateSize(available);
}

std::wstring CComboUI::GetText() const
{
    if (GetCurSel() < 0 || GetCurSel() >= GetCount())
        return {};
    return GetItemAt(GetCurSel())->GetText();
}

// ---- painting -------------------------------------------------------------------------------

void CComboUI::DoPaint(IRenderContext& context, const UIRect& paint)
{
    // Only the combo itself: its items are painted by the pop-up.
    CControlUI::DoPaint(context, paint);
}

UIRect CComboUI::ArrowRect() const
{
    const UIRect& rc = GetPos();
    const int width = std::min(Scale(kArrowAreaWidth), rc.GetWidth());
    return {rc.right - width, rc.top, rc.right, rc.bottom};
}

void CComboUI::PaintStatusImage(IRenderContext& context)
{
    const std::wstring* image = &m_normalImage;
    if (!IsEnabled() && !m_disabledImage.empty())
        image = &m_disabledImage;
    else if ((m_buttonState & UISTATE_PUSHED) != 0 && !m_pushedImage.empty())
        image = &m_pushedImage;
    else if ((m_buttonState & UISTATE_HOT) != 0 && !m_hotImage.empty())
        image = &m_hotImage;
    else if (IsFocused() && !m_focusedImage.empty())
        image = &m_focusedImage;
    if (!image->empty())
        DrawImage(context, *image);

    const UIRect arrow = ArrowRect();
    if (!m_arrowImage.empty()) {
        DrawImage(context, m_arrowImage, &arrow);
        return;
    }
    // A chevron in the arrow area, pointing up while the list is open.
    const UIColor color = m_arrowColor >> 24 != 0 ? m_arrowColor : CurrentTextColor();
    const int cx = (arrow.left + arrow.right) / 2;
    const int cy = (arrow.top + arrow.bottom) / 2;
    const int half = Scale(4);
    const int rise = Scale(2);
    const int dir = m_dropDown != nullptr ? -1 : 1;
    context.DrawLine({cx - half, cy - dir * rise}, {cx, cy + dir * rise}, Scale(2) > 1 ? Scale(2) : 1, color);
    context.DrawLine({cx, cy + dir * rise}, {cx + half, cy - dir * rise}, Scale(2) > 1 ? Scale(2) : 1, color);
}

void CComboUI::PaintText(IRenderContext& context)
{
    if (GetCurSel() < 0 || GetCurSel() >= GetCount())
        return;
    CControlUI* control = GetItemAt(GetCurSel());
    IListItemUI* item = CListSelection::AsListItem(control);
    if (item == nullptr)
        return;
    UIRect rc = GetPos();
    rc.Deflate(GetTextPadding());
    if (GetTextColor() >> 24 == 0) {
        item->DrawItemText(context, rc);
        return;
    }
    // The combo's own colour and font win over the items' look for the closed combo.
    context.DrawText(control->GetText(), rc, GetFontSpec(), CurrentTextColor(),
                     (GetTextStyle() | text::kSingleLine | text::kNoPrefix | text::kEndEllipsis));
}

void CComboUI::PaintBorder(IRenderContext& context)
{
    if ((m_buttonState & (UISTATE_HOT | UISTATE_PUSHED)) != 0 && m_hotBorderColor >> 24 != 0 && GetBorderSize() > 0) {
        const UISize round = GetBorderRound();
        context.DrawRect(GetPos(), GetBorderSize(), m_hotBorderColor, round.cx, round.cy);
        return;
    }
    CContainerUI::PaintBorder(context);
}

// ---- attributes -----------------------------------------------------------------------------

#define DW_COMBO_IMAGE_SETTER(Name, member) \
    void CComboUI::Name(const std::wstring& image) \
    {                                              \
        if (member == image)                       \
            return;                                \
        member = image;                            \
        Invalidate();                              \
    }

DW_COMBO_IMAGE_SETTER(SetNormalImage, m_normalImage)
DW_COMBO_IMAGE_SETTER(SetHotImage, m_hotImage)
DW_COMBO_IMAGE_SETTER(SetPushedImage, m_pushedImage)
DW_COMBO_IMAGE_SETTER(SetFocusedImage, m_focusedImage)
DW_COMBO_IMAGE_SETTER(SetDisabledImage, m_disabledImage)
DW_COMBO_IMAGE_SETTER(SetArrowImage, m_arrowImage)
#undef DW_COMBO_IMAGE_SETTER

void CComboUI::SetArrowColor(UIColor color)
{
    if (color == m_arrowColor)
        return;
    m_arrowColor = color;
    Invalidate();
}

void CComboUI::SetHotBorderColor(UIColor color)
{
    if (color == m_hotBorderColor)
        return;
    m_hotBorderColor = color;
    Invalidate();
}

AttributeResult CComboUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    if (const auto result = SetListInfoAttribute(m_info, name, value)) {
        Invalidate();
        return *result;
    }
    if (key == L"dropboxsize") {
        const auto size = ParseSize(value);
        if (!size)
            return AttributeResult::Malformed;
        SetDropBoxSize(*size);
        return AttributeResult::Ok;
    }
    if (key == L"dropbox") {
        SetDropBoxAttributeList(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"arrowcolor" || key == L"hotbordercolor") {
        const auto color = ParseColor(value);
        if (!color)
            return AttributeResult::Malformed;
        if (key == L"arrowcolor")
            SetArrowColor(*color);
        else
            SetHotBorderColor(*color);
        return AttributeResult::Ok;
    }
    if (key == L"normalimage") {
        SetNormalImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"hotimage") {
        SetHotImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"pushedimage") {
        SetPushedImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"focusedimage") {
        SetFocusedImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"disabledimage") {
        SetDisabledImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"arrowimage") {
        SetArrowImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"cursel") {
        // The builder sets attributes before it adds the items; DoInit applies it.
        const auto index = ParseInt(value);
        if (!index)
            return AttributeResult::Malformed;
        if (!SelectItem(*index, false, false))
            m_initialSel = *index;
        return AttributeResult::Ok;
    }
    return CContainerUI::SetAttribute(name, value);
}

}  // namespace dw::ui
