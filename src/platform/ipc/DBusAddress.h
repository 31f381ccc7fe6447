#pragma once

// Where the user's session bus is: $DBUS_SESSION_BUS_ADDRESS when set, else the per-user bus
// socket "$XDG_RUNTIME_DIR/bus" that systemd-based sessions provide. Nothing else is tried (no
// launching of a bus). Pure; the socket test is handed in.

#include <functional>
#include <string>
#include <string_view>

namespace dw::platform {

// An empty result means there is no session bus.
std::string SessionBusAddressFrom(const char* sessionBusAddress, const char* xdgRuntimeDir,
    const std::function<bool(const std::string&)>& isSocket);

// The session bus address from the environment of the process.
std::string SessionBusAddress();

// A value of a D-Bus address with every byte outside [-0-9A-Za-z_/.\*] written as %XX.
std::string EscapeDBusAddressValue(std::string_view value);

}  // namespace dw::platform
