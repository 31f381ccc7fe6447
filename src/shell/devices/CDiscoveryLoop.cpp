#include "shell/devices/CDiscoveryLoop.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>

#include "platform/DebugOutput.h"
#include "platform/Utf8.h"
#include "platform/hid/HidBackend.h"
#include "platform/hid/HidBackendSelection.h"
#include "platform/hid/HidIdentity.h"
#include "shell/CStopEvent.h"
#include "shell/devices/DeviceListConstants.h"
#include "transport/HidPathParsers.h"

namespace dw {

CDiscoveryLoop::CDiscoveryLoop(hid::IHidBackend* backend, CDeviceSlotList& slots, std::chrono::milliseconds period)
    : m_backend(backend), m_slots(slots), m_period(period), m_probe(backend)
{
}

hid::IHidBackend& CDiscoveryLoop::Backend() const
{
    return m_backend != nullptr ? *m_backend : hid::ActiveHidBackend();
}

void CDiscoveryLoop::Run(CStopEvent& stop, const Callbacks& callbacks)
{
    while (!stop.IsSet()) {
        if (Pass(callbacks) == PassResult::EnumerationFailed) {
            DebugOutput(L"device discovery: the HID interfaces cannot be listed; discovery ends");
            return;
        }
        if (stop.WaitFor(m_period))
            break;
    }
    DebugOutput(L"抓取设备线程设定退出");
}

CDiscoveryLoop::PassResult CDiscoveryLoop::Pass(const Callbacks& callbacks)
{
    ++m_passes;
    // Read before enumerating, so that a change during the enumeration brings another one.
    const uint64_t changes = Backend().ChangeCount();
    bool enumerate = m_enumerateNext || changes != m_lastChangeCount;
    if (!enumerate && m_retryWaitPasses > 0 && --m_retryWaitPasses == 0)
        enumerate = true;

    std::optional<std::set<std::wstring>> listed;
    if (enumerate && !m_slots.AllSlotsTaken()) {
        bool someUnopened = false;
        listed.emplace();
        if (!Enumerate(callbacks, someUnopened, *listed))
            return PassResult::EnumerationFailed;
        m_lastChangeCount = changes;
        m_enumerateNext = false;
        // A supported interface that would not open (its permissions may be applied a moment
        // after it appears) is tried again without waiting for another hot-plug event, at
        // growing intervals.
        if (someUnopened) {
            m_retryWaitPasses = m_retryBackoffPasses;
            const int maxPasses = static_cast<int>(std::max<int64_t>(1, devlist::kUnopenedRetryMax / m_period));
            m_retryBackoffPasses = std::min(m_retryBackoffPasses * 2, maxPasses);
        } else {
            m_retryWaitPasses = 0;
            m_retryBackoffPasses = 1;
        }
    } else if (enumerate) {
        m_lastChangeCount = changes;
        m_enumerateNext = false;
    }

    if (!m_firstPassDone) {
        m_firstPassDone = true;
        if (callbacks.firstPass)
            callbacks.firstPass();
    }

    for (size_t index : m_slots.ConnectedSlots()) {
        const DeviceInterfaceEntry slot = m_slots.Slot(index);
        // After an enumeration a slot whose path was not listed is gone even if its node name
        // opens: hidraw hands a freed node number to the next device plugged in.
        const bool present = listed ? listed->contains(slot.path) && StillPresent(slot.path) : StillPresent(slot.path);
        if (present)
            continue;
        m_slots.ReleaseSlot(index);
        // The interface may have come back under another node; look again next pass.
        m_enumerateNext = true;
        if (callbacks.removal)
            callbacks.removal(index);
    }
    return PassResult::Ok;
}

bool CDiscoveryLoop::Enumerate(const Callbacks& callbacks, bool& someUnopened, std::set<std::wstring>& listed)
{
    const uint64_t count = ++m_enumerations;
    if (DebugOutputEnabled())
        DebugOutput(L"device discovery: enumeration " + std::to_wstring(count));
    if (!m_probe.EnumerateHidPaths())
        return false;
    while (std::optional<std::wstring> path = m_probe.NextHidPath()) {
        listed.insert(*path);
        DeviceInterfaceEntry entry;
        entry.vendorId = VendorIdOfPath(*path);
        entry.productId = ProductIdOfPath(*path);
        entry.interfaceNumber = InterfaceNumberOfPath(*path);
        entry.collectionNumber = CollectionNumberOfPath(*path);
        entry.path = *path;
        if (!m_slots.IsCandidate(entry))
            continue;
        // Probing asks for read access only and shares the interface with everyone else.
        if (!m_probe.OpenPath(*path, true, false, true, false)) {
            someUnopened = true;
            continue;
        }
        const HidAttributes attributes = m_probe.Attributes();
        const HidCapabilities caps = m_probe.Capabilities();
        entry.vendorId = attributes.vendorId;
        entry.productId = attributes.productId;
        entry.usagePage = caps.usagePage;
        entry.usage = caps.usage;
        m_probe.Close();
        int slot = -1;
        if (m_slots.ClaimSlot(entry, slot) && callbacks.arrival)
            callbacks.arrival(static_cast<size_t>(slot));
    }
    m_probe.FreeHidPaths();
    return true;
}

bool CDiscoveryLoop::StillPresent(const std::wstring& path)
{
    std::string node;
    uint16_t collection = 0;
    if (!hid::ParseHidIdentity(platform::WideToUtf8(path), node, collection))
        return false;
    // No access asked: this only shows that the interface is still there.
    hid::OpenMode mode;
    mode.read = false;
    mode.write = false;
    return Backend().Open(node, mode) != nullptr;
}

}  // namespace dw
