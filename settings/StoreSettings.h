// Writing TqC_Konfig.ini from a window, with what the user must be told about it.
#pragma once

#include <wx/string.h>

class wxWindow;

// Writes the settings file from `data`. Tells "TqC_Konfig.ini nicht vorhanden, wird neu
// geschrieben !" when there was none, and why when it cannot be written; false then.
bool StoreSettingsTelling(wxWindow* parent);
// A settings file that could not be written, and why.
void ShowSettingsNotStored(wxWindow* parent, const wxString& error);
