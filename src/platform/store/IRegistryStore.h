#pragma once

// The program's small settings store, addressed as the design addresses its registry values:
// a key path ("SOFTWARE\\<product title>") and a value name ("LANGUAGE"). Key paths and value
// names are compared without regard to ASCII case, as registry names are. A value is either a
// 32-bit number (the DWORD values) or a text.
//
// Every call reads the current state, so two programs sharing the store see each other's
// writes; a write replaces the whole store at once, so a crash never leaves half a file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dw::platform {

// Result codes of the store's writes.
inline constexpr int kStoreOk = 1;
// The store could not be written (folder or file not writable, disk full).
inline constexpr int kStoreWriteFailed = 0;
// The value belongs to the installation and cannot be changed.
inline constexpr int kStoreReadOnly = -1;
// An empty key path or value name.
inline constexpr int kStoreBadArgument = -201;

class IRegistryStore {
public:
    virtual ~IRegistryStore() = default;

    // The value, or nothing when it is missing or of the other type.
    virtual std::optional<uint32_t> GetDword(std::wstring_view key, std::wstring_view name) const = 0;
    virtual std::optional<std::wstring> GetString(std::wstring_view key, std::wstring_view name) const = 0;

    // Stores the value, creating the key when it is missing. A result code above.
    virtual int SetDword(std::wstring_view key, std::wstring_view name, uint32_t value) = 0;
    virtual int SetString(std::wstring_view key, std::wstring_view name, std::wstring_view value) = 0;
};

}  // namespace dw::platform
