#pragma once

// The key paths and value names the program uses, and the installed version they report.

#include <cstdint>
#include <string>
#include <string_view>

namespace dw::platform {

// Key of the program's own settings and its language value (a DWORD holding a language id).
inline constexpr std::wstring_view kProgramSettingsKey = L"SOFTWARE\\VEXLO Dunwake 75 tri-mode";
inline constexpr std::wstring_view kLanguageValueName = L"LANGUAGE";

// Key of the installation record and its version value (a text such as "1.2.3"). It is read
// only: the version comes from the build.
inline constexpr std::wstring_view kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VEXLO Dunwake 75 tri-mode";
inline constexpr std::wstring_view kDisplayVersionValueName = L"DisplayVersion";

// The version of this build as the installation record reports it.
std::wstring InstalledDisplayVersion();

// A version text with every '.' removed, read as a decimal number ("1.2.3" gives 123). 0 when
// what is left is empty, holds anything but digits or does not fit in 32 bits.
uint32_t VersionNumberFromText(std::wstring_view version);

// Whether two key paths or value names are the same name (ASCII case ignored).
bool RegistryNamesEqual(std::wstring_view a, std::wstring_view b);

}  // namespace dw::platform
