#include "compiler/MainErrorDlg.h"

#include <wx/settings.h>
#include <wx/sizer.h>

MainErrorDlg::MainErrorDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                           const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    m_errorText = new wxStyledTextCtrl(this, wxID_ANY);
    m_errorText->StyleSetFaceName(wxSTC_STYLE_DEFAULT, "Arial");
    m_errorText->StyleSetSize(wxSTC_STYLE_DEFAULT, wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetPointSize());
    m_errorText->SetMarginWidth(1, 0);  // no symbol margin: the rows start at the left edge
    sizer->Add(m_errorText, 1, wxEXPAND, 0);
    SetSizer(sizer);
    Layout();

    Bind(wxEVT_CLOSE_WINDOW, &MainErrorDlg::OnDlgClose, this);
    m_errorText->Bind(wxEVT_LEFT_DCLICK, &MainErrorDlg::OnLeftDErrorClick, this);
}
