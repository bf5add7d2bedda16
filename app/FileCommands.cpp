// New, open, save, save as and exit. A changed text is never lost without the user's word,
// and a file that cannot be read or written is reported, changing nothing.
#include "app/Globals.h"
#include "app/MainFrame.h"
#include "settings/Datei.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

namespace {

constexpr const char* kWildcard = "tqc files (*.tqc)|*.tqc";
constexpr size_t kMaxScriptBytes = 64u << 20;

// The text in the encoding the script was read in; a character that ISO-8859-1 cannot hold
// turns the file into UTF-8 rather than being lost.
std::string Encode(const wxString& text, script::Encoding& encoding) {
    if (encoding == script::Encoding::Latin1) {
        const wxScopedCharBuffer latin1 = text.mb_str(wxConvISO8859_1);
        if (latin1.length() > 0 || text.empty()) {
            bool exact = true;
            for (wxString::const_iterator it = text.begin(); it != text.end() && exact; ++it)
                exact = (*it).GetValue() <= 255;
            if (exact) return std::string(latin1.data(), latin1.length());
        }
        encoding = script::Encoding::Utf8;
    }
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

}  // namespace

wxString MainFrame::AskScriptPath(bool forSaving) {
    wxFileDialog dialog(this, forSaving ? "Save as TqC file" : "Open TqC file", wxString(),
                        forSaving ? data.sourcePath : wxString(), kWildcard,
                        forSaving ? wxFD_SAVE : (wxFD_OPEN | wxFD_FILE_MUST_EXIST));
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

bool MainFrame::OpenScript(const wxString& path) {
    std::string bytes;
    const script::ReadResult result = script::ReadFile(path, bytes, kMaxScriptBytes);
    if (result != script::ReadResult::Ok) {
        const char* reason = result == script::ReadResult::Missing    ? "Die Datei ist nicht vorhanden."
                             : result == script::ReadResult::TooLarge ? "Die Datei ist zu gro\xc3\x9f."
                                                                      : "Die Datei kann nicht gelesen werden.";
        Ask(path + "\n\n" + wxString::FromUTF8(reason), "Datei nicht ge\xc3\xb6" "ffnet", wxOK | wxICON_ERROR);
        return false;
    }
    editor_->SetText(script::Decode(bytes, &encoding_));
    editor_->EmptyUndoBuffer();
    editor_->SetSavePoint();
    data.sourcePath = path;
    data.sourceDir = wxFileName(path).GetPath();
    SetTitle(data.sourcePath);
    wxCommandEvent compile;
    OnTqpCompileClick(compile);
    return true;
}

bool MainFrame::SaveScript(const wxString& path) {
    script::Encoding encoding = encoding_;
    const std::string bytes = Encode(editor_->GetText(), encoding);
    wxString reason;
    if (!script::WriteFileAtomically(path, bytes, reason)) {
        Ask(path + "\n\n" + reason, wxString::FromUTF8("Datei nicht gespeichert"), wxOK | wxICON_ERROR);
        return false;
    }
    encoding_ = encoding;
    editor_->SetSavePoint();
    return true;
}

bool MainFrame::MaySetTextAside() {
    if (!editor_->IsModified()) return true;
    const int answer = Ask("Speichern ?", wxString::FromUTF8("Datei wurde ge\xc3\xa4ndert"), wxYES_NO | wxCANCEL);
    if (answer == wxCANCEL) return false;
    if (answer == wxNO) return true;
    wxCommandEvent save;
    OnFileSaveClick(save);
    return !editor_->IsModified();  // still changed: the save was cancelled or failed
}

void MainFrame::OnFileNewClick(wxCommandEvent&) {
    if (!MaySetTextAside()) return;
    editor_->ClearAll();
    editor_->EmptyUndoBuffer();
    editor_->SetSavePoint();
    encoding_ = script::Encoding::Utf8;
    data.sourcePath.clear();
    data.sourceDir.clear();
    SetTitle(data.sourcePath);
}

void MainFrame::OnFileOpenClick(wxCommandEvent&) {
    if (!MaySetTextAside()) return;
    const wxString path = AskScriptPath(false);
    if (!path.empty()) OpenScript(path);
}

void MainFrame::OnFileSaveClick(wxCommandEvent& event) {
    if (data.sourcePath.empty())
        OnFileSaveAsClick(event);
    else
        SaveScript(data.sourcePath);
}

void MainFrame::OnFileSaveAsClick(wxCommandEvent&) {
    const wxString path = AskScriptPath(true);
    if (path.empty() || !SaveScript(path)) return;
    data.sourcePath = path;
    SetTitle(data.sourcePath);
}

void MainFrame::OnExitClick(wxCommandEvent&) {
    if (!MaySetTextAside()) return;
    const wxRect rect = GetRect();
    data.windowPosX = rect.x;
    data.windowPosY = rect.y;
    data.windowWidth = rect.width;
    data.windowHeight = rect.height;
    StoreSettings();
    if (glTerminalDlg) {
        glTerminalDlg->Destroy();
        glTerminalDlg = nullptr;
    }
    exiting_ = true;
    Destroy();
}
