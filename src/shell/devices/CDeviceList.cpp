#include "shell/devices/CDeviceList.h"

#include <algorithm>
#include <mutex>

#include "keyboard/KeyboardNotification.h"
#include "keyboard/device/CKestovarKeyboardDevice.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "keyboard/KeyboardProtocol.h"
#include "platform/DebugOutput.h"
#include "shell/CMainWnd.h"
#include "shell/CStopEvent.h"
#include "shell/MainWndMessages.h"
#include "shell/RegisteredMessages.h"
#include "shell/devices/BaseDeviceStandIn.h"
#include "shell/devices/CDiscoveryLoop.h"
#include "shell/devices/CMpDevicePowerUI.h"
#include "transport/CDeviceSlotList.h"
#include "transport/DeviceLookup.h"
#include "transport/DeviceTables.h"
#include "transport/device/CDeviceNotificationThread.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CDialogBuilder.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/COptionUI.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CTabLayoutUI.h"

namespace dw {

namespace {

bool IsCableKind(uint16_t k)
{
    return k == kind::kKeyboard || k == kind::kMouse;
}

bool IsKeyboardOrMouseKind(uint16_t k)
{
    const int f = FamilyOfKind(k);
    return f == family::kKeyboard || f == family::kMouse;
}

std::chrono::milliseconds ReaderStopWait(int familyRow)
{
    return familyRow == family::kKeyboard || familyRow == family::kMouse ? CDeviceNotificationThread::kShortStopWait
                                                                         : CDeviceNotificationThread::kLongStopWait;
}

// The diagnostic lines of an arrival and a removal, per family that has them.
struct FamilyDiagnostics {
    int family;
    const wchar_t* arrival;
    const wchar_t* removal;
};
constexpr FamilyDiagnostics kFamilyDiagnostics[] = {
    {family::kKeyboard, L"添加一个键盘设备", L"删除一个键盘设备"},
    {family::kMouse, L"添加一个鼠标设备", L"删除一个鼠标设备"},
    {family::kMousepad, L"添加一个鼠标垫设备", L"删除一个鼠标垫设备"},
};

const FamilyDiagnostics* DiagnosticsOfKind(uint16_t k)
{
    for (const FamilyDiagnostics& row : kFamilyDiagnostics)
        if (row.family == FamilyOfKind(k))
            return &row;
    return nullptr;
}

void DiagnosticOfArrival(uint16_t k)
{
    if (const FamilyDiagnostics* row = DiagnosticsOfKind(k))
        DebugOutput(row->arrival);
}

void DiagnosticOfRemoval(uint16_t k)
{
    if (const FamilyDiagnostics* row = DiagnosticsOfKind(k))
        DebugOutput(row->removal);
}

CKestovarKeyboardDevice* AsKeyboard(CKestovarUSBDevice* device)
{
    return device != nullptr ? static_cast<CKestovarKeyboardDevice*>(device->GetInterface(CKestovarKeyboardDevice::kClassName))
                             : nullptr;
}

// What the mailbox carries in wParam besides the family row: the keyboard's own requests.
constexpr ui::WPARAM kKeyboardResync = 0x100;
constexpr ui::WPARAM kKeyboardProfile = 0x200;

}  // namespace

CDeviceList::CDeviceList() : CDeviceList(Options{}) {}

CDeviceList::CDeviceList(Options options)
    : m_options(std::move(options)), m_synchroniser([this](int familyRow) { return Devices(familyRow); })
{
}

CDeviceList::~CDeviceList()
{
    Detach();
}

void CDeviceList::Attach(CMainWnd& window)
{
    m_window = &window;
}

void CDeviceList::Detach()
{
    if (m_window == nullptr)
        return;
    // The readers first: they use the devices' transports, which go with the window.
    for (auto& [device, reader] : m_readers)
        reader->Stop();
    m_readers.clear();
    m_readerSlots.clear();
    for (CKestovarUSBDevice* device : Devices(family::kKeyboard))
        if (CKestovarKeyboardDevice* keyboard = AsKeyboard(device))
            keyboard->CloseNotificationPaths();
    if (m_notifierAdded) {
        m_window->GetPaintManager().RemoveNotifier(this);
        m_notifierAdded = false;
    }
    if (m_mailbox.GetHWND() != nullptr)
        m_mailbox.DestroyWindow();
    {
        std::lock_guard lock(m_devicesLock);
        for (auto& familyDevices : m_devices)
            familyDevices.clear();
    }
    m_entries.clear();
    m_powerControls.clear();
    m_linkQueryTries.clear();
    m_window = nullptr;
}

// ---- helpers -----------------------------------------------------------------------------------

ui::CPaintManagerUI* CDeviceList::Manager() const
{
    return m_window != nullptr ? &m_window->GetPaintManager() : nullptr;
}

CDeviceSlotList* CDeviceList::Slots() const
{
    return m_window != nullptr ? m_window->GetSlotList() : nullptr;
}

ui::CControlUI* CDeviceList::FindMainControl(const wchar_t* name) const
{
    ui::CPaintManagerUI* manager = Manager();
    return manager != nullptr ? manager->FindControl(name) : nullptr;
}

ui::CContainerUI* CDeviceList::FindMainContainer(const wchar_t* name) const
{
    ui::CControlUI* control = FindMainControl(name);
    return control != nullptr ? static_cast<ui::CContainerUI*>(control->GetInterface(L"Container")) : nullptr;
}

ui::CTabLayoutUI* CDeviceList::FindMainTabs(const wchar_t* name) const
{
    ui::CControlUI* control = FindMainControl(name);
    return control != nullptr ? static_cast<ui::CTabLayoutUI*>(control->GetInterface(L"TabLayout")) : nullptr;
}

ui::CControlUI* CDeviceList::BuildLayout(std::wstring_view layout) const
{
    ui::CDialogBuilder builder;
    ui::CControlUI* control = builder.Create(std::wstring(layout), {}, m_window, Manager());
    for (const ui::UIBuilderError& problem : builder.GetErrors())
        DebugOutput(problem.file + L":" + std::to_wstring(problem.line) + L": " + problem.message);
    return control;
}

std::vector<CDeviceOptionUI*> CDeviceList::Entries() const
{
    return m_entries;
}

CDeviceOptionUI* CDeviceList::EntryAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return nullptr;
    return m_entries[static_cast<size_t>(index)];
}

int CDeviceList::IndexOfEntry(const CDeviceOptionUI* entry) const
{
    const auto it = std::find(m_entries.begin(), m_entries.end(), entry);
    return it == m_entries.end() ? -1 : static_cast<int>(it - m_entries.begin());
}

CDeviceOptionUI* CDeviceList::SelectedEntry() const
{
    return EntryAt(SelectedIndex());
}

int CDeviceList::SelectedIndex() const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i]->IsOptionSelected())
            return static_cast<int>(i);
    return -1;
}

CKestovarUSBDevice* CDeviceList::SelectedDevice() const
{
    const CDeviceOptionUI* entry = SelectedEntry();
    return entry != nullptr ? entry->GetDevice() : nullptr;
}

std::vector<CKestovarUSBDevice*> CDeviceList::Devices(int familyIndex) const
{
    if (familyIndex < 0 || familyIndex >= family::kCount)
        return {};
    std::lock_guard lock(m_devicesLock);
    return m_devices[static_cast<size_t>(familyIndex)];
}

size_t CDeviceList::ConnectedCount() const
{
    return static_cast<size_t>(std::count_if(m_entries.begin(), m_entries.end(),
                                             [](const CDeviceOptionUI* e) { return e->IsVisible(); }));
}

int CDeviceList::AnyVisibleIndex(int except) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (static_cast<int>(i) != except && m_entries[i]->IsVisible())
            return static_cast<int>(i);
    return -1;
}

uint8_t CDeviceList::KeyboardLinkStatus(const CKestovarUSBDevice& keyboard) const
{
    auto& device = const_cast<CKestovarUSBDevice&>(keyboard);
    if (CKestovarKeyboardDevice* kb = AsKeyboard(&device))
        return kb->Channel().Cache().info[kbinfo::kLinkState];
    // A keyboard page without the keyboard class: an open keyboard counts as linked.
    return device.CommandTransport().IsOpened() ? kbinfo::kLinked : 0;
}

std::optional<uint8_t> CDeviceList::ReadKeyboardInfoLinkState(CKestovarUSBDevice& keyboard)
{
    return ReadDeviceInfoLinkByte(keyboard);
}

SyncLightingState CDeviceList::GetSyncState() const
{
    return m_synchroniser.State();
}

size_t CDeviceList::RunningReaders() const
{
    size_t running = static_cast<size_t>(std::count_if(m_readers.begin(), m_readers.end(),
                                                       [](const auto& reader) { return reader.second->Running(); }));
    for (CKestovarUSBDevice* device : Devices(family::kKeyboard)) {
        if (const CKestovarKeyboardDevice* keyboard = AsKeyboard(device))
            running += (keyboard->NotificationReaderRunning(false) ? 1 : 0) + (keyboard->NotificationReaderRunning(true) ? 1 : 0);
    }
    return running;
}

CKestovarUSBDevice* CDeviceList::FindDeviceForSlot(size_t slotIndex) const
{
    const CDeviceSlotList* slots = Slots();
    if (slots == nullptr || slotIndex >= CDeviceSlotList::Count())
        return nullptr;
    DeviceInterfaceEntry copy = slots->Slot(slotIndex);
    if (copy.role == role::kNotification) {
        for (size_t i = 0; i < CDeviceSlotList::Count(); ++i) {
            const DeviceInterfaceEntry other = slots->Slot(i);
            if (other.role == role::kCommand && other.vendorId == copy.vendorId && other.productId == copy.productId &&
                other.kind == copy.kind) {
                copy = other;
                if (IsReceiverKind(copy.kind) && copy.hasPartner != 0)
                    copy = slots->Slot(copy.partnerIndex);
                break;
            }
        }
    } else if (IsReceiverKind(copy.kind) && copy.hasPartner != 0 &&
               slots->Slot(copy.partnerIndex).partnerIndex == slotIndex) {
        copy = slots->Slot(copy.partnerIndex);
    }
    std::lock_guard lock(m_devicesLock);
    for (const auto& familyDevices : m_devices)
        for (CKestovarUSBDevice* device : familyDevices)
            if (InterfacesEqual(device->GetInterfaceEntry(), copy))
                return device;
    return nullptr;
}

// ---- pages -----------------------------------------------------------------------------------------

void CDeviceList::CreateStartupPages()
{
    ui::CPaintManagerUI* manager = Manager();
    if (manager == nullptr)
        return;
    if (!m_notifierAdded) {
        manager->AddNotifier(this);
        m_notifierAdded = true;
    }
    if (m_mailbox.GetHWND() == nullptr && m_window->GetMessageLoop() != nullptr) {
        m_mailbox.Create(*m_window->GetMessageLoop(), [this](ui::WPARAM wParam, ui::LPARAM lParam) {
            OnMailbox(wParam, lParam);
        });
    }
    for (int familyRow : {family::kMouse, family::kKeyboard, family::kMousepad})
        CreatePage(familyRow);
    ShowEntry(-1, false, false);
}

CKestovarUSBDevice* CDeviceList::CreatePage(int familyRow)
{
    if (familyRow < 0 || familyRow >= family::kCount)
        return nullptr;
    const DeviceOptionEntry& option = kDeviceOptions[static_cast<size_t>(familyRow)];
    const DevicePageEntry& page = kDevicePages[static_cast<size_t>(familyRow)];
    const int interfaceRow = FindInterfaceRow(static_cast<uint16_t>(option.vendorId), static_cast<uint16_t>(option.productId),
                                              static_cast<uint16_t>(option.kind), static_cast<uint16_t>(option.role));
    ui::CContainerUI* powerSwitch = FindMainContainer(std::wstring(option.powerContainerName).c_str());
    ui::CContainerUI* deviceSwitch = FindMainContainer(devlist::kDeviceSwitch);
    ui::CContainerUI* entryLayout = FindMainContainer(devlist::kDeviceSelectLayout);
    if (interfaceRow < 0 || powerSwitch == nullptr || deviceSwitch == nullptr || entryLayout == nullptr) {
        DebugOutput(L"device list: the page of family " + std::to_wstring(familyRow) + L" cannot be created");
        return nullptr;
    }

    // 1. The three layouts; all or nothing.
    ui::CControlUI* powerRoot = BuildLayout(devlist::kPowerLayoutFile);
    ui::CControlUI* entryRoot = BuildLayout(option.listEntryLayout);
    ui::CControlUI* pageRoot = BuildLayout(page.pageLayout);
    auto* power = powerRoot != nullptr ? static_cast<CMpDevicePowerUI*>(powerRoot->GetInterface(CMpDevicePowerUI::kClassName)) : nullptr;
    auto* entry = entryRoot != nullptr ? static_cast<CDeviceOptionUI*>(entryRoot->GetInterface(CDeviceOptionUI::kClassName)) : nullptr;
    auto* device = pageRoot != nullptr ? static_cast<CKestovarUSBDevice*>(pageRoot->GetInterface(CKestovarUSBDevice::kClassName)) : nullptr;
    if (power == nullptr || entry == nullptr || device == nullptr) {
        DebugOutput(L"device list: a layout of family " + std::to_wstring(familyRow) + L" did not build");
        delete powerRoot;
        delete entryRoot;
        delete pageRoot;
        return nullptr;
    }

    // 2. The battery control.
    powerSwitch->Add(power);
    power->SetKindAndRole(option.kind, option.role);
    m_powerControls.push_back(power);

    // 3. The page.
    device->SetPageLayoutPath(std::wstring(page.pageLayout));
    device->SetOwnerWindow(m_window->GetHWND());
    device->SetKeyButtonCount(static_cast<size_t>(page.keyButtonCount));
    device->SetLightCount(static_cast<size_t>(page.lightCount));
    device->SetFamilyRow(familyRow);
    device->SetPowerPageFlag(page.powerPageFlag);
    device->SetFamilyName(std::wstring(option.familyName));
    device->SetPowerControl(power);
    device->SetInterfaceEntry(DeviceInterfaceEntry::FromRow(kSupportedInterfaces[static_cast<size_t>(interfaceRow)]));
    device->SetDeviceOrdinal(option.deviceOrdinal);
    device->SetLightingFileStem(std::wstring(page.lightingFileStem));
    device->BindPageControls();
    if (CKestovarKeyboardDevice* keyboard = AsKeyboard(device)) {
        // The keyboard's notifications come back to the UI thread through the mailbox.
        keyboard->SetMessageLoop(m_window->GetMessageLoop());
        CDeviceListMailbox* mailbox = &m_mailbox;
        CKestovarKeyboardDevice::Callbacks callbacks;
        callbacks.scheduleResync = [mailbox, familyRow](std::chrono::milliseconds) {
            mailbox->Post(kKeyboardResync | static_cast<ui::WPARAM>(familyRow), 0);
        };
        callbacks.activeProfileChanged = [mailbox, familyRow](uint8_t profile) {
            mailbox->Post(kKeyboardProfile | static_cast<ui::WPARAM>(familyRow), profile);
        };
        keyboard->SetCallbacks(std::move(callbacks));
    }

    // 4. Into the tab layout and the family's list.
    deviceSwitch->Add(device);
    {
        std::lock_guard lock(m_devicesLock);
        m_devices[static_cast<size_t>(familyRow)].push_back(device);
    }

    // 5. The list entry, hidden until its device counts as connected.
    entryLayout->Add(entry);
    m_entries.push_back(entry);
    entry->SetOwner(this);
    entry->SetSynchroVisible(false);
    entry->SetGroup(std::wstring(option.tabHeaderName));
    entry->SetTabIndex(deviceSwitch->GetItemIndex(device));
    entry->SetPowerContainer(std::wstring(option.powerContainerName), powerSwitch->GetItemIndex(power));
    entry->SetKindAndRole(option.kind, option.role);
    entry->SetVisible(false);
    entry->SetNameText(entry->GetIcons().nameKey);
    entry->SetDevice(device);
    return device;
}

// ---- arrival and removal ---------------------------------------------------------------------------

void CDeviceList::OnDeviceArrival(size_t slotIndex)
{
    CDeviceSlotList* slots = Slots();
    if (slots == nullptr || slotIndex >= CDeviceSlotList::Count())
        return;
    const DeviceInterfaceEntry slot = slots->Slot(slotIndex);
    // The discovery worker may already have released the slot again (a device pulled at once).
    if (slot.connected == 0)
        return;
    DiagnosticOfArrival(slot.kind);

    if (slot.role == role::kNotification) {
        OpenNotification(slotIndex, slot);
    } else {
        if (FindDeviceForSlot(slotIndex) == nullptr)
            CreatePage(FamilyRowOfSlot(slotIndex));
        ConnectCommand(slotIndex, slot);
    }

    // The show procedure: overlay refresh, restore, bring to front.
    if (m_window != nullptr)
        m_window->SendMessage(m_window->GetMessages().productTitle, 0, mainwnd::kShowAfterFirstScan);
}

void CDeviceList::ConnectCommand(size_t slotIndex, const DeviceInterfaceEntry& slot)
{
    CDeviceSlotList* slots = Slots();
    // 1. The same device is already connected the other way.
    if (IsKeyboardOrMouseKind(slot.kind) && slot.hasPartner != 0) {
        const DeviceInterfaceEntry partner = slots->Slot(slot.partnerIndex);
        if (partner.connected != 0 && partner.partnerIndex == slotIndex) {
            if (IsCableKind(slot.kind))
                LinkSwitch(slotIndex);
            return;
        }
    }

    // 2. Open the connection of the slot's kind.
    CKestovarUSBDevice* device = FindDeviceForSlot(slotIndex);
    if (device == nullptr)
        return;
    CDeviceTransport& transport = device->CommandTransport();
    const bool receiver = IsReceiverKind(slot.kind);
    if (!transport.IsOpened()) {
        std::lock_guard io(transport.IoLock());
        CHidConnection& connection = receiver ? transport.ReceiverConnection() : transport.WiredConnection();
        if (connection.OpenPath(slot.path, true, true, true, false)) {
            transport.SetOpened(true);
            if (const int mode = LinkModeOfKind(slot.kind); mode != 0)
                transport.SetLinkMode(mode);
            device->SetInterfaceEntry(receiver && slot.hasPartner != 0 ? slots->Slot(slot.partnerIndex) : slot);
        }
    }
    // A device whose connection did not open is not connected: its entry stays as it was.
    if (!transport.IsOpened()) {
        DebugOutput(L"device list: the connection of slot " + std::to_wstring(slotIndex) + L" did not open");
        return;
    }

    // 3. The entry: a cable device shows at once (selected when nothing was shown), a receiver
    // device once its link check finds the device.
    CDeviceOptionUI* entry = device->GetListEntry();
    const int index = IndexOfEntry(entry);
    if (entry == nullptr || index < 0)
        return;
    if (!receiver)
        ShowEntry(index, true, AnyVisibleIndex(-1) < 0);
    entry->StartTimer(devlist::kTimerLinkCheck, devlist::kLinkCheckFirstMs);
}

void CDeviceList::OnDeviceRemoval(size_t slotIndex)
{
    CDeviceSlotList* slots = Slots();
    if (slots == nullptr || slotIndex >= CDeviceSlotList::Count())
        return;
    const DeviceInterfaceEntry slot = slots->Slot(slotIndex);

    if (slot.role == role::kNotification) {
        CloseNotification(slotIndex);
        return;
    }
    // 1. The device is still reached the other way.
    if (IsKeyboardOrMouseKind(slot.kind) && slot.hasPartner != 0) {
        const DeviceInterfaceEntry partner = slots->Slot(slot.partnerIndex);
        if (partner.connected != 0 && partner.partnerIndex == slotIndex) {
            if (IsCableKind(slot.kind))
                LinkSwitch(slotIndex);
            return;
        }
    }
    // 2. Gone: close its connections, then the device-lost procedure for its entry.
    CKestovarUSBDevice* device = FindDeviceForSlot(slotIndex);
    if (device == nullptr)
        return;
    if (FamilyOfKind(slot.kind) == family::kKeyboard)
        DebugOutput(L"键盘设备丢失");
    else if (FamilyOfKind(slot.kind) == family::kMouse)
        DebugOutput(L"鼠标设备丢失");
    DiagnosticOfRemoval(slot.kind);
    CDeviceTransport& transport = device->CommandTransport();
    transport.SetOpened(false);
    {
        std::lock_guard io(transport.IoLock());
        transport.WiredConnection().Close();
        transport.ReceiverConnection().Close();
    }
    CDeviceOptionUI* entry = device->GetListEntry();
    if (entry != nullptr) {
        // Nothing is left for the entry's timers to do until the device comes back.
        entry->StopAllTimers();
        m_linkQueryTries.erase(entry);
    }
    DeviceLost(IndexOfEntry(entry));
}

void CDeviceList::OpenNotification(size_t slotIndex, const DeviceInterfaceEntry& slot)
{
    CKestovarUSBDevice* device = FindDeviceForSlot(slotIndex);
    if (device == nullptr)
        return;
    if (CKestovarKeyboardDevice* keyboard = AsKeyboard(device)) {
        // A reader already running on that connection is stopped first: a reopen.
        if (!keyboard->OpenNotificationPath(slot.path, IsReceiverKind(slot.kind)))
            DebugOutput(L"device list: the keyboard's notification interface did not open");
        return;
    }
    if (!IsBaseDeviceObject(*device)) {
        // FIXME: the mouse, mousepad and headset classes open their notification interface
        // themselves; their entry points are wired here when they exist.
        DebugOutput(L"device list: no notification entry point for this device class yet");
        return;
    }
    auto& reader = m_readers[device];
    if (!reader) {
        const int familyRow = device->GetFamilyRow();
        CDeviceListMailbox* mailbox = &m_mailbox;
        reader = std::make_unique<CDeviceNotificationThread>(
            device->NotificationTransport(), ReaderStopWait(familyRow),
            [mailbox, familyRow](uint16_t code, std::span<const uint8_t>) {
                mailbox->Post(static_cast<ui::WPARAM>(familyRow), static_cast<ui::LPARAM>(code));
            });
    }
    // Start stops a running reader first, so a second notification interface reopens it.
    const auto connection = IsReceiverKind(slot.kind) ? CDeviceNotificationThread::Connection::Receiver
                                                      : CDeviceNotificationThread::Connection::Wired;
    if (reader->Start(connection, slot.path))
        m_readerSlots[device] = slotIndex;
    else
        DebugOutput(L"device list: the notification interface of slot " + std::to_wstring(slotIndex) + L" did not open");
}

void CDeviceList::CloseNotification(size_t slotIndex)
{
    CKestovarUSBDevice* device = FindDeviceForSlot(slotIndex);
    if (device == nullptr)
        return;
    if (CKestovarKeyboardDevice* keyboard = AsKeyboard(device)) {
        // The keyboard closes both of its readers; the one of its other interface, if that is
        // still present, is opened again.
        keyboard->CloseNotificationPaths();
        const DeviceInterfaceEntry slot = Slots()->Slot(slotIndex);
        if (slot.hasPartner != 0) {
            const DeviceInterfaceEntry other = Slots()->Slot(slot.partnerIndex);
            if (other.connected != 0 && !other.path.empty())
                keyboard->OpenNotificationPath(other.path, IsReceiverKind(other.kind));
        }
        return;
    }
    // Only the reader of this interface: the device may be read through its other one now.
    const auto it = m_readers.find(device);
    const auto started = m_readerSlots.find(device);
    if (it != m_readers.end() && started != m_readerSlots.end() && started->second == slotIndex) {
        it->second->Stop();
        m_readerSlots.erase(started);
    }
}

void CDeviceList::OnMailbox(ui::WPARAM wParam, ui::LPARAM lParam)
{
    const int familyRow = static_cast<int>(wParam & 0xFF);
    if ((wParam & kKeyboardResync) != 0) {
        // Timer 1002 runs the keyboard's re-synchronisation.
        for (CKestovarUSBDevice* device : Devices(familyRow))
            if (CDeviceOptionUI* entry = device->GetListEntry())
                entry->StartTimer(devlist::kTimerReload, devlist::kReloadDelayMs);
        return;
    }
    if ((wParam & kKeyboardProfile) != 0) {
        for (CKestovarUSBDevice* device : Devices(familyRow))
            device->RefreshPage();
        return;
    }
    OnDeviceNotification(familyRow, static_cast<uint16_t>(lParam));
}

void CDeviceList::OnDeviceNotification(int familyRow, uint16_t code)
{
    for (CKestovarUSBDevice* device : Devices(familyRow)) {
        const KeyboardEvent event = DecodeKeyboardNotification(code);
        switch (event.kind) {
        case KeyboardEventKind::Resync:
        case KeyboardEventKind::ResyncWithProfileReload:
            // The settings are read again a moment later, on the entry's timer.
            if (CDeviceOptionUI* entry = device->GetListEntry())
                entry->StartTimer(devlist::kTimerReload, devlist::kReloadDelayMs);
            break;
        case KeyboardEventKind::ActiveProfile:
        case KeyboardEventKind::ActiveProfileWithState:
            device->ReloadSettings();
            device->RefreshPage();
            break;
        default:
            break;
        }
    }
}

// ---- link switch -------------------------------------------------------------------------------------

void CDeviceList::LinkSwitch(size_t slotIndex)
{
    CDeviceSlotList* slots = Slots();
    const DeviceInterfaceEntry slot = slots->Slot(slotIndex);
    CKestovarUSBDevice* device = FindDeviceForSlot(slotIndex);
    if (device == nullptr)
        return;
    CDeviceTransport& transport = device->CommandTransport();
    const bool wasReceiver = transport.InReceiverMode();
    const std::wstring path = wasReceiver ? slot.path : slots->Slot(slot.partnerIndex).path;

    bool opened = false;
    {
        std::lock_guard io(transport.IoLock());
        transport.SetOpened(false);
        if (wasReceiver) {
            transport.WiredConnection().Close();
            opened = transport.WiredConnection().OpenPath(path, true, true, true, false);
        } else {
            transport.ReceiverConnection().Close();
            opened = transport.ReceiverConnection().OpenPath(path, true, true, true, false);
            // The cable is gone: its connection has nothing left to talk to.
            if (opened)
                transport.WiredConnection().Close();
        }
        // A switch that failed keeps the connection that still works.
        if (!opened && transport.ActiveConnection().IsOpen())
            transport.SetOpened(true);
    }
    if (!opened) {
        DebugOutput(L"device list: switching the connection of slot " + std::to_wstring(slotIndex) + L" failed");
        return;
    }
    transport.SetOpened(true);
    transport.SetLinkMode(wasReceiver ? link::kWired : link::kReceiver);

    CDeviceOptionUI* entry = device->GetListEntry();
    if (!wasReceiver) {
        // Now through the receiver: the link query runs on the entry's timer, one try every
        // 50 ms, and reads the battery when it ends.
        if (device->GetPowerPageFlag() != 0 && entry != nullptr) {
            m_linkQueryTries[entry] = 0;
            entry->StartTimer(devlist::kTimerLinkQuery, devlist::kLinkQueryIntervalMs);
        }
        if (entry != nullptr) {
            SendBeginCommand(*device);
            entry->StartTimer(devlist::kTimerLinkWatch, devlist::kLinkWatchFirstMs);
            device->RefreshFromDevice();
            CloseSettingsWindow();
        }
    } else {
        if (entry != nullptr) {
            m_linkQueryTries.erase(entry);
            entry->StopTimer(devlist::kTimerLinkQuery);
            entry->StartTimer(devlist::kTimerLinkCheck, devlist::kLinkCheckFirstMs);
            SendLinkChange(*device, true);
            CloseSettingsWindow();
        }
        if (device->GetPowerPageFlag() != 0)
            ReadDevicePowerStatus(*device);
    }
}

void CDeviceList::CloseSettingsWindow()
{
    if (m_window == nullptr)
        return;
    const ui::HWND settings = m_window->GetPopupWindow(CMainWnd::Popup::Settings);
    ui::CMessageLoop* loop = m_window->GetMessageLoop();
    if (settings != nullptr && loop != nullptr && loop->IsWindow(settings))
        loop->SendMessage(settings, ui::WM_CLOSE, 0, 0);
}

void CDeviceList::SendLinkChange(const CKestovarUSBDevice& device, bool up)
{
    if (m_window != nullptr && device.GetFamilyRow() >= 0)
        m_window->SendMessage(mainwnd::kMsgLinkChange, static_cast<ui::WPARAM>(device.GetFamilyRow()), up ? 1 : 0);
}

// ---- entries -----------------------------------------------------------------------------------------

void CDeviceList::OnLinkChange(size_t index, bool linkUp)
{
    const int i = static_cast<int>(index);
    CDeviceOptionUI* entry = EntryAt(i);
    if (entry == nullptr)
        return;
    if (!linkUp) {
        DeviceLost(i);
        return;
    }
    if (!entry->IsVisible())
        ShowEntry(i, true, AnyVisibleIndex(-1) < 0);
}

void CDeviceList::DeviceLost(int index)
{
    CDeviceOptionUI* entry = EntryAt(index);
    if (entry == nullptr)
        return;
    const bool wasSelected = entry->IsVisible() && entry->IsOptionSelected();
    int other = -1;
    if (wasSelected) {
        m_window->ClosePopups();
        if (m_window->GetEditingState() == 0) {
            // The user was recording or editing on the device that went away.
            m_window->SendMessage(mainwnd::kMsgHook, 0, 0);
            if (m_options.stopRecording)
                m_options.stopRecording();
            m_window->SetEditingState(true, true);
        }
        other = AnyVisibleIndex(index);
    }
    ShowEntry(index, false, false);
    if (other >= 0)
        ShowEntry(other, true, true);
    else if (wasSelected)
        entry->SelectOption(false, false);
}

void CDeviceList::SelectEntry(int index)
{
    CDeviceOptionUI* entry = EntryAt(index);
    if (entry == nullptr)
        return;
    if (ui::CTabLayoutUI* tabs = FindMainTabs(devlist::kDeviceSwitch); tabs != nullptr && entry->GetTabIndex() >= 0)
        tabs->SelectItem(entry->GetTabIndex());
    ui::CControlUI* powerControl = FindMainControl(entry->GetPowerContainerName().c_str());
    if (powerControl != nullptr) {
        auto* powerTabs = static_cast<ui::CTabLayoutUI*>(powerControl->GetInterface(L"TabLayout"));
        if (entry->GetPowerIndex() >= 0 && powerTabs != nullptr) {
            powerControl->SetVisible(true);
            powerTabs->SelectItem(entry->GetPowerIndex());
        } else {
            powerControl->SetVisible(false);
        }
    }
    if (!entry->IsOptionSelected())
        entry->SelectOption(true, true);
}

void CDeviceList::ShowEntry(int index, bool visible, bool select)
{
    if (CDeviceOptionUI* entry = EntryAt(index)) {
        entry->SetVisible(visible);
        if (select)
            SelectEntry(index);
    }
    size_t shown = 0;
    size_t ticked = 0;
    for (CDeviceOptionUI* entry : m_entries) {
        if (!entry->IsVisible())
            continue;
        ++shown;
        if (entry->IsSynchroTicked())
            ++ticked;
    }
    if (ui::CControlUI* overlay = FindMainControl(devlist::kNoDeviceLink))
        overlay->SetVisible(shown == 0);
    if (shown == 0) {
        for (const wchar_t* name : {devlist::kPowerSwitch, devlist::kDeviceSwitch})
            if (ui::CTabLayoutUI* tabs = FindMainTabs(name))
                tabs->SelectItem(0);
    }
    const bool boxes = shown > 1;
    for (CDeviceOptionUI* entry : m_entries)
        entry->SetSynchroVisible(boxes);
    if (!boxes) {
        for (CKestovarUSBDevice* headset : Devices(family::kHeadset))
            headset->SetSynchronisedLighting(0);
    }
    if (ticked < 2) {
        for (CDeviceOptionUI* entry : m_entries)
            if (entry->IsSynchroTicked())
                entry->SetSynchroTicked(false);
    }
}

void CDeviceList::SelectPrevious()
{
    const int selected = SelectedIndex();
    for (int i = selected - 1; i >= 0; --i) {
        if (EntryAt(i)->IsVisible()) {
            SelectEntry(i);
            return;
        }
    }
}

void CDeviceList::SelectNext()
{
    const int selected = SelectedIndex();
    for (int i = selected + 1; i < static_cast<int>(m_entries.size()); ++i) {
        if (EntryAt(i)->IsVisible()) {
            SelectEntry(i);
            return;
        }
    }
}

void CDeviceList::Notify(ui::TNotifyUI& msg)
{
    if (msg.sType != ui::notify::kSelectChanged || msg.pSender == nullptr)
        return;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        CDeviceOptionUI* entry = m_entries[i];
        if (msg.pSender == entry->GetOption()) {
            // The user selected the entry: its page and battery control come to the front.
            if (entry->IsOptionSelected())
                SelectEntry(static_cast<int>(i));
            return;
        }
        if (msg.pSender == entry->GetSynchroBox()) {
            entry->RefreshIcons();
            return;
        }
    }
}

// ---- entry timers ----------------------------------------------------------------------------------

void CDeviceList::OnEntryTimer(CDeviceOptionUI& entry, unsigned id)
{
    entry.StopTimer(id);
    CKestovarUSBDevice* device = entry.GetDevice();
    if (device == nullptr)
        return;
    switch (id) {
    case devlist::kTimerLinkCheck:
        OnLinkCheckTimer(entry, *device);
        break;
    case devlist::kTimerPaint:
        OnPaintTimer(entry, *device);
        break;
    case devlist::kTimerReload:
        if (CKestovarKeyboardDevice* keyboard = AsKeyboard(device))
            keyboard->RunResync();
        else
            device->ReloadSettings();
        break;
    case devlist::kTimerPower:
        OnPowerTimer(entry, *device);
        break;
    case devlist::kTimerLinkWatch:
        OnLinkWatchTimer(entry, *device);
        break;
    case devlist::kTimerLinkQuery:
        OnLinkQueryTimer(entry, *device);
        break;
    default:
        break;
    }
}

void CDeviceList::OnLinkCheckTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device)
{
    CDeviceTransport& transport = device.CommandTransport();
    if (!transport.IsOpened())
        return;
    const bool receiver = transport.InReceiverMode();
    if (receiver && !QueryDeviceLink(device)) {
        entry.CountLinkLoss();
        // The link-lost message hides the entry (and selects another when it was selected).
        if (entry.IsVisible())
            SendLinkChange(device, false);
        entry.StartTimer(devlist::kTimerLinkCheck, devlist::kLinkCheckDownMs);
        return;
    }
    if (receiver)
        SendLinkChange(device, true);
    device.RefreshFromDevice();
    entry.ResetLinkLosses();
    entry.StartTimer(devlist::kTimerPaint, devlist::kPaintFirstMs);
    if (device.GetPowerPageFlag() != 0 && transport.IsOpened())
        entry.StartTimer(devlist::kTimerPower, devlist::kPowerFirstMs);
    if (receiver)
        entry.StartTimer(devlist::kTimerLinkWatch, devlist::kLinkWatchFirstMs);
}

void CDeviceList::OnPaintTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device)
{
    device.PaintPreview();
    if (entry.IsOptionSelected() && device.GetPreviewPainting() != 0) {
        if (CSelectPanelUI* panel = device.GetSelectPanel())
            panel->Invalidate();
    }
    CDeviceTransport& transport = device.CommandTransport();
    if (transport.IsOpened())
        entry.StartTimer(devlist::kTimerPaint, transport.InReceiverMode() ? devlist::kPaintReceiverMs : devlist::kPaintWiredMs);
}

void CDeviceList::OnPowerTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device)
{
    ReadDevicePowerStatus(device);
    if (device.GetPowerPageFlag() != 0 && device.CommandTransport().IsOpened())
        entry.StartTimer(devlist::kTimerPower, devlist::kPowerRepeatMs);
}

void CDeviceList::OnLinkWatchTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device)
{
    CDeviceTransport& transport = device.CommandTransport();
    if (!transport.InReceiverMode() || !transport.IsOpened())
        return;
    const bool up = QueryDeviceLink(device);
    if (up && !entry.IsVisible()) {
        SendLinkChange(device, true);
        if (device.GetPowerPageFlag() != 0)
            ReadDevicePowerStatus(device);
    } else if (!up && entry.IsVisible()) {
        SendLinkChange(device, false);
    }
    if (transport.InReceiverMode() && transport.IsOpened())
        entry.StartTimer(devlist::kTimerLinkWatch, devlist::kLinkWatchRepeatMs);
}

void CDeviceList::OnLinkQueryTimer(CDeviceOptionUI& entry, CKestovarUSBDevice& device)
{
    const auto it = m_linkQueryTries.find(&entry);
    if (it == m_linkQueryTries.end())
        return;
    const bool linked = QueryDeviceLink(device);
    if (!linked && ++it->second < devlist::kLinkQueryTries && device.CommandTransport().IsOpened()) {
        entry.StartTimer(devlist::kTimerLinkQuery, devlist::kLinkQueryIntervalMs);
        return;
    }
    m_linkQueryTries.erase(it);
    if (!linked)
        DebugOutput(L"获取2.4G模式失败");
    ReadDevicePowerStatus(device);
}

// ---- workers -----------------------------------------------------------------------------------------

void CDeviceList::RunDiscovery(WorkerContext context)
{
    CDeviceSlotList* slots = Slots();
    if (slots == nullptr)
        return;
    // Built once, for the whole run: the probe connection lives in it.
    CDiscoveryLoop loop(m_options.backend, *slots, m_options.discoveryPeriod);
    const ui::UINT productTitle = CRegisteredMessages::Register().productTitle;
    CDiscoveryLoop::Callbacks callbacks;
    callbacks.arrival = [&](size_t slot) {
        context.loop.SendMessage(context.mainWindow, mainwnd::kMsgDeviceArrival, slot, 0);
    };
    callbacks.removal = [&](size_t slot) {
        context.loop.SendMessage(context.mainWindow, mainwnd::kMsgDeviceRemoval, slot, 0);
    };
    callbacks.firstPass = [&] {
        context.loop.PostMessage(context.mainWindow, productTitle, 0, mainwnd::kShowAfterFirstScan);
    };
    while (!context.stop.IsSet()) {
        if (loop.Pass(callbacks) == CDiscoveryLoop::PassResult::EnumerationFailed) {
            DebugOutput(L"device discovery: the HID interfaces cannot be listed; discovery ends");
            return;
        }
        // Published for the measurement and the tests.
        m_enumerations.store(loop.EnumerationCount());
        if (context.stop.WaitFor(m_options.discoveryPeriod))
            break;
    }
    DebugOutput(L"抓取设备线程设定退出");
}

void CDeviceList::RunLightingSync(WorkerContext context)
{
    ui::CMessageLoop& loop = context.loop;
    m_synchroniser.Run(context.stop, [&loop] { return loop.GetTickCount(); });
}

// ---- synchronised lighting -------------------------------------------------------------------------

void CDeviceList::SynchroniseLighting()
{
    if (m_window != nullptr)
        m_synchroniser.Synchronise(SelectedDevice(), m_window->GetScreenWidth(), m_window->GetScreenHeight());
}

}  // namespace dw
