// tqc-cli program and tqc-cli simulate: the program transfer and a simulated controller.
#pragma once

#include <string>
#include <vector>

#include <wx/string.h>

int RunProgramCommand(const std::vector<std::string>& args);
int RunSimulateCommand(const std::vector<std::string>& args);

// Writes text to stdout as UTF-8 at once, so a log shows while a device exchange runs.
void PrintText(const wxString& text);
