// tqc-cli program and tqc-cli simulate: the program transfer and a simulated controller.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

#include "serial/SerialSession.h"

int RunProgramCommand(const std::vector<std::string>& args);
int RunSimulateCommand(const std::vector<std::string>& args);

// Writes text to stdout as UTF-8 at once, so a log shows while a device exchange runs.
void PrintText(const wxString& text);

// Ctrl+C, SIGTERM and SIGHUP end an exchange like "Stop/Clear" instead of killing the process, so
// that it closes the port (and drops its exclusive claim) first. Installed by the device commands.
void CatchStopSignals();
// The signal that asked to stop, 0 while none came.
int StopSignal();
// The line that says why the command ended after StopSignal(), and the exit status for it
// (128 + the signal's number, as a shell reports a process ended by it).
wxString StopSignalText();
int StopSignalStatus();
// The sleep of an exchange on the command line: returns as soon as a stop signal comes.
void SleepUnlessStopped(int ms);
// What the user can do, in the words of the command line.
void UseCommandLineAdvice(SerialSession& session, const char* command);

// The openFailed callback of an exchange on the command line: prints "Comport Fehler N: reason"
// and sets `failed`. Without a window nobody can press Stop, so the command then ends.
std::function<void(int, const wxString&)> ReportOpenFailure(bool& failed);
