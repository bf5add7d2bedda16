// The terminal: talks to the controller or any serial device by hand. Opens the port with the
// stored terminal settings, shows every received byte as a character and in hexadecimal, and
// sends one of eight editable texts per button (bracket groups such as [0D] stand for raw
// bytes) with the chosen line end. Six banks of eight texts; "Store Presets" writes them to the
// settings file. Received lines may carry timestamps and be recorded to a file; a vanished
// port is tried again every second. Modeless; the main window keeps it in glTerminalDlg.
#pragma once

#include "dialogs/MainTerminalDlg.h"
#include "dialogs/PortChoice.h"
#include "dialogs/TerminalFormat.h"
#include "dialogs/TerminalReceiver.h"
#include "settings/TerminalSettings.h"

#include <wx/file.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>

class TerminalDlg;
// The terminal window while it exists; the main window opens at most one.
extern TerminalDlg* glTerminalDlg;

class TerminalDlg : public MainTerminalDlg {
public:
    explicit TerminalDlg(wxWindow* parent);
    ~TerminalDlg() override;

    // The receiver rests while the window is hidden (for example during a program transfer,
    // which uses the port itself) and takes up reading when it is shown again.
    bool Show(bool show = true) override;

    // Runs `runDialog`, a dialog that needs the port, with the open terminal (if there is one)
    // hidden and its port closed; then opens the port again and shows the terminal.
    static void LendPort(const std::function<void()>& runDialog);

    // A bank of the working copy into the send texts, and the send texts into it.
    void ShowPresets(int bank);
    void GetPresets(int bank);

protected:
    void OnDlgClose(wxCloseEvent& event) override;
    void OnListBoxBaudClick(wxCommandEvent& event) override;
    void OnListBoxDatenbitsClick(wxCommandEvent& event) override;
    void OnListBoxStopbitsClick(wxCommandEvent& event) override;
    void OnListBoxParitaetClick(wxCommandEvent& event) override;
    void OnListBoxComportClick(wxCommandEvent& event) override;
    void OnBtnReadComClick(wxCommandEvent& event) override;
    void OnCheckTimestampsClick(wxCommandEvent& event) override;
    void OnBtnRecordClick(wxCommandEvent& event) override;
    void OnChoiceLineEndClick(wxCommandEvent& event) override;
    void OnBtnClear1Click(wxCommandEvent& event) override;
    void OnBtnClear2Click(wxCommandEvent& event) override;
    void OnBtnSendClick(int index, wxCommandEvent& event) override;
    void OnRadioSendPresetsClick(wxCommandEvent& event) override;
    void OnBtnStorePresetsClick(wxCommandEvent& event) override;
    void OnBtnCloseClick(wxCommandEvent& event) override;

    // Once per tick on the GUI thread: what came since into both views and the recording, and a
    // vanished port tried again.
    void OnTick(wxTimerEvent& event);
    void Tick();
    void ShowPortGone(const wxString& reason);
    // The file a recording goes to; empty when the user cancels.
    virtual wxString AskRecordPath();

    // Each view keeps at most this many lines; the oldest go first.
    static constexpr std::size_t kViewLines = 5000;
    // Received bytes waiting for the next tick; beyond this (a window blocked for minutes) the
    // oldest are dropped and counted.
    static constexpr std::size_t kPendingLimit = 16u << 20;
    static constexpr int kTickMs = 50;
    const TerminalFormat& TextForm() const { return textForm_; }
    const TerminalFormat& HexForm() const { return hexForm_; }

private:
    // Opens the port with the stored settings; a failure is reported in a message box.
    void OpenPort();
    // An entry chosen in one of the line lists: into the settings, and the port reopened with it.
    void LineChosen(wxListBox* list, TerminalSettings::LineField field);
    // Closes the port and opens it again with the stored settings, the receiver stopped meanwhile.
    void ReopenPort();
    // Received bytes into both views and the recording, and a notice of the terminal's own.
    void ShowBytes(const std::string& bytes);
    void ShowNotice(const wxString& line);
    void AppendToView(wxStyledTextCtrl* view, const wxString& text);
    void Record(const wxString& text);
    void StopRecording();
    // The port in use in the title, and in the received text what the user must know about it.
    void ShowPort();

    TerminalSettings settings_;
    TerminalReceiver receiver_;
    PortChoice ports_;

    TerminalFormat textForm_{TerminalFormat::Form::Text};
    TerminalFormat hexForm_{TerminalFormat::Form::Hex};
    wxTimer tick_;
    wxFile record_;

    std::mutex pendingMutex_;  // the receiver's thread adds, the tick takes
    std::string pending_;
    std::uint64_t dropped_ = 0;

    bool lost_ = false;  // the port vanished; tried again every second
    std::chrono::steady_clock::time_point lastTry_;
    bool closing_ = false;
    int generation_ = 0;  // counts reopenings; changed only while the receiver is stopped
};
