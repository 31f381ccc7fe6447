#include "ui/backend/qt/QtKeyMap.h"

#include <array>
#include <utility>

namespace dw::ui::qt {

namespace {

constexpr UINT kVkNumpad0 = 0x60;
constexpr UINT kVkF1 = 0x70;
constexpr int kFunctionKeyCount = 24;

// Keys whose code is not derived from a range.
constexpr std::array<std::pair<int, UINT>, 49> kFixedKeys{{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09}, {Qt::Key_Clear, 0x0C},
    {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D}, {Qt::Key_Shift, 0x10}, {Qt::Key_Control, 0x11},
    {Qt::Key_Alt, 0x12}, {Qt::Key_AltGr, 0x12}, {Qt::Key_Pause, 0x13}, {Qt::Key_CapsLock, 0x14},
    {Qt::Key_Escape, 0x1B}, {Qt::Key_Space, 0x20}, {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23}, {Qt::Key_Home, 0x24}, {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28}, {Qt::Key_Print, 0x2C}, {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E}, {Qt::Key_Meta, 0x5B}, {Qt::Key_Menu, 0x5D}, {Qt::Key_Asterisk, 0x6A},
    {Qt::Key_Plus, 0xBB}, {Qt::Key_NumLock, 0x90}, {Qt::Key_ScrollLock, 0x91},
    {Qt::Key_VolumeMute, 0xAD}, {Qt::Key_VolumeDown, 0xAE}, {Qt::Key_VolumeUp, 0xAF},
    {Qt::Key_MediaNext, 0xB0}, {Qt::Key_MediaPrevious, 0xB1}, {Qt::Key_MediaStop, 0xB2},
    {Qt::Key_MediaPlay, 0xB3}, {Qt::Key_MediaTogglePlayPause, 0xB3},
    {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Equal, 0xBB}, {Qt::Key_Comma, 0xBC}, {Qt::Key_Minus, 0xBD},
    {Qt::Key_Period, 0xBE}, {Qt::Key_Slash, 0xBF}, {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_Backslash, 0xDC}, {Qt::Key_BracketRight, 0xDD},
}};

constexpr UINT kVkApostrophe = 0xDE;

// Keypad keys that are not digits.
constexpr std::array<std::pair<int, UINT>, 5> kKeypadKeys{{
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Minus, 0x6D}, {Qt::Key_Period, 0x6E},
    {Qt::Key_Slash, 0x6F},
}};

}  // namespace

UINT QtKeyToVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? kVkNumpad0 + static_cast<UINT>(qtKey - Qt::Key_0) : static_cast<UINT>(qtKey);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<UINT>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeyCount)
        return kVkF1 + static_cast<UINT>(qtKey - Qt::Key_F1);
    if (qtKey == Qt::Key_Apostrophe)
        return kVkApostrophe;
    if (keypad) {
        for (const auto& [key, vk] : kKeypadKeys)
            if (key == qtKey)
                return vk;
    }
    for (const auto& [key, vk] : kFixedKeys)
        if (key == qtKey)
            return vk;
    return 0;
}

}  // namespace dw::ui::qt
