// The program transfer dialog: gathers the port, runs ProgramTransfer and shows its progress.
#pragma once

#include "dialogs/MainProgramDlg.h"
#include "dialogs/PortChoice.h"

// 1 while a transfer runs and after one failed; 0 when idle or when the user asked to stop.
// "Stop/Clear" and "Close" set it to 0; the transfer reads it at every wait.
extern int gl_iProgramStop;

class ProgramDlg : public MainProgramDlg {
public:
    explicit ProgramDlg(wxWindow* parent);

    // For tests and the main window: the status label and the log as shown.
    wxString Status() const { return progressButton->GetLabel(); }
    wxString Log() const { return transferLog->GetValue(); }
    int GaugeValue() const { return progressGauge->GetValue(); }
    wxString Phase() const { return phaseText->GetLabel(); }
    wxSize PhaseExtent() const { return phaseText->GetTextExtent(Phase()); }
    wxSize PhaseSize() const { return phaseText->GetSize(); }
    // One line on how the last transfer ended, for the main window's status bar; empty when
    // none was started.
    wxString Outcome() const { return outcome_; }

    void OnBtnProgramClick(wxCommandEvent& event) override;
    void OnBtnStopClick(wxCommandEvent& event) override;
    void OnListBoxComportClick(wxCommandEvent& event) override;
    void OnBtnReadComClick(wxCommandEvent& event) override;
    void OnBtnCloseClick(wxCommandEvent& event) override;
    void OnDlgClose(wxCloseEvent& event) override;

private:
    // The port in use in the title, and in the log what the user must know about it.
    void ShowPort();
    void Finish(int code);
    void StoreSettings();

    wxString outcome_;
    PortChoice ports_;
};
