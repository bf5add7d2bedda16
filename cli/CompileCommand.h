// tqc-cli compile: the compiler from the command line.
#pragma once

#include <string>
#include <vector>

// Runs "compile" with the arguments after the word; returns the exit status
// (0 no errors, 1 compile errors, 2 unreadable file or wrong arguments).
int RunCompileCommand(const std::vector<std::string>& args);

// Loads a script file into the compiler's store and compiles it. On a read failure returns
// false with the reason in `problem`.
bool CompileScriptFile(const std::string& path, std::string& problem);

// Prints the errors of the last compile to stderr as FILE:LINE: error: TEXT.
void PrintCompileErrors(const std::string& file);

// Runs "disasm IMAGE": one row per command of a raw image (address, cells, command); exit 0
// when every cell belongs to a command, 1 when not, 2 for a wrong call or an unreadable file.
int RunDisasmCommand(const std::vector<std::string>& args);
