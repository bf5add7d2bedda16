#include "settings/HelpDlg.h"

#include "compiler/commands/CommandSyntax.h"

#include <wx/intl.h>

HelpDlg* glHelpDlg = nullptr;

HelpDlg::HelpDlg(wxWindow* parent) : MainHelpDlg(parent, wxID_ANY, _("Hilfe")) {
    m_text->ChangeValue(HelpText());
    m_commands->ChangeValue(CommandsText());
}

wxString HelpDlg::CommandsText() {
    wxString text;
    for (size_t i = 0; i < kCommandSyntaxRows; ++i) {
        const CommandSyntax& row = kCommandSyntax[i];
        text += wxString(row.syntax) + "\n";
        if (*row.ranges) text += "    " + wxString(row.ranges) + "\n";
        text += "    " + wxString(row.meaning) + "\n\n";
    }
    return text;
}

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
                    L"Strg + 0:               Fenstergr\u00f6\u00dfe und Position zur\u00fccksetzen\n"
                    L"Strg + F / Strg + H:    Suchen / Ersetzen, F3 und Umschalt + F3: n\u00e4chster, voriger Treffer\n"
                    L"Strg + G:               Gehe zu Zeile\n"
                    L"F8 / Umschalt + F8:     N\u00e4chster / voriger Fehler\n"
                    L"F12 oder Strg + Klick:  Zur Deklaration des Namens, auf #include: die Datei \u00f6ffnen\n"
                    L"Alt + Links / Rechts:   Zur\u00fcck / Vorw\u00e4rts durch die Spr\u00fcnge");
}

void HelpDlg::OnDlgClose(wxCloseEvent&) {
    Destroy();
    glHelpDlg = nullptr;
}
