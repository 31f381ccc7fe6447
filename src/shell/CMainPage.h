#pragma once

// The notify pump of the main window's virtual window "mainpage". Controls of the skin that name
// this virtual window send their notifications here; "click", "selectchanged" and "itemclick"
// have entries that do nothing, so those notifications stop here.

#include "ui/core/CNotifyPump.h"

namespace dw {

class CMainPage : public ui::CNotifyPump {
public:
    static constexpr const wchar_t* kVirtualWndName = L"mainpage";

    CMainPage();
};

}  // namespace dw
