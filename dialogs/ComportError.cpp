#include "dialogs/ComportError.h"

#include <wx/msgdlg.h>

void ShowComportError(wxWindow* parent, int code, const wxString& reason) {
    // Code 0 is no system error: the reason alone says what to do (no port chosen).
    wxString message = code ? wxString::Format("Comport Fehler %d", code) : wxString();
    if (!reason.empty()) message += (message.empty() ? "" : "\n") + reason;
    wxMessageBox(message, wxMessageBoxCaptionStr, wxOK | wxCENTRE, parent);
}
