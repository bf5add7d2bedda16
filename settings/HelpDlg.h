// The help window: the editor's key bindings. Not modal; at most one exists (glHelpDlg).
#pragma once

#include "settings/MainHelpDlg.h"

class HelpDlg : public MainHelpDlg {
public:
    explicit HelpDlg(wxWindow* parent);
    ~HelpDlg() override;

    // The five lines the window shows, separated by "\n".
    static wxString HelpText();
    wxString Text() const { return m_text->GetValue(); }
    bool IsEditable() const { return m_text->IsEditable(); }

protected:
    void OnDlgClose(wxCloseEvent& event) override;
};
