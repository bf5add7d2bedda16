// Layout of the program transfer dialog. Layout only; ProgramDlg gives the handlers their work.
#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/bmpbuttn.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class MainProgramDlg : public wxDialog {
public:
    explicit MainProgramDlg(wxWindow* parent);

protected:
    // Grows the dialog (never shrinks it) so that every control shows its whole text.
    void FitTexts();

    virtual void OnBtnProgramClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnStopClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnListBoxComportClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnReadComClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnCloseClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnDlgClose(wxCloseEvent& event) { event.Skip(); }

    wxButton* progressButton;
    wxButton* stopButton;
    wxStaticText* instructions;
    wxListBox* portList;
    wxStaticText* portLabel;
    wxBitmapButton* portSearchButton;
    wxButton* closeButton;
    wxGauge* progressGauge;   // cells sent, then cells verified
    wxStaticText* phaseText;  // the phase in words and the time left, beside the gauge
    wxTextCtrl* transferLog;
};
