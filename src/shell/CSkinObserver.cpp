#include "shell/CSkinObserver.h"

#include <algorithm>

namespace dw {

CSkinObserver& CSkinObserver::GetInstance()
{
    static CSkinObserver observer;
    return observer;
}

void CSkinObserver::AddReceiver(ISkinChangedReceiver* receiver)
{
    if (receiver != nullptr && !HasReceiver(receiver))
        m_receivers.push_back(receiver);
}

void CSkinObserver::RemoveReceiver(ISkinChangedReceiver* receiver)
{
    m_receivers.erase(std::remove(m_receivers.begin(), m_receivers.end(), receiver), m_receivers.end());
}

void CSkinObserver::Broadcast(const SkinChangedParam& param)
{
    // A receiver may unsubscribe while it handles the change; work on a copy.
    const std::vector<ISkinChangedReceiver*> receivers = m_receivers;
    for (ISkinChangedReceiver* receiver : receivers)
        if (HasReceiver(receiver))
            receiver->OnSkinChanged(param);
}

bool CSkinObserver::HasReceiver(const ISkinChangedReceiver* receiver) const
{
    return std::find(m_receivers.begin(), m_receivers.end(), receiver) != m_receivers.end();
}

}  // namespace dw
