#include "ui/core/controls/CTextEditControl.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIMessages.h"
#include "ui/core/UIString.h"

namespace dw::ui {

template <class Base>
CTextEditControl<Base>::CTextEditControl(UINT caretTimerId)
    : m_caretTimerId(caretTimerId)
{
    this->m_cursor = CursorShape::IBeam;
}

template <class Base>
UINT CTextEditControl<Base>::GetControlFlags() const
{
    return this->IsEnabled() ? (UIFLAG_TABSTOP | UIFLAG_SETCURSOR) : 0;
}

template <class Base>
void CTextEditControl<Base>::SetReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    this->Invalidate();
}

template <class Base>
void CTextEditControl<Base>::SetPlaceholder(const std::wstring& text)
{
    if (text == m_placeholder)
        return;
    m_placeholder = text;
    this->Invalidate();
}

template <class Base>
void CTextEditControl<Base>::SetPlaceholderColor(UIColor color)
{
    if (color == m_placeholderColor)
        return;
    m_placeholderColor = color;
    this->Invalidate();
}

template <class Base>
void CTextEditControl<Base>::SetSelectedBkColor(UIColor color)
{
    if (color == m_selectedBkColor)
        return;
    m_selectedBkColor = color;
    this->Invalidate();
}

template <class Base>
void CTextEditControl<Base>::SetCaretColor(UIColor color)
{
    if (color == m_caretColor)
        return;
    m_caretColor = color;
    this->Invalidate();
}

template <class Base>
void CTextEditControl<Base>::SetSel(int start, int end)
{
    const size_t size = m_model.GetText().size();
    m_model.SetSelection(start < 0 ? size : static_cast<size_t>(start), end < 0 ? size : static_cast<size_t>(end));
    CaretMoved();
}

template <class Base>
void CTextEditControl<Base>::SetSelAll()
{
    m_model.SelectAll();
    CaretMoved();
}

template <class Base>
bool CTextEditControl<Base>::Activate()
{
    if (!Base::Activate())
        return false;
    this->SetFocus();
    return true;
}

template <class Base>
void CTextEditControl<Base>::SetEnabled(bool enabled)
{
    Base::SetEnabled(enabled);
    if (!enabled)
        m_selecting = false;
}

template <class Base>
void CTextEditControl<Base>::CaretMoved()
{
    OnCaretMoved();
    if (this->IsFocused()) {
        m_caretShown = true;
        m_blinks = 0;
        this->SetTimer(m_caretTimerId, kCaretBlinkMs);
        CPaintManagerUI* manager = this->GetManager();
        if (manager != nullptr && manager->GetHost() != nullptr)
            manager->GetHost()->SetImeCursorRect(GetCaretRect());
    }
    this->Invalidate();
}

template <class Base>
void CTextEditControl<Base>::TextChanged()
{
    LayoutText();
    CaretMoved();
    this->SendNotify(notify::kTextChanged);
}

template <class Base>
bool CTextEditControl<Base>::HandleOwnKey(UINT key, uint16_t /*keyState*/)
{
    if (key != VK_RETURN)
        return false;
    this->SendNotify(notify::kReturn);
    return true;
}

template <class Base>
void CTextEditControl<Base>::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEventType::SetFocus:
        Base::DoEvent(event);
        CaretMoved();
        return;
    case UIEventType::KillFocus:
        Base::DoEvent(event);
        this->KillTimer(m_caretTimerId);
        m_caretShown = false;
        m_selecting = false;
        this->Invalidate();
        return;
    case UIEventType::Timer:
        if (event.wParam != m_caretTimerId)
            break;
        if (++m_blinks >= kCaretBlinkLimit) {
            this->KillTimer(m_caretTimerId);
            m_caretShown = this->IsFocused();
        } else {
            m_caretShown = !m_caretShown && this->IsFocused();
        }
        this->Invalidate();
        return;
    case UIEventType::ButtonDown:
        if (!this->IsEnabled())
            return;
        if (!this->IsFocused())
            this->SetFocus();
        m_model.SetCaret(PosFromPoint(event.ptMouse), (event.wKeyState & UIKEYSTATE_SHIFT) != 0);
        m_selecting = true;
        CaretMoved();
        return;
    case UIEventType::DblClick:
        if (!this->IsEnabled())
            return;
        // A concealed text has no words to show; a double click takes all of it.
        if (GetEditOptions().concealed)
            m_model.SelectAll();
        else
            m_model.SelectWordAt(PosFromPoint(event.ptMouse));
        m_selecting = false;
        CaretMoved();
        return;
    case UIEventType::MouseMove:
        if (m_selecting) {
            m_model.SetCaret(PosFromPoint(event.ptMouse), true);
            CaretMoved();
        }
        return;
    case UIEventType::ButtonUp:
        m_selecting = false;
        return;
    case UIEventType::KeyDown: {
        if (!this->IsEnabled())
            break;
        if (HandleOwnKey(event.chKey, event.wKeyState))
            return;
        CPaintManagerUI* manager = this->GetManager();
        IUIBackend* backend = manager != nullptr ? manager->GetBackend() : nullptr;
        const EditOutcome out = ApplyEditKey(m_model, event.chKey, event.wKeyState, GetEditOptions(), backend);
        if (!out.handled)
            break;
        if (out.textChanged)
            TextChanged();
        else
            CaretMoved();
        return;
    }
    case UIEventType::Char: {
        if (!this->IsEnabled())
            return;
        const EditOutcome out = ApplyEditChar(m_model, event.chKey, event.wKeyState, GetEditOptions());
        if (out.textChanged)
            TextChanged();
        return;
    }
    default:
        break;
    }
    Base::DoEvent(event);
}

template <class Base>
AttributeResult CTextEditControl<Base>::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    auto setBool = [&](auto&& apply) {
        const auto on = ParseBool(value);
        if (!on)
            return AttributeResult::Malformed;
        apply(*on);
        return AttributeResult::Ok;
    };
    auto setColor = [&](auto&& apply) {
        const auto color = ParseColor(value);
        if (!color)
            return AttributeResult::Malformed;
        apply(*color);
        return AttributeResult::Ok;
    };
    if (key == L"readonly")
        return setBool([this](bool on) { SetReadOnly(on); });
    if (key == L"numberonly")
        return setBool([this](bool on) { SetNumberOnly(on); });
    if (key == L"maxchar") {
        const auto count = ParseInt(value);
        if (!count || *count < 0)
            return AttributeResult::Malformed;
        m_model.SetMaxChars(static_cast<size_t>(*count));
        return AttributeResult::Ok;
    }
    if (key == L"prompttext" || key == L"tipvalue") {
        SetPlaceholder(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"promptcolor" || key == L"tipvaluecolor")
        return setColor([this](UIColor c) { SetPlaceholderColor(c); });
    if (key == L"selectedbkcolor")
        return setColor([this](UIColor c) { SetSelectedBkColor(c); });
    if (key == L"caretcolor")
        return setColor([this](UIColor c) { SetCaretColor(c); });
    if (key == L"text") {
        this->SetText(std::wstring(value));
        return AttributeResult::Ok;
    }
    return Base::SetAttribute(name, value);
}

template <class Base>
void CTextEditControl<Base>::PaintCaret(IRenderContext& context)
{
    if (!this->IsFocused() || !m_caretShown || m_readOnly)
        return;
    const UIColor caret = m_caretColor >> 24 != 0 ? m_caretColor : this->CurrentTextColor();
    context.FillRect(GetCaretRect(), caret);
}

template class CTextEditControl<CLabelUI>;
template class CTextEditControl<CContainerUI>;

}  // namespace dw::ui
