#pragma once

// The emulated devices named on the command line (--emulate LIST), as a HID backend.

#include <memory>
#include <string>

#include "platform/hid/HidBackend.h"

namespace dw::ctl {

// Null, with `error` set to one plain sentence, when the list names an unknown device.
std::shared_ptr<hid::IHidBackend> MakeEmulatedBackend(const std::string& list, std::string& error);

}  // namespace dw::ctl
