#pragma once

// Key assignment, macro recording (the input hook) and the macro editor, as the main window
// reaches them. The handlers of the buttons call CMainWnd::SetEditingState themselves.

#include <cstddef>
#include <string>

#include "ui/core/CNotifyPump.h"

namespace dw {

class CKestovarUSBDevice;

class IKeyMacroHandlers {
public:
    virtual ~IKeyMacroHandlers() = default;

    // Key assignment control.
    virtual void OnKeyAssignmentButton(ui::TNotifyUI& msg) = 0;  // "key_butt_*"
    virtual void OnKeyFunctionSelected(ui::TNotifyUI& msg) = 0;  // "keyset_function_combo", ...
    // Applies the edited assignment exactly as "key_butt_keysave" does.
    virtual void ApplyEditedAssignment() = 0;
    // The input controls of the device's key-assignment control.
    virtual void SetAssignmentInputsEnabled(CKestovarUSBDevice& device, bool enabled) = 0;

    // Macro recording and the input hook.
    virtual void StartRecording() = 0;  // "macro_btn_starredio"
    virtual void StopRecording() = 0;   // "macro_btn_stopredio"
    virtual void InstallHook() = 0;     // message 1054, wParam 1
    virtual void RemoveHook() = 0;      // message 1054, wParam 0
    // A hook message: index into the fourteen key messages, then the five mouse messages.
    virtual void OnHookMessage(size_t which, ui::WPARAM wParam, ui::LPARAM lParam) = 0;

    // Macro editor.
    virtual void OnMacroEditorButton(ui::TNotifyUI& msg) = 0;  // "macro_btn_*"
    virtual void OnMacroInsertButton(ui::TNotifyUI& msg) = 0;  // "macro_inset_*"
    virtual void OnMacroSelected(ui::TNotifyUI& msg) = 0;      // "macro_name_list"
    virtual void OnMacroActionActivated(ui::TNotifyUI& msg) = 0;  // "itemactivate" of "macro_action"
    // Menu commands of the macro action menu ("macro_action_edit", ...).
    virtual void OnMacroMenuCommand(const std::wstring& command) = 0;
};

}  // namespace dw
