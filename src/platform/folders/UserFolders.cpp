#include "platform/folders/UserFolders.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace dw::platform {

namespace {

bool IsAbsolute(const char* value)
{
    return value != nullptr && value[0] == '/';
}

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string HomeFromUserDatabase()
{
    long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return {};
    return IsAbsolute(found->pw_dir) ? std::string(found->pw_dir) : std::string();
}

std::string BaseFolderFrom(const char* xdgValue, const char* home, std::string_view defaultBelowHome)
{
    if (IsAbsolute(xdgValue))
        return WithoutTrailingSlashes(xdgValue);
    std::string homeFolder = HomeFolderFrom(home);
    if (homeFolder.empty())
        return {};
    if (homeFolder == "/")
        homeFolder.clear();
    return homeFolder + "/" + std::string(defaultBelowHome);
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string HomeFolderFrom(const char* home)
{
    if (IsAbsolute(home))
        return WithoutTrailingSlashes(home);
    return WithoutTrailingSlashes(HomeFromUserDatabase());
}

std::string DataHomeFrom(const char* xdgDataHome, const char* home)
{
    return BaseFolderFrom(xdgDataHome, home, ".local/share");
}

std::string ConfigHomeFrom(const char* xdgConfigHome, const char* home)
{
    return BaseFolderFrom(xdgConfigHome, home, ".config");
}

std::string RuntimeDirFrom(const char* xdgRuntimeDir)
{
    return IsAbsolute(xdgRuntimeDir) ? WithoutTrailingSlashes(xdgRuntimeDir) : std::string();
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return {};
    std::string path(folder);
    if (path.back() != '/')
        path.push_back('/');
    path.append(name);
    return path;
}

std::string ProductDataFolder()
{
    return JoinPath(DataHomeFrom(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")), kProductTitleUtf8);
}

std::string ProductConfigFolder()
{
    return JoinPath(ConfigHomeFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")), kProductTitleUtf8);
}

std::string RuntimeFolder()
{
    return RuntimeDirFrom(std::getenv("XDG_RUNTIME_DIR"));
}

bool EnsureFolder(const std::string& folder)
{
    if (folder.empty() || folder[0] != '/')
        return false;
    // Each prefix ending before a '/' is created in turn; one that exists already is fine.
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string prefix = folder.substr(0, slash);
        if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return IsFolder(folder);
}

}  // namespace dw::platform
