#pragma once

// The messages the program shows in message boxes. Each is a language key "message_text_" +
// its number; the language files hold the wording. Callers pass MessageTextKey(n) to
// ShowMessageBox with the language-key flag set.

#include <array>
#include <string>

namespace dw::msgtext {

inline constexpr const wchar_t* kKeyPrefix = L"message_text_";

// Confirmation: the macro being deleted is assigned to keys of the current profile.
inline constexpr int kMacroInUse = 2;
// Confirmation: delete the selected macro.
inline constexpr int kDeleteMacro = 4;
// Information: a name is empty, already taken, or its list is full.
inline constexpr int kNameRefused = 5;
// Information: the macros could not be written to the device.
inline constexpr int kMacroWriteFailed = 7;
// Information, a format with one %d: the macros exceed the device's memory by that many events.
inline constexpr int kMacroMemoryExceeded = 16;
// Confirmation: restore the profile's factory settings.
inline constexpr int kRestoreDefaults = 22;
// Information: a profile name of white space only.
inline constexpr int kBlankProfileName = 25;
// Confirmations of the profile list: copy, add, delete.
inline constexpr int kCopyProfile = 26;
inline constexpr int kAddProfile = 27;
// Confirmation: create a macro.
inline constexpr int kAddMacro = 28;
inline constexpr int kDeleteProfile = 29;

// Every number above; each has a text in every language file.
inline constexpr std::array<int, 11> kAllMessages = {kMacroInUse,         kDeleteMacro,       kNameRefused,
                                                     kMacroWriteFailed,   kMacroMemoryExceeded, kRestoreDefaults,
                                                     kBlankProfileName,   kCopyProfile,       kAddProfile,
                                                     kAddMacro,           kDeleteProfile};

inline std::wstring MessageTextKey(int number)
{
    return kKeyPrefix + std::to_wstring(number);
}

}  // namespace dw::msgtext
