#include "app/MainFrame.h"
#include "dialogs/WindowPlace.h"

#include "app/FindBar.h"
#include "app/Indentation.h"
#include "app/Version.h"
#include "app/SidePanel.h"
#include "compiler/ErrorDlg.h"
#include "compiler/NameChars.h"
#include "dialogs/LanDlg.h"
#include "dialogs/ProgramDlg.h"
#include "dialogs/TerminalDlg.h"
#include "konfig/KonfigDlg.h"
#include "settings/Datei.h"
#include "settings/EditorColours.h"
#include "settings/HelpDlg.h"
#include "settings/SettingsEditorDlg.h"
#include "settings/StoreSettings.h"
#include "settings/TerminalSettings.h"

#include <wx/display.h>
#include <wx/numdlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include <algorithm>
#include <type_traits>

namespace {

// The digit that takes the most room in the font the window draws with.
template <typename Window>
wxUniChar WidestDigit(Window* window) {
    wxUniChar widest = '0';
    int most = 0;
    for (char digit = '0'; digit <= '9'; ++digit) {
        int width;
        if constexpr (std::is_same_v<Window, wxStyledTextCtrl>)
            width = window->TextWidth(wxSTC_STYLE_LINENUMBER, wxString(digit));
        else
            width = window->GetTextExtent(wxString(digit)).x;
        if (width > most) most = width, widest = digit;
    }
    return widest;
}

}  // namespace

MainFrame::MainFrame(wxWindow* parent, const wxString& programDir) : MainFrameBase(parent, "TqC") {
    editor_ = new wxStyledTextCtrl(panel_, wxID_ANY);
    glStyledTextCtrl = editor_;
    SetUpEditor();
    sidePanel_ = new SidePanel(panel_, [this](const outline::Entry& entry) {
        CallAfter([this, entry] { GoToEntry(entry); });  // not while the list is in its own event
    });
    wxBoxSizer* beside = new wxBoxSizer(wxHORIZONTAL);
    beside->Add(editor_, 1, wxEXPAND);
    beside->Add(sidePanel_, 0, wxEXPAND | wxLEFT, FromDIP(2));
    panelSizer_->Add(beside, 1, wxEXPAND);
    panel_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        // At most a quarter of the window: on a small or scaled screen the editor keeps its room.
        sidePanel_->SetMinSize(wxSize(std::min(FromDIP(210), event.GetSize().x / 4), -1));
        event.Skip();
    });
    findBar_ = new FindBar(panel_, editor_);
    panelSizer_->Add(findBar_, 0, wxEXPAND);
    editor_->Bind(wxEVT_STC_CHARADDED, &MainFrame::OnKey, this);
    // An end word taken from the completion list outdents as a typed one does.
    editor_->Bind(wxEVT_STC_AUTOCOMP_COMPLETED, [this](wxStyledTextEvent&) { KeepIndentation(0); });
    editor_->Bind(wxEVT_STC_SAVEPOINTLEFT, [this](wxStyledTextEvent&) { UpdateTitle(); });
    editor_->Bind(wxEVT_STC_SAVEPOINTREACHED, [this](wxStyledTextEvent&) { UpdateTitle(); });
    editor_->Bind(wxEVT_STC_ZOOM, [this](wxStyledTextEvent&) {
        EditorSettings::LooksPrefs().zoom = editor_->GetZoom();  // kept across starts
        UpdateLineNumberMargin();
    });
    editor_->Bind(wxEVT_STC_UPDATEUI, [this](wxStyledTextEvent& event) {
        CloseStalePopups();
        event.Skip();
    });
    // Only changes of the text reach the window: marking the errors changes markers and the
    // annotations of every line, which would otherwise send one event per line.
    editor_->SetModEventMask(wxSTC_MOD_INSERTTEXT | wxSTC_MOD_DELETETEXT);
    editor_->Bind(wxEVT_STC_MODIFIED, [this](wxStyledTextEvent& event) {
        if (event.GetLinesAdded() != 0) UpdateLineNumberMargin();
        ScheduleCheck();
        event.Skip();
    });

    data.programDir = programDir.empty()
                          ? wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath(wxPATH_GET_VOLUME)
                          : programDir;
    TerminalSettings::ClearStored(data);
    // A first start, or a file from before the colours were kept, shows the standard colours.
    syntax::SetStandard(data);
    // Told once the window stands, so that the message box has the finished window behind it.
    if (!Datei().DataLoad()) CallAfter([this] { ShowSettingsMessages(false); });
    editorSettings_.Load();
    RebuildRecentMenu();
    annotationsItem_->Check(editorSettings_.Annotations());
    SetUpLanguageMarks();
    SetUpStructure();
    sidePanelItem_->Check(editorSettings_.SidePanel());
    sidePanel_->Show(editorSettings_.SidePanel());
    PlaceWindow();
    ApplyEditorLooks();
    RebuildExamplesMenu();
    SetUpFileDrop();
    editor_->SetWordChars(names::WordChars());
    editor_->AutoCompSetIgnoreCase(true);
    editor_->AutoCompSetMaxHeight(15);
    completions_.Rebuild();

    ShowStatus(1, wxString("Version: ") + kTqcVersion);  // as tqc-cli --version prints it
    GetStatusBar()->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        FitStatusBar();
    });
    UpdateLineNumberMargin();
    editor_->SetFocus();  // typing starts in the editor
}

void MainFrame::SetUpEditor() {
    editor_->SetLexer(wxSTC_LEX_CPP);  // the syntax colours follow once the settings are read
    Datei::SetKeywords();
    editor_->SetKeyWords(0, data.keywordString);
    editor_->StyleSetFaceName(wxSTC_STYLE_DEFAULT, "Courier New");
    editor_->StyleSetBold(wxSTC_STYLE_DEFAULT, true);
    editor_->SetMarginType(0, wxSTC_MARGIN_NUMBER);
    editor_->SetMarginWidth(0, 30);
    editor_->SetMarginWidth(1, 0);
    editor_->StyleSetForeground(wxSTC_STYLE_LINENUMBER, wxColour(100, 100, 100));
    // Indentation in blanks, two a step, as the examples are written; Tab and Shift+Tab indent
    // and outdent a selection of lines.
    editor_->SetUseTabs(false);
    editor_->SetIndent(indent::kUnit);
    editor_->SetTabIndents(true);
    editor_->SetBackSpaceUnIndents(true);
    editor_->CmdKeyClear('U', wxSTC_KEYMOD_CTRL);  // Program's key, not lower case
    SetLineEnd(script::kPlatformLineEnd);
}

void MainFrame::SetLineEnd(script::LineEnd end) {
    editor_->SetEOLMode(end == script::LineEnd::CrLf ? wxSTC_EOL_CRLF
                        : end == script::LineEnd::Cr ? wxSTC_EOL_CR
                                                     : wxSTC_EOL_LF);
}

void MainFrame::UpdateTitle() {
    const wxString mark = editor_->IsModified() ? (data.sourcePath.empty() ? "*" : " *") : "";
    SetTitle(data.sourcePath + mark);
}

void MainFrame::UpdateLineNumberMargin() {
    int digits = 1;
    for (int lines = editor_->GetLineCount(); lines >= 10; lines /= 10) ++digits;
    const int width = editor_->TextWidth(wxSTC_STYLE_LINENUMBER, wxString(WidestDigit(editor_), digits)) + 8;
    editor_->SetMarginWidth(0, std::max(30, width));
}

void MainFrame::ShowStatus(int field, const wxString& text) {
    statusTexts_[field] = text;
    FitStatusBar();
}

void MainFrame::FitStatusBar() {
    // Setting the widths lets GTK lay out the window, where the editor may report its caret and
    // set a field again: that text is fitted after this fitting, not overwritten by it.
    if (statusFitting_) {
        statusRefit_ = true;
        return;
    }
    statusFitting_ = true;
    for (int pass = 0; pass < 3; ++pass) {
        statusRefit_ = false;
        FitStatusFields(0);
        if (!statusRefit_) break;
    }
    statusFitting_ = false;
}

void MainFrame::FitStatusFields(int round) {
    wxStatusBar* bar = GetStatusBar();
    if (!bar) return;
    constexpr int kFields = kStatusFields;
    // Each field's forms, longest first; an empty form leaves the text to the tooltip.
    static const char* const kShortLabels[] = {"defvar", "defstr", "Sp. defstr", "Prog."};
    std::vector<wxString> forms[kFields];
    // The report's first words ("3 Fehler", "Programmierung OK") and the time of a transfer.
    wxString brief = statusTexts_[0].BeforeFirst(':').BeforeFirst('(').Trim();
    const wxString time = statusTexts_[0].AfterLast('(');
    if (time.length() == 6 && time[2] == ':' && time.EndsWith(")")) brief += " (" + time;
    forms[0] = {statusTexts_[0], brief};
    forms[1] = {statusTexts_[1], statusTexts_[1].AfterFirst(' '), wxString()};
    for (int i = 2; i < kCaretField; ++i) {  // the summary's four fields
        const wxString& full = statusTexts_[i];
        wxString numbers = full.AfterFirst(':').Trim(false);
        numbers.Replace(" / ", "/");
        forms[i] = {full, full.empty() ? wxString() : wxString(kShortLabels[i - 2]) + " " + numbers, wxString()};
    }
    // Line and column shorten to "12:5" but never go.
    const wxString& caret = statusTexts_[kCaretField];
    forms[kCaretField] = {caret, caret.AfterFirst(' ').BeforeFirst(',') + ":" + caret.AfterLast(' ')};
    // The order in which fields give way: the version first, the program memory and then the
    // report last; each shortens before it goes.
    static const int kGiveWay[] = {1, 1, kCaretField, 3, 2, 4, 3, 2, 4, 5, 5, 0};
    int chosen[kFields] = {};
    // The bar draws a field's text inside a border on either side of the field's own border, and
    // the size grip inside the last field.
    const int margin = 4 * bar->GetBorderX() + bar->FromDIP(6), grip = bar->GetClientSize().y;
    const auto width = [&](int field) {
        const wxString& text = forms[field][chosen[field]];
        // Field 0 takes what the others leave, less the bar's gaps between fields.
        const int extra = field == kFields - 1 ? grip : field == 0 ? kFields * bar->GetBorderX() + bar->FromDIP(8) : 0;
        return (text.empty() && field > 0 ? margin : bar->GetTextExtent(text).x + margin) + extra;
    };
    const auto total = [&] {
        int sum = 0;
        for (int field = 0; field < kFields; ++field) sum += width(field);
        return sum;
    };
    const int room = bar->GetClientSize().x;
    for (int field : kGiveWay) {
        if (total() <= room) break;
        if (chosen[field] + 1 < static_cast<int>(forms[field].size())) ++chosen[field];
    }
    int widths[kFields] = {-1};
    wxString hidden;
    for (int field = 0; field < kFields; ++field) {
        if (field > 0) widths[field] = std::max(1, width(field) - statusAdded_[field]);
        if (chosen[field] > 0) hidden += (hidden.empty() ? "" : "\n") + forms[field][0];
    }
    // Field 0 wider than the whole bar is ellipsized by the bar; its tooltip still has it whole.
    if (total() > room && !statusTexts_[0].empty()) hidden = statusTexts_[0] + (hidden.empty() ? "" : "\n") + hidden;
    // The widths first: the native Windows bar shortens a text when it is set, for the field's
    // width at that moment, so each text is set again whenever its field's width changed.
    wxRect before[kFields], after;
    for (int field = 0; field < kFields; ++field) bar->GetFieldRect(field, before[field]);
    bar->SetStatusWidths(kFields, widths);
    // The native Windows bar widens every field by its borders and the last by the size grip
    // once more: what it added is learnt here and taken off the next widths asked.
    bool learnt = false;
    for (int field = 1; field < kFields; ++field) {
        bar->GetFieldRect(field, after);
        const int added = std::max(0, after.width - widths[field]);
        learnt |= added > statusAdded_[field];
        statusAdded_[field] = std::max(statusAdded_[field], added);
    }
    if (learnt && round < 2) return FitStatusFields(round + 1);
    bool moved = false;
    for (int field = 0; field < kFields; ++field) {
        bar->GetFieldRect(field, after);
        moved |= after != before[field];
        const wxString& text = forms[field][chosen[field]];
        if (bar->GetStatusText(field) != text || after.width != statusSetWidth_[field]) bar->SetStatusText(text, field);
        statusSetWidth_[field] = after.width;
    }
    // Fields that moved leave pieces of their old texts where the bar repaints only the
    // fields whose texts changed.
    if (moved) bar->Refresh();
    bar->SetToolTip(hidden);
}

void MainFrame::ShowSummary(bool compiled) {
    const wxArrayString status = compiled ? StatusTexts() : wxArrayString();
    for (int i = 0; i < 4; ++i) statusTexts_[i + 2] = compiled ? status[i] : wxString();
    // Field 0: the errors first, then an image too large to send, else the last transfer.
    wxString message = compiled ? ImageTooLargeText(data.outputCount) : wxString();
    if (compiled && !diagnostics_.empty())
        message =
            wxString::Format(wxString::FromUTF8("%d Fehler (F8: zum nächsten)"), static_cast<int>(diagnostics_.size()));
    ShowStatus(0, message.empty() ? lastTransfer_ : message);
}

std::string MainFrame::EditorBytes() const {
    const wxCharBuffer raw = editor_->GetTextRaw();
    return std::string(raw.data(), static_cast<size_t>(editor_->GetLength()));
}

wxRect MainFrame::FitToScreen(const wxRect& wanted, const wxRect& screen) {
    wxRect rect(wanted.GetPosition(),
                wxSize(std::min(wanted.width, screen.width), std::min(wanted.height, screen.height)));
    rect.x = std::max(screen.x, std::min(rect.x, screen.GetRight() + 1 - rect.width));
    rect.y = std::max(screen.y, std::min(rect.y, screen.GetBottom() + 1 - rect.height));
    return rect;
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
    // A place stored on a larger screen is moved and shrunk onto this one.
    rect = FitToScreen(display == wxNOT_FOUND ? rect.CenterIn(screen) : rect, screen);
    SetSize(rect.x, rect.y, rect.width, rect.height, wxSIZE_AUTO);
    // Window managers drop a place asked before the window is mapped.
    place::Keep(this, [rect] { return rect.GetTopLeft(); });
}

void MainFrame::ShowSettingsMessages(bool loaded) {
    if (!loaded) Ask("TqC_Konfig.ini nicht vorhanden !", wxMessageBoxCaptionStr, wxOK | wxCENTRE);
}

bool MainFrame::StoreSettings() {
    const bool stored = StoreSettingsTelling(nullptr);
    wxString error;
    if (!editorSettings_.Store(&error)) ShowSettingsNotStored(nullptr, error);
    return stored;
}

int MainFrame::Ask(const wxString& text, const wxString& caption, long style) {
    ClosePopups();
    // Over the main window while it is shown, so that no other window of TqC covers it.
    wxMessageDialog box(IsShown() ? this : nullptr, text, caption, style);
    // A German program answers in German, whatever language the toolkit was set up with.
    box.SetYesNoCancelLabels("Ja", "Nein", "Abbrechen");
    box.SetOKCancelLabels("OK", "Abbrechen");
    ++asking_;
    const int answer = box.ShowModal();
    --asking_;
    FocusEditor();
    if (!asking_ && errorWindowDue_ && data.errorCount > 0 && !glErrorDlg) OpenErrorWindow();
    return answer == wxID_YES ? wxYES : answer == wxID_NO ? wxNO : answer == wxID_CANCEL ? wxCANCEL : wxOK;
}

bool MainFrame::TryBefore(wxEvent& event) {
    // After every command, from a menu, a key or a tool, the keyboard goes back to the editor,
    // unless the command gave it to another window (find bar, terminal, help): no tool keeps it.
    if (event.GetEventType() == wxEVT_MENU)
        CallAfter([this] {
            wxWindow* focused = wxWindow::FindFocus();
            if (!focused || wxGetTopLevelParent(focused) == this) FocusEditor();
        });
    return MainFrameBase::TryBefore(event);
}

void MainFrame::FocusEditor() {
    if (editor_ && !FocusedEntry(findBar_)) editor_->SetFocus();
}

void MainFrame::ClosePopups() {
    if (!editor_) return;
    if (editor_->AutoCompActive()) editor_->AutoCompCancel();
    if (editor_->CallTipActive()) editor_->CallTipCancel();
    tipLine_ = -1;
}

void MainFrame::CloseStalePopups() {
    const int caret = editor_->GetCurrentPos();
    const int line = editor_->LineFromPosition(caret);
    if (editor_->AutoCompActive()) {
        const int start = editor_->AutoCompPosStart();
        const bool left = caret < start || editor_->WordStartPosition(caret, true) > start;
        if (left || editor_->LineFromPosition(start) != line) editor_->AutoCompCancel();
    }
    if (tipLine_ >= 0 && line != tipLine_) {
        if (editor_->CallTipActive()) editor_->CallTipCancel();
        tipLine_ = -1;
    }
}

void MainFrame::OnTqpCompileClick(wxCommandEvent&) {
    CheckNow();
    if (glErrorDlg) {
        glErrorDlg->Destroy();
        glErrorDlg = nullptr;
    }
    if (data.errorCount > 0) OpenErrorWindow();
}

void MainFrame::OpenErrorWindow() {
    errorWindowDue_ = asking_ > 0;
    if (errorWindowDue_) return;
    ClosePopups();
    glErrorDlg = new ErrorDlg(this);
    glErrorDlg->Show();
}

void MainFrame::Start(const wxString& script) {
    Show();
    // Queued after the start-up messages: a script with errors opens its window after them.
    if (!script.empty()) CallAfter([this, script] { OpenScript(script); });
}

void MainFrame::OnTqpProgramClick(wxCommandEvent&) {
    wxCommandEvent compile;
    OnTqpCompileClick(compile);
    if (data.errorCount != 0) return;  // the error window shows why
    const wxString tooLarge = ImageTooLargeText(data.outputCount);
    if (!tooLarge.empty()) {
        Ask(tooLarge + ".\n\n" + wxString::FromUTF8("Es wird nichts an die Steuerung gesendet."),
            wxString::FromUTF8("Programm zu groß"), wxOK | wxICON_ERROR | wxCENTRE);
        return;
    }
    wxString outcome;
    TerminalDlg::LendPort([this, &outcome] {
        ProgramDlg dialog(this);
        dialog.ShowModal();
        outcome = dialog.Outcome();
    });
    if (outcome.empty()) return;
    lastTransfer_ = outcome;
    ShowStatus(0, outcome);
}

void MainFrame::OnTqpTerminalClick(wxCommandEvent&) {
    if (glTerminalDlg) return;  // one terminal at a time
    ClosePopups();
    glTerminalDlg = new TerminalDlg(this);
    glTerminalDlg->Show();
}

void MainFrame::OnExtraKonfigClick(wxCommandEvent&) {
    TerminalDlg::LendPort([this] {
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
    ClosePopups();
    glHelpDlg = new HelpDlg(this);
    glHelpDlg->Show();
}

void MainFrame::OnEditCutClick(wxCommandEvent&) { editor_->Cut(); }
void MainFrame::OnEditCopyClick(wxCommandEvent&) { editor_->Copy(); }
void MainFrame::OnEditPasteClick(wxCommandEvent&) { editor_->Paste(); }
void MainFrame::OnEditDeleteClick(wxCommandEvent&) { editor_->DeleteBack(); }
void MainFrame::OnEditUndoClick(wxCommandEvent&) {
    if (wxTextEntry* entry = FocusedEntry(findBar_)) return entry->Undo();
    editor_->Undo();
}
void MainFrame::OnEditRedoClick(wxCommandEvent&) {
    if (wxTextEntry* entry = FocusedEntry(findBar_)) return entry->Redo();
    editor_->Redo();
}
void MainFrame::OnEditSelectAllClick(wxCommandEvent&) {
    if (wxTextEntry* entry = FocusedEntry(findBar_)) return entry->SelectAll();
    editor_->SelectAll();
}

void MainFrame::OnEditFindClick(wxCommandEvent&) { findBar_->Open(false); }
void MainFrame::OnEditReplaceClick(wxCommandEvent&) { findBar_->Open(true); }
void MainFrame::OnEditFindNextClick(wxCommandEvent&) { findBar_->FindNext(true); }
void MainFrame::OnEditFindPreviousClick(wxCommandEvent&) { findBar_->FindNext(false); }

int MainFrame::AskLineNumber(int current, int lines) {
    const long line = wxGetNumberFromUser(wxString::Format("Zeile (1 bis %d):", lines), wxString(), "Gehe zu Zeile",
                                          current, 1, lines, this);
    return line < 1 ? 0 : static_cast<int>(line);
}

void MainFrame::OnEditGoToLineClick(wxCommandEvent&) {
    const int line = AskLineNumber(editor_->GetCurrentLine() + 1, editor_->GetLineCount());
    if (line < 1) return;
    JumpTo(data.sourcePath, std::min(line, editor_->GetLineCount()) - 1);
    editor_->SetFocus();
}

// The find bar's text fields, and the side panel's filter, take the edit commands while they
// have the focus.
wxTextEntry* MainFrame::FocusedEntry(wxWindow* within) {
    wxTextCtrl* focused = dynamic_cast<wxTextCtrl*>(wxWindow::FindFocus());
    const bool field = focused && (focused->GetParent() == within || dynamic_cast<SidePanel*>(focused->GetParent()));
    return field ? focused : nullptr;
}

void MainFrame::OnCloseFrame(wxCloseEvent& event) {
    wxCommandEvent exit;
    OnExitClick(exit);
    // Closing is vetoed when the user chose to keep working.
    if (!exiting_ && event.CanVeto()) event.Veto();
}
