#include "settings/MainHelpDlg.h"

#include <wx/font.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

MainHelpDlg::MainHelpDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos, const wxSize& size,
                         long style)
    : wxDialog(parent, id, title, pos, size, style) {
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    wxNotebook* pages = m_pages = new wxNotebook(this, wxID_ANY);
    const wxFont font(9, wxFONTFAMILY_MODERN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false, "Courier New");
    for (wxTextCtrl** page : {&m_text, &m_commands}) {
        *page = new wxTextCtrl(pages, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                               wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
        (*page)->SetFont(font);
    }
    pages->AddPage(m_text, "Tastenbelegung");
    pages->AddPage(m_commands, "Befehle");
    sizer->Add(pages, 1, wxEXPAND, 0);
    SetSizer(sizer);
    Layout();

    Bind(wxEVT_CLOSE_WINDOW, &MainHelpDlg::OnDlgClose, this);
}
