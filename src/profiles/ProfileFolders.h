#pragma once

// Where the profile documents live. The per-user data root is the XDG data folder
// ($XDG_DATA_HOME, by default ~/.local/share) followed by the product title; below it each
// device family has its own folder named after the family ("mouse", "keyboard", "MousePad",
// "HD"). Factory documents are read from the resource folder's "DefaultData" folder.
//
// Folders are returned with a trailing '/', so that file names are appended directly.

#include <string>
#include <string_view>

namespace dw {

// The product title; it names the per-user data folder.
inline constexpr std::wstring_view kProductTitle = L"VEXLO Dunwake 75 tri-mode";
// Name of the factory data folder inside the resource folder.
inline constexpr std::wstring_view kFactoryDataFolderName = L"DefaultData";
// Extension of a profile document.
inline constexpr std::wstring_view kProfileExtension = L".Json";

class CProfileFolders {
public:
    // `dataHome` is the XDG data folder to build under, `resourceFolder` the program's resource
    // folder; both as absolute paths, with or without a trailing '/'.
    CProfileFolders(std::wstring dataHome, std::wstring resourceFolder);

    // Builds the folders from the environment: $XDG_DATA_HOME when it is an absolute path,
    // otherwise $HOME/.local/share (the home folder from the user database when HOME is unset).
    static CProfileFolders FromEnvironment(std::wstring resourceFolder);

    // The XDG data folder as chosen by FromEnvironment for the given environment values
    // (either may be null); empty when no home folder can be found.
    static std::wstring DataHomeFrom(const char* xdgDataHome, const char* home);

    // The per-user data root, created (with its missing parents) when missing. Creation
    // failures are not reported; the path is returned either way and later writes fail.
    std::wstring UserDataRoot() const;

    // The family's folder under the data root, created when missing. Empty when
    // `familyName` is not a plain folder name.
    std::wstring DeviceFolder(std::wstring_view familyName) const;

    // The resource folder's "DefaultData" folder; never created.
    std::wstring FactoryDataFolder() const;

    // The factory profile document of a family: "DefaultData/<family>.Json".
    std::wstring FactoryProfilePath(std::wstring_view familyName) const;

    // folder + id + ".Json"; empty when `profileId` is not a plain file name (a path separator,
    // "..", a control character), so that an id taken from a document cannot reach outside the
    // folder.
    static std::wstring ProfilePath(const std::wstring& deviceFolder, std::wstring_view profileId);

    const std::wstring& DataHome() const { return dataHome_; }
    const std::wstring& ResourceFolder() const { return resourceFolder_; }

private:
    std::wstring dataHome_;
    std::wstring resourceFolder_;
};

// Creates `folder` and any missing parents (mode 0700, as the data folders are private to the
// user). True when the folder exists afterwards.
bool EnsureFolder(const std::wstring& folder);

}  // namespace dw
