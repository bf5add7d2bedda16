#include "dialogs/ComportError.h"

#include <wx/msgdlg.h>

void ShowComportError(wxWindow* parent, int code, const wxString& reason) {
    wxString message = wxString::Format("Comport Fehler %d", code);
    if (!reason.empty()) message += "\n" + reason;
    wxMessageBox(message, wxMessageBoxCaptionStr, wxOK | wxCENTRE, parent);
}
