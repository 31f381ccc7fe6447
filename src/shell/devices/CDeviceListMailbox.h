#pragma once

// A hidden window of the device list on the UI thread: the notification readers post the codes
// they read to it, and it hands them to the device list there, where timers may be armed and
// pages touched. It never shows and takes no input.

#include <functional>

#include "ui/core/CWindowWnd.h"
#include "ui/core/UIMessages.h"

namespace dw {

class CDeviceListMailbox : public ui::CWindowWnd {
public:
    // A device notification: wParam the device's family row, lParam the code.
    static constexpr ui::UINT kMsgDeviceNotification = ui::WM_USER + 0x300;

    using Handler = std::function<void(ui::WPARAM wParam, ui::LPARAM lParam)>;

    bool Create(ui::CMessageLoop& loop, Handler handler);
    // Any thread; false when the window is gone.
    bool Post(ui::WPARAM wParam, ui::LPARAM lParam);

    ui::LRESULT HandleMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam) override;

protected:
    std::wstring GetWindowClassName() const override { return L"DunwakeDeviceList"; }

private:
    Handler m_handler;
    ui::CMessageLoop* m_loop = nullptr;
    ui::HWND m_hwnd = nullptr;
};

}  // namespace dw
