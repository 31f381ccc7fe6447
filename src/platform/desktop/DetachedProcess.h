#pragma once

// Starts a program that lives on its own: it is not a child of this process (so no zombie is
// left and nothing waits for it), it runs in a session of its own, and it inherits no file
// descriptor beyond standard input, output and error (so it cannot keep the instance lock or a
// device open after this program ends).

#include <string>
#include <vector>

namespace dw::platform {

// Runs `path` (an absolute path) with `args` after the program name. Returns once the program
// has been started, which takes only the time of two forks: true when it runs, false when it
// could not be started (missing, not executable, out of processes).
bool SpawnDetached(const std::string& path, const std::vector<std::string>& args);

}  // namespace dw::platform
