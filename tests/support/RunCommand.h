#pragma once

// Runs a command line through the shell as a user would type it and collects what it printed,
// for the tests that drive the real binaries end to end.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace dw::testsupport {

struct CommandRun {
    int exitCode = -1;  // -1 when the shell could not be started or the process did not exit
    std::string out;
    std::string err;
};

// One row of a table of command lines and what each must print.
struct CommandCase {
    const char* arguments;
    int exitCode;
    const char* out;  // regular expression searched in standard output
    const char* err;  // regular expression searched in standard error
};

inline std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `commandLine` (already quoted as needed) with its standard error sent to `errFile`, which
// the caller owns and removes. Standard output is read from the pipe.
inline CommandRun RunCommand(const std::string& commandLine, const std::filesystem::path& errFile)
{
    const std::string command = commandLine + " 2>'" + errFile.string() + "'";
    CommandRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> chunk;
    size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
        run.out.append(chunk.data(), n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadAll(errFile);
    return run;
}

}  // namespace dw::testsupport
