// tqc-cli konfig: the button-panel module configuration through the bus bridge.
#pragma once

#include <string>
#include <vector>

#include <wx/string.h>

#include "konfig/KonfigRows.h"

// Runs "konfig" with the arguments after the word; returns the exit status (0 done, 1 the
// exchange failed or a field is wrong, 2 wrong arguments, 3 the port could not be opened,
// 128 + the signal's number after a stop signal).
int RunKonfigCommand(const std::vector<std::string>& args);

// The 20 rows under the head "Nr Taster Led", one line each.
wxString FormatKonfigRows(const KonfigValues& values);
