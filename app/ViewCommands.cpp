// The View menu: zoom, the dark scheme, the font and the editor's own colours. Each choice is
// shown at once and kept in TqC_Editor.ini; TqC_Konfig.ini never holds any of it.
#include "app/MainFrame.h"
#include "settings/EditorColours.h"

#include <wx/colordlg.h>
#include <wx/fontdlg.h>

#include <algorithm>

void MainFrame::ApplyEditorLooks() {
    ApplyLooks(editor_);
    darkSchemeItem_->Check(EditorSettings::LooksPrefs().dark);
    UpdateLineNumberMargin();
}

void MainFrame::OnZoomClick(wxCommandEvent& event) {
    const int zoom = editor_->GetZoom();
    const int wanted = event.GetId() == wxID_ZOOM_IN ? zoom + 1 : event.GetId() == wxID_ZOOM_OUT ? zoom - 1 : 0;
    // The editor's zoom event keeps the setting.
    editor_->SetZoom(std::clamp(wanted, +EditorSettings::kZoomMin, +EditorSettings::kZoomMax));
}

void MainFrame::OnDarkSchemeClick(wxCommandEvent&) {
    EditorSettings::Looks& looks = EditorSettings::LooksPrefs();
    looks.dark = !looks.dark;  // the menu's check mark follows in ApplyEditorLooks
    // The colours chosen belong to the scheme they were chosen in.
    looks.ownBackground = looks.ownCurrentLine = false;
    ApplyEditorLooks();
    editorSettings_.Store();  // at once, like the recent files; a failure is told at exit
}

void MainFrame::OnFontClick(wxCommandEvent&) {
    EditorSettings::Looks& looks = EditorSettings::LooksPrefs();
    wxFontData chosen;
    chosen.SetInitialFont(wxFontInfo(looks.size).FaceName(looks.font).Bold());
    chosen.EnableEffects(false);
    chosen.SetRange(EditorSettings::kSizeMin, EditorSettings::kSizeMax);
    wxFontDialog dialog(this, chosen);
    dialog.SetTitle("Schrift");
    if (dialog.ShowModal() != wxID_OK) return;
    const wxFont font = dialog.GetFontData().GetChosenFont();
    if (!font.IsOk() || font.GetFaceName().empty()) return;
    wxString face = font.GetFaceName();
    face.Replace("\r", wxString());
    face.Replace("\n", wxString());
    looks.font = face;
    looks.size = std::clamp(font.GetPointSize(), +EditorSettings::kSizeMin, +EditorSettings::kSizeMax);
    ApplyEditorLooks();
    editorSettings_.Store();
}

void MainFrame::OnColourClick(wxCommandEvent& event) {
    EditorSettings::Looks& looks = EditorSettings::LooksPrefs();
    const bool background = event.GetId() == ID_BACKGROUND_COLOUR;
    const wxColour now = background ? BackgroundColour(looks) : CurrentLineColour(looks);
    const wxColour colour =
        wxGetColourFromUser(this, now, background ? "Hintergrundfarbe" : "Farbe der aktuellen Zeile");
    if (!colour.IsOk()) return;  // cancelled
    const syntax::Rgb rgb{colour.Red(), colour.Green(), colour.Blue()};
    (background ? looks.background : looks.currentLine) = rgb;
    (background ? looks.ownBackground : looks.ownCurrentLine) = true;
    ApplyEditorLooks();
    editorSettings_.Store();
}
