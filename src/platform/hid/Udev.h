#pragma once

// The one place that talks to libudev: what the hidraw backend needs of it, in plain types.
// Not thread-safe; its owner serialises calls. Without a working udev every call answers
// "nothing".

#include <memory>
#include <string>
#include <vector>

namespace dw::hid {

// One hidraw device as udev describes it. Empty strings where udev has no answer.
struct UdevHidrawDevice {
    std::string sysname;           // "hidraw3"
    std::string devnode;           // "/dev/hidraw3"
    std::string hidSyspath;        // sysfs folder of the parent "hid" device
    std::string hidId;             // its HID_ID property, "0003:00005A3C:00006A3E"
    std::string usbVendorId;       // the usb_device's idVendor, "5a3c"
    std::string usbProductId;      // idProduct
    std::string usbBcdDevice;      // bcdDevice, "0102"
    std::string usbInterfaceNumber;   // the usb_interface's bInterfaceNumber, "01"
};

class Udev {
public:
    Udev();
    ~Udev();

    Udev(const Udev&) = delete;
    Udev& operator=(const Udev&) = delete;

    bool available() const;

    std::vector<UdevHidrawDevice> ListHidraw();

    // Starts listening for hidraw devices added or removed. False when no monitor is possible.
    bool StartMonitor();
    // Reads every pending monitor event without blocking; returns how many added or removed a
    // device.
    unsigned DrainMonitor();

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

}  // namespace dw::hid
