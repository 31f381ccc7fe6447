#pragma once

// Synchronised lighting across devices: the "deng_same_mode" click, which takes the selected
// device's effect as one of the five synchronised types and gives every open device the same
// type in its own family's effect, and the synchronisation worker, which steps that type and
// writes the colour into every light of every synchronised device with an open transport.

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "shell/devices/SyncLighting.h"
#include "transport/DeviceKinds.h"

namespace dw {

class CKestovarUSBDevice;
class CStopEvent;

class CLightingSynchroniser {
public:
    // The device objects of each family (any thread; the provider locks what it must).
    using DevicesOfFamily = std::function<std::vector<CKestovarUSBDevice*>(int family)>;
    // Milliseconds of the program's clock.
    using TickSource = std::function<uint64_t()>;

    explicit CLightingSynchroniser(DevicesOfFamily devices);

    // The click, with the selected device (null: nothing happens) and the screen size handed to
    // ApplySettings. False when nothing changed (no device, or its effect has no type).
    bool Synchronise(CKestovarUSBDevice* selected, int screenWidth, int screenHeight);

    // The worker: until `stop` is set, counts the changes of the tick while some device is
    // synchronised and steps once per threshold of the speed level; rests while none is.
    void Run(CStopEvent& stop, const TickSource& tick);

    SyncLightingState State() const;
    // The synchronised devices with an open command transport.
    std::vector<CKestovarUSBDevice*> SynchronisedDevices() const;

private:
    DevicesOfFamily m_devices;
    mutable std::mutex m_lock;
    SyncLightingState m_state;
};

}  // namespace dw
