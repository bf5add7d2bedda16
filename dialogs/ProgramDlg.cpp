#include "dialogs/ProgramDlg.h"

#include "compiler/Data.h"
#include "dialogs/ComportError.h"
#include "dialogs/ProgramTransfer.h"
#include "serial/Comport.h"
#include "settings/StoreSettings.h"

#include <wx/app.h>
#include <wx/datetime.h>

ProgramDlg::ProgramDlg(wxWindow* parent) : MainProgramDlg(parent) {
    portList->Append(data.programComport);
    portList->SetSelection(0);
    gl_iProgramStop = 0;
}

void ProgramDlg::OnBtnProgramClick(wxCommandEvent&) {
    ProgramTransfer transfer;
    transfer.label = [this](const wxString& text) { progressButton->SetLabel(text); };
    transfer.log = [this](const wxString& text) { transferLog->AppendText(text); };
    transfer.clearLog = [this] { transferLog->Clear(); };
    // The waits run on this thread; letting pending events run keeps the window alive and lets
    // "Stop/Clear" and "Close" reach the transfer through gl_iProgramStop.
    transfer.pump = [] { wxTheApp->Yield(true); };
    transfer.progress = [this](int sent, int verified, int total) {
        progressGauge->SetRange(total > 0 ? 2 * total : 1);
        progressGauge->SetValue(total > 0 ? sent + verified : 1);
    };
    transfer.phase = [this](const wxString& text, int) { phaseText->SetLabel(text); };
    transfer.openFailed = [](int code, const wxString& reason) { ShowComportError(nullptr, code, reason); };
    const bool ok = transfer.Run();
    const wxString time = wxDateTime::Now().Format("%H:%M");
    switch (transfer.LastResult()) {
        case ProgramTransfer::Result::Ignored: break;
        case ProgramTransfer::Result::Ok:
            outcome_ = wxString::Format(wxString::FromUTF8("Programmierung OK: %d Bytes gesendet und gepr\xc3\xbc" "ft (%s)"),
                                        data.outputCount, time);
            break;
        case ProgramTransfer::Result::Stopped: outcome_ = "Programmierung abgebrochen (" + time + ")"; break;
        default: outcome_ = "Programmierung fehlgeschlagen: " + Status() + " (" + time + ")"; break;
    }
    if (!ok) return;
    StoreSettings();
    Finish(0);
}

void ProgramDlg::OnBtnStopClick(wxCommandEvent&) {
    progressButton->SetLabel("Program");
    phaseText->SetLabel(wxString());
    gl_iProgramStop = 0;
}

void ProgramDlg::OnListBoxComportClick(wxCommandEvent&) {
    if (gl_iProgramStop == 1 || portList->GetSelection() == wxNOT_FOUND) return;
    data.programComport = portList->GetStringSelection();
}

void ProgramDlg::OnBtnReadComClick(wxCommandEvent&) {
    if (gl_iProgramStop == 1) return;
    portList->Clear();
    for (const wxString& port : Comport::ListPorts()) portList->Append(port);
    const int selected = portList->FindString(data.programComport, true);
    if (selected != wxNOT_FOUND) portList->SetSelection(selected);
}

void ProgramDlg::OnBtnCloseClick(wxCommandEvent&) { Close(); }

void ProgramDlg::OnDlgClose(wxCloseEvent&) {
    comport.Close();
    gl_iProgramStop = 0;
    StoreSettings();
    Finish(0);
}

void ProgramDlg::StoreSettings() { StoreSettingsTelling(nullptr); }

void ProgramDlg::Finish(int code) {
    if (IsModal())
        EndModal(code);
    else
        Hide();
}
