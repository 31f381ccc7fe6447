#include "shell/MainWndRouting.h"

#include <array>
#include <cwctype>
#include <limits>

#include "ui/core/UIMessages.h"

namespace dw::route {

namespace {

enum class Match { IgnoreCase, Exact };

struct NameRow {
    std::wstring_view name;
    ClickAction action;
    Match match = Match::IgnoreCase;
};

// clang-format off
constexpr std::array kClickNames{
    NameRow{L"closebtn", ClickAction::Close},
    NameRow{L"nodevice_ok_btn", ClickAction::NoDeviceOk},
    NameRow{L"control_light_status", ClickAction::ControlLightStatus},
    NameRow{L"default_btn", ClickAction::RestoreDefaults},
    NameRow{L"reset_repeat_btn", ClickAction::ResetRepeatTest},
    NameRow{L"device_add_btn", ClickAction::ProfileButton},
    NameRow{L"device_sub_btn", ClickAction::ProfileButton},
    NameRow{L"device_export_btn", ClickAction::ProfileButton},
    NameRow{L"device_import_btn", ClickAction::ProfileButton},
    NameRow{L"device_copy_btn", ClickAction::ProfileButton},
    NameRow{L"device_reset_btn", ClickAction::ProfileButton},
    NameRow{L"device_profile_edit_save_btn", ClickAction::ProfileButton},
    NameRow{L"key_butt_keysave", ClickAction::KeyAssignmentButton},
    NameRow{L"key_butt_keydefalut", ClickAction::KeyAssignmentButton},
    NameRow{L"key_butt_keycancel", ClickAction::KeyAssignmentButton},
    NameRow{L"key_butt_prosave", ClickAction::KeyAssignmentButton},
    NameRow{L"macro_btn_starredio", ClickAction::MacroRecordStart},
    NameRow{L"macro_btn_stopredio", ClickAction::MacroRecordStop},
    NameRow{L"macro_btn_name_add", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_name_sub", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_name_edit", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_save", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_cancel", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_export", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_import", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_up", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_down", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_uptop", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_downbottom", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_delete", ClickAction::MacroEditorButton},
    NameRow{L"macro_btn_deleteall", ClickAction::MacroEditorButton},
    NameRow{L"shootdate_save_btn", ClickAction::RecoilButton},
    NameRow{L"shootdate_reset_btn", ClickAction::RecoilButton},
    NameRow{L"shootdate_import_btn", ClickAction::RecoilButton},
    NameRow{L"shootdate_export_btn", ClickAction::RecoilButton},
    NameRow{L"bullet_selected_prev", ClickAction::RecoilButton},
    NameRow{L"bullet_selected_next", ClickAction::RecoilButton},
    NameRow{L"custom_bright_color_btn", ClickAction::CustomLightingAllOn},
    NameRow{L"custom_off_color_btn", ClickAction::CustomLightingAllOff},
    NameRow{L"deng_same_mode", ClickAction::SynchroniseLighting},
    NameRow{L"hs_EQ_btn_save", ClickAction::EqualiserButton},
    NameRow{L"hs_EQ_btn_delete", ClickAction::EqualiserButton},
    NameRow{L"profile_fun_spread_btn", ClickAction::ProfilePanelSpread, Match::Exact},
    NameRow{L"macro_inset_moveleftkey_btn", ClickAction::MacroInsertButton, Match::Exact},
    NameRow{L"macro_inset_moverightkey_btn", ClickAction::MacroInsertButton, Match::Exact},
    NameRow{L"macro_inset_moveupkey_btn", ClickAction::MacroInsertButton, Match::Exact},
    NameRow{L"macro_inset_movedownkey_btn", ClickAction::MacroInsertButton, Match::Exact},
    NameRow{L"device_select_prev", ClickAction::DeviceSelectPrevious},
    NameRow{L"device_select_next", ClickAction::DeviceSelectNext},
    NameRow{L"Close_bkColor_btn", ClickAction::AudioBackgroundColour},
    NameRow{L"music_setting_btn", ClickAction::AudioStyleWindow},
};

struct PrefixRow {
    std::wstring_view prefix;
    ClickAction action;
};

constexpr std::array kClickPrefixes{
    PrefixRow{L"key_", ClickAction::KeyButton},
    PrefixRow{L"color_option_", ClickAction::ColourOption},
    PrefixRow{L"audiocolor_option_", ClickAction::AudioColourOption},
    PrefixRow{L"windowdeviceset_", ClickAction::DesktopSettings},
    PrefixRow{L"DPI_color_option_", ClickAction::DpiColourOption},
};

struct ComboRow {
    std::wstring_view name;
    ComboAction action;
};

constexpr std::array kComboNames{
    ComboRow{L"device_profile_combo", ComboAction::ProfileSwitch},
    ComboRow{L"light_combo_modeSelect", ComboAction::LightingMode},
    ComboRow{L"light_combo_custommodeSelect", ComboAction::LightingMode},
    ComboRow{L"light_combo_ZZCCmodeSelect", ComboAction::LightingMode},
    ComboRow{L"light_combo_audiomodeSelect", ComboAction::AudioLightingMode},
    ComboRow{L"keyset_function_combo", ComboAction::KeyFunction},
    ComboRow{L"keyset_macro_over_combo", ComboAction::KeyFunction},
    ComboRow{L"macro_name_list", ComboAction::MacroSelected},
    ComboRow{L"custom_eq_name_combo", ComboAction::EqualiserPreset},
};

// A selection in any of these applies the edited key assignment at once.
constexpr std::array<std::wstring_view, 11> kAssignmentCombos{
    L"keyset_function_combo", L"keyset_mousekey_combo",  L"keyset_mouseswing_combo", L"keyset_mousewheel_combo",
    L"keyset_mousedpi_combo", L"keyset_media_combo",     L"keyset_system_combo",     L"keyset_macro_combo",
    L"keyset_macro_over_combo", L"keyset_gunkey_combo",  L"keyset_combokey_combo",
};

struct TypeRow {
    std::wstring_view type;
    NotifyKind kind;
};

constexpr std::array kNotifyTypes{
    TypeRow{ui::notify::kWindowInit, NotifyKind::WindowInit},
    TypeRow{ui::notify::kWindowSize, NotifyKind::WindowSize},
    TypeRow{ui::notify::kColorChanged, NotifyKind::ColourChanged},
    TypeRow{ui::notify::kClick, NotifyKind::Click},
    TypeRow{ui::notify::kSelectChanged, NotifyKind::SelectChanged},
    TypeRow{ui::notify::kValueChanged, NotifyKind::ValueChanged},
    TypeRow{ui::notify::kMoveValueChanged, NotifyKind::MoveValueChanged},
    TypeRow{ui::notify::kItemSelect, NotifyKind::ItemSelect},
    TypeRow{ui::notify::kKillFocus, NotifyKind::KillFocus},
    TypeRow{notifytype::kClickSelectEnd, NotifyKind::ClickSelectEnd},
    TypeRow{notifytype::kClickWpRemove, NotifyKind::Swallowed},
    TypeRow{notifytype::kClickWpEdit, NotifyKind::Swallowed},
};
// clang-format on

bool NameMatches(std::wstring_view name, std::wstring_view expected, Match match)
{
    return match == Match::Exact ? name == expected : EqualsIgnoringCase(name, expected);
}

}  // namespace

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

std::optional<SplitName> SplitControlName(std::wstring_view name)
{
    const size_t cut = name.rfind(L'_');
    if (cut == std::wstring_view::npos)
        return std::nullopt;
    SplitName split{name.substr(0, cut + 1), std::nullopt};
    const std::wstring_view rest = name.substr(cut + 1);
    if (rest.empty())
        return split;
    size_t value = 0;
    for (wchar_t c : rest) {
        if (c < L'0' || c > L'9')
            return split;
        const size_t digit = static_cast<size_t>(c - L'0');
        if (value > (std::numeric_limits<size_t>::max() - digit) / 10)
            return split;
        value = value * 10 + digit;
    }
    split.index = value;
    return split;
}

NotifyKind ResolveNotifyType(std::wstring_view type)
{
    for (const TypeRow& row : kNotifyTypes)
        if (EqualsIgnoringCase(type, row.type))
            return row.kind;
    return NotifyKind::PassOn;
}

ClickRoute ResolveClick(std::wstring_view senderName)
{
    for (const NameRow& row : kClickNames)
        if (NameMatches(senderName, row.name, row.match))
            return {row.action, 0};
    const std::optional<SplitName> split = SplitControlName(senderName);
    if (!split || !split->index)
        return {};
    for (const PrefixRow& row : kClickPrefixes)
        if (EqualsIgnoringCase(split->prefix, row.prefix))
            return {row.action, *split->index};
    return {};
}

ComboRoute ResolveItemSelect(std::wstring_view senderName)
{
    ComboRoute route;
    for (const ComboRow& row : kComboNames)
        if (EqualsIgnoringCase(senderName, row.name)) {
            route.action = row.action;
            break;
        }
    for (std::wstring_view name : kAssignmentCombos)
        if (EqualsIgnoringCase(senderName, name))
            route.appliesAssignment = true;
    return route;
}

ColourTarget ResolveColourChanged(std::wstring_view senderName)
{
    if (EqualsIgnoringCase(senderName, L"deng_Color_Pallet"))
        return ColourTarget::Lighting;
    if (EqualsIgnoringCase(senderName, L"deng_audioColor_Pallet"))
        return ColourTarget::AudioLighting;
    return ColourTarget::None;
}

KeyPanel ResolveSelectionEnd(std::wstring_view senderName)
{
    if (EqualsIgnoringCase(senderName, L"device_key_light"))
        return KeyPanel::Keyboard;
    if (EqualsIgnoringCase(senderName, L"mouse_device_key_light"))
        return KeyPanel::Mouse;
    return KeyPanel::None;
}

}  // namespace dw::route
