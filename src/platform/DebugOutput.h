#pragma once

// Diagnostic lines for developers. Nothing is written unless the environment variable
// DUNWAKE_DEBUG is set when the program starts; then every call writes exactly one line to
// standard error, whole, even when several threads write at once.

#include <string_view>

namespace dw {

// True when DUNWAKE_DEBUG was set at the first call; read once and kept for the whole run.
// Callers that must do work to build a line check it first.
bool DebugOutputEnabled();

// Writes `text` and a line end to standard error when diagnostics are on. A line end already at
// the end of `text` is not doubled.
void DebugOutput(std::wstring_view text);

}  // namespace dw
