#pragma once

// What the main window needs of the device list (the entries of "device_select_layout", the
// device objects of every family, discovery and synchronised lighting). The main window owns
// the slot list and the worker slots; the device list fills in the handling.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/core/UIDefs.h"

namespace dw {

class CKestovarUSBDevice;
class CStopEvent;

namespace ui {
class CMessageLoop;
}

// What a worker thread gets: its stop event (every wait goes through it) and the main window
// it reports to (SendMessage/PostMessage through the loop; both are safe from a worker and
// return at once when the window is going away).
struct WorkerContext {
    CStopEvent& stop;
    ui::CMessageLoop& loop;
    ui::HWND mainWindow = nullptr;
};

class IDeviceList {
public:
    virtual ~IDeviceList() = default;

    // "windowinit": the pages of the mouse, keyboard and mousepad, not connected.
    virtual void CreateStartupPages() = 0;
    // Messages 3090 and 3091 (the main window has checked the slot index) and 3331.
    virtual void OnDeviceArrival(size_t slot) = 0;
    virtual void OnDeviceRemoval(size_t slot) = 0;
    virtual void OnLinkChange(size_t entry, bool linkUp) = 0;
    // Worker slots 0 and 8. Both return soon after the stop event is set.
    virtual void RunDiscovery(WorkerContext context) = 0;
    virtual void RunLightingSync(WorkerContext context) = 0;

    // The device of the selected entry, or null.
    virtual CKestovarUSBDevice* SelectedDevice() const = 0;
    // The device objects of a family (dw::family), in creation order.
    virtual std::vector<CKestovarUSBDevice*> Devices(int family) const = 0;
    // Entries that count as connected (visible).
    virtual size_t ConnectedCount() const = 0;
    // The link status byte the keyboard object last read (0x40: linked), for the overlay.
    virtual uint8_t KeyboardLinkStatus(const CKestovarUSBDevice& keyboard) const = 0;
    // Reads the keyboard's info block (command 0x03) and answers its link byte (byte 7; 0x40
    // for the linked keyboard); nothing when it could not be read.
    virtual std::optional<uint8_t> ReadKeyboardInfoLinkState(CKestovarUSBDevice& keyboard) = 0;

    // "device_select_prev", "device_select_next", "deng_same_mode".
    virtual void SelectPrevious() = 0;
    virtual void SelectNext() = 0;
    virtual void SynchroniseLighting() = 0;
};

}  // namespace dw
