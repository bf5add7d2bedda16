#include "dialogs/MainLanDlg.h"
#include "dialogs/WindowPlace.h"

MainLanDlg::MainLanDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos, const wxSize& size,
                       long style)
    : wxDialog(parent, id, title, pos, size, style) {
    place::Keep(this);
}
