#include "settings/HelpDlg.h"

#include "app/Globals.h"

#include <wx/intl.h>

HelpDlg::HelpDlg(wxWindow* parent) : MainHelpDlg(parent, wxID_ANY, _("Hilfe")) { m_text->ChangeValue(HelpText()); }

HelpDlg::~HelpDlg() {
    // Also when the main window takes its children with it.
    if (glHelpDlg == this) glHelpDlg = nullptr;
}

wxString HelpDlg::HelpText() {
    // The descriptions start in column 25.
    return wxString(L"Tastenbelegung:\n"
                    L"\n"
                    L"Strg + Leer:            Autovervollst\u00e4ndigen neu aufrufen\n"
                    L"Strg + Cursor Up/Down:  Aktuelle oder markierte Zeilen verschieben\n"
                    L"Strg + 0:               Fensterg\u00f6\u00dfe und Position zur\u00fccksetzen");
}

void HelpDlg::OnDlgClose(wxCloseEvent&) {
    Destroy();
    glHelpDlg = nullptr;
}
