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

protected:
    void OnDlgClose(wxCloseEvent& event) override;
};
