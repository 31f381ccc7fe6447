#pragma once

// The lighting side of the device pages as the main window reaches it: the lighting control,
// the per-key panel, audio-reactive lighting and the colour palette.

#include <cstddef>
#include <cstdint>
#include <span>

#include "ui/core/CNotifyPump.h"

namespace dw {

class CKestovarUSBDevice;

class ILightingHandlers {
public:
    virtual ~ILightingHandlers() = default;

    // Lighting control.
    virtual void OnLightingColourChanged(ui::TNotifyUI& msg) = 0;  // "deng_Color_Pallet"
    virtual void OnColourOption(ui::TNotifyUI& msg, size_t index) = 0;  // "color_option_N"
    virtual void OnLightingModeSelected(ui::TNotifyUI& msg) = 0;   // "light_combo_*modeSelect"
    virtual void OnCustomLightingAll(bool lit) = 0;  // "custom_bright_color_btn" / "custom_off_color_btn"
    // Shows `effect` as the selected effect of the device's lighting control (game events).
    virtual void SelectEffect(CKestovarUSBDevice& device, int effect) = 0;

    // Per-key panel.
    virtual void OnKeyButton(ui::TNotifyUI& msg, size_t index) = 0;  // "key_N"
    virtual void OnRubberBandSelection(ui::TNotifyUI& msg, bool mousePanel) = 0;

    // Colour palette for a DPI stage colour ("DPI_color_option_N").
    virtual void OpenDpiColourPalette(size_t index) = 0;

    // Audio-reactive lighting.
    virtual void OnAudioColourChanged(ui::TNotifyUI& msg) = 0;  // "deng_audioColor_Pallet"
    virtual void OnAudioColourOption(ui::TNotifyUI& msg, size_t index) = 0;  // "audiocolor_option_N"
    virtual void OnAudioLightingModeSelected(ui::TNotifyUI& msg) = 0;  // "light_combo_audiomodeSelect"
    virtual void OnAudioBackgroundColour(ui::TNotifyUI& msg) = 0;  // "Close_bkColor_btn"
    virtual void OpenAudioStyleWindow() = 0;  // "music_setting_btn"
    virtual void SetUpAudioDocuments() = 0;  // "windowinit", last step
    // A block from the audio-capture program, already cut to its buffer: kind 1 spectrum
    // (at most 4280 bytes), kind 2 levels (at most 156 bytes).
    virtual void OnAudioData(uintptr_t kind, std::span<const uint8_t> bytes) = 0;
    virtual void OnAudioCaptureMessage(ui::WPARAM wParam, ui::LPARAM lParam) = 0;  // EBF18
    virtual void StopAudioCapture() = 0;  // the main window is destroyed
};

}  // namespace dw
