// Runs tqc-cli (the binary under test) in a shell and takes its exit status and output.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace clitest {

struct CliRun {
    int status;
    std::string output;  // stdout and stderr together
};

inline CliRun RunCli(const std::string& arguments) {
    const std::string command = std::string(TQC_CLI) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    CliRun run{-1, ""};
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace clitest
