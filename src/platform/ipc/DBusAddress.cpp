#include "platform/ipc/DBusAddress.h"

#include <cstdlib>
#include <sys/stat.h>

namespace dw::platform {

namespace {

bool IsPlainAddressByte(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '_'
        || c == '/' || c == '.' || c == '\\' || c == '*';
}

bool IsSocketFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

std::string EscapeDBusAddressValue(std::string_view value)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (char c : value) {
        if (IsPlainAddressByte(c)) {
            out.push_back(c);
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out.push_back('%');
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0F]);
        }
    }
    return out;
}

std::string SessionBusAddressFrom(const char* sessionBusAddress, const char* xdgRuntimeDir,
    const std::function<bool(const std::string&)>& isSocket)
{
    if (sessionBusAddress != nullptr && sessionBusAddress[0] != '\0')
        return sessionBusAddress;
    if (xdgRuntimeDir == nullptr || xdgRuntimeDir[0] != '/')
        return {};
    std::string socket(xdgRuntimeDir);
    if (socket.back() != '/')
        socket.push_back('/');
    socket += "bus";
    return isSocket(socket) ? "unix:path=" + EscapeDBusAddressValue(socket) : std::string();
}

std::string SessionBusAddress()
{
    return SessionBusAddressFrom(std::getenv("DBUS_SESSION_BUS_ADDRESS"), std::getenv("XDG_RUNTIME_DIR"), IsSocketFile);
}

}  // namespace dw::platform
