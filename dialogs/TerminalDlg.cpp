#include "dialogs/TerminalDlg.h"

#include "compiler/Data.h"
#include "dialogs/ComportError.h"
#include "serial/Comport.h"
#include "settings/StoreSettings.h"

#include <algorithm>

TerminalDlg* glTerminalDlg = nullptr;

namespace {

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
          }),
      ports_(m_listBoxComport, data.terminalComport, EditorSettings::Port::Terminal) {
    // A value the list lacks (a rate a device may still need) leaves its list without a selection.
    m_listBoxBaud->SetStringSelection(TerminalSettings::Shown(TerminalSettings::Baud));
    m_listBoxDatenbits->SetStringSelection(TerminalSettings::Shown(TerminalSettings::DataBits));
    m_listBoxStopbits->SetStringSelection(TerminalSettings::Shown(TerminalSettings::StopBits));
    m_listBoxParitaet->SetStringSelection(TerminalSettings::Shown(TerminalSettings::Parity));
    // Before the port opens: an adapter that came back under another name is opened by it.
    ports_.Refresh();
    ShowPort();
    ports_.changed = [this](bool followed) {
        // Hidden, it has lent the port to a device dialog; it reopens the new name on its return.
        if (followed && IsShown()) ReopenPort();
        ShowPort();
    };

    OpenPort();
    receiver_.Start();

    m_radioSendPresets->SetSelection(settings_.Bank());
    ShowPresets(settings_.Bank());
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

void TerminalDlg::LendPort(const std::function<void()>& runDialog) {
    // The terminal and the device dialogs share the one port.
    if (glTerminalDlg) {
        glTerminalDlg->Hide();
        comport.Close();
    }
    runDialog();
    if (glTerminalDlg) {
        glTerminalDlg->OpenPort();
        glTerminalDlg->Show();
    }
}

void TerminalDlg::OpenPort() {
    if (!comport.Open(data.terminalComport, data.terminalBaud, data.terminalDataBits, data.terminalParity,
                      data.terminalStopBits))
        ShowComportError(this, comport.ErrorCode(), comport.ErrorText());
}

void TerminalDlg::ReopenPort() {
    receiver_.Stop();
    ++generation_;
    comport.Close();
    OpenPort();
    receiver_.Start();
}

void TerminalDlg::LineChosen(wxListBox* list, TerminalSettings::LineField field) {
    if (list->GetSelection() == wxNOT_FOUND) return;
    TerminalSettings::Choose(field, list->GetStringSelection());
    ReopenPort();
}

void TerminalDlg::OnListBoxBaudClick(wxCommandEvent&) { LineChosen(m_listBoxBaud, TerminalSettings::Baud); }
void TerminalDlg::OnListBoxDatenbitsClick(wxCommandEvent&) { LineChosen(m_listBoxDatenbits, TerminalSettings::DataBits); }
void TerminalDlg::OnListBoxStopbitsClick(wxCommandEvent&) { LineChosen(m_listBoxStopbits, TerminalSettings::StopBits); }
void TerminalDlg::OnListBoxParitaetClick(wxCommandEvent&) { LineChosen(m_listBoxParitaet, TerminalSettings::Parity); }
void TerminalDlg::OnListBoxComportClick(wxCommandEvent&) {
    if (!ports_.Choose(this)) return;
    ShowPort();
    ReopenPort();
}

void TerminalDlg::OnBtnReadComClick(wxCommandEvent&) {
    // Lists what exists; the open port stays as it is unless its adapter now has another name.
    if (ports_.Refresh()) ReopenPort();
    ShowPort();
}

void TerminalDlg::ShowPort() {
    const wxString shown = ports_.Shown();
    SetTitle(shown.empty() ? wxString("Terminal") : "Terminal (" + shown + ")");
    if (!ports_.Notice().empty()) AppendToView(m_textReceived, ports_.Notice() + "\n");
}

void TerminalDlg::OnBtnClear1Click(wxCommandEvent&) { m_textReceived->Clear(); }

void TerminalDlg::OnBtnClear2Click(wxCommandEvent&) { m_textReceivedHex->Clear(); }

void TerminalDlg::OnBtnSendClick(int index, wxCommandEvent&) {
    if (index < 0 || index >= kSendButtons) return;
    comport.Send(Comport::KonvertHex(m_textSend[index]->GetValue()));
}

void TerminalDlg::ShowPresets(int bank) {
    if (bank < 0 || bank >= TerminalSettings::kBanks) return;
    for (int entry = 0; entry < kSendButtons; ++entry) m_textSend[entry]->ChangeValue(settings_.Text(bank, entry));
}

void TerminalDlg::GetPresets(int bank) {
    for (int entry = 0; entry < kSendButtons; ++entry) settings_.SetText(bank, entry, m_textSend[entry]->GetValue());
}

void TerminalDlg::OnRadioSendPresetsClick(wxCommandEvent&) {
    const int shown = settings_.Bank();
    if (!settings_.SelectBank(m_radioSendPresets->GetSelection())) return;
    GetPresets(shown);
    ShowPresets(settings_.Bank());
}

void TerminalDlg::OnBtnStorePresetsClick(wxCommandEvent&) {
    GetPresets(settings_.Bank());
    settings_.StorePresets();
    StoreSettingsTelling(this);
}

void TerminalDlg::OnBtnCloseClick(wxCommandEvent&) { Close(); }

void TerminalDlg::OnDlgClose(wxCloseEvent&) {
    if (closing_) return;
    closing_ = true;
    receiver_.Stop();
    comport.Close();
    // Unstored preset edits are lost; the port settings live in the data store and are saved.
    StoreSettingsTelling(this);
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
