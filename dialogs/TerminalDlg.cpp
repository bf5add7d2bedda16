#include "dialogs/TerminalDlg.h"

#include "compiler/Data.h"
#include "dialogs/ComportError.h"
#include "serial/Comport.h"
#include "settings/EditorSettings.h"
#include "settings/StoreSettings.h"

#include <wx/filedlg.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <iterator>

TerminalDlg* glTerminalDlg = nullptr;

namespace {

// The bytes each line end of the "Zeilenende" list adds to a send.
const char* const kLineEnds[] = {"", "\r", "\n", "\r\n"};

}  // namespace

TerminalDlg::TerminalDlg(wxWindow* parent)
    : MainTerminalDlg(parent),
      settings_(data),
      receiver_(
          [this](std::string bytes) {
              // Collected here and shown once per tick: the views' work stays the same at any rate.
              std::lock_guard<std::mutex> lock(pendingMutex_);
              pending_ += bytes;
              if (pending_.size() > kPendingLimit) {
                  dropped_ += pending_.size() - kPendingLimit;
                  pending_.erase(0, pending_.size() - kPendingLimit);
              }
          },
          [this](wxString reason) {
              // A failure of a port that has since been reopened is old news.
              const int generation = generation_;
              CallAfter([this, reason, generation] {
                  if (generation == generation_) ShowPortGone(reason);
              });
          }),
      ports_(m_listBoxComport, data.terminalComport, EditorSettings::Port::Terminal) {
    // A value the list lacks (a rate a device may still need) leaves its list without a selection.
    m_listBoxBaud->SetStringSelection(settings_.Shown(TerminalSettings::Baud));
    m_listBoxDatenbits->SetStringSelection(settings_.Shown(TerminalSettings::DataBits));
    m_listBoxStopbits->SetStringSelection(settings_.Shown(TerminalSettings::StopBits));
    m_listBoxParitaet->SetStringSelection(settings_.Shown(TerminalSettings::Parity));
    // Before the port opens: an adapter that came back under another name is opened by it.
    ports_.Refresh();
    ShowPort();
    ports_.changed = [this](bool followed) {
        // Hidden, it has lent the port to a device dialog; it reopens the new name on its return.
        if (followed && IsShown()) ReopenPort();
        ShowPort();
    };

    const EditorSettings::Terminal& prefs = EditorSettings::TerminalPrefs();
    m_checkTimestamps->SetValue(prefs.timestamps);
    textForm_.SetTimestamps(prefs.timestamps);
    hexForm_.SetTimestamps(prefs.timestamps);
    m_choiceLineEnd->SetSelection(prefs.lineEnd);

    OpenPort();
    receiver_.Start();
    tick_.Bind(wxEVT_TIMER, &TerminalDlg::OnTick, this);
    tick_.Start(kTickMs);

    m_radioSendPresets->SetSelection(settings_.Bank());
    ShowPresets(settings_.Bank());
}

TerminalDlg::~TerminalDlg() {
    // The main window's exit destroys the window without closing it.
    tick_.Stop();
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
    lost_ = false;  // the user's choice of port or line replaces the retries
    comport.Close();
    OpenPort();
    receiver_.Start();
}

void TerminalDlg::LineChosen(wxListBox* list, TerminalSettings::LineField field) {
    if (list->GetSelection() == wxNOT_FOUND) return;
    settings_.Choose(field, list->GetStringSelection());
    ReopenPort();
}

void TerminalDlg::OnListBoxBaudClick(wxCommandEvent&) { LineChosen(m_listBoxBaud, TerminalSettings::Baud); }
void TerminalDlg::OnListBoxDatenbitsClick(wxCommandEvent&) {
    LineChosen(m_listBoxDatenbits, TerminalSettings::DataBits);
}
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
    if (!ports_.Notice().empty()) ShowNotice(ports_.Notice());
}

void TerminalDlg::OnCheckTimestampsClick(wxCommandEvent&) {
    const bool on = m_checkTimestamps->GetValue();
    textForm_.SetTimestamps(on);
    hexForm_.SetTimestamps(on);
    EditorSettings::TerminalPrefs().timestamps = on;
    EditorSettings::StoreTerminalPrefs();  // a failure is told when the main window stores at exit
}

void TerminalDlg::OnChoiceLineEndClick(wxCommandEvent&) {
    const int chosen = m_choiceLineEnd->GetSelection();
    if (chosen < 0 || chosen >= static_cast<int>(std::size(kLineEnds))) return;
    EditorSettings::TerminalPrefs().lineEnd = static_cast<EditorSettings::LineEnd>(chosen);
    EditorSettings::StoreTerminalPrefs();
}

wxString TerminalDlg::AskRecordPath() {
    return wxFileSelector("Aufzeichnen", wxEmptyString, "terminal.txt", "txt",
                          "Textdateien (*.txt)|*.txt|Alle Dateien|*", wxFD_SAVE | wxFD_OVERWRITE_PROMPT, this);
}

void TerminalDlg::OnBtnRecordClick(wxCommandEvent&) {
    if (record_.IsOpened()) {
        StopRecording();
        return;
    }
    const wxString path = AskRecordPath();
    if (path.empty()) return;
    wxLogNull quiet;  // the failure is told below in the terminal's own words
    if (!record_.Create(path, true)) {
        wxMessageBox(wxString::Format("Die Aufzeichnung kann nicht nach %s geschrieben werden.", path), "Terminal",
                     wxOK | wxICON_ERROR, this);
        return;
    }
    m_btnRecord->SetLabel("Aufzeichnung beenden");
}

void TerminalDlg::StopRecording() {
    record_.Close();
    m_btnRecord->SetLabel("Aufzeichnen ...");
}

void TerminalDlg::Record(const wxString& text) {
    if (!record_.IsOpened() || text.empty()) return;
    const wxScopedCharBuffer bytes = text.utf8_str();
    wxLogNull quiet;  // told in the view instead
    if (record_.Write(bytes.data(), bytes.length()) == bytes.length()) return;
    // A full disk or a vanished drive: the recording ends, and the view says so.
    StopRecording();
    ShowNotice("Aufzeichnung abgebrochen: die Datei kann nicht geschrieben werden");
}

void TerminalDlg::OnBtnClear1Click(wxCommandEvent&) {
    m_textReceived->SetReadOnly(false);
    m_textReceived->ClearAll();
    m_textReceived->SetReadOnly(true);
}

void TerminalDlg::OnBtnClear2Click(wxCommandEvent&) {
    m_textReceivedHex->SetReadOnly(false);
    m_textReceivedHex->ClearAll();
    m_textReceivedHex->SetReadOnly(true);
}

void TerminalDlg::OnBtnSendClick(int index, wxCommandEvent&) {
    if (index < 0 || index >= kSendButtons) return;
    const int lineEnd = m_choiceLineEnd->GetSelection();
    // The line end goes with an empty text too, as the Enter key of a terminal.
    comport.Send(Comport::KonvertHex(m_textSend[index]->GetValue()) +
                 (lineEnd > 0 && lineEnd < static_cast<int>(std::size(kLineEnds)) ? kLineEnds[lineEnd] : ""));
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

void TerminalDlg::OnDlgClose(wxCloseEvent& event) {
    if (closing_) return;
    GetPresets(settings_.Bank());
    if (settings_.Unstored() && event.CanVeto()) {
        wxMessageDialog ask(
            this, wxString::FromUTF8("Die Sendetexte wurden geändert und nicht gespeichert.\nJetzt speichern?"),
            "Terminal", wxYES_NO | wxCANCEL | wxICON_QUESTION);
        ask.SetYesNoCancelLabels("Speichern", "Verwerfen", "Abbrechen");
        const int answer = ask.ShowModal();
        if (answer == wxID_CANCEL) {
            event.Veto();
            return;
        }
        if (answer == wxID_YES) settings_.StorePresets();
    }
    closing_ = true;
    tick_.Stop();
    receiver_.Stop();
    comport.Close();
    StopRecording();
    // The port settings live in the data store and are saved with the texts kept.
    StoreSettingsTelling(this);
    Destroy();
    if (glTerminalDlg == this) glTerminalDlg = nullptr;
}

void TerminalDlg::AppendToView(wxStyledTextCtrl* view, const wxString& text) {
    if (text.empty()) return;
    view->SetReadOnly(false);
    view->AppendText(text);
    // The last line is the open one; the count stays bounded in steps.
    const std::size_t drop = LinesToDrop(static_cast<std::size_t>(view->GetLineCount()), kViewLines);
    if (drop > 0) view->DeleteRange(0, view->PositionFromLine(static_cast<int>(drop)));
    view->SetReadOnly(true);
    view->ScrollToLine(view->GetLineCount());
}

void TerminalDlg::ShowBytes(const std::string& bytes) {
    if (bytes.empty()) return;
    const long long now = TerminalFormat::NowMsOfDay();
    wxString text, hex;
    textForm_.Feed(bytes, text, now);
    hexForm_.Feed(bytes, hex, now);
    AppendToView(m_textReceived, text);
    AppendToView(m_textReceivedHex, hex);
    Record(text);
}

void TerminalDlg::ShowNotice(const wxString& line) {
    wxString text;
    textForm_.EndLine(text);
    text += line + "\n";
    AppendToView(m_textReceived, text);
    Record(text);
}

void TerminalDlg::OnTick(wxTimerEvent&) { Tick(); }

void TerminalDlg::Tick() {
    if (closing_) return;
    std::string bytes;
    std::uint64_t dropped = 0;
    {
        std::lock_guard<std::mutex> lock(pendingMutex_);
        bytes.swap(pending_);
        std::swap(dropped, dropped_);
    }
    if (dropped > 0) ShowNotice(wxString::Format("%llu Bytes verworfen", static_cast<unsigned long long>(dropped)));
    ShowBytes(bytes);
    if (!lost_ || !IsShown()) return;
    if (comport.IsOpen()) {
        lost_ = false;  // opened meanwhile (after a program transfer)
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - lastTry_ < std::chrono::seconds(1)) return;
    lastTry_ = now;
    // Quietly: a message box every second would bury the window while the adapter is out.
    if (!comport.Open(data.terminalComport, data.terminalBaud, data.terminalDataBits, data.terminalParity,
                      data.terminalStopBits))
        return;
    lost_ = false;
    receiver_.Start();
    ShowNotice("Comport wieder verbunden");
}

void TerminalDlg::ShowPortGone(const wxString& reason) {
    if (closing_) return;
    // The worker has ended; the port is closed and tried again from the next tick on.
    receiver_.Stop();
    comport.Close();
    Tick();  // what came before the port went is shown before the notice
    ShowNotice("Comport getrennt: " + reason);
    lost_ = true;
    lastTry_ = std::chrono::steady_clock::now();
}
