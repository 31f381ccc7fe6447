#pragma once

// Runs a program to the end, as the install tests need: with a changed environment, its
// standard output and standard error collected together, and a time bound after which it is
// killed, so that a program that hangs fails the test instead of hanging it.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dw::test {

struct ChildRun {
    bool started = false;   // false when the program could not be run at all
    bool timedOut = false;  // killed at the time bound
    int exitCode = -1;      // -1 unless the program exited by itself
    std::string output;     // standard output and standard error, interleaved
};

struct ChildOptions {
    // Variables to set (a value) or to remove (std::nullopt); the rest is inherited.
    std::map<std::string, std::optional<std::string>> environment;
    std::string workingDirectory;  // empty: the test's own
    std::chrono::seconds timeout{120};
};

// Runs argv[0] (looked up in PATH when it has no '/') with the arguments argv[1..].
ChildRun RunChild(const std::vector<std::string>& argv, const ChildOptions& options = {});

// True when `program` names an executable file in PATH (or is such a path itself).
bool HaveProgram(const std::string& program);

}  // namespace dw::test
