#pragma once

// A small writer of INI settings files ("[SECTION]" lines followed by "KEY=value" lines), used
// for the skin setting "main.ini". Writing a value keeps every other line of the file as it
// was; section and key names are compared without regard to ASCII case, as such files are
// read. Text is UTF-8.

#include <string>
#include <string_view>

namespace dw {

// The text with `key` of `section` set to `value`: the first such key is replaced, else the key
// is added at the end of the section, else the section is added at the end of the text.
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

// The value of `key` in `section`, or empty when there is none.
std::string GetIniValue(std::string_view text, std::string_view section, std::string_view key);

// Reads the file (missing counts as empty), sets the value and writes it back whole through a
// temporary file that replaces it, creating the folder when it is missing. False when the file
// could not be written; the old file is then left as it was.
bool WriteIniValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

}  // namespace dw
