#include "keyboard/MacroReferences.h"

#include "keyboard/FunctionTypes.h"

namespace dw {

bool ResetStaleMacroReferences(std::span<KeyEntry> layer1, size_t macroCount) {
  bool changed = false;
  for (KeyEntry& entry : layer1) {
    if (fn::IsMacro(entry.current.type) && entry.current.value1 >= macroCount) {
      entry.ResetToDefault();
      changed = true;
    }
  }
  return changed;
}

}  // namespace dw
