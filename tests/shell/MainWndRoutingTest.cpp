// The routing tables and the control builder table as pure lookups.

#include <gtest/gtest.h>

#include <set>

#include "shell/MainWndControlBuilder.h"
#include "shell/MainWndRouting.h"
#include "shell/RegisteredMessages.h"

namespace dw::route {
namespace {

TEST(MainWndRouting, ControlNamesSplitAtTheirLastUnderscore)
{
    struct Case {
        const wchar_t* name;
        bool splits;
        std::wstring_view prefix;
        std::optional<size_t> index;
    };
    const Case cases[] = {
        {L"key_12", true, L"key_", 12},
        {L"DPI_color_option_3", true, L"DPI_color_option_", 3},
        {L"key_butt_keysave", true, L"key_butt_", std::nullopt},
        {L"key_", true, L"key_", std::nullopt},
        {L"key_-1", true, L"key_", std::nullopt},
        {L"key_99999999999999999999999", true, L"key_", std::nullopt},
        {L"closebtn", false, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<SplitName> split = SplitControlName(c.name);
        ASSERT_EQ(split.has_value(), c.splits);
        if (!split)
            continue;
        EXPECT_EQ(split->prefix, c.prefix);
        EXPECT_EQ(split->index, c.index);
    }
}

TEST(MainWndRouting, ClickNamesFollowTheCaseAndPrefixRules)
{
    struct Case {
        const wchar_t* name;
        ClickRoute route;
    };
    const Case cases[] = {
        {L"closebtn", {ClickAction::Close, 0}},
        {L"CloseBtn", {ClickAction::Close, 0}},
        {L"NODEVICE_OK_BTN", {ClickAction::NoDeviceOk, 0}},
        {L"control_light_status", {ClickAction::ControlLightStatus, 0}},
        {L"key_7", {ClickAction::KeyButton, 7}},
        {L"Key_0", {ClickAction::KeyButton, 0}},
        {L"key_butt_keysave", {ClickAction::KeyAssignmentButton, 0}},
        {L"key_butt_keydefalut", {ClickAction::KeyAssignmentButton, 0}},
        {L"key_abc", {}},
        {L"key_", {}},
        {L"color_option_4", {ClickAction::ColourOption, 4}},
        {L"audiocolor_option_4", {ClickAction::AudioColourOption, 4}},
        {L"dpi_color_option_4", {ClickAction::DpiColourOption, 4}},
        {L"windowdeviceset_1", {ClickAction::DesktopSettings, 1}},
        {L"xcolor_option_4", {}},
        {L"profile_fun_spread_btn", {ClickAction::ProfilePanelSpread, 0}},
        {L"Profile_fun_spread_btn", {}},
        {L"macro_inset_movedownkey_btn", {ClickAction::MacroInsertButton, 0}},
        {L"macro_inset_movedownkey_BTN", {}},
        {L"device_reset_btn", {ClickAction::ProfileButton, 0}},
        {L"CLOSE_BKCOLOR_BTN", {ClickAction::AudioBackgroundColour, 0}},
        {L"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveClick(c.name), c.route) << std::string(c.name, c.name + wcslen(c.name));
}

TEST(MainWndRouting, SelectionsInTheAssignmentCombosApplyTheAssignment)
{
    struct Case {
        const wchar_t* name;
        ComboRoute route;
    };
    const Case cases[] = {
        {L"device_profile_combo", {ComboAction::ProfileSwitch, false}},
        {L"light_combo_custommodeSelect", {ComboAction::LightingMode, false}},
        {L"keyset_function_combo", {ComboAction::KeyFunction, true}},
        {L"keyset_macro_over_combo", {ComboAction::KeyFunction, true}},
        {L"keyset_gunkey_combo", {ComboAction::None, true}},
        {L"KEYSET_COMBOKEY_COMBO", {ComboAction::None, true}},
        {L"keyset_mousedpi_combo", {ComboAction::None, true}},
        {L"macro_name_list", {ComboAction::MacroSelected, false}},
        {L"something_else", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveItemSelect(c.name), c.route) << std::string(c.name, c.name + wcslen(c.name));
}

TEST(MainWndRouting, NotificationTypes)
{
    EXPECT_EQ(ResolveNotifyType(L"windowinit"), NotifyKind::WindowInit);
    EXPECT_EQ(ResolveNotifyType(L"click"), NotifyKind::Click);
    EXPECT_EQ(ResolveNotifyType(L"click_select_end"), NotifyKind::ClickSelectEnd);
    EXPECT_EQ(ResolveNotifyType(L"click_wpremove"), NotifyKind::Swallowed);
    EXPECT_EQ(ResolveNotifyType(L"click_wpedit"), NotifyKind::Swallowed);
    for (const wchar_t* type : {L"click_wpadd", L"click_wpselect", L"msleave", L"msenter", L"itemclick", L"textchanged", L"timer"})
        EXPECT_EQ(ResolveNotifyType(type), NotifyKind::PassOn);
}

TEST(MainWndControlBuilder, EveryElementHasOneRowAndLayoutsNameTheirFile)
{
    std::set<std::wstring> seen;
    size_t layouts = 0;
    for (const ControlBuilderRow& row : dw::ControlBuilderTable()) {
        std::wstring lower(row.element);
        for (wchar_t& c : lower)
            c = static_cast<wchar_t>(std::towlower(c));
        EXPECT_TRUE(seen.insert(lower).second) << "duplicate row";
        EXPECT_EQ(row.built == BuiltControl::Layout, !row.layout.empty());
        if (row.built == BuiltControl::Layout) {
            ++layouts;
            EXPECT_TRUE(row.layout.starts_with(L"XML\\CustomControlXML\\"));
        }
    }
    EXPECT_EQ(dw::ControlBuilderTable().size(), 26u);
    EXPECT_EQ(layouts, 8u);
    ASSERT_NE(dw::FindControlBuilderRow(L"kestovarkeyboarddevice"), nullptr);
    EXPECT_EQ(dw::FindControlBuilderRow(L"kestovarkeyboarddevice")->built, BuiltControl::KeyboardDevice);
    EXPECT_EQ(dw::FindControlBuilderRow(L"Button"), nullptr);
}

TEST(MainWndMessages, RegisteredNamesGetStableDistinctNumbers)
{
    const CRegisteredMessages a = CRegisteredMessages::Register();
    const CRegisteredMessages b = CRegisteredMessages::Register();
    EXPECT_EQ(a.productTitle, b.productTitle);
    std::set<ui::UINT> ids{a.productTitle, a.settingsForward, a.lightHandOverOut, a.lightHandOverIn, a.audioCapture, a.audioChild};
    ids.insert(a.hook.begin(), a.hook.end());
    ids.insert(a.mouseHook.begin(), a.mouseHook.end());
    ids.insert(a.game.begin(), a.game.end());
    EXPECT_EQ(ids.size(), 6u + 14u + 5u + 4u);
    EXPECT_FALSE(ids.contains(0u));
    EXPECT_EQ(a.HookIndex(a.hook[13]), 13);
    EXPECT_EQ(a.HookIndex(a.mouseHook[0]), 14);
    EXPECT_EQ(a.HookIndex(a.game[0]), -1);
    EXPECT_EQ(a.GameIndex(a.game[3]), 3);
    EXPECT_EQ(a.GameIndex(0), -1);
}

}  // namespace
}  // namespace dw::route
