#pragma once

// The document utilities of the profile and macro code: reading a file whole, parsing it as a
// JSON document, writing a document in the styled layout every file of the program shares,
// timestamp ids, and the checks a name read from a document passes before it becomes part of a
// file name. All functions are stateless and never throw.
//
// Paths are wide strings, as the window library hands them over; they are converted to UTF-8
// for the file system.

#include <json/value.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace dw {

// Documents of this program are a few kilobytes; anything larger than this is not one of them
// and is refused unread rather than parsed.
inline constexpr size_t kMaxDocumentBytes = 4u * 1024u * 1024u;

// Documents nest a handful of levels; a deeper document is refused by the parser.
inline constexpr int kMaxDocumentDepth = 64;

// The whole content of a regular file as raw bytes (no line-end translation). Empty when the
// file cannot be opened, is not a regular file (a folder, a pipe, a device), is larger than
// kMaxDocumentBytes, or cannot be read completely.
std::string ReadFileText(const std::wstring& path);

// Parses document text: LF or CR LF line ends, an optional UTF-8 byte-order mark, comments
// allowed. A null value when the text is empty, not valid JSON, or nested deeper than
// kMaxDocumentDepth.
Json::Value ParseJsonText(std::string_view text);

// ReadFileText + ParseJsonText: a null value for a missing, unreadable or invalid document.
Json::Value ReadJsonDocument(const std::wstring& path);

// The document's text as it is written to disk: the styled layout (one member per line, three
// spaces of indentation per level, members in byte-wise ascending key order, ": " between key
// and value, arrays of scalars on one line when they fit 74 columns, strings as UTF-8), then one
// extra line end, every line end CR LF.
std::string StyledJsonText(const Json::Value& value);

// Writes StyledJsonText(value) to `path` so that the file is never seen half-written: the text
// goes to a temporary file in the same folder, is flushed to the disk, and then replaces the old
// file in one rename. On any failure the temporary file is removed, the old document is left as
// it was, and false is returned.
bool WriteJsonDocument(const std::wstring& path, const Json::Value& value);

// The identifier of a new profile or macro: the local time as
// "%d_%02d_%02d_%02d_%02d_%02d_%03d" (year, month, day, hour, minute, second, millisecond),
// e.g. 2025_01_07_09_05_03_042. Two calls within one millisecond return the same id.
std::string MakeTimestampId();
std::string MakeTimestampId(std::chrono::system_clock::time_point when);

// The file name of `path` without its folder and its extension ("/a/b/2025_01.Json" gives
// "2025_01"). A name starting with its only dot (".hidden") is kept whole.
std::wstring FileTitleOf(std::wstring_view path);

// True when `name`, read from a document, may be used as one file name inside a folder of ours:
// not empty, at most 200 bytes, and free of path separators ('/' and '\'), of "..", and of
// control characters. Ids that fail are refused, never cleaned up, so that two different ids
// can never name the same file.
bool IsPlainFileName(std::string_view name);

}  // namespace dw
