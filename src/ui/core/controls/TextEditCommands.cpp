#include "ui/core/controls/TextEditCommands.h"

#include "ui/core/TEventUI.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

namespace {

constexpr UINT kKeyA = 'A';
constexpr UINT kKeyC = 'C';
constexpr UINT kKeyV = 'V';
constexpr UINT kKeyX = 'X';

}  // namespace

EditOutcome ApplyEditKey(CTextEditModel& model, UINT key, uint16_t keyState, const EditOptions& options,
                         IUIBackend* clipboard)
{
    const bool shift = (keyState & UIKEYSTATE_SHIFT) != 0;
    const bool ctrl = (keyState & UIKEYSTATE_CONTROL) != 0;
    EditOutcome out;
    out.handled = true;
    switch (key) {
    case VK_LEFT:
        if (ctrl && !options.concealed)
            model.MoveWordLeft(shift);
        else
            model.MoveLeft(shift);
        return out;
    case VK_RIGHT:
        if (ctrl && !options.concealed)
            model.MoveWordRight(shift);
        else
            model.MoveRight(shift);
        return out;
    case VK_HOME:
        model.SetCaret(0, shift);
        return out;
    case VK_END:
        model.SetCaret(model.GetText().size(), shift);
        return out;
    case VK_BACK:
        if (!options.readOnly) {
            if (ctrl && !model.HasSelection() && !options.concealed)
                model.MoveWordLeft(true);
            out.textChanged = model.DeleteBackward();
        }
        return out;
    case VK_DELETE:
        if (!options.readOnly) {
            if (ctrl && !model.HasSelection() && !options.concealed)
                model.MoveWordRight(true);
            out.textChanged = model.DeleteForward();
        }
        return out;
    default:
        break;
    }
    if (!ctrl) {
        out.handled = false;
        return out;
    }
    switch (key) {
    case kKeyA:
        model.SelectAll();
        return out;
    case kKeyC:
        if (model.HasSelection() && !options.concealed && clipboard != nullptr)
            clipboard->SetClipboardText(model.GetSelectedText());
        return out;
    case kKeyX:
        if (model.HasSelection() && !options.concealed && !options.readOnly && clipboard != nullptr) {
            clipboard->SetClipboardText(model.GetSelectedText());
            out.textChanged = model.DeleteSelection();
        }
        return out;
    case kKeyV:
        if (!options.readOnly && clipboard != nullptr)
            out.textChanged = model.Insert(clipboard->GetClipboardText());
        return out;
    default:
        out.handled = false;
        return out;
    }
}

EditOutcome ApplyEditChar(CTextEditModel& model, wchar_t ch, uint16_t keyState, const EditOptions& options)
{
    EditOutcome out;
    // Control characters (Backspace, Ctrl+letter) come as keys; Ctrl+Alt is AltGr on many layouts.
    const bool ctrlOnly = (keyState & UIKEYSTATE_CONTROL) != 0 && (keyState & UIKEYSTATE_ALT) == 0;
    if (ch < 0x20 || ch == 0x7F || ctrlOnly)
        return out;
    out.handled = true;
    if (!options.readOnly)
        out.textChanged = model.Insert(std::wstring(1, ch));
    return out;
}

}  // namespace dw::ui
