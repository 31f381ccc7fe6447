#pragma once

// Keeping layer-1 key assignments consistent with the macro list: a key that runs a macro the
// list no longer has goes back to its default assignment.

#include <cstddef>
#include <span>

#include "keyboard/KeyEntry.h"

namespace dw {

// Resets every entry whose current assignment runs a macro (types 0x70, 0x71) numbered
// `macroCount` or above. Returns true when any entry changed, so the caller saves the key list
// and redraws the key labels only then.
bool ResetStaleMacroReferences(std::span<KeyEntry> layer1, size_t macroCount);

}  // namespace dw
