// tqc-cli program and tqc-cli simulate: the program transfer and a simulated controller.
#pragma once

#include <string>
#include <vector>

int RunProgramCommand(const std::vector<std::string>& args);
int RunSimulateCommand(const std::vector<std::string>& args);
