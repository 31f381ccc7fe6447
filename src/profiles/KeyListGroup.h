#pragma once

// The key list group "KeyList" of a settings object, shared by the keyboard (170 logical keys)
// and the mouse (11 buttons). Element i is the entry of key i and carries "Assignment" (the
// current assignment as one integer) and "DefaultAssignment" (the default assignment that
// identifies the key).

#include "keyboard/KeyEntry.h"
#include "profiles/JsonAccess.h"

#include <json/value.h>

#include <span>
#include <vector>

namespace dw {

inline constexpr const char* kKeyListKey = "KeyList";

// Reads "KeyList" of `holder` into exactly `defaults.size()` entries, entry i for key i. A
// missing group (or one that is not an array) gives an empty list. Inside a present group:
// an element without a readable "DefaultAssignment" takes defaults[i]; one without a readable
// "Assignment" takes its default as current; elements past the end of `defaults` are ignored
// and a short array is completed from `defaults`, so that callers may index every key.
json::GroupRead ReadKeyList(const Json::Value& holder, std::span<const Assignment> defaults,
                            std::vector<KeyEntry>& entries);

// Stores "Assignment" of element i from entry i. "DefaultAssignment" is left as it is; it is
// only added to an element that lacks a readable one. Elements past the end of `entries` are
// kept. A "KeyList" that is not an array is replaced.
void WriteKeyList(Json::Value& holder, const std::vector<KeyEntry>& entries);

}  // namespace dw
