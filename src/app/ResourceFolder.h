#pragma once

// Where the program's resources are: the folder holding "skin/", "Font/" and "DefaultData/".
//
//   1. $DUNWAKE_RESOURCES, when set and not empty (development: run a build against the source
//      tree's resources, or against a copy being edited);
//   2. "resources" beside the executable (the build tree links it there);
//   3. "../share/dunwake" relative to the executable's folder (an installed program).
//
// Every resource name written with '\' separators (as the skin and the data tables write them)
// becomes a '/' path in ResourcePath, and nowhere else.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dw::app {

// The environment variable that overrides the lookup.
inline constexpr const char* kResourcesEnvironmentVariable = "DUNWAKE_RESOURCES";

enum class ResourceFolderSource { Override, BesideExecutable, Installed, NotFound };

struct ResourceFolderLookup {
    std::string folder;  // without a trailing '/'; empty when NotFound
    ResourceFolderSource source = ResourceFolderSource::NotFound;
    // Every folder looked at, in order, for the message when nothing was found.
    std::vector<std::string> tried;
};

// The lookup over given inputs; pure apart from `isFolder`. `overrideFolder` may be null.
// An override that is set is taken even when it is not a folder: a developer who sets it wants
// those resources or a clear failure, never a silent fallback to other ones.
ResourceFolderLookup ResolveResourceFolder(const char* overrideFolder, const std::string& executableFolder,
                                           const std::function<bool(const std::string&)>& isFolder);

// The folder of the running executable (from /proc/self/exe), without a trailing '/'; empty when
// it cannot be read.
std::string ExecutableFolder();

// The lookup for this process: its environment, its executable and the file system.
ResourceFolderLookup FindResourceFolder();

// A resource name as a relative '/' path: '\' becomes '/', runs of separators become one and
// leading separators go, so "Font\\Predator-Regular.otf" and "skin\\\\res.xml" name files below
// the folder. A name containing a ".." component is refused (empty result): resource names come
// from the program's own tables and skin files and never leave the resource folder.
std::string NormaliseResourceName(std::string_view name);

// folder + "/" + the normalised name; empty when the folder is empty or the name is refused.
std::string ResourcePath(std::string_view folder, std::string_view name);

}  // namespace dw::app
