#pragma once

// The process-wide skin observer: windows subscribe their receiver and get every skin change.
// UI thread only.

#include <vector>

#include "shell/SkinChanged.h"

namespace dw {

class CSkinObserver {
public:
    static CSkinObserver& GetInstance();

    // Adding a receiver twice keeps one subscription.
    void AddReceiver(ISkinChangedReceiver* receiver);
    void RemoveReceiver(ISkinChangedReceiver* receiver);
    void Broadcast(const SkinChangedParam& param);
    bool HasReceiver(const ISkinChangedReceiver* receiver) const;

private:
    CSkinObserver() = default;
    std::vector<ISkinChangedReceiver*> m_receivers;
};

}  // namespace dw
