#pragma once

// The device list: the connected devices, one entry per device page, and everything that keeps
// them up to date — the discovery worker that reports arrivals and removals, page creation,
// opening and closing the devices' connections (with the switch between cable and receiver of a
// device reached both ways), the wireless link checks, the battery display, the entries'
// visibility, selection and paging, and synchronised lighting across devices.
//
// The main window owns the slot list and the worker slots and calls in through IDeviceList;
// the list reaches back to it for its paint manager (controls, layouts, timers), its messages
// and its pop-up windows. Attach it before the window is created:
//
//   CDeviceList devices;
//   MainWndServices services;
//   services.deviceList = &devices;
//   CMainWnd window(services);
//   devices.Attach(window);
//   window.Create(loop, ...);
//
// Threads: everything runs on the UI thread except RunDiscovery and RunLightingSync (worker
// slots 0 and 8) and the notification readers, which reach the UI thread only through messages.

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "shell/IDeviceList.h"
#include "shell/devices/CDeviceListMailbox.h"
#include "shell/devices/CDeviceOptionUI.h"
#include "shell/devices/CLightingSynchroniser.h"
#include "shell/devices/DeviceListConstants.h"
#include "shell/devices/SyncLighting.h"
#include "transport/DeviceKinds.h"
#include "ui/core/CNotifyPump.h"

namespace dw::hid {
class IHidBackend;
}

namespace dw::ui {
class CContainerUI;
class CTabLayoutUI;
}  // namespace dw::ui

namespace dw {

class CMainWnd;
class CMpDevicePowerUI;
class CDeviceNotificationThread;
class CDeviceSlotList;
struct DeviceInterfaceEntry;

class CDeviceList : public IDeviceList, public IDeviceEntryOwner, public ui::INotifyUI {
public:
    struct Options {
        // The HID backend of the discovery and of the devices' connections (null: the active one).
        hid::IHidBackend* backend = nullptr;
        std::chrono::milliseconds discoveryPeriod = devlist::kDiscoveryPeriod;
        // The macro recording's stop procedure, run when the selected device is lost while the
        // user records. Empty: nothing but removing the hook.
        std::function<void()> stopRecording;
    };

    CDeviceList();
    explicit CDeviceList(Options options);
    ~CDeviceList() override;
    CDeviceList(const CDeviceList&) = delete;
    CDeviceList& operator=(const CDeviceList&) = delete;

    // The window this list serves; before the window is created.
    void Attach(CMainWnd& window);
    // Stops the notification readers and lets go of the window, its pages and entries. Call it
    // after the window is destroyed and before the window object is deleted (the pages, whose
    // transports the readers use, go with it); the window's destruction stops the workers.
    void Detach();

    // ---- IDeviceList --------------------------------------------------------------------------
    void CreateStartupPages() override;
    void OnDeviceArrival(size_t slot) override;
    void OnDeviceRemoval(size_t slot) override;
    void OnLinkChange(size_t entry, bool linkUp) override;
    void RunDiscovery(WorkerContext context) override;
    void RunLightingSync(WorkerContext context) override;
    CKestovarUSBDevice* SelectedDevice() const override;
    std::vector<CKestovarUSBDevice*> Devices(int family) const override;
    size_t ConnectedCount() const override;
    uint8_t KeyboardLinkStatus(const CKestovarUSBDevice& keyboard) const override;
    std::optional<uint8_t> ReadKeyboardInfoLinkState(CKestovarUSBDevice& keyboard) override;
    void SelectPrevious() override;
    void SelectNext() override;
    void SynchroniseLighting() override;

    // ---- INotifyUI: the entries' options and synchronised-lighting boxes -------------------------
    void Notify(ui::TNotifyUI& msg) override;

    // ---- IDeviceEntryOwner --------------------------------------------------------------------
    void OnEntryTimer(CDeviceOptionUI& entry, unsigned id) override;

    // ---- the list ------------------------------------------------------------------------------
    // The entries of "device_select_layout", in list order.
    std::vector<CDeviceOptionUI*> Entries() const;
    CDeviceOptionUI* EntryAt(int index) const;
    int IndexOfEntry(const CDeviceOptionUI* entry) const;
    // The first entry whose option is selected, and its index (-1 when none).
    CDeviceOptionUI* SelectedEntry() const;
    int SelectedIndex() const;
    // The device object that serves a slot, if any.
    CKestovarUSBDevice* FindDeviceForSlot(size_t slot) const;
    const std::vector<CMpDevicePowerUI*>& PowerControls() const { return m_powerControls; }

    // Showing an entry: visibility, optionally selecting it, then the overlay and the
    // synchronised-lighting boxes.
    void ShowEntry(int index, bool visible, bool select);
    // The selected device is gone (or its link is): see the .cpp.
    void DeviceLost(int index);

    SyncLightingState GetSyncState() const;
    // Enumerations the discovery worker made (0 before it runs).
    uint64_t EnumerationCount() const { return m_enumerations.load(); }
    // Notification readers running now.
    size_t RunningReaders() const;

private:
    ui::CPaintManagerUI* Manager() const;
    CDeviceSlotList* Slots() const;
    ui::CControlUI* FindMainControl(const wchar_t* name) const;
    ui::CContainerUI* FindMainContainer(const wchar_t* name) const;
    ui::CTabLayoutUI* FindMainTabs(const wchar_t* name) const;
    ui::CControlUI* BuildLayout(std::wstring_view layout) const;

    CKestovarUSBDevice* CreatePage(int familyRow);
    void ConnectCommand(size_t slot, const DeviceInterfaceEntry& entry);
    void OpenNotification(size_t slot, const DeviceInterfaceEntry& entry);
    void CloseNotification(size_t slot);
    void LinkSwitch(size_t slot);
    void SelectEntry(int index);
    void CloseSettingsWindow();
    void SendLinkChange(const CKestovarUSBDevice& device, bool up);
    void OnMailbox(ui::WPARAM wParam, ui::LPARAM lParam);
    void OnDeviceNotification(int familyRow, uint16_t code);
    int AnyVisibleIndex(int except) const;

    void OnLinkCheckTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device);
    void OnPaintTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device);
    void OnPowerTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device);
    void OnLinkWatchTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device);
    void OnLinkQueryTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device);


    Options m_options;
    CMainWnd* m_window = nullptr;
    bool m_notifierAdded = false;
    CDeviceListMailbox m_mailbox;

    // Device objects per family; read by the synchronisation worker, so guarded.
    mutable std::mutex m_devicesLock;
    std::array<std::vector<CKestovarUSBDevice*>, family::kCount> m_devices;
    std::vector<CMpDevicePowerUI*> m_powerControls;
    std::vector<CDeviceOptionUI*> m_entries;

    // Notification readers of the device objects whose family has no class of its own yet.
    std::map<CKestovarUSBDevice*, std::unique_ptr<CDeviceNotificationThread>> m_readers;
    // The slot each reader was last started on.
    std::map<CKestovarUSBDevice*, size_t> m_readerSlots;
    // Link query tries made after a switch to the receiver, per entry.
    std::map<CDeviceOptionUI*, int> m_linkQueryTries;

    CLightingSynchroniser m_synchroniser;

    std::atomic<uint64_t> m_enumerations{0};
};

}  // namespace dw
