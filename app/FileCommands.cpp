// New, open, save, save as, the recent files and exit. A changed text is never lost without the
// user's word, a file is written back exactly as it was read unless the user changed it, and a
// file that cannot be read or written is reported, changing nothing.
#include "app/MainFrame.h"
#include "compiler/ErrorDlg.h"
#include "dialogs/TerminalDlg.h"
#include "settings/Datei.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

namespace {

constexpr const char* kWildcard = "tqc files (*.tqc)|*.tqc";
// Opening also takes an include file, and whatever else the user names.
constexpr const char* kOpenWildcard = "TqC-Skripte (*.tqc)|*.tqc|Include-Dateien (*.inc)|*.inc|Alle Dateien (*.*)|*.*";

wxString NotOpened() { return wxString::FromUTF8("Datei nicht geöffnet"); }

}  // namespace

wxString MainFrame::AskScriptPath(bool forSaving) {
    // Opening starts in the current script's folder, where its includes and siblings are.
    const wxString folder = forSaving || data.sourcePath.empty() ? wxString() : wxFileName(data.sourcePath).GetPath();
    wxFileDialog dialog(this, forSaving ? "Save as TqC file" : "Open TqC file", folder,
                        forSaving ? data.sourcePath : wxString(), forSaving ? kWildcard : kOpenWildcard,
                        forSaving ? wxFD_SAVE : (wxFD_OPEN | wxFD_FILE_MUST_EXIST));
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

bool MainFrame::OpenScript(const wxString& path) {
    std::string bytes;
    const script::ReadResult result = script::ReadFile(path, bytes, script::kMaxScriptBytes);
    wxString reason;
    if (result != script::ReadResult::Ok) {
        reason = result == script::ReadResult::Missing    ? wxString::FromUTF8("Die Datei ist nicht vorhanden.")
                 : result == script::ReadResult::TooLarge ? wxString::FromUTF8("Die Datei ist zu groß.")
                                                          : wxString::FromUTF8("Die Datei kann nicht gelesen werden.");
    } else if (const int line = script::LineOfNul(bytes)) {
        // The editor would end the text at that byte, and saving would then cut the file.
        reason = wxString::Format(wxString::FromUTF8("Die Datei enthält in Zeile %d ein Nullbyte, das der Editor "
                                                     "nicht halten kann. Sie wird nicht geöffnet, damit beim "
                                                     "Speichern nichts verloren geht."),
                                  line);
    }
    if (!reason.empty()) {
        Ask(path + "\n\n" + reason, NotOpened(), wxOK | wxICON_ERROR);
        return false;
    }
    editor_->SetText(script::Decode(bytes, &form_));
    ShowFromStart();
    SetLineEnd(script::UsualLineEnd(bytes, script::kPlatformLineEnd));
    editor_->EmptyUndoBuffer();
    editor_->SetSavePoint();
    data.sourcePath = path;
    data.sourceDir = wxFileName(path).GetPath();
    UpdateTitle();
    RememberRecent(path);
    wxCommandEvent compile;
    OnTqpCompileClick(compile);
    return true;
}

bool MainFrame::SaveScript(const wxString& path) {
    script::TextForm form = form_;
    const std::string bytes = script::Encode(editor_->GetText(), form);
    wxString reason;
    if (!script::WriteFileAtomically(path, bytes, reason)) {
        Ask(path + "\n\n" + reason, wxString::FromUTF8("Datei nicht gespeichert"), wxOK | wxICON_ERROR);
        return false;
    }
    form_ = form;
    editor_->SetSavePoint();
    return true;
}

bool MainFrame::MaySetTextAside() {
    if (!editor_->IsModified()) return true;
    // Named, so that the user knows which text the question is about.
    const wxString name = data.sourcePath.empty() ? wxString("Unbenannt") : data.sourcePath;
    const int answer = Ask(name + "\n\nSpeichern ?", wxString::FromUTF8("Datei wurde geändert"), wxYES_NO | wxCANCEL);
    if (answer == wxCANCEL) return false;
    if (answer == wxNO) return true;
    wxCommandEvent save;
    OnFileSaveClick(save);
    return !editor_->IsModified();  // still changed: the save was cancelled or failed
}

void MainFrame::OnFileNewClick(wxCommandEvent&) {
    if (!MaySetTextAside()) return;
    editor_->ClearAll();
    ShowFromStart();
    editor_->EmptyUndoBuffer();
    editor_->SetSavePoint();
    form_ = script::TextForm();
    SetLineEnd(script::kPlatformLineEnd);
    data.sourcePath.clear();
    data.sourceDir.clear();
    UpdateTitle();
    // Nothing of the old file stays: its names, its summary, its errors.
    CheckNow();  // the empty text: no names, no marks
    if (glErrorDlg) {
        glErrorDlg->Destroy();
        glErrorDlg = nullptr;
    }
    ShowSummary(false);
}

void MainFrame::OnFileOpenClick(wxCommandEvent&) {
    if (!MaySetTextAside()) return;
    const wxString path = AskScriptPath(false);
    if (!path.empty()) OpenScript(path);
}

void MainFrame::OnFileSaveClick(wxCommandEvent& event) {
    if (data.sourcePath.empty() || IsExample(data.sourcePath))  // an example stays as shipped
        OnFileSaveAsClick(event);
    else
        SaveScript(data.sourcePath);
}

void MainFrame::ShowFromStart() {
    editor_->GotoPos(0);
    editor_->SetFirstVisibleLine(0);
    editor_->SetXOffset(0);  // the previous text's horizontal scroll would hide this one
}

void MainFrame::OnFileSaveAsClick(wxCommandEvent&) {
    wxString path;
    for (;;) {  // "No" to replacing a file asks for another name
        path = AskScriptPath(true);
        if (path.empty()) return;
        if (!wxFileName(path).HasExt()) path += ".tqc";
        if (IsExample(path)) {
            Ask(path + "\n\n" +
                    wxString::FromUTF8("Die Beispiele bleiben, wie sie geliefert wurden. Bitte einen "
                                       "anderen Ort wählen."),
                "Speichern unter", wxOK | wxICON_INFORMATION);
            continue;
        }
        if (!wxFileName::Exists(path)) break;
        if (Ask("Die Datei " + path + " existiert bereits. Ersetzen?", "Speichern unter",
                wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION) == wxYES)
            break;
    }
    if (!SaveScript(path)) return;
    data.sourcePath = path;
    UpdateTitle();
    RememberRecent(path);
}

void MainFrame::RememberRecent(const wxString& path) {
    editorSettings_.Remember(path);
    editorSettings_.Store();  // at once, so that another window started later sees it; told at exit
    RebuildRecentMenu();
}

void MainFrame::RebuildRecentMenu() {
    while (recentMenu_->GetMenuItemCount() > 0) recentMenu_->Destroy(recentMenu_->FindItemByPosition(0));
    const std::vector<wxString>& files = editorSettings_.RecentFiles();
    for (size_t i = 0; i < files.size() && i < static_cast<size_t>(kRecentItems); ++i) {
        wxString label = files[i];
        label.Replace("&", "&&");  // a literal ampersand, not a mnemonic
        recentMenu_->Append(ID_RECENT_FIRST + static_cast<int>(i),
                            wxString::Format("&%d %s", static_cast<int>(i) + 1, label));
    }
    if (files.empty()) recentMenu_->Append(wxID_ANY, "(leer)")->Enable(false);
}

void MainFrame::OnRecentFileClick(wxCommandEvent& event) {
    const size_t index = static_cast<size_t>(event.GetId() - ID_RECENT_FIRST);
    const std::vector<wxString>& files = editorSettings_.RecentFiles();
    if (index >= files.size()) return;
    const wxString path = files[index];
    if (!wxFileName::FileExists(path)) {
        Ask(path + "\n\n" + wxString::FromUTF8("Die Datei ist nicht vorhanden; sie wird aus der Liste entfernt."),
            NotOpened(), wxOK | wxICON_ERROR);
        editorSettings_.Forget(path);
        editorSettings_.Store();
        RebuildRecentMenu();
        return;
    }
    if (MaySetTextAside()) OpenScript(path);
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
