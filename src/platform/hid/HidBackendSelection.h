#pragma once

// The HID backend of the process, chosen once at start-up (the hidraw backend, or the
// emulator's virtual bus under --emulate). Thread-safe.

#include <memory>

#include "platform/hid/HidBackend.h"

namespace dw::hid {

// Makes `backend` the process's backend. Null brings back the default (hidraw). A backend
// selected earlier stays alive until the process ends, so references handed out by
// ActiveHidBackend never dangle.
void SelectHidBackend(std::shared_ptr<IHidBackend> backend);

// The selected backend; the hidraw backend when none was selected.
IHidBackend& ActiveHidBackend();

}  // namespace dw::hid
