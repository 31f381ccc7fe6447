#include "keyboard/device/CMacroListSource.h"

namespace dw {

std::optional<size_t> CMacroListSource::MacroCount() const { return std::nullopt; }

std::optional<MacroEvents> CMacroListSource::Events(size_t) const { return std::nullopt; }

}  // namespace dw
