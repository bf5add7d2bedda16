#include "dialogs/LanDlg.h"

LanDlg::LanDlg(wxWindow* parent) : MainLanDlg(parent, wxID_ANY, "LAN Konfig") {}
