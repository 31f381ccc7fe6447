#include "platform/store/CJsonRegistryStore.h"

#include <cerrno>
#include <fcntl.h>
#include <json/json.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/DebugOutput.h"
#include "platform/Utf8.h"
#include "platform/folders/UserFolders.h"
#include "platform/store/RegistryKeys.h"

namespace dw::platform {

namespace {

bool IsInstalledVersion(std::wstring_view key, std::wstring_view name)
{
    return RegistryNamesEqual(key, kUninstallKey) && RegistryNamesEqual(name, kDisplayVersionValueName);
}

// The member of `object` whose name equals `name` without regard to ASCII case; empty when none.
std::string FindMemberName(const Json::Value& object, std::wstring_view name)
{
    if (!object.isObject())
        return {};
    for (const std::string& member : object.getMemberNames()) {
        if (RegistryNamesEqual(Utf8ToWide(member), name))
            return member;
    }
    return {};
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

bool ReadWholeFile(const std::string& path, size_t limit, std::string& out)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<uint64_t>(info.st_size) > limit) {
        close(fd);
        return false;
    }
    out.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || out.size() + static_cast<size_t>(n) > limit) {
            close(fd);
            return false;
        }
        if (n == 0)
            break;
        out.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return true;
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

CJsonRegistryStore::CJsonRegistryStore(std::string path)
    : m_path(std::move(path))
{
}

CJsonRegistryStore CJsonRegistryStore::FromEnvironment()
{
    return CJsonRegistryStore(JoinPath(ProductConfigFolder(), kFileName));
}

Json::Value CJsonRegistryStore::ReadDocument() const
{
    std::string text;
    if (m_path.empty() || !ReadWholeFile(m_path, kMaxDocumentBytes, text))
        return Json::Value(Json::objectValue);
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value document;
    std::string errors;
    bool parsed = false;
    try {
        parsed = reader->parse(text.data(), text.data() + text.size(), &document, &errors);
    } catch (const std::exception&) {
        // The reader throws on documents nested deeper than its limit.
        parsed = false;
    }
    if (!parsed || !document.isObject()) {
        DebugOutput(L"settings store: " + Utf8ToWide(m_path) + L" is not a settings document; read as empty");
        return Json::Value(Json::objectValue);
    }
    return document;
}

bool CJsonRegistryStore::WriteDocument(const Json::Value& document) const
{
    const std::string folder = FolderOf(m_path);
    if (folder.empty() || !EnsureFolder(folder))
        return false;
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    builder["emitUTF8"] = true;
    std::string text = Json::writeString(builder, document);
    text.push_back('\n');

    // The temporary name carries the process id so that two programs writing at once do not
    // share a temporary file; the last rename wins whole.
    const std::string temporary = m_path + ".tmp-" + std::to_string(getpid());
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, text) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temporary.c_str(), m_path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}

Json::Value CJsonRegistryStore::ReadValue(std::wstring_view key, std::wstring_view name) const
{
    const Json::Value document = ReadDocument();
    const std::string keyMember = FindMemberName(document, key);
    if (keyMember.empty())
        return Json::Value();
    const Json::Value& values = document[keyMember];
    const std::string valueMember = FindMemberName(values, name);
    return valueMember.empty() ? Json::Value() : values[valueMember];
}

int CJsonRegistryStore::WriteValue(std::wstring_view key, std::wstring_view name, const Json::Value& value)
{
    if (key.empty() || name.empty())
        return kStoreBadArgument;
    if (IsInstalledVersion(key, name))
        return kStoreReadOnly;
    Json::Value document = ReadDocument();
    std::string keyMember = FindMemberName(document, key);
    if (keyMember.empty() || !document[keyMember].isObject()) {
        if (keyMember.empty())
            keyMember = WideToUtf8(key);
        document[keyMember] = Json::Value(Json::objectValue);
    }
    Json::Value& values = document[keyMember];
    std::string valueMember = FindMemberName(values, name);
    if (valueMember.empty())
        valueMember = WideToUtf8(name);
    values[valueMember] = value;
    if (!WriteDocument(document)) {
        DebugOutput(L"settings store: " + Utf8ToWide(m_path) + L" could not be written");
        return kStoreWriteFailed;
    }
    return kStoreOk;
}

std::optional<uint32_t> CJsonRegistryStore::GetDword(std::wstring_view key, std::wstring_view name) const
{
    if (IsInstalledVersion(key, name))
        return std::nullopt;
    const Json::Value value = ReadValue(key, name);
    // isUInt() also accepts a whole-numbered double; both fit 32 bits when it holds.
    if (!value.isUInt() || value.isBool())
        return std::nullopt;
    return value.asUInt();
}

std::optional<std::wstring> CJsonRegistryStore::GetString(std::wstring_view key, std::wstring_view name) const
{
    if (IsInstalledVersion(key, name))
        return InstalledDisplayVersion();
    const Json::Value value = ReadValue(key, name);
    if (!value.isString())
        return std::nullopt;
    return Utf8ToWide(value.asString());
}

int CJsonRegistryStore::SetDword(std::wstring_view key, std::wstring_view name, uint32_t value)
{
    return WriteValue(key, name, Json::Value(static_cast<Json::UInt>(value)));
}

int CJsonRegistryStore::SetString(std::wstring_view key, std::wstring_view name, std::wstring_view value)
{
    return WriteValue(key, name, Json::Value(WideToUtf8(value)));
}

}  // namespace dw::platform
