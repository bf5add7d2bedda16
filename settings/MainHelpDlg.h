// Layout of the help window: one read-only multi-line text box in a fixed monospaced font.
#pragma once

#include <wx/dialog.h>
#include <wx/textctrl.h>

class MainHelpDlg : public wxDialog {
public:
    MainHelpDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(542, 150),
                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~MainHelpDlg() override = default;

protected:
    wxTextCtrl* m_text;

    virtual void OnDlgClose(wxCloseEvent& event) { event.Skip(); }
};
