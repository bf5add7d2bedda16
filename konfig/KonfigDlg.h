// The module configuration dialog: 20 rows of key and LED numbers, read from and written to a
// button-panel module through ModuleExchange, or preset from a model's standard numbering.
#pragma once

#include "konfig/MainKonfigDlg.h"
#include "konfig/ModuleExchange.h"

#include <functional>

// The key and LED fields of rows 1 to 20 (index 0 is row 1) while a KonfigDlg exists, nullptr
// otherwise. Entries 20 to 31 are never used.
extern wxTextCtrl* m_glTextTaster[32];
extern wxTextCtrl* m_glTextLed[32];

class KonfigDlg : public MainKonfigDlg {
public:
    explicit KonfigDlg(wxWindow* parent);
    ~KonfigDlg() override;

    // For tests: the log and the port as shown, and whether an exchange is under way.
    wxString Log() const { return konfigLog->GetValue(); }
    wxString PortName() const { return portLabel->GetLabel(); }
    bool ExchangeRunning() const { return ModuleExchange::Busy(); }

    // Waits at least `ms` milliseconds while letting the application handle its events, so the
    // window repaints and answers during the exchange's pauses.
    static void WaitResponsive(int ms);

    void OnBtnConnectClick(wxCommandEvent& event) override;
    void OnBtnReadClick(wxCommandEvent& event) override;
    void OnBtnWriteClick(wxCommandEvent& event) override;
    void OnBtnClearClick(wxCommandEvent& event) override;
#define TQC_MODEL_HANDLER(id, label, ...) void OnBtn##id##Click(wxCommandEvent& event) override;
    TQC_PX_MODELS(TQC_MODEL_HANDLER)
#undef TQC_MODEL_HANDLER
    void OnDlgClose(wxCloseEvent& event) override;

private:
    // Runs `step` with an exchange wired to this window, then honours a close requested meanwhile.
    void Exchange(const std::function<void(ModuleExchange&)>& step);
    void ApplyModel(const ModelNumbering* model);
    void ShowValues(const KonfigValues& values);
    KonfigTexts FieldTexts() const;
    // After a failed Connect: says so in the log and returns true, so Read and Write send nothing.
    bool NotConnected();
    void OnCharHook(wxKeyEvent& event);

    bool closeRequested_ = false;  // the close box was pressed during an exchange
    bool connectFailed_ = false;   // the last Connect found no bridge or no module
};
