#include "settings/StoreSettings.h"

#include "settings/Datei.h"

#include <wx/msgdlg.h>

bool StoreSettingsTelling(wxWindow* parent) {
    wxString notice, error;
    const bool stored = Datei().DataStore(&notice, &error);
    if (!notice.empty()) wxMessageBox(notice, wxMessageBoxCaptionStr, wxOK | wxCENTRE, parent);
    if (!stored) ShowSettingsNotStored(parent, error);
    return stored;
}

void ShowSettingsNotStored(wxWindow* parent, const wxString& error) {
    wxMessageBox(error, "Einstellungen nicht gespeichert", wxOK | wxICON_ERROR | wxCENTRE, parent);
}
