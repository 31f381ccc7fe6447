#include "shell/devices/CLightingSynchroniser.h"

#include "platform/DebugOutput.h"
#include "shell/CStopEvent.h"
#include "shell/devices/DeviceListConstants.h"
#include "transport/device/CKestovarUSBDevice.h"

namespace dw {

namespace {

// The order the click takes the families in.
constexpr std::array kFamilyOrder{family::kKeyboard, family::kMouse, family::kMousepad, family::kHeadset};

}  // namespace

CLightingSynchroniser::CLightingSynchroniser(DevicesOfFamily devices) : m_devices(std::move(devices)) {}

SyncLightingState CLightingSynchroniser::State() const
{
    std::lock_guard lock(m_lock);
    return m_state;
}

bool CLightingSynchroniser::Synchronise(CKestovarUSBDevice* selected, int screenWidth, int screenHeight)
{
    if (selected == nullptr)
        return false;
    const LightingRecord record = selected->GetLightingRecord();
    const std::optional<int> type = SyncTypeOfEffect(FamilyOfKind(static_cast<uint16_t>(selected->GetKind())), record.SelectItem);
    if (!type)
        return false;
    {
        std::lock_guard lock(m_lock);
        m_state = SyncLightingState{*type, record.Speed, record.Light, record.Fx, record.MultiColor,
                                    record.Red, record.Green, record.Blue};
    }
    for (int familyRow : kFamilyOrder) {
        const std::optional<uint8_t> mode = SyncModeOf(*type, familyRow);
        for (CKestovarUSBDevice* device : m_devices(familyRow)) {
            if (!mode || !device->CommandTransport().IsOpened())
                continue;
            device->SetSynchronisedLighting(1);
            LightingRecord synced = record;
            synced.SelectItem = *mode;
            // FIXME: the record is also shown in the device's lighting control once that exists.
            device->SetLightingRecord(synced);
            device->SaveProfile();
            device->ApplyLightingEffect();
            device->ApplySettings(0, 0, 1, screenWidth, screenHeight);
        }
    }
    return true;
}

std::vector<CKestovarUSBDevice*> CLightingSynchroniser::SynchronisedDevices() const
{
    std::vector<CKestovarUSBDevice*> result;
    for (int familyRow : kFamilyOrder)
        for (CKestovarUSBDevice* device : m_devices(familyRow))
            if (device->GetSynchronisedLighting() != 0 && device->CommandTransport().IsOpened())
                result.push_back(device);
    return result;
}

void CLightingSynchroniser::Run(CStopEvent& stop, const TickSource& tick)
{
    CSyncLightingStepper stepper;
    int counted = 0;
    uint64_t lastTick = tick();
    while (!stop.WaitFor(devlist::kSyncTickWait)) {
        const std::vector<CKestovarUSBDevice*> devices = SynchronisedDevices();
        if (devices.empty()) {
            if (stop.WaitFor(devlist::kSyncIdleWait))
                break;
            continue;
        }
        // A change of the tick counts only when it moved on by more than a millisecond.
        const uint64_t now = tick();
        if (now > lastTick + 1) {
            lastTick = now;
            ++counted;
        }
        const SyncLightingState state = State();
        if (counted < SyncStepThreshold(state.speed))
            continue;
        counted = 0;
        const LightState colour = stepper.Step(state, now);
        const uint32_t packed = PackLightColour(colour.red, colour.green, colour.blue, colour.brightness);
        for (CKestovarUSBDevice* device : devices) {
            const int count = static_cast<int>(device->GetLightCount());
            for (int i = 0; i < count; ++i)
                device->SetLightState(i, packed, device->GetLightState(i).flag);
        }
    }
    DebugOutput(L"同步灯光线程设定退出");
}

}  // namespace dw
