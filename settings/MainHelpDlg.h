// Layout of the help window: two pages of read-only text in a fixed monospaced font, the keys
// and the commands.
#pragma once

#include <wx/dialog.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

class MainHelpDlg : public wxDialog {
public:
    MainHelpDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(680, 440),
                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~MainHelpDlg() override = default;

protected:
    wxNotebook* m_pages;
    wxTextCtrl* m_text;
    wxTextCtrl* m_commands;

    virtual void OnDlgClose(wxCloseEvent& event) { event.Skip(); }
};
