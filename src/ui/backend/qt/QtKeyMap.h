#pragma once

// Qt key codes to the virtual key codes window messages carry (Windows values, so the key
// tables of the program keep their numbers).

#include <Qt>

#include "ui/core/UIDefs.h"

namespace dw::ui::qt {

// 0 for a key without a virtual key code. Digits typed on the keypad (KeypadModifier) map to
// the numpad codes.
UINT QtKeyToVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace dw::ui::qt
