#pragma once

// Test double of the settings store: values kept in memory, the same name rules and the same
// read-only installation version as the file store. A write can be made to fail.

#include <map>
#include <variant>

#include "platform/store/IRegistryStore.h"

namespace dw::platform {

class CMemoryRegistryStore final : public IRegistryStore {
public:
    std::optional<uint32_t> GetDword(std::wstring_view key, std::wstring_view name) const override;
    std::optional<std::wstring> GetString(std::wstring_view key, std::wstring_view name) const override;
    int SetDword(std::wstring_view key, std::wstring_view name, uint32_t value) override;
    int SetString(std::wstring_view key, std::wstring_view name, std::wstring_view value) override;

    // Every following write answers kStoreWriteFailed and changes nothing.
    void SetFailWrites(bool fail) { m_failWrites = fail; }
    int WriteCount() const { return m_writes; }

private:
    using Value = std::variant<uint32_t, std::wstring>;
    const Value* Find(std::wstring_view key, std::wstring_view name) const;
    int Store(std::wstring_view key, std::wstring_view name, Value value);

    // Keyed by the ASCII-lower-cased "key\nname".
    std::map<std::wstring, Value> m_values;
    bool m_failWrites = false;
    int m_writes = 0;
};

}  // namespace dw::platform
