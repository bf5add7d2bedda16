// Layout of the error window: one text control filling the dialog.
#pragma once

#include <wx/dialog.h>
#include <wx/stc/stc.h>

class MainErrorDlg : public wxDialog {
public:
    MainErrorDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(456, 280),
                 long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxSTAY_ON_TOP);
    ~MainErrorDlg() override = default;

protected:
    wxStyledTextCtrl* m_errorText;

    virtual void OnDlgClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnLeftDErrorClick(wxMouseEvent& event) { event.Skip(); }
};
