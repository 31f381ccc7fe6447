#pragma once

// The main window's routing tables as pure data and lookups: which handler a notification
// reaches, by its type and by its sender's name. The window (CMainWnd) turns each answer into a
// call; keeping the tables here lets every row be checked without a window.
//
// Name rules: names compare without regard to case, except the rows marked case-sensitive. A
// prefix row ("key_") matches a name whose part up to and including its last '_' equals the
// prefix and whose rest is a decimal index ("key_12" -> prefix "key_", index 12).

#include <cstddef>
#include <optional>
#include <string_view>

namespace dw::route {

// Notification types the skin's own controls raise besides the library's.
namespace notifytype {
inline constexpr const wchar_t* kMouseLeave = L"msleave";
inline constexpr const wchar_t* kMouseEnter = L"msenter";
inline constexpr const wchar_t* kClickSelectEnd = L"click_select_end";
inline constexpr const wchar_t* kClickWpRemove = L"click_wpremove";
inline constexpr const wchar_t* kClickWpEdit = L"click_wpedit";
inline constexpr const wchar_t* kClickWpAdd = L"click_wpadd";
inline constexpr const wchar_t* kClickWpSelect = L"click_wpselect";
}  // namespace notifytype

// ---- by notification type --------------------------------------------------------------------
enum class NotifyKind {
    WindowInit,
    WindowSize,
    ColourChanged,
    Click,
    SelectChanged,
    ValueChanged,
    MoveValueChanged,
    ItemSelect,
    KillFocus,
    ClickSelectEnd,
    // Handled by nobody and not passed on to the window base's message maps.
    Swallowed,
    // Nothing here; passed on to the message maps.
    PassOn,
};

NotifyKind ResolveNotifyType(std::wstring_view type);

// ---- "click" -----------------------------------------------------------------------------------
enum class ClickAction {
    None,
    Close,                  // closebtn
    NoDeviceOk,             // nodevice_ok_btn
    ControlLightStatus,     // control_light_status
    KeyButton,              // key_N
    ColourOption,           // color_option_N
    AudioColourOption,      // audiocolor_option_N
    DesktopSettings,        // windowdeviceset_N
    DpiColourOption,        // DPI_color_option_N
    RestoreDefaults,        // default_btn
    ResetRepeatTest,        // reset_repeat_btn
    ProfileButton,          // device_add_btn, ...
    KeyAssignmentButton,    // key_butt_keysave, ...
    MacroRecordStart,       // macro_btn_starredio
    MacroRecordStop,        // macro_btn_stopredio
    MacroEditorButton,      // macro_btn_name_add, ...
    RecoilButton,           // shootdate_save_btn, ...
    CustomLightingAllOn,    // custom_bright_color_btn
    CustomLightingAllOff,   // custom_off_color_btn
    SynchroniseLighting,    // deng_same_mode
    EqualiserButton,        // hs_EQ_btn_save, hs_EQ_btn_delete
    ProfilePanelSpread,     // profile_fun_spread_btn (case-sensitive)
    MacroInsertButton,      // macro_inset_*key_btn (case-sensitive)
    DeviceSelectPrevious,   // device_select_prev
    DeviceSelectNext,       // device_select_next
    AudioBackgroundColour,  // Close_bkColor_btn
    AudioStyleWindow,       // music_setting_btn
};

struct ClickRoute {
    ClickAction action = ClickAction::None;
    size_t index = 0;  // prefix rows only
    friend bool operator==(const ClickRoute&, const ClickRoute&) = default;
};

ClickRoute ResolveClick(std::wstring_view senderName);

// ---- "itemselect" ------------------------------------------------------------------------------
enum class ComboAction {
    None,
    ProfileSwitch,      // device_profile_combo: timer 1055
    LightingMode,       // light_combo_modeSelect, ..._custommodeSelect, ..._ZZCCmodeSelect
    AudioLightingMode,  // light_combo_audiomodeSelect
    KeyFunction,        // keyset_function_combo, keyset_macro_over_combo
    MacroSelected,      // macro_name_list
    EqualiserPreset,    // custom_eq_name_combo
};

struct ComboRoute {
    ComboAction action = ComboAction::None;
    // The selection also applies the edited key assignment at once, as "key_butt_keysave" does.
    bool appliesAssignment = false;
    friend bool operator==(const ComboRoute&, const ComboRoute&) = default;
};

ComboRoute ResolveItemSelect(std::wstring_view senderName);

// ---- "colorchanged" and "click_select_end" -----------------------------------------------------
enum class ColourTarget { None, Lighting, AudioLighting };
ColourTarget ResolveColourChanged(std::wstring_view senderName);

enum class KeyPanel { None, Keyboard, Mouse };
KeyPanel ResolveSelectionEnd(std::wstring_view senderName);

// ---- helpers -----------------------------------------------------------------------------------
struct SplitName {
    std::wstring_view prefix;  // up to and including the last '_'
    std::optional<size_t> index;  // the rest when it is a decimal number
};
// Nothing when the name has no '_'.
std::optional<SplitName> SplitControlName(std::wstring_view name);
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);

}  // namespace dw::route
