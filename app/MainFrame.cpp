#include "app/MainFrame.h"

#include "app/Globals.h"
#include "compiler/ErrorDlg.h"
#include "dialogs/LanDlg.h"
#include "dialogs/ProgramDlg.h"
#include "dialogs/TerminalDlg.h"
#include "konfig/KonfigDlg.h"
#include "serial/Comport.h"
#include "settings/Datei.h"
#include "settings/HelpDlg.h"
#include "settings/SettingsEditorDlg.h"

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

namespace {

constexpr const char* kVersion = "Version: 06-10-2025";
constexpr const char* kWordChars =
    "#;:_1234567890abcdefghijklmnopqrstuvwxyz\xc3\xa4\xc3\xb6\xc3\xbc"
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xc3\x84\xc3\x96\xc3\x9c";

}  // namespace

MainFrame::MainFrame(wxWindow* parent, const wxString& programDir) : MainFrameBase(parent, "TqC") {
    editor_ = new wxStyledTextCtrl(panel_, wxID_ANY);
    glStyledTextCtrl = editor_;
    SetUpEditor();
    panelSizer_->Add(editor_, 1, wxEXPAND);
    editor_->Bind(wxEVT_STC_CHARADDED, &MainFrame::OnKey, this);

    data.programDir = programDir.empty()
                          ? wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath(wxPATH_GET_VOLUME)
                          : programDir;
    for (int bank = 0; bank < 9; ++bank)
        for (int entry = 0; entry < 9; ++entry) data.terminalPresets[bank][entry].clear();
    // Told once the window stands, so that the message box has the finished window behind it.
    if (!Datei().DataLoad()) CallAfter([this] { ShowSettingsMessages(false); });
    PlaceWindow();
    {
        // The colours are applied by the settings editor's own code, on an instance never shown.
        SettingsEditorDlg colours(this);
        colours.SetColor();
    }
    editor_->SetWordChars(wxString::FromUTF8(kWordChars));
    editor_->AutoCompSetIgnoreCase(true);
    editor_->AutoCompSetMaxHeight(15);
    completions_.Rebuild();

    SetStatusText(wxString(), 0);
    SetStatusText(kVersion, 1);
}

void MainFrame::SetUpEditor() {
    editor_->SetLexer(wxSTC_LEX_CPP);
    const struct {
        int style;
        wxColour colour;
    } styles[] = {{wxSTC_C_IDENTIFIER, wxColour(0, 0, 0)},       {wxSTC_C_COMMENTLINE, wxColour(140, 140, 140)},
                  {wxSTC_C_PREPROCESSOR, wxColour(0, 0, 255)},   {wxSTC_C_STRING, wxColour(255, 60, 10)},
                  {wxSTC_C_WORD, wxColour(0, 0, 180)},           {wxSTC_C_WORD2, wxColour(0, 120, 120)}};
    for (const auto& s : styles) editor_->StyleSetForeground(s.style, s.colour);
    Datei::SetKeywords();
    editor_->SetKeyWords(0, data.keywordString);
    editor_->StyleSetFaceName(wxSTC_STYLE_DEFAULT, "Courier New");
    editor_->StyleSetBold(wxSTC_STYLE_DEFAULT, true);
    editor_->SetMarginType(0, wxSTC_MARGIN_NUMBER);
    editor_->SetMarginWidth(0, 30);
    editor_->SetMarginWidth(1, 0);
    editor_->StyleSetForeground(wxSTC_STYLE_LINENUMBER, wxColour(100, 100, 100));
}

wxRect MainFrame::UsableGeometry(const wxRect& stored, const wxRect& screen) {
    // Sizes a person can work with are kept exactly; a window too small to use, or one that
    // lies off every screen, opens centred at a usable size instead.
    const wxSize minimum(400, 300);
    wxRect rect = stored;
    if (rect.width < minimum.x || rect.height < minimum.y) {
        rect.SetSize(wxSize(std::min(1000, screen.width), std::min(750, screen.height)));
        rect = rect.CenterIn(screen);
    }
    return rect;
}

void MainFrame::PlaceWindow() {
    wxRect rect(data.windowPosX, data.windowPosY, data.windowWidth, data.windowHeight);
    const int display = wxDisplay::GetFromPoint(rect.GetTopLeft() + wxPoint(40, 20));
    const wxRect screen = wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    rect = UsableGeometry(rect, screen);
    if (display == wxNOT_FOUND) rect = rect.CenterIn(screen);
    SetSize(rect.x, rect.y, rect.width, rect.height, wxSIZE_AUTO);
}

void MainFrame::ShowSettingsMessages(bool loaded) {
    if (!loaded) Ask("TqC_Konfig.ini nicht vorhanden !", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
}

bool MainFrame::StoreSettings() {
    wxString notice, error;
    const bool stored = Datei().DataStore(&notice, &error);
    if (!notice.empty()) Ask(notice, wxMessageBoxCaptionStr, wxOK | wxCENTRE);
    if (!stored) Ask(error, "Einstellungen nicht gespeichert", wxOK | wxICON_ERROR | wxCENTRE);
    return stored;
}

int MainFrame::Ask(const wxString& text, const wxString& caption, long style) {
    return wxMessageBox(text, caption, style, nullptr);
}

void MainFrame::OnTqpCompileClick(wxCommandEvent&) {
    CompileText(editor_->GetText());
    editor_->SetKeyWords(1, UserKeywords());
    completions_.Rebuild();
    if (glErrorDlg) {
        glErrorDlg->Destroy();
        glErrorDlg = nullptr;
    }
    if (data.errorCount > 0) {
        glErrorDlg = new ErrorDlg(this);
        glErrorDlg->Show();
    }
    const wxArrayString status = StatusTexts();
    for (size_t i = 0; i < status.size(); ++i) SetStatusText(status[i], static_cast<int>(i) + 2);
}

void MainFrame::OnTqpProgramClick(wxCommandEvent&) {
    wxCommandEvent compile;
    OnTqpCompileClick(compile);
    if (data.errorCount != 0) return;  // the error window shows why
    WithTerminalAside([this] {
        ProgramDlg dialog(this);
        dialog.ShowModal();
    });
}

void MainFrame::WithTerminalAside(const std::function<void()>& runDialog) {
    // The terminal and the device dialogs share the one port.
    if (glTerminalDlg) {
        glTerminalDlg->Hide();
        comport.Close();
    }
    runDialog();
    if (glTerminalDlg) {
        if (!comport.Open(data.terminalComport, data.terminalBaud, data.terminalDataBits, data.terminalParity,
                          data.terminalStopBits))
            Ask(wxString::Format("Comport Fehler %d", comport.ErrorCode()) + "\n" + comport.ErrorText(),
                wxMessageBoxCaptionStr, wxOK | wxCENTRE);
        glTerminalDlg->Show();
    }
}

void MainFrame::OnTqpTerminalClick(wxCommandEvent&) {
    if (glTerminalDlg) return;  // one terminal at a time
    glTerminalDlg = new TerminalDlg(this);
    glTerminalDlg->Show();
}

void MainFrame::OnExtraKonfigClick(wxCommandEvent&) {
    WithTerminalAside([this] {
        KonfigDlg dialog(this);
        dialog.ShowModal();
    });
}

void MainFrame::OnExtraLanClick(wxCommandEvent&) {
    LanDlg dialog(this);
    dialog.ShowModal();
}

void MainFrame::OnExtraEditorClick(wxCommandEvent&) {
    SettingsEditorDlg dialog(this);
    dialog.ShowModal();
    completions_.Rebuild();  // the filter may have changed
}

void MainFrame::OnHelpClick(wxCommandEvent&) {
    if (glHelpDlg) return;
    glHelpDlg = new HelpDlg(this);
    glHelpDlg->Show();
}

void MainFrame::OnEditCutClick(wxCommandEvent&) { editor_->Cut(); }
void MainFrame::OnEditCopyClick(wxCommandEvent&) { editor_->Copy(); }
void MainFrame::OnEditPasteClick(wxCommandEvent&) { editor_->Paste(); }
void MainFrame::OnEditDeleteClick(wxCommandEvent&) { editor_->DeleteBack(); }
void MainFrame::OnEditUndoClick(wxCommandEvent&) { editor_->Undo(); }
void MainFrame::OnEditRedoClick(wxCommandEvent&) { editor_->Redo(); }

void MainFrame::OnCloseFrame(wxCloseEvent& event) {
    wxCommandEvent exit;
    OnExitClick(exit);
    // Closing is vetoed when the user chose to keep working.
    if (!exiting_ && event.CanVeto()) event.Veto();
}
