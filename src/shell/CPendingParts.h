#pragma once

// Stand-in for the parts of the program the main window routes to but that are not built yet:
// every entry point does nothing and says so in one diagnostic line, naming the entry point.
// Nothing here pretends to work. The main window uses it for every companion it is not given.
//
// The device list's two workers are the exception in one respect: with no device discovery,
// the discovery worker reports an empty first scan (the product-title message with lParam 0,
// which shows the window) and then only waits for its stop event; the lighting worker only
// waits for its stop event.

#include <string_view>

#include "shell/IDeviceList.h"
#include "shell/IDeviceSettingsHandlers.h"
#include "shell/IHeadsetHandlers.h"
#include "shell/IKeyMacroHandlers.h"
#include "shell/ILightingHandlers.h"
#include "shell/IProfileHandlers.h"
#include "shell/IShellWindows.h"

namespace dw {

class CPendingParts : public IDeviceList,
                            public ILightingHandlers,
                            public IKeyMacroHandlers,
                            public IDeviceSettingsHandlers,
                            public IProfileHandlers,
                            public IHeadsetHandlers,
                            public IShellWindows {
public:
    // IDeviceList
    void CreateStartupPages() override;
    void OnDeviceArrival(size_t slot) override;
    void OnDeviceRemoval(size_t slot) override;
    void OnLinkChange(size_t entry, bool linkUp) override;
    void RunDiscovery(WorkerContext context) override;
    void RunLightingSync(WorkerContext context) override;
    CKestovarUSBDevice* SelectedDevice() const override { return nullptr; }
    std::vector<CKestovarUSBDevice*> Devices(int) const override { return {}; }
    size_t ConnectedCount() const override { return 0; }
    uint8_t KeyboardLinkStatus(const CKestovarUSBDevice&) const override { return 0; }
    std::optional<uint8_t> ReadKeyboardInfoLinkState(CKestovarUSBDevice&) override;
    void SelectPrevious() override;
    void SelectNext() override;
    void SynchroniseLighting() override;

    // ILightingHandlers
    void OnLightingColourChanged(ui::TNotifyUI&) override;
    void OnColourOption(ui::TNotifyUI&, size_t index) override;
    void OnLightingModeSelected(ui::TNotifyUI&) override;
    void OnCustomLightingAll(bool lit) override;
    void SelectEffect(CKestovarUSBDevice&, int effect) override;
    void OnKeyButton(ui::TNotifyUI&, size_t index) override;
    void OnRubberBandSelection(ui::TNotifyUI&, bool mousePanel) override;
    void OpenDpiColourPalette(size_t index) override;
    void OnAudioColourChanged(ui::TNotifyUI&) override;
    void OnAudioColourOption(ui::TNotifyUI&, size_t index) override;
    void OnAudioLightingModeSelected(ui::TNotifyUI&) override;
    void OnAudioBackgroundColour(ui::TNotifyUI&) override;
    void OpenAudioStyleWindow() override;
    void SetUpAudioDocuments() override;
    void OnAudioData(uintptr_t kind, std::span<const uint8_t> bytes) override;
    void OnAudioCaptureMessage(ui::WPARAM, ui::LPARAM) override;
    void StopAudioCapture() override;

    // IKeyMacroHandlers
    void OnKeyAssignmentButton(ui::TNotifyUI&) override;
    void OnKeyFunctionSelected(ui::TNotifyUI&) override;
    void ApplyEditedAssignment() override;
    void SetAssignmentInputsEnabled(CKestovarUSBDevice&, bool enabled) override;
    void StartRecording() override;
    void StopRecording() override;
    void InstallHook() override;
    void RemoveHook() override;
    void OnHookMessage(size_t which, ui::WPARAM, ui::LPARAM) override;
    void OnMacroEditorButton(ui::TNotifyUI&) override;
    void OnMacroInsertButton(ui::TNotifyUI&) override;
    void OnMacroSelected(ui::TNotifyUI&) override;
    void OnMacroActionActivated(ui::TNotifyUI&) override;
    void OnMacroMenuCommand(const std::wstring& command) override;

    // IDeviceSettingsHandlers
    void OnSelectChanged(ui::TNotifyUI&) override;
    void OnValueChanged(ui::TNotifyUI&) override;
    void OnMoveValueChanged(ui::TNotifyUI&) override;
    void OnKillFocus(ui::TNotifyUI&) override;
    void OnRecoilButton(ui::TNotifyUI&) override;
    void RelabelKeys() override;

    // IProfileHandlers
    void OnProfileButton(ui::TNotifyUI&) override;
    void RestoreDefaults() override;
    void OnProfilePanelSpread(ui::TNotifyUI&) override;
    void SwitchToSelectedProfile() override;

    // IHeadsetHandlers
    void OnEqualiserButton(ui::TNotifyUI&) override;
    void OnEqualiserPresetSelected(ui::TNotifyUI&) override;

    // IShellWindows
    void OpenSkinWindow() override;
    void OpenSettingsWindow(std::optional<ui::UIPoint> topRight) override;
    void OpenAboutBox() override;
    void OpenTrayMenu(ui::UIPoint screenPoint) override;
    void ApplyLanguageSetting() override;
    void ApplyLanguage(int index) override;
    void ApplySkin(const SkinChangedParam&) override;

protected:
    // Says that `entryPoint` was reached and did nothing: one diagnostic line. Tests override it
    // to see which entry point a notification or message reached.
    virtual void ReportNotBuilt(std::wstring_view entryPoint, std::wstring_view detail);

private:
    void NotBuilt(std::wstring_view entryPoint, std::wstring_view detail = {}) { ReportNotBuilt(entryPoint, detail); }
};

}  // namespace dw
