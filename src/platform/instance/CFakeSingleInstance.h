#pragma once

// Test double of the single instance: answers the role it was given and counts the calls.

#include "platform/instance/ISingleInstance.h"

namespace dw::platform {

class CFakeSingleInstance final : public ISingleInstance {
public:
    explicit CFakeSingleInstance(InstanceRole role) : m_role(role) {}

    InstanceRole Acquire() override
    {
        ++m_acquireCalls;
        m_held = m_role == InstanceRole::First;
        return m_role;
    }
    void Release() override { m_held = false; }

    int AcquireCalls() const { return m_acquireCalls; }
    bool IsHeld() const { return m_held; }

private:
    InstanceRole m_role;
    int m_acquireCalls = 0;
    bool m_held = false;
};

}  // namespace dw::platform
