// The program transfer dialog: gathers the port, runs ProgramTransfer and shows its progress.
#pragma once

#include "dialogs/MainProgramDlg.h"

class ProgramDlg : public MainProgramDlg {
public:
    explicit ProgramDlg(wxWindow* parent);

    // For tests and the main window: the status label and the log as shown.
    wxString Status() const { return progressButton->GetLabel(); }
    wxString Log() const { return transferLog->GetValue(); }
    int GaugeValue() const { return progressGauge->GetValue(); }

    void OnBtnProgramClick(wxCommandEvent& event) override;
    void OnBtnStopClick(wxCommandEvent& event) override;
    void OnListBoxComportClick(wxCommandEvent& event) override;
    void OnBtnReadComClick(wxCommandEvent& event) override;
    void OnBtnCloseClick(wxCommandEvent& event) override;
    void OnDlgClose(wxCloseEvent& event) override;

private:
    void Finish(int code);
    void StoreSettings();
};
