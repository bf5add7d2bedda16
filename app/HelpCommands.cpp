// F1 on a command word, and the About box.
#include "app/MainFrame.h"
#include "app/Version.h"
#include "settings/HelpDlg.h"

wxString MainFrame::AboutText() {
    return wxString::FromUTF8("TqC\n\nVersion: ") + kTqcVersion +
           wxString::FromUTF8(
               "\n\nEntwicklungsumgebung für die Steuerung: Skripte schreiben, "
               "übersetzen und zur Steuerung übertragen.");
}

void MainFrame::OnAboutClick(wxCommandEvent&) {
    Ask(AboutText(), wxString::FromUTF8("Über TqC"), wxOK | wxICON_INFORMATION | wxCENTRE);
}

void MainFrame::OnHelpTopicClick(wxCommandEvent& event) {
    const wxString word = WordAtPosition(editor_->GetCurrentPos());
    OnHelpClick(event);
    if (!glHelpDlg) return;
    // A help window already open comes forward with the command; on any other word it stays.
    if (glHelpDlg->ShowCommand(word)) glHelpDlg->Raise();
}
