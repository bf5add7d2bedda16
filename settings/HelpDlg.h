// The help window: the editor's key bindings. Not modal; at most one exists (glHelpDlg).
#pragma once

#include "settings/MainHelpDlg.h"

class HelpDlg;
extern HelpDlg* glHelpDlg;  // the help window while it exists

class HelpDlg : public MainHelpDlg {
public:
    explicit HelpDlg(wxWindow* parent);
    ~HelpDlg() override;

    // The key bindings the window shows, one per line after the heading.
    static wxString HelpText();
    // The commands page: every syntax row with its ranges and meaning.
    static wxString CommandsText();
    wxString Text() const { return m_text->GetValue(); }
    bool IsEditable() const { return m_text->IsEditable(); }
    // Turns to the page "Befehle" with the command's syntax row in view and selected; false
    // (the window as it was) for a word that is no command.
    bool ShowCommand(const wxString& word);
    // The page shown, and the text selected on it.
    int Page() const { return m_pages->GetSelection(); }
    wxString SelectedCommand() const { return m_commands->GetStringSelection(); }

protected:
    void OnDlgClose(wxCloseEvent& event) override;
};
