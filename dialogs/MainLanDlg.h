// Layout of the LAN module dialog: a titled, empty dialog, centred.
#pragma once

#include <wx/dialog.h>

class MainLanDlg : public wxDialog {
public:
    MainLanDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~MainLanDlg() override = default;
};
