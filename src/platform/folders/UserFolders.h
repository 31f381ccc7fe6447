#pragma once

// The per-user folders of the program, after the XDG base directory rules: data under
// $XDG_DATA_HOME (default ~/.local/share), settings under $XDG_CONFIG_HOME (default ~/.config),
// run-time files such as the instance lock under $XDG_RUNTIME_DIR. Each is followed by the
// product title. A relative value of an XDG variable is invalid and ignored, as the rules say.
//
// Paths are UTF-8 strings without a trailing '/'. The "...From" functions are pure: they take
// the environment values (any may be null) so that every rule can be tested.

#include <string>
#include <string_view>

namespace dw::platform {

// The product title; it names the per-user folders, the instance lock and the settings store.
inline constexpr std::string_view kProductTitleUtf8 = "VEXLO Dunwake 75 tri-mode";

// The home folder: $HOME when absolute, else the user database's entry; empty when neither.
std::string HomeFolderFrom(const char* home);

// $XDG_DATA_HOME when absolute, else home + "/.local/share"; empty without a home folder.
std::string DataHomeFrom(const char* xdgDataHome, const char* home);
// $XDG_CONFIG_HOME when absolute, else home + "/.config"; empty without a home folder.
std::string ConfigHomeFrom(const char* xdgConfigHome, const char* home);
// $XDG_RUNTIME_DIR when absolute, else empty (there is no default).
std::string RuntimeDirFrom(const char* xdgRuntimeDir);

// folder + "/" + name, or empty when folder is empty (a missing base never becomes "/name").
std::string JoinPath(std::string_view folder, std::string_view name);

// The per-user data folder (data home + product title) and the settings folder (config home +
// product title), from the environment of the process. Not created; empty when no home folder
// can be found.
std::string ProductDataFolder();
std::string ProductConfigFolder();
// The run-time folder from the environment; empty when not set.
std::string RuntimeFolder();

// Creates `folder` and its missing parents with mode 0700 (the folders are private to the
// user). True when the folder exists afterwards.
bool EnsureFolder(const std::string& folder);

}  // namespace dw::platform
