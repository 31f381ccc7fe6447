#pragma once

// The battery control of one device page ("MpDevicePower", built from MpDevicePower.xml), a
// page of the main window's "device_power_switch". It shows the battery level as text and as
// the ring's used part, the power state image, the receiver logo of a keyboard or mouse, and
// for the mousepad the phone lying on its charging area. The whole battery display
// ("device_power_Layout") is shown exactly while the device's page has its power page flag.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "transport/device/IDevicePowerControl.h"
#include "ui/core/CVerticalLayoutUI.h"

namespace dw::ui {
class CLabelUI;
}

namespace dw {

class CCircleProgressUI;

// Bytes of the status block the battery control reads.
namespace powerblock {
inline constexpr size_t kMaxSize = 64;
inline constexpr size_t kLevel = 0;          // battery level in percent
inline constexpr size_t kPowerState = 1;     // 0 full, 1 charging, 2 on battery
inline constexpr size_t kThroughReceiver = 3;
inline constexpr size_t kPhone = 5;          // mousepad: 1 iPhone, 2 Samsung, 3 other, else none
inline constexpr uint8_t kStateFull = 0;
inline constexpr uint8_t kStateCharging = 1;
inline constexpr uint8_t kStateOnBattery = 2;
}  // namespace powerblock

class CMpDevicePowerUI : public ui::CVerticalLayoutUI, public IDevicePowerControl {
public:
    static constexpr const wchar_t* kClassName = L"MpDevicePower";
    static constexpr int kFullLevel = 100;

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    void SetKindAndRole(int kind, int role);
    int GetKind() const { return m_kind; }
    int GetRole() const { return m_role; }

    // IDevicePowerControl
    void SetPowerPageFlag(int flag) override;
    void ShowPowerStatus(std::span<const uint8_t> block) override;

    int GetPowerPageFlag() const { return m_powerPageFlag; }
    // The names of the controls the layout lacks (empty when it has them all).
    std::vector<std::wstring> MissingControls();

private:
    struct Parts {
        ui::CControlUI* layout = nullptr;
        ui::CControlUI* value = nullptr;
        ui::CControlUI* wirelessLogo = nullptr;
        CCircleProgressUI* progress = nullptr;
        ui::CControlUI* status = nullptr;
        ui::CControlUI* phone = nullptr;
    };
    // Looks the parts up on first use (the layout's children exist once it is built).
    Parts& Bind();

    Parts m_parts;
    bool m_bound = false;
    int m_kind = 0;
    int m_role = 0;
    int m_powerPageFlag = 0;
};

}  // namespace dw
