// The terminal: talks to the controller or any serial device by hand. Opens the port with the
// stored terminal settings, shows every received byte as a character and in hexadecimal, and
// sends one of eight editable texts per button (bracket groups such as [0D] stand for raw
// bytes). Six banks of eight texts; "Store Presets" writes them to the settings file.
// Modeless; the main window keeps it in glTerminalDlg while it exists.
#pragma once

#include "dialogs/MainTerminalDlg.h"
#include "dialogs/PortChoice.h"
#include "dialogs/TerminalReceiver.h"
#include "settings/TerminalSettings.h"

#include <functional>
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
    void OnBtnClear1Click(wxCommandEvent& event) override;
    void OnBtnClear2Click(wxCommandEvent& event) override;
    void OnBtnSendClick(int index, wxCommandEvent& event) override;
    void OnRadioSendPresetsClick(wxCommandEvent& event) override;
    void OnBtnStorePresetsClick(wxCommandEvent& event) override;
    void OnBtnCloseClick(wxCommandEvent& event) override;

    // On the GUI thread: a chunk the receiver handed on, and the end of a vanished port.
    void ShowReceived(const std::string& bytes);
    void ShowPortGone(const wxString& reason);

private:
    // Opens the port with the stored settings; a failure is reported in a message box.
    void OpenPort();
    // An entry chosen in one of the line lists: into the settings, and the port reopened with it.
    void LineChosen(wxListBox* list, TerminalSettings::LineField field);
    // Closes the port and opens it again with the stored settings, the receiver stopped meanwhile.
    void ReopenPort();
    void AppendToView(wxTextCtrl* view, const wxString& text);
    // The port in use in the title, and in the received text what the user must know about it.
    void ShowPort();

    TerminalSettings settings_;
    TerminalReceiver receiver_;
    PortChoice ports_;

    bool closing_ = false;
    int generation_ = 0;  // counts reopenings; changed only while the receiver is stopped
};
