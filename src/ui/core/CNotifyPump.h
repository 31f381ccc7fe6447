#pragma once

// Notifications: what a control tells the code ("click", "selectchanged", ...), the
// interfaces that receive them and window messages, and CNotifyPump, which dispatches a
// notification to handlers registered by type and optionally by control name, and forwards
// notifications of a virtual window's controls to the pump registered under that name.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/UIDefs.h"

namespace dw::ui {

class CControlUI;

struct TNotifyUI {
    std::wstring sType;        // a name of dw::ui::notify
    std::wstring sVirtualWnd;  // the sender's virtual window, empty for the main page
    CControlUI* pSender = nullptr;
    uint64_t dwTimestamp = 0;
    UIPoint ptMouse;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

// Sees window messages before the paint manager; set handled to stop them there.
class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
};

// Message maps. A derived class adds its entries in its constructor:
//
//     OnNotify(notify::kClick, [this](TNotifyUI& m) { OnClick(m); });
//     OnNotify(notify::kItemActivate, L"macro_action", [this](TNotifyUI& m) { ... });
//
// NotifyPump runs exactly one handler: entries added later (by a derived class) win over
// earlier ones (its base's), and an entry for the sender's name wins over a type-only entry.
// Type and control names compare case-insensitively.
class CNotifyPump {
public:
    using Handler = std::function<void(TNotifyUI&)>;

    CNotifyPump() = default;
    virtual ~CNotifyPump() = default;
    CNotifyPump(const CNotifyPump&) = delete;
    CNotifyPump& operator=(const CNotifyPump&) = delete;

    // Routes notifications whose sVirtualWnd is name to pump. False when the name is taken or
    // the pump is null.
    bool AddVirtualWnd(const std::wstring& name, CNotifyPump* pump);
    bool RemoveVirtualWnd(const std::wstring& name);
    CNotifyPump* GetVirtualWnd(const std::wstring& name) const;

    // Dispatches: to the virtual window named by msg.sVirtualWnd when one is registered here,
    // else to this pump's own message map. True when a handler ran.
    bool NotifyPump(TNotifyUI& msg);

protected:
    void OnNotify(std::wstring_view type, Handler handler);
    void OnNotify(std::wstring_view type, std::wstring_view controlName, Handler handler);
    // Runs the own message map only. True when a handler ran.
    bool LoopDispatch(TNotifyUI& msg);

private:
    struct Entry {
        std::wstring type;         // lower case
        std::wstring controlName;  // lower case; empty for any control
        Handler handler;
    };
    std::vector<Entry> m_entries;
    std::map<std::wstring, CNotifyPump*> m_virtualWnds;
};

}  // namespace dw::ui
