#pragma once

// What the pop-up window tests share: the program's skin and English texts on the headless
// backend, an owner window whose timer lets a test act while a modal window runs, and helpers
// that find a window's controls and click them as a user would.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CResourceManager.h"
#include "platform/Utf8.h"
#include "ui/core/UIString.h"
#include "ui/core/WindowImplBase.h"

namespace dw::test {

inline std::wstring ProgramSkinFolder()
{
    return platform::Utf8ToWide(std::string(DW_RESOURCES_DIR) + "/skin/");
}

inline std::wstring ProgramFolder()
{
    return platform::Utf8ToWide(std::string(DW_RESOURCES_DIR) + "/");
}

// Points the window library at the program's skin and loads the English texts.
inline void UseProgramSkin()
{
    ui::CPaintManagerUI::SetInstance(ProgramFolder());
    ui::CPaintManagerUI::SetResourcePath(ProgramSkinFolder());
    ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadResource(L"res.xml"));
    ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage(L"lan_en.xml"));
}

// A plain window with a "root" control; a timer runs `onTimer` (the test's hand while a modal
// window owned by this one is open), and every message it receives is counted.
class OwnerWindow : public ui::WindowImplBase {
public:
    std::function<void()> onTimer;
    std::vector<ui::UINT> received;

    static constexpr ui::UINT kActTimer = 77;

    // Acts `delayMs` after the next modal loop starts waiting.
    void ActLater(std::function<void()> action, ui::UINT delayMs = 10)
    {
        onTimer = std::move(action);
        SetTimer(kActTimer, delayMs);
    }

    ui::LRESULT HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled) override
    {
        received.push_back(msg);
        if (msg == ui::WM_TIMER && wParam == kActTimer) {
            KillTimer(kActTimer);
            if (auto action = std::exchange(onTimer, nullptr))
                action();
            handled = true;
            return 0;
        }
        return WindowImplBase::HandleCustomMessage(msg, wParam, lParam, handled);
    }

protected:
    std::wstring GetWindowClassName() const override { return L"OwnerWnd"; }
    std::wstring GetSkinFile() override
    {
        return LR"(<Window size="600,400"><VerticalLayout name="root" bkcolor="#FF202020">
                   <Button name="skinbtn" float="true" pos="500,10,532,42"/></VerticalLayout></Window>)";
    }
};

// The paint manager of a window, or null.
inline ui::CPaintManagerUI* PaintManagerOf(ui::HWND hwnd)
{
    for (ui::CPaintManagerUI* pm : ui::CPaintManagerUI::GetPaintManagers())
        if (pm->GetPaintWindow() == hwnd)
            return pm;
    return nullptr;
}

inline ui::CControlUI* FindIn(ui::HWND hwnd, const wchar_t* name)
{
    ui::CPaintManagerUI* pm = PaintManagerOf(hwnd);
    return pm != nullptr ? pm->FindControl(name) : nullptr;
}

// Clicks the middle of a control of the window, as a user would.
inline bool ClickControl(ui::headless::CHeadlessBackend& backend, ui::HWND hwnd, ui::CControlUI* control)
{
    ui::CPaintManagerUI* pm = PaintManagerOf(hwnd);
    if (pm == nullptr || control == nullptr)
        return false;
    pm->UpdateLayout();
    const ui::UIRect& rc = control->GetPos();
    backend.Click(hwnd, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    return true;
}

inline bool ClickControl(ui::headless::CHeadlessBackend& backend, ui::HWND hwnd, const wchar_t* name)
{
    return ClickControl(backend, hwnd, FindIn(hwnd, name));
}

inline std::string Narrow(const std::wstring& text) { return platform::WideToUtf8(text); }

}  // namespace dw::test
