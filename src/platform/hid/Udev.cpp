#include "platform/hid/Udev.h"

#include <libudev.h>

#include <poll.h>

#include <cstring>

namespace dw::hid {

namespace {

constexpr const char* kHidrawSubsystem = "hidraw";
constexpr const char* kMonitorSource = "udev";
constexpr unsigned kMaxEventsPerDrain = 256;

std::string OrEmpty(const char* s) {
    return s != nullptr ? std::string(s) : std::string();
}

}  // namespace

struct Udev::Handles {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
};

Udev::Udev() : handles_(std::make_unique<Handles>()) {
    handles_->context = udev_new();
}

Udev::~Udev() {
    if (handles_->monitor != nullptr) {
        udev_monitor_unref(handles_->monitor);
    }
    if (handles_->context != nullptr) {
        udev_unref(handles_->context);
    }
}

bool Udev::available() const {
    return handles_->context != nullptr;
}

std::vector<UdevHidrawDevice> Udev::ListHidraw() {
    std::vector<UdevHidrawDevice> devices;
    if (handles_->context == nullptr) {
        return devices;
    }
    udev_enumerate* enumerate = udev_enumerate_new(handles_->context);
    if (enumerate == nullptr) {
        return devices;
    }
    if (udev_enumerate_add_match_subsystem(enumerate, kHidrawSubsystem) < 0 ||
        udev_enumerate_scan_devices(enumerate) < 0) {
        udev_enumerate_unref(enumerate);
        return devices;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        const char* syspath = udev_list_entry_get_name(entry);
        if (syspath == nullptr) {
            continue;
        }
        udev_device* dev = udev_device_new_from_syspath(handles_->context, syspath);
        if (dev == nullptr) {
            continue;   // gone between the scan and now
        }
        UdevHidrawDevice d;
        d.sysname = OrEmpty(udev_device_get_sysname(dev));
        d.devnode = OrEmpty(udev_device_get_devnode(dev));
        // Parents are owned by the child device; they are not unreferenced here.
        if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(dev, "hid", nullptr)) {
            d.hidSyspath = OrEmpty(udev_device_get_syspath(hid));
            d.hidId = OrEmpty(udev_device_get_property_value(hid, "HID_ID"));
        }
        if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(dev, "usb", "usb_device")) {
            d.usbVendorId = OrEmpty(udev_device_get_sysattr_value(usb, "idVendor"));
            d.usbProductId = OrEmpty(udev_device_get_sysattr_value(usb, "idProduct"));
            d.usbBcdDevice = OrEmpty(udev_device_get_sysattr_value(usb, "bcdDevice"));
        }
        if (udev_device* intf = udev_device_get_parent_with_subsystem_devtype(dev, "usb", "usb_interface")) {
            d.usbInterfaceNumber = OrEmpty(udev_device_get_sysattr_value(intf, "bInterfaceNumber"));
        }
        udev_device_unref(dev);
        if (!d.sysname.empty()) {
            devices.push_back(std::move(d));
        }
    }
    udev_enumerate_unref(enumerate);
    return devices;
}

bool Udev::StartMonitor() {
    if (handles_->monitor != nullptr) {
        return true;
    }
    if (handles_->context == nullptr) {
        return false;
    }
    udev_monitor* monitor = udev_monitor_new_from_netlink(handles_->context, kMonitorSource);
    if (monitor == nullptr) {
        return false;
    }
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor, kHidrawSubsystem, nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        udev_monitor_unref(monitor);
        return false;
    }
    handles_->monitor = monitor;
    return true;
}

unsigned Udev::DrainMonitor() {
    unsigned changes = 0;
    if (handles_->monitor == nullptr) {
        return changes;
    }
    // Receive only what poll says is pending, so that this never blocks whatever the
    // library's own socket mode.
    pollfd pfd{udev_monitor_get_fd(handles_->monitor), POLLIN, 0};
    // At most kMaxEventsPerDrain per call, so that a socket that stays readable cannot hold
    // the caller; what is left is read on the next call.
    for (unsigned n = 0; n < kMaxEventsPerDrain && pfd.fd >= 0 && poll(&pfd, 1, 0) > 0 && (pfd.revents & POLLIN) != 0;
         ++n) {
        udev_device* dev = udev_monitor_receive_device(handles_->monitor);
        if (dev == nullptr) {
            continue;   // an event the filter dropped; poll tells whether more are pending
        }
        const char* action = udev_device_get_action(dev);
        if (action != nullptr && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0)) {
            ++changes;
        }
        udev_device_unref(dev);
    }
    return changes;
}

}  // namespace dw::hid
