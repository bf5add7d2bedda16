#include "settings/MainHelpDlg.h"

#include <wx/font.h>
#include <wx/sizer.h>

MainHelpDlg::MainHelpDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                         const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    m_text = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_READONLY);
    m_text->SetFont(wxFont(9, wxFONTFAMILY_MODERN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false, "Courier New"));
    sizer->Add(m_text, 1, wxEXPAND, 0);
    SetSizer(sizer);
    Layout();

    Bind(wxEVT_CLOSE_WINDOW, &MainHelpDlg::OnDlgClose, this);
}
