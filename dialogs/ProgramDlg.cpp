#include "dialogs/ProgramDlg.h"

#include "compiler/Data.h"
#include "dialogs/ComportError.h"
#include "dialogs/ProgramTransfer.h"
#include "serial/Comport.h"
#include "settings/StoreSettings.h"

#include <wx/app.h>
#include <wx/datetime.h>

int gl_iProgramStop = 0;

ProgramDlg::ProgramDlg(wxWindow* parent)
    : MainProgramDlg(parent), ports_(portList, data.programComport, EditorSettings::Port::Program) {
    gl_iProgramStop = 0;
    ports_.changed = [this](bool) { ShowPort(); };
    ports_.Refresh();
    ShowPort();
}

void ProgramDlg::ShowPort() {
    const wxString shown = ports_.Shown();
    SetTitle(shown.empty() ? wxString("Program") : "Program (" + shown + ")");
    // The adapters' names are longer than the port names the list was laid out for.
    portList->InvalidateBestSize();
    FitTexts();
    Layout();
    if (!ports_.Notice().empty()) transferLog->AppendText(ports_.Notice() + "\n");
}

void ProgramDlg::OnBtnProgramClick(wxCommandEvent&) {
    ProgramTransfer transfer(data.programComport, {data.outputValue, kImageCells, data.outputCount}, gl_iProgramStop);
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
        case ProgramTransfer::Result::Ignored:
            break;
        case ProgramTransfer::Result::Ok:
            outcome_ = wxString::Format(wxString::FromUTF8("Programmierung OK: %d Bytes gesendet und geprüft (%s)"),
                                        data.outputCount, time);
            break;
        case ProgramTransfer::Result::Stopped:
            outcome_ = "Programmierung abgebrochen (" + time + ")";
            break;
        default:
            outcome_ = "Programmierung fehlgeschlagen: " + Status() + " (" + time + ")";
            break;
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
    if (gl_iProgramStop == 1) return;
    if (ports_.Choose(this)) ShowPort();
}

void ProgramDlg::OnBtnReadComClick(wxCommandEvent&) {
    if (gl_iProgramStop == 1) return;
    ports_.Refresh();
    ShowPort();
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
