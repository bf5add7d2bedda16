// tqc-cli program and tqc-cli simulate: the program transfer and a simulated controller.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

int RunProgramCommand(const std::vector<std::string>& args);
int RunSimulateCommand(const std::vector<std::string>& args);

// Writes text to stdout as UTF-8 at once, so a log shows while a device exchange runs.
void PrintText(const wxString& text);

// The openFailed callback of an exchange on the command line: prints "Comport Fehler N: reason"
// and sets `failed`. Without a window nobody can press Stop, so the command then ends.
std::function<void(int, const wxString&)> ReportOpenFailure(bool& failed);
