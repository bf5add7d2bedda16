// tqc-cli ports: the serial ports the system knows, with what tells the adapters apart.
#pragma once

#include <string>
#include <vector>

// Runs "ports" with the arguments after the word; 0 listed (also when there are none), 2 wrong
// arguments.
int RunPortsCommand(const std::vector<std::string>& args);
