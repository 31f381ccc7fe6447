#include "shell/CPendingParts.h"

#include <chrono>
#include <string>

#include "platform/DebugOutput.h"
#include "shell/CStopEvent.h"
#include "shell/RegisteredMessages.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"

namespace dw {

namespace {

std::wstring SenderOf(const ui::TNotifyUI& msg)
{
    return msg.pSender != nullptr ? msg.pSender->GetName() : std::wstring();
}

// The pending workers wake up this often only to look at their stop event.
constexpr std::chrono::milliseconds kIdleWait{1000};

}  // namespace

void CPendingParts::ReportNotBuilt(std::wstring_view entryPoint, std::wstring_view detail)
{
    if (!DebugOutputEnabled())
        return;
    std::wstring line = L"not built yet: ";
    line += entryPoint;
    if (!detail.empty()) {
        line += L" (";
        line += detail;
        line += L")";
    }
    line += L"; nothing was done";
    DebugOutput(line);
}

// ---- device list -------------------------------------------------------------------------------

void CPendingParts::CreateStartupPages() { NotBuilt(L"device list: create the start-up pages"); }
void CPendingParts::OnDeviceArrival(size_t slot) { NotBuilt(L"device list: device arrival", L"slot " + std::to_wstring(slot)); }
void CPendingParts::OnDeviceRemoval(size_t slot) { NotBuilt(L"device list: device removal", L"slot " + std::to_wstring(slot)); }
void CPendingParts::OnLinkChange(size_t entry, bool linkUp)
{
    NotBuilt(L"device list: link change", L"entry " + std::to_wstring(entry) + (linkUp ? L" up" : L" lost"));
}

void CPendingParts::RunDiscovery(WorkerContext context)
{
    NotBuilt(L"device list: discovery", L"reporting an empty first scan");
    const CRegisteredMessages ids = CRegisteredMessages::Register();
    context.loop.PostMessage(context.mainWindow, ids.productTitle, 0, 0);
    while (!context.stop.WaitFor(kIdleWait)) {
    }
}

void CPendingParts::RunLightingSync(WorkerContext context)
{
    NotBuilt(L"device list: lighting synchronisation");
    while (!context.stop.WaitFor(kIdleWait)) {
    }
}

std::optional<uint8_t> CPendingParts::ReadKeyboardInfoLinkState(CKestovarUSBDevice&)
{
    NotBuilt(L"keyboard: read the info block");
    return std::nullopt;
}

void CPendingParts::SelectPrevious() { NotBuilt(L"device list: select the previous entry"); }
void CPendingParts::SelectNext() { NotBuilt(L"device list: select the next entry"); }
void CPendingParts::SynchroniseLighting() { NotBuilt(L"device list: synchronised lighting"); }

// ---- lighting ----------------------------------------------------------------------------------

void CPendingParts::OnLightingColourChanged(ui::TNotifyUI&) { NotBuilt(L"lighting control: colour changed"); }
void CPendingParts::OnColourOption(ui::TNotifyUI&, size_t index) { NotBuilt(L"lighting control: colour option", std::to_wstring(index)); }
void CPendingParts::OnLightingModeSelected(ui::TNotifyUI& msg) { NotBuilt(L"lighting control: mode selected", SenderOf(msg)); }
void CPendingParts::OnCustomLightingAll(bool lit) { NotBuilt(L"lighting control: all custom keys", lit ? L"lit" : L"dark"); }
void CPendingParts::SelectEffect(CKestovarUSBDevice&, int effect) { NotBuilt(L"lighting control: select effect", std::to_wstring(effect)); }
void CPendingParts::OnKeyButton(ui::TNotifyUI&, size_t index) { NotBuilt(L"key panel: key button", std::to_wstring(index)); }
void CPendingParts::OnRubberBandSelection(ui::TNotifyUI&, bool mousePanel)
{
    NotBuilt(L"key panel: rubber-band selection", mousePanel ? L"mouse" : L"keyboard");
}
void CPendingParts::OpenDpiColourPalette(size_t index) { NotBuilt(L"colour palette: DPI stage colour", std::to_wstring(index)); }
void CPendingParts::OnAudioColourChanged(ui::TNotifyUI&) { NotBuilt(L"audio lighting: colour changed"); }
void CPendingParts::OnAudioColourOption(ui::TNotifyUI&, size_t index) { NotBuilt(L"audio lighting: colour option", std::to_wstring(index)); }
void CPendingParts::OnAudioLightingModeSelected(ui::TNotifyUI&) { NotBuilt(L"audio lighting: mode selected"); }
void CPendingParts::OnAudioBackgroundColour(ui::TNotifyUI&) { NotBuilt(L"audio lighting: background colour"); }
void CPendingParts::OpenAudioStyleWindow() { NotBuilt(L"audio lighting: style window"); }
void CPendingParts::SetUpAudioDocuments() { NotBuilt(L"audio lighting: set up AudioFile.json"); }
void CPendingParts::OnAudioData(uintptr_t kind, std::span<const uint8_t> bytes)
{
    NotBuilt(L"audio lighting: audio data", L"kind " + std::to_wstring(kind) + L", " + std::to_wstring(bytes.size()) + L" bytes");
}
void CPendingParts::OnAudioCaptureMessage(ui::WPARAM, ui::LPARAM) { NotBuilt(L"audio lighting: audio-capture message"); }
void CPendingParts::StopAudioCapture() { NotBuilt(L"audio lighting: stop the audio-capture program"); }

// ---- keys and macros ---------------------------------------------------------------------------

void CPendingParts::OnKeyAssignmentButton(ui::TNotifyUI& msg) { NotBuilt(L"key assignment: button", SenderOf(msg)); }
void CPendingParts::OnKeyFunctionSelected(ui::TNotifyUI& msg) { NotBuilt(L"key assignment: function selected", SenderOf(msg)); }
void CPendingParts::ApplyEditedAssignment() { NotBuilt(L"key assignment: apply the edited assignment"); }
void CPendingParts::SetAssignmentInputsEnabled(CKestovarUSBDevice&, bool enabled)
{
    NotBuilt(L"key assignment: inputs enabled", enabled ? L"on" : L"off");
}
void CPendingParts::StartRecording() { NotBuilt(L"macro recording: start"); }
void CPendingParts::StopRecording() { NotBuilt(L"macro recording: stop"); }
void CPendingParts::InstallHook() { NotBuilt(L"input hook: install"); }
void CPendingParts::RemoveHook() { NotBuilt(L"input hook: remove"); }
void CPendingParts::OnHookMessage(size_t which, ui::WPARAM, ui::LPARAM) { NotBuilt(L"input hook: message", std::to_wstring(which)); }
void CPendingParts::OnMacroEditorButton(ui::TNotifyUI& msg) { NotBuilt(L"macro editor: button", SenderOf(msg)); }
void CPendingParts::OnMacroInsertButton(ui::TNotifyUI& msg) { NotBuilt(L"macro editor: insert button", SenderOf(msg)); }
void CPendingParts::OnMacroSelected(ui::TNotifyUI&) { NotBuilt(L"macro editor: macro selected"); }
void CPendingParts::OnMacroActionActivated(ui::TNotifyUI&) { NotBuilt(L"macro editor: action activated"); }
void CPendingParts::OnMacroMenuCommand(const std::wstring& command) { NotBuilt(L"macro editor: menu command", command); }

// ---- device settings ---------------------------------------------------------------------------

void CPendingParts::OnSelectChanged(ui::TNotifyUI& msg) { NotBuilt(L"device settings: selection changed", SenderOf(msg)); }
void CPendingParts::OnValueChanged(ui::TNotifyUI& msg) { NotBuilt(L"device settings: slider value", SenderOf(msg)); }
void CPendingParts::OnMoveValueChanged(ui::TNotifyUI& msg) { NotBuilt(L"device settings: slider drag", SenderOf(msg)); }
void CPendingParts::OnKillFocus(ui::TNotifyUI& msg) { NotBuilt(L"device settings: edit box left", SenderOf(msg)); }
void CPendingParts::OnRecoilButton(ui::TNotifyUI& msg) { NotBuilt(L"recoil patterns: button", SenderOf(msg)); }
void CPendingParts::RelabelKeys() { NotBuilt(L"device pages: relabel the keys"); }

// ---- profiles, headset, companions --------------------------------------------------------------

void CPendingParts::OnProfileButton(ui::TNotifyUI& msg) { NotBuilt(L"profile list: button", SenderOf(msg)); }
void CPendingParts::RestoreDefaults() { NotBuilt(L"profiles: restore defaults"); }
void CPendingParts::OnProfilePanelSpread(ui::TNotifyUI&) { NotBuilt(L"profile list: panel"); }
void CPendingParts::SwitchToSelectedProfile() { NotBuilt(L"profile list: switch profile"); }
void CPendingParts::OnEqualiserButton(ui::TNotifyUI& msg) { NotBuilt(L"headset equaliser: button", SenderOf(msg)); }
void CPendingParts::OnEqualiserPresetSelected(ui::TNotifyUI&) { NotBuilt(L"headset equaliser: preset selected"); }
void CPendingParts::OpenSkinWindow() { NotBuilt(L"skin window: open"); }
void CPendingParts::OpenSettingsWindow(std::optional<ui::UIPoint> topRight) { NotBuilt(L"settings window: open", topRight ? L"placed" : L"centred"); }
void CPendingParts::OpenAboutBox() { NotBuilt(L"about box: open"); }
void CPendingParts::OpenTrayMenu(ui::UIPoint) { NotBuilt(L"tray: open the menu"); }
void CPendingParts::ApplyLanguageSetting() { NotBuilt(L"languages: apply the language setting"); }
void CPendingParts::ApplyLanguage(int index) { NotBuilt(L"languages: apply language", std::to_wstring(index)); }
void CPendingParts::ApplySkin(const SkinChangedParam&) { NotBuilt(L"skins: apply a skin change"); }

}  // namespace dw
