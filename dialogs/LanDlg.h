// The LAN module dialog: so far a titled, empty modal dialog. It reads and writes no settings
// and leaves the serial port alone.
#pragma once

#include "dialogs/MainLanDlg.h"

class LanDlg : public MainLanDlg {
public:
    explicit LanDlg(wxWindow* parent);
};
