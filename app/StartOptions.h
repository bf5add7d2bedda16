// The desktop program's command line: tqc [--port PORT] [SCRIPT.tqc]
#pragma once

#include <string>
#include <vector>

struct StartOptions {
    std::string script;  // empty: start with an empty editor
    std::string port;    // empty: the ports from the settings file
    std::string error;   // set when the command line is wrong; the program does not start
};

StartOptions ParseStartOptions(const std::vector<std::string>& args);
