#pragma once

// The Qt object that receives logind's PrepareForSleep signal for CLogindPowerEvents.

#include <QObject>
#include <functional>

namespace dw::platform {

class CLogindPowerReceiver final : public QObject {
    Q_OBJECT

public:
    explicit CLogindPowerReceiver(std::function<void(bool)> onPrepareForSleep)
        : m_onPrepareForSleep(std::move(onPrepareForSleep))
    {
    }

public Q_SLOTS:
    void PrepareForSleep(bool starting) { m_onPrepareForSleep(starting); }

private:
    std::function<void(bool)> m_onPrepareForSleep;
};

}  // namespace dw::platform
