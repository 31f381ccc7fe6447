#include "profiles/ProfileFolders.h"

#include "platform/Utf8.h"
#include "profiles/JsonDocument.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace dw {
namespace {

constexpr mode_t kPrivateFolderMode = 0700;

std::wstring WithTrailingSlash(std::wstring path)
{
    if (!path.empty() && path.back() != L'/')
        path += L'/';
    return path;
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string HomeFromUserDatabase()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0)
        size = 16384;
    std::vector<char> buffer(static_cast<size_t>(size));
    struct passwd entry {};
    struct passwd* result = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) != 0 || result == nullptr ||
        result->pw_dir == nullptr)
        return {};
    return result->pw_dir;
}

}  // namespace

bool EnsureFolder(const std::wstring& folder)
{
    std::string path = platform::WideToUtf8(folder);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty())
        return false;
    if (IsFolder(path))
        return true;
    // Create each missing level from the top down.
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (::mkdir(level.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return IsFolder(path);
}

CProfileFolders::CProfileFolders(std::wstring dataHome, std::wstring resourceFolder)
    : dataHome_(WithTrailingSlash(std::move(dataHome))), resourceFolder_(WithTrailingSlash(std::move(resourceFolder)))
{
}

std::wstring CProfileFolders::DataHomeFrom(const char* xdgDataHome, const char* home)
{
    // The XDG rules: a relative XDG_DATA_HOME is invalid and ignored.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        return platform::Utf8ToWide(xdgDataHome);
    std::string homeFolder = (home != nullptr && home[0] == '/') ? std::string(home) : HomeFromUserDatabase();
    if (homeFolder.empty())
        return {};
    while (homeFolder.size() > 1 && homeFolder.back() == '/')
        homeFolder.pop_back();
    if (homeFolder == "/")
        homeFolder.clear();
    return platform::Utf8ToWide(homeFolder + "/.local/share");
}

CProfileFolders CProfileFolders::FromEnvironment(std::wstring resourceFolder)
{
    return CProfileFolders(DataHomeFrom(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")), std::move(resourceFolder));
}

std::wstring CProfileFolders::UserDataRoot() const
{
    if (dataHome_.empty())
        return {};
    std::wstring root = dataHome_ + std::wstring(kProductTitle) + L'/';
    EnsureFolder(root);
    return root;
}

std::wstring CProfileFolders::DeviceFolder(std::wstring_view familyName) const
{
    if (!IsPlainFileName(platform::WideToUtf8(familyName)))
        return {};
    const std::wstring root = UserDataRoot();
    if (root.empty())
        return {};
    std::wstring folder = root + std::wstring(familyName) + L'/';
    EnsureFolder(folder);
    return folder;
}

std::wstring CProfileFolders::FactoryDataFolder() const
{
    return resourceFolder_ + std::wstring(kFactoryDataFolderName) + L'/';
}

std::wstring CProfileFolders::FactoryProfilePath(std::wstring_view familyName) const
{
    if (!IsPlainFileName(platform::WideToUtf8(familyName)))
        return {};
    return FactoryDataFolder() + std::wstring(familyName) + std::wstring(kProfileExtension);
}

std::wstring CProfileFolders::ProfilePath(const std::wstring& deviceFolder, std::wstring_view profileId)
{
    if (deviceFolder.empty() || !IsPlainFileName(platform::WideToUtf8(profileId)))
        return {};
    return WithTrailingSlash(deviceFolder) + std::wstring(profileId) + std::wstring(kProfileExtension);
}

}  // namespace dw
