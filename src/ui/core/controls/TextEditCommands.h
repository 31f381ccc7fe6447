#pragma once

// The editing keys both edits share, applied to a CTextEditModel: caret movement with Shift
// selection and Ctrl word steps, Backspace/Delete, Ctrl+A/C/X/V through the backend's
// clipboard, and typed characters. Keys that depend on lines (Up/Down, Home/End of a wrapped
// line) are the multi-line edit's own.

#include <cstdint>

#include "ui/core/IUIBackend.h"
#include "ui/core/UIDefs.h"
#include "ui/core/controls/CTextEditModel.h"

namespace dw::ui {

struct EditOutcome {
    bool handled = false;      // the key meant something to an edit
    bool textChanged = false;  // raise "textchanged"
};

struct EditOptions {
    bool readOnly = false;
    bool concealed = false;  // password: the text never goes to the clipboard
};

// keyState: UIKEYSTATE_* bits of the event. clipboard may be null (no backend yet).
EditOutcome ApplyEditKey(CTextEditModel& model, UINT key, uint16_t keyState, const EditOptions& options,
                         IUIBackend* clipboard);
EditOutcome ApplyEditChar(CTextEditModel& model, wchar_t ch, uint16_t keyState, const EditOptions& options);

}  // namespace dw::ui
