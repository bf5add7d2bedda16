// How every window that opens the port tells a failed open.
#pragma once

#include <wx/string.h>

class wxWindow;

// "Comport Fehler <code>" with the system's reason in words below it, in a message box.
void ShowComportError(wxWindow* parent, int code, const wxString& reason);
