#include "ui/core/CNotifyPump.h"

#include "ui/core/CControlUI.h"
#include "ui/core/UIString.h"

namespace dw::ui {

bool CNotifyPump::AddVirtualWnd(const std::wstring& name, CNotifyPump* pump)
{
    if (pump == nullptr || name.empty() || pump == this)
        return false;
    return m_virtualWnds.emplace(name, pump).second;
}

bool CNotifyPump::RemoveVirtualWnd(const std::wstring& name) { return m_virtualWnds.erase(name) > 0; }

CNotifyPump* CNotifyPump::GetVirtualWnd(const std::wstring& name) const
{
    const auto it = m_virtualWnds.find(name);
    return it == m_virtualWnds.end() ? nullptr : it->second;
}

bool CNotifyPump::NotifyPump(TNotifyUI& msg)
{
    if (!msg.sVirtualWnd.empty()) {
        if (CNotifyPump* pump = GetVirtualWnd(msg.sVirtualWnd))
            return pump->LoopDispatch(msg);
    }
    return LoopDispatch(msg);
}

void CNotifyPump::OnNotify(std::wstring_view type, Handler handler)
{
    m_entries.push_back({ToLowerAscii(type), {}, std::move(handler)});
}

void CNotifyPump::OnNotify(std::wstring_view type, std::wstring_view controlName, Handler handler)
{
    m_entries.push_back({ToLowerAscii(type), ToLowerAscii(controlName), std::move(handler)});
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg)
{
    const std::wstring type = ToLowerAscii(msg.sType);
    const std::wstring sender = msg.pSender != nullptr ? ToLowerAscii(msg.pSender->GetName()) : std::wstring{};
    const Entry* typeOnly = nullptr;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (it->type != type)
            continue;
        if (!it->controlName.empty()) {
            if (it->controlName == sender) {
                Handler handler = it->handler;  // the handler may add entries
                handler(msg);
                return true;
            }
        } else if (typeOnly == nullptr) {
            typeOnly = &*it;
        }
    }
    if (typeOnly != nullptr) {
        Handler handler = typeOnly->handler;
        handler(msg);
        return true;
    }
    return false;
}

}  // namespace dw::ui
