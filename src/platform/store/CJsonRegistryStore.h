#pragma once

// The settings store as one small JSON document, "registry.json" in the per-user settings
// folder ($XDG_CONFIG_HOME/<product title>/). Each key path is a member of the top object and
// holds an object of values: numbers for DWORD values, strings for texts.
//
//   { "SOFTWARE\\VEXLO Dunwake 75 tri-mode": { "LANGUAGE": 2 } }
//
// A missing, unreadable, oversized or corrupt file reads as an empty store; the next write
// replaces it. Writes go to a temporary file in the same folder that is then renamed over the
// document. The installation record's "DisplayVersion" is answered from the build and cannot
// be written.

#include <string>

#include "platform/store/IRegistryStore.h"

namespace Json {
class Value;
}

namespace dw::platform {

class CJsonRegistryStore final : public IRegistryStore {
public:
    // A document larger than this is not read (it cannot be one this program wrote).
    static constexpr size_t kMaxDocumentBytes = 1024 * 1024;
    static constexpr std::string_view kFileName = "registry.json";

    // `path`: the document, as a UTF-8 path. Its folder is created on the first write.
    explicit CJsonRegistryStore(std::string path);
    // The store of the user, from the environment; the path is empty (every read is empty and
    // every write fails) when no home folder can be found.
    static CJsonRegistryStore FromEnvironment();

    std::optional<uint32_t> GetDword(std::wstring_view key, std::wstring_view name) const override;
    std::optional<std::wstring> GetString(std::wstring_view key, std::wstring_view name) const override;
    int SetDword(std::wstring_view key, std::wstring_view name, uint32_t value) override;
    int SetString(std::wstring_view key, std::wstring_view name, std::wstring_view value) override;

    const std::string& Path() const { return m_path; }

private:
    // The value as stored, or null when the key or the value is missing.
    Json::Value ReadValue(std::wstring_view key, std::wstring_view name) const;
    int WriteValue(std::wstring_view key, std::wstring_view name, const Json::Value& value);
    Json::Value ReadDocument() const;
    bool WriteDocument(const Json::Value& document) const;

    std::string m_path;
};

}  // namespace dw::platform
