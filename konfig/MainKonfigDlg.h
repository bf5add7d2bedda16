// Layout of the module configuration dialog. Layout only; KonfigDlg adds the 20 rows and gives
// the handlers their work.
#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/gbsizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "konfig/ModelNumberings.h"

class MainKonfigDlg : public wxDialog {
public:
    explicit MainKonfigDlg(wxWindow* parent);

protected:
#define TQC_MODEL_COUNT(id, label, ...) +1
    static constexpr int kModelButtons = 0 TQC_PX_MODELS(TQC_MODEL_COUNT);
#undef TQC_MODEL_COUNT

    virtual void OnBtnConnectClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnReadClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnWriteClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnClearClick(wxCommandEvent& event) { event.Skip(); }
#define TQC_MODEL_HANDLER(id, label, ...) \
    virtual void OnBtn##id##Click(wxCommandEvent& event) { event.Skip(); }
    TQC_PX_MODELS(TQC_MODEL_HANDLER)
#undef TQC_MODEL_HANDLER
    virtual void OnDlgClose(wxCloseEvent& event) { event.Skip(); }

    // The rows stand in blocks of this many side by side, so the dialog fits an 800 x 600 screen.
    static constexpr int kRowsPerBlock = 10;
    static constexpr int kRowBlocks = 2;

    // Row 0 holds the column heads of each block (3 columns: number, key, LED); the derived
    // dialog adds the rows.
    wxGridBagSizer* rowGrid;
    wxStaticText* portLabel;
    wxButton* connectButton;
    wxButton* readButton;
    wxButton* writeButton;
    wxButton* clearButton;
    wxTextCtrl* konfigLog;
    wxButton* modelButtons[kModelButtons];  // in table order
};
