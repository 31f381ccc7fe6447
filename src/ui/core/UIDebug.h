#pragma once

// Diagnostic output of the window library: one line to stderr when DUNWAKE_DEBUG is set in
// the environment, nothing otherwise.

#include <string_view>

namespace dw::ui {

void UIDebugOutput(std::wstring_view line);
bool UIDebugEnabled();

}  // namespace dw::ui
