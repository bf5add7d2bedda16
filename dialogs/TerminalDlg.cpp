#include "dialogs/TerminalDlg.h"

#include "app/Globals.h"
#include "compiler/Data.h"
#include "serial/Comport.h"
#include "settings/Datei.h"

#include <wx/msgdlg.h>

#include <algorithm>

wxString gl_Terminal_sPresets[10][10];
int gl_Terminal_iActualPreset = 0;

namespace {

constexpr int kBanks = 6;

// GTK's text views take no NUL character (the text would end there); the byte is shown as the
// symbol for it instead, so that both views stay in step.
wxString Displayable(wxString text) {
    text.Replace(wxString(wxUniChar(0u)), wxString(wxUniChar(0x2400u)));
    return text;
}

}  // namespace

TerminalDlg::TerminalDlg(wxWindow* parent)
    : MainTerminalDlg(parent),
      receiver_(
          [this](std::string bytes) { CallAfter([this, bytes = std::move(bytes)] { ShowReceived(bytes); }); },
          [this](wxString reason) {
              // A failure of a port that has since been reopened is old news.
              const int generation = generation_;
              CallAfter([this, reason, generation] {
                  if (generation == generation_) ShowPortGone(reason);
              });
          }) {
    Datei::MendTerminalLine();  // nothing stored yet, or nothing a port takes: one open, one message
    m_listBoxBaud->SetStringSelection(wxString::Format("%d", data.terminalBaud));
    m_listBoxDatenbits->SetStringSelection(wxString::Format("%d", data.terminalDataBits));
    if (data.terminalStopBits >= 1 && data.terminalStopBits <= 2) m_listBoxStopbits->SetSelection(data.terminalStopBits - 1);
    const wxString parity = data.terminalParity.Left(1);
    if (parity == "N") m_listBoxParitaet->SetSelection(0);
    if (parity == "O") m_listBoxParitaet->SetSelection(1);
    if (parity == "E") m_listBoxParitaet->SetSelection(2);

    if (!data.terminalComport.empty()) {
        m_listBoxComport->Append(data.terminalComport);
        m_listBoxComport->SetSelection(0);
    }

    OpenPort();
    receiver_.Start();

    for (int bank = 0; bank < 9; ++bank)
        for (int entry = 0; entry < 9; ++entry) gl_Terminal_sPresets[bank][entry] = data.terminalPresets[bank][entry];
    gl_Terminal_iActualPreset = 0;
    m_radioSendPresets->SetSelection(0);
    ShowPresets(0);
}

TerminalDlg::~TerminalDlg() {
    // The main window's exit destroys the window without closing it.
    receiver_.Stop();
    if (glTerminalDlg == this) glTerminalDlg = nullptr;
}

bool TerminalDlg::Show(bool show) {
    if (show) {
        receiver_.SetPaused(false);
        if (!closing_) receiver_.Start();  // after a vanished port, the reopened one is read again
    } else {
        receiver_.SetPaused(true);
    }
    return MainTerminalDlg::Show(show);
}

void TerminalDlg::OpenPort() {
    if (comport.Open(data.terminalComport, data.terminalBaud, data.terminalDataBits, data.terminalParity,
                     data.terminalStopBits))
        return;
    wxString message = wxString::Format("Comport Fehler %d", comport.ErrorCode());
    const wxString reason = comport.ErrorText();
    if (!reason.empty()) message += "\n" + reason;
    wxMessageBox(message, wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
}

void TerminalDlg::ReopenPort() {
    receiver_.Stop();
    ++generation_;
    comport.Close();
    OpenPort();
    receiver_.Start();
}

void TerminalDlg::OnListBoxBaudClick(wxCommandEvent&) {
    if (m_listBoxBaud->GetSelection() == wxNOT_FOUND) return;
    data.terminalBaud = wxAtoi(m_listBoxBaud->GetStringSelection());
    ReopenPort();
}

void TerminalDlg::OnListBoxDatenbitsClick(wxCommandEvent&) {
    if (m_listBoxDatenbits->GetSelection() == wxNOT_FOUND) return;
    data.terminalDataBits = wxAtoi(m_listBoxDatenbits->GetStringSelection());
    ReopenPort();
}

void TerminalDlg::OnListBoxStopbitsClick(wxCommandEvent&) {
    if (m_listBoxStopbits->GetSelection() == wxNOT_FOUND) return;
    data.terminalStopBits = wxAtoi(m_listBoxStopbits->GetStringSelection());
    ReopenPort();
}

void TerminalDlg::OnListBoxParitaetClick(wxCommandEvent&) {
    if (m_listBoxParitaet->GetSelection() == wxNOT_FOUND) return;
    data.terminalParity = m_listBoxParitaet->GetStringSelection().Left(1);
    ReopenPort();
}

void TerminalDlg::OnListBoxComportClick(wxCommandEvent&) {
    if (m_listBoxComport->GetSelection() == wxNOT_FOUND) return;
    data.terminalComport = m_listBoxComport->GetStringSelection();
    ReopenPort();
}

void TerminalDlg::OnBtnReadComClick(wxCommandEvent&) {
    // Lists what exists; the open port stays as it is.
    m_listBoxComport->Clear();
    const wxArrayString ports = Comport::ListPorts();
    if (!ports.empty()) m_listBoxComport->Append(ports);
    m_listBoxComport->SetStringSelection(data.terminalComport);
}

void TerminalDlg::OnBtnClear1Click(wxCommandEvent&) { m_textReceived->Clear(); }

void TerminalDlg::OnBtnClear2Click(wxCommandEvent&) { m_textReceivedHex->Clear(); }

void TerminalDlg::OnBtnSendClick(int index, wxCommandEvent&) {
    if (index < 0 || index >= kSendButtons) return;
    comport.Send(Comport::KonvertHex(m_textSend[index]->GetValue()));
}

void TerminalDlg::ShowPresets(int bank) {
    if (bank < 0 || bank >= 10) return;
    for (int entry = 0; entry < kSendButtons; ++entry) m_textSend[entry]->ChangeValue(gl_Terminal_sPresets[bank][entry]);
}

void TerminalDlg::GetPresets(int bank) {
    if (bank < 0 || bank >= 10) return;
    for (int entry = 0; entry < kSendButtons; ++entry) gl_Terminal_sPresets[bank][entry] = m_textSend[entry]->GetValue();
}

void TerminalDlg::OnRadioSendPresetsClick(wxCommandEvent&) {
    const int bank = m_radioSendPresets->GetSelection();
    if (bank < 0 || bank >= kBanks) return;
    GetPresets(gl_Terminal_iActualPreset);
    gl_Terminal_iActualPreset = bank;
    ShowPresets(bank);
}

void TerminalDlg::OnBtnStorePresetsClick(wxCommandEvent&) {
    GetPresets(gl_Terminal_iActualPreset);
    for (int bank = 0; bank < kBanks; ++bank)
        for (int entry = 0; entry < kSendButtons; ++entry) data.terminalPresets[bank][entry] = gl_Terminal_sPresets[bank][entry];
    wxString notice, error;
    const bool stored = Datei().DataStore(&notice, &error);
    if (!notice.empty()) wxMessageBox(notice, wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
    if (!stored) wxMessageBox(error, "Einstellungen nicht gespeichert", wxOK | wxICON_ERROR | wxCENTRE, this);
}

void TerminalDlg::OnBtnCloseClick(wxCommandEvent&) { Close(); }

void TerminalDlg::OnDlgClose(wxCloseEvent&) {
    if (closing_) return;
    closing_ = true;
    receiver_.Stop();
    comport.Close();
    // Unstored preset edits are lost; the port settings live in the data store and are saved.
    wxString notice, error;
    const bool stored = Datei().DataStore(&notice, &error);
    if (!notice.empty()) wxMessageBox(notice, wxMessageBoxCaptionStr, wxOK | wxCENTRE, this);
    if (!stored) wxMessageBox(error, "Einstellungen nicht gespeichert", wxOK | wxICON_ERROR | wxCENTRE, this);
    Destroy();
    if (glTerminalDlg == this) glTerminalDlg = nullptr;
}

void TerminalDlg::AppendToView(wxTextCtrl* view, const wxString& text) {
    if (text.empty()) return;
    wxString added = text;
    if (added.length() > kTerminalViewLimit) added = added.Right(kTerminalViewLimit);
    const long have = view->GetLastPosition();
    const std::size_t drop = BoundedDropCount(have > 0 ? static_cast<std::size_t>(have) : 0, added.length(),
                                              kTerminalViewLimit);
    if (drop > 0) view->Remove(0, static_cast<long>(drop));
    view->AppendText(added);
}

void TerminalDlg::ShowReceived(const std::string& bytes) {
    if (closing_) return;
    wxString text, hex;
    FormatReceived(bytes, text, hex);
    AppendToView(m_textReceived, Displayable(text));
    AppendToView(m_textReceivedHex, hex);
}

void TerminalDlg::ShowPortGone(const wxString& reason) {
    if (closing_) return;
    // The worker has ended; the port is of no more use until it is chosen again.
    receiver_.Stop();
    comport.Close();
    wxString line = "Comport getrennt: " + reason + "\n";
    const wxString shown = m_textReceived->GetRange(std::max(0L, m_textReceived->GetLastPosition() - 1),
                                                    m_textReceived->GetLastPosition());
    if (m_textReceived->GetLastPosition() > 0 && shown != "\n" && shown != "\r") line = "\n" + line;
    AppendToView(m_textReceived, line);
}
