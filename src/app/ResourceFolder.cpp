#include "app/ResourceFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace dw::app {

namespace {

constexpr std::string_view kBesideExecutable = "resources";
constexpr std::string_view kInstalledRelative = "../share/dunwake";

std::string StripTrailingSeparators(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool IsExistingFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

ResourceFolderLookup ResolveResourceFolder(const char* overrideFolder, const std::string& executableFolder,
                                           const std::function<bool(const std::string&)>& isFolder)
{
    ResourceFolderLookup lookup;
    if (overrideFolder != nullptr && overrideFolder[0] != '\0') {
        lookup.folder = StripTrailingSeparators(overrideFolder);
        lookup.source = ResourceFolderSource::Override;
        lookup.tried.push_back(lookup.folder);
        return lookup;
    }
    if (executableFolder.empty())
        return lookup;

    const std::string base = StripTrailingSeparators(executableFolder);
    const std::array<std::pair<std::string, ResourceFolderSource>, 2> candidates = {{
        {ResourcePath(base, kBesideExecutable), ResourceFolderSource::BesideExecutable},
        {base + "/" + std::string(kInstalledRelative), ResourceFolderSource::Installed},
    }};
    for (const auto& [folder, source] : candidates) {
        lookup.tried.push_back(folder);
        if (isFolder(folder)) {
            lookup.folder = folder;
            lookup.source = source;
            return lookup;
        }
    }
    return lookup;
}

std::string ExecutableFolder()
{
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size() - 1)
        return {};
    const std::string path(buffer.data(), static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

ResourceFolderLookup FindResourceFolder()
{
    return ResolveResourceFolder(std::getenv(kResourcesEnvironmentVariable), ExecutableFolder(), IsExistingFolder);
}

std::string NormaliseResourceName(std::string_view name)
{
    std::string normalised;
    normalised.reserve(name.size());
    size_t componentStart = 0;
    auto componentIsParent = [&] { return normalised.compare(componentStart, std::string::npos, "..") == 0; };
    for (char c : name) {
        if (c == '\\' || c == '/') {
            if (normalised.empty() || normalised.back() == '/')
                continue;
            if (componentIsParent())
                return {};
            normalised.push_back('/');
            componentStart = normalised.size();
            continue;
        }
        normalised.push_back(c);
    }
    if (componentIsParent())
        return {};
    return normalised;
}

std::string ResourcePath(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return {};
    const std::string relative = NormaliseResourceName(name);
    if (relative.empty() && !name.empty())
        return {};
    std::string path(folder);
    if (path.back() != '/')
        path.push_back('/');
    path += relative;
    return path;
}

}  // namespace dw::app
