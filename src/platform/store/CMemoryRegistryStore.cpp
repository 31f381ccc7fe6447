#include "platform/store/CMemoryRegistryStore.h"

#include "platform/store/RegistryKeys.h"

namespace dw::platform {

namespace {

std::wstring MapKey(std::wstring_view key, std::wstring_view name)
{
    std::wstring joined(key);
    joined.push_back(L'\n');
    joined.append(name);
    for (wchar_t& c : joined) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return joined;
}

bool IsInstalledVersion(std::wstring_view key, std::wstring_view name)
{
    return RegistryNamesEqual(key, kUninstallKey) && RegistryNamesEqual(name, kDisplayVersionValueName);
}

}  // namespace

const CMemoryRegistryStore::Value* CMemoryRegistryStore::Find(std::wstring_view key, std::wstring_view name) const
{
    const auto it = m_values.find(MapKey(key, name));
    return it == m_values.end() ? nullptr : &it->second;
}

int CMemoryRegistryStore::Store(std::wstring_view key, std::wstring_view name, Value value)
{
    if (key.empty() || name.empty())
        return kStoreBadArgument;
    if (IsInstalledVersion(key, name))
        return kStoreReadOnly;
    if (m_failWrites)
        return kStoreWriteFailed;
    m_values[MapKey(key, name)] = std::move(value);
    ++m_writes;
    return kStoreOk;
}

std::optional<uint32_t> CMemoryRegistryStore::GetDword(std::wstring_view key, std::wstring_view name) const
{
    const Value* value = Find(key, name);
    if (value == nullptr || !std::holds_alternative<uint32_t>(*value))
        return std::nullopt;
    return std::get<uint32_t>(*value);
}

std::optional<std::wstring> CMemoryRegistryStore::GetString(std::wstring_view key, std::wstring_view name) const
{
    if (IsInstalledVersion(key, name))
        return InstalledDisplayVersion();
    const Value* value = Find(key, name);
    if (value == nullptr || !std::holds_alternative<std::wstring>(*value))
        return std::nullopt;
    return std::get<std::wstring>(*value);
}

int CMemoryRegistryStore::SetDword(std::wstring_view key, std::wstring_view name, uint32_t value)
{
    return Store(key, name, value);
}

int CMemoryRegistryStore::SetString(std::wstring_view key, std::wstring_view name, std::wstring_view value)
{
    return Store(key, name, std::wstring(value));
}

}  // namespace dw::platform
