#pragma once

// One entry of the device list ("DeviceOption", built from DeviceOption.xml): the device's
// option button "device_select" (its group is the tab header name; selecting it shows the
// device's page), the synchronised-lighting box "synchro_device_select" and the name label
// "device_select_name". The entry stands for one device object, is visible exactly while that
// device counts as connected, and runs the device's timers (link check, preview painting,
// reload, battery, link watch), which it hands to its owner.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/devices/DeviceIcons.h"
#include "ui/core/CHorizontalLayoutUI.h"

namespace dw::ui {
class COptionUI;
}

namespace dw {

class CKestovarUSBDevice;
class CDeviceOptionUI;

// Whoever runs the entry timers (the device list).
class IDeviceEntryOwner {
public:
    virtual ~IDeviceEntryOwner() = default;
    // Timer `id` of `entry` fired; UI thread.
    virtual void OnEntryTimer(CDeviceOptionUI& entry, unsigned id) = 0;
};

class CDeviceOptionUI : public ui::CHorizontalLayoutUI {
public:
    static constexpr const wchar_t* kClassName = L"DeviceOption";

    CDeviceOptionUI();
    ~CDeviceOptionUI() override;

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    void DoEvent(ui::TEventUI& event) override;

    // The device this entry stands for; setting it also makes this the device's list entry.
    void SetDevice(CKestovarUSBDevice* device);
    CKestovarUSBDevice* GetDevice() const { return m_device; }
    void SetOwner(IDeviceEntryOwner* owner) { m_owner = owner; }

    // Chooses the four icons and the name key.
    void SetKindAndRole(int kind, int role);
    int GetKind() const { return m_kind; }
    int GetRole() const { return m_role; }
    const DeviceIconSet& GetIcons() const { return m_icons; }

    // The option's group (the tab header name) and the "device_switch" page it shows.
    void SetGroup(const std::wstring& group);
    void SetTabIndex(int index) { m_tabIndex = index; }
    int GetTabIndex() const { return m_tabIndex; }
    // The container of the battery controls and the index of this device's control in it (-1:
    // none).
    void SetPowerContainer(const std::wstring& name, int index);
    const std::wstring& GetPowerContainerName() const { return m_powerContainer; }
    int GetPowerIndex() const { return m_powerIndex; }

    // The option and the synchronised-lighting box.
    bool IsOptionSelected();
    void SelectOption(bool selected, bool notify = true);
    bool IsSynchroTicked();
    void SetSynchroTicked(bool ticked);
    void SetSynchroVisible(bool visible);
    bool IsSynchroVisible();
    // Shows the icons that match the box: the synchronised ones while it is ticked.
    void RefreshIcons();
    void SetNameText(const std::wstring& text);

    ui::COptionUI* GetOption();
    ui::COptionUI* GetSynchroBox();

    int GetLinkLossCount() const { return m_linkLosses; }
    // One more failed link check (counted modulo 20).
    void CountLinkLoss();
    void ResetLinkLosses() { m_linkLosses = 0; }

    // Entry timers, on the window's paint manager; false without one.
    bool StartTimer(unsigned id, unsigned elapseMs);
    void StopTimer(unsigned id);
    void StopAllTimers();

    // The names of the controls the layout lacks (empty when it has them all).
    std::vector<std::wstring> MissingControls();

private:
    void Bind();

    CKestovarUSBDevice* m_device = nullptr;
    IDeviceEntryOwner* m_owner = nullptr;
    ui::COptionUI* m_option = nullptr;
    ui::COptionUI* m_synchro = nullptr;
    ui::CControlUI* m_name = nullptr;
    bool m_bound = false;
    int m_kind = 0;
    int m_role = 0;
    DeviceIconSet m_icons;
    int m_tabIndex = -1;
    std::wstring m_powerContainer;
    int m_powerIndex = -1;
    int m_linkLosses = 0;
};

}  // namespace dw
