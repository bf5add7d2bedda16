#include "settings/HelpDlg.h"
#include "dialogs/WindowPlace.h"

#include "compiler/commands/CommandSyntax.h"

#include <wx/intl.h>

HelpDlg* glHelpDlg = nullptr;

HelpDlg::HelpDlg(wxWindow* parent) : MainHelpDlg(parent, wxID_ANY, _("Hilfe")) {
    m_text->ChangeValue(HelpText());
    m_commands->ChangeValue(CommandsText());
    place::Keep(this);
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

bool HelpDlg::ShowCommand(const wxString& word) {
    const CommandSyntax* row = FindCommandSyntax(word.ToStdWstring());
    if (!row) return false;
    // The page's rows are the syntax rows in order; the command's own starts its entry.
    const wxString text = m_commands->GetValue(), syntax = row->syntax;
    const size_t at = text.StartsWith(syntax + "\n") ? 0 : text.find("\n" + syntax + "\n");
    if (at == wxString::npos) return false;
    const long from = static_cast<long>(at == 0 ? 0 : at + 1);
    m_pages->SetSelection(1);
    m_commands->ShowPosition(from);
    m_commands->SetSelection(from, from + static_cast<long>(syntax.length()));
    return true;
}

HelpDlg::~HelpDlg() {
    // Also when the main window takes its children with it.
    if (glHelpDlg == this) glHelpDlg = nullptr;
}

wxString HelpDlg::HelpText() {
    // The descriptions start in column 25.
    return wxString(
        L"Tastenbelegung:\n"
        L"\n"
        L"Strg + Leer:            Autovervollständigen neu aufrufen\n"
        L"Strg + Cursor Up/Down:  Aktuelle oder markierte Zeilen verschieben\n"
        L"Strg + 0:               Fenstergröße und Position zurücksetzen\n"
        L"Strg + F / Strg + H:    Suchen / Ersetzen, F3 und Umschalt + F3: nächster, voriger Treffer\n"
        L"Strg + G:               Gehe zu Zeile\n"
        L"F8 / Umschalt + F8:     Nächster / voriger Fehler\n"
        L"F12 oder Strg + Klick:  Zur Deklaration des Namens, auf #include: die Datei öffnen\n"
        L"Alt + Links / Rechts:   Zurück / Vorwärts durch die Sprünge\n"
        L"Strg + R oder F7:       Compile\n"
        L"Strg + U oder F5:       Program (vorher Compile)\n"
        L"F1:                     Hilfe zum Befehl unter dem Cursor (Seite \"Befehle\")\n"
        L"Strg + Q oder Strg + /: Kommentar // der markierten Zeilen ein/aus\n"
        L"Tab / Umschalt + Tab:   Markierte Zeilen ein-/ausrücken\n"
        L"Eingabe:                Neue Zeile mit der Einrückung der vorigen, nach\n"
        L"                        if, else, count, push, press, release eine Stufe mehr;\n"
        L"                        endif, else, end... rücken zu ihrem Blockanfang\n"
        L"Strg + N / O / S / P:   Neu / Öffnen / Speichern / Drucken\n"
        L"Strg + Plus / Minus:    Schrift größer / kleiner (auch Strg + Mausrad)\n"
        L"Alt + Buchstabe:        Menü mit dem unterstrichenen Buchstaben");
}

void HelpDlg::OnDlgClose(wxCloseEvent&) {
    Destroy();
    glHelpDlg = nullptr;
}
