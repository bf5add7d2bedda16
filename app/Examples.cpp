// File > Beispiele: the shipped example scripts. An example is opened like any script, but it is
// never overwritten: saving it asks for a new place, so the next user finds it as shipped.
#include "app/MainFrame.h"

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <algorithm>

wxString MainFrame::ExamplesDir() {
    const wxFileName program(wxStandardPaths::Get().GetExecutablePath());
    const wxString here = program.GetPath(wxPATH_GET_VOLUME);
#ifdef __WINDOWS__
    const wxString candidates[] = {here + "\\Beispiele"};  // as the installer and the zip lay it out
#else
    // The source tree beside a build folder (build/, build/tests/), then the installed package.
    const wxString candidates[] = {here + "/../examples", here + "/../../examples", here + "/../share/doc/tqc/examples",
                                   "/usr/share/doc/tqc/examples"};
#endif
    for (const wxString& candidate : candidates) {
        wxFileName dir = wxFileName::DirName(candidate);
        dir.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
        if (dir.DirExists() && wxDir(dir.GetPath()).HasFiles("*.tqc")) return dir.GetPath();
    }
    return wxString();
}

std::vector<wxString> MainFrame::ExampleFiles() {
    const wxString dir = ExamplesDir();
    std::vector<wxString> files;
    wxArrayString found;
    if (!dir.empty()) wxDir::GetAllFiles(dir, &found, "*.tqc", wxDIR_FILES);
    files.assign(found.begin(), found.end());
    std::sort(files.begin(), files.end(), [](const wxString& a, const wxString& b) { return a.CmpNoCase(b) < 0; });
    return files;
}

bool MainFrame::IsExample(const wxString& path) {
    const wxString dir = ExamplesDir();
    if (dir.empty() || path.empty()) return false;
    wxFileName file(path);
    file.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
    return wxFileName::DirName(file.GetPath()).SameAs(wxFileName::DirName(dir));
}

void MainFrame::RebuildExamplesMenu() {
    while (examplesMenu_->GetMenuItemCount() > 0) examplesMenu_->Destroy(examplesMenu_->FindItemByPosition(0));
    const std::vector<wxString> files = ExampleFiles();
    for (size_t i = 0; i < files.size() && i < static_cast<size_t>(kExampleItems); ++i) {
        wxString label = wxFileName(files[i]).GetName();
        label.Replace("&", "&&");  // a literal ampersand, not a mnemonic
        examplesMenu_->Append(ID_EXAMPLE_FIRST + static_cast<int>(i), label, files[i]);
    }
    if (files.size() > static_cast<size_t>(kExampleItems))
        examplesMenu_
            ->Append(wxID_ANY, wxString::Format("(%d weitere in %s)", static_cast<int>(files.size()) - kExampleItems,
                                                ExamplesDir()))
            ->Enable(false);
    if (files.empty()) examplesMenu_->Append(wxID_ANY, "(keine Beispiele gefunden)")->Enable(false);
}

void MainFrame::OnExampleClick(wxCommandEvent& event) {
    const wxMenuItem* item = examplesMenu_->FindItem(event.GetId());
    if (!item) return;
    const wxString path = item->GetHelp();  // the full path, as the menu was built
    if (!wxFileName::FileExists(path)) {
        Ask(path + "\n\n" + wxString::FromUTF8("Das Beispiel ist nicht mehr vorhanden."),
            wxString::FromUTF8("Datei nicht geöffnet"), wxOK | wxICON_ERROR);
        RebuildExamplesMenu();
        return;
    }
    if (MaySetTextAside()) OpenScript(path);
}
