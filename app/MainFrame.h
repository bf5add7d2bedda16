// The main window: the script editor with its commands, and the compiler taken in as a mixin.
#pragma once

#include "app/AutoComplete.h"
#include "app/MainFrameBase.h"
#include "app/Navigation.h"
#include "compiler/Compiler.h"
#include "compiler/LanguageService.h"
#include "compiler/Outline.h"
#include "compiler/ScriptText.h"
#include "settings/EditorSettings.h"

#include <wx/modalhook.h>
#include <wx/stc/stc.h>
#include <wx/timer.h>

class FindBar;
class SidePanel;

class MainFrame : public MainFrameBase, public Compiler {
public:
    // programDir: where the settings file lives; empty means the program's own folder.
    explicit MainFrame(wxWindow* parent, const wxString& programDir = wxString());

    // Loads a script into the editor and compiles it; false (after telling the user) when the
    // file cannot be read, and then nothing changes.
    bool OpenScript(const wxString& path);
    // Shows the window, then the start-up messages, then opens `script` (when given): a message
    // comes before the error window, which would otherwise cover it.
    void Start(const wxString& script);
    // Saves the editor's text; false (after telling the user) when it cannot be written.
    bool SaveScript(const wxString& path);

    wxStyledTextCtrl* Editor() const { return editor_; }
    FindBar* Finder() const { return findBar_; }
    SidePanel* Outline() const { return sidePanel_; }
    // The block word under the caret and its partners, or the word alone when it has none.
    static constexpr int kPartnerIndicator = 10;  // beside the find bar's 9
    static constexpr int kLonelyIndicator = 11;
    const CompletionList& Completions() const { return completions_; }
    const EditorSettings& EditorPrefs() const { return editorSettings_; }
    // The geometry the window takes for stored values (too small or off every screen is mended).
    static wxRect UsableGeometry(const wxRect& stored, const wxRect& screen);
    // `wanted` where it fits the screen, else the nearest place and size that do.
    static wxRect FitToScreen(const wxRect& wanted, const wxRect& screen);

    void OnKey(wxStyledTextEvent& event);

    // The file commands, callable directly (tests, start-up).
    void OnFileNewClick(wxCommandEvent& event) override;
    void OnFileOpenClick(wxCommandEvent& event) override;
    void OnFileSaveClick(wxCommandEvent& event) override;
    void OnFileSaveAsClick(wxCommandEvent& event) override;
    void OnExitClick(wxCommandEvent& event) override;
    void OnTqpCompileClick(wxCommandEvent& event) override;
    void OnCharHook(wxKeyEvent& event) override;
    void OnHelpClick(wxCommandEvent& event) override;
    void OnExtraEditorClick(wxCommandEvent& event) override;
    void OnExtraLanClick(wxCommandEvent& event) override;
    void OnTqpTerminalClick(wxCommandEvent& event) override;
    void OnTqpProgramClick(wxCommandEvent& event) override;
    void OnEditSelectAllClick(wxCommandEvent& event) override;
    void OnEditFindClick(wxCommandEvent& event) override;
    void OnEditReplaceClick(wxCommandEvent& event) override;
    void OnEditFindNextClick(wxCommandEvent& event) override;
    void OnEditFindPreviousClick(wxCommandEvent& event) override;
    void OnEditGoToLineClick(wxCommandEvent& event) override;
    void OnRecentFileClick(wxCommandEvent& event) override;
    void OnGoToDefinitionClick(wxCommandEvent& event) override;
    void OnNextErrorClick(wxCommandEvent& event) override;
    void OnAnnotationsClick(wxCommandEvent& event) override;
    void OnSidePanelClick(wxCommandEvent& event) override;
    void OnNavigateClick(wxCommandEvent& event) override;  // back and forward
    void OnHelpTopicClick(wxCommandEvent& event) override;
    void OnAboutClick(wxCommandEvent& event) override;
    void OnToggleCommentClick(wxCommandEvent& event) override;
    void OnExampleClick(wxCommandEvent& event) override;
    void OnZoomClick(wxCommandEvent& event) override;
    void OnDarkSchemeClick(wxCommandEvent& event) override;
    void OnFontClick(wxCommandEvent& event) override;
    void OnColourClick(wxCommandEvent& event) override;
    void OnPrintClick(wxCommandEvent& event) override;
    void OnPrintPreviewClick(wxCommandEvent& event) override;

    // The About box's text: the program, its version as tqc-cli --version prints it.
    static wxString AboutText();
    // The folder of the shipped examples (empty when there is none), and its scripts, sorted.
    static wxString ExamplesDir();
    static std::vector<wxString> ExampleFiles();
    // An example is never overwritten: saving it asks for a new place.
    static bool IsExample(const wxString& path);
    // Files dropped on the window: the first script is opened after the save question.
    void OpenDropped(const wxArrayString& files);

    // The check a pause in typing starts, at once (tests, benchmarks).
    void CheckNow();
    bool CheckPending() const { return checkTimer_.IsRunning(); }
    const std::vector<lang::Diagnostic>& Diagnostics() const { return diagnostics_; }
    // The word at a text position, and the declaration or syntax shown when resting on it.
    wxString WordAtPosition(int pos) const;
    // The messages of an error line under the mouse, else the word's declaration or syntax.
    void ShowHover(int pos);
    void GoToDefinition(int pos);
    // Closes the completion list and the call tip, as before a window opens over the editor.
    void ClosePopups();
    // Goes to a line of a file (opening it after the save question when it is not the current
    // one) and leaves the way back; false when it did not go.
    bool JumpTo(const wxString& path, int line);
    // The file an #include on `line` names, beside the script; empty when the line has none.
    wxString IncludePath(int line) const;

protected:
    // Asks for a script path; empty when the user cancels. Tests replace the dialog.
    virtual wxString AskScriptPath(bool forSaving);
    // Asks for a line number 1..lines; 0 when the user cancels. Tests replace the dialog.
    virtual int AskLineNumber(int current, int lines);
    // Shows a message box with German buttons; wxYES, wxNO, wxOK or wxCANCEL (tests answer it
    // through a modal dialog hook). The editor has the keyboard again afterwards.
    int Ask(const wxString& text, const wxString& caption, long style);

    bool TryBefore(wxEvent& event) override;
    void OnCloseFrame(wxCloseEvent& event) override;
    void OnEditCutClick(wxCommandEvent& event) override;
    void OnEditCopyClick(wxCommandEvent& event) override;
    void OnEditPasteClick(wxCommandEvent& event) override;
    void OnEditDeleteClick(wxCommandEvent& event) override;
    void OnEditUndoClick(wxCommandEvent& event) override;
    void OnEditRedoClick(wxCommandEvent& event) override;
    void OnExtraKonfigClick(wxCommandEvent& event) override;

    // A status text kept whole: the bar is refitted around it.
    void ShowStatus(int field, const wxString& text);
    // Each field as wide as its text; when the bar is too narrow, the version and the summary
    // give way in a fixed order to shorter forms, then to the bar's tooltip. Field 0 stays whole.
    void FitStatusBar();
    void FitStatusFields(int round);
    // Fields 2 to 5 from the last compile, field 0 the excess of an image too large or the last
    // transfer's outcome; empty fields after "New".
    void ShowSummary(bool compiled);

private:
    void SetUpEditor();
    // Return keeps the indentation and indents after a block opener; a completed end word or
    // "else" moves to its opener's indentation.
    void KeepIndentation(int key);
    // The indentation of the block opener that `line` closes, or -1 when there is none above.
    int OpenerIndentation(int line) const;
    void RebuildExamplesMenu();
    void SetUpFileDrop();
    // The looks from the settings on the editor; the line number margin follows the font.
    void ApplyEditorLooks();
    // What Return inserts: the line end the file uses most, or the platform's for a new text.
    void SetLineEnd(script::LineEnd end);
    // The title is the path, with " *" while the text differs from the file.
    void UpdateTitle();
    // Margin 0 as wide as the largest line number at the current zoom.
    void UpdateLineNumberMargin();
    // The editor's text as its UTF-8 bytes, every one of them.
    std::string EditorBytes() const;
    static wxTextEntry* FocusedEntry(wxWindow* within);
    void RebuildRecentMenu();
    void SetUpLanguageMarks();
    void ScheduleCheck();
    void MarkErrors();
    void ShowCommandTip();
    void RememberRecent(const wxString& path);
    void PlaceWindow();
    // The error window, or, while a question is open, its opening once the question is answered.
    void OpenErrorWindow();
    int asking_ = 0;
    bool errorWindowDue_ = false;
    void ShowSettingsMessages(bool loaded);
    bool StoreSettings();
    // Asks whether to save a changed text; false when the command is to stop here.
    bool MaySetTextAside();
    // A text just opened or emptied shows from its first line and column.
    void ShowFromStart();
    // The keyboard goes to the editor unless the find bar's fields have it.
    void FocusEditor();
    // A completion list whose word the caret left, a syntax tip whose line it left, close.
    void CloseStalePopups();
    // Keeps the caret line on its row of the screen while marks above it come or go.
    void KeepCaretRow(int row);
    // Scrolls so that an error line and its note below it are both in view.
    void ShowLineWithNote(int line);
    void SetUpStructure();
    // Fold levels and the side panel from the last compile.
    void ShowStructure();
    void ShowBlockPartner();
    void ShowCaretPosition();
    void GoToEntry(const outline::Entry& entry);
    JumpHistory::Place Here() const;
    // Shows a place, opening its file if need be; false when it could not.
    bool ShowPlace(const JumpHistory::Place& place);

    wxStyledTextCtrl* editor_ = nullptr;
    CompletionList completions_;
    FindBar* findBar_;
    SidePanel* sidePanel_;
    JumpHistory history_;
    int blockWordLine_ = -1;  // the line whose block word and partners are lit, or -1
    bool partnerPending_ = false;
    EditorSettings editorSettings_;
    script::TextForm form_;  // how the script is saved: as it was read
    wxString lastTransfer_;  // the last transfer's outcome, for status field 0
    static constexpr int kStatusFields = 7;
    static constexpr int kCaretField = 6;               // line and column
    int statusAdded_[kStatusFields] = {};               // per status field: what the native bar adds to the width asked
    int statusSetWidth_[kStatusFields] = {};            // per status field: its width when its text was last set
    bool statusFitting_ = false, statusRefit_ = false;  // a field set again while the bar is being fitted
    wxString statusTexts_[kStatusFields];               // each field's full text, whatever the bar has room for
    wxTimer checkTimer_;                                // runs out when typing has paused
    std::vector<lang::Diagnostic> diagnostics_;         // of the last compile, by script line
    wxString shownNames_;                               // keyword set 1 as the editor has it
    bool exiting_ = false;
    int tipLine_ = -1;  // the line whose command syntax the call tip shows, or -1

    // No popup of the editor stays over a modal dialog.
    struct PopupCloser : wxModalDialogHook {
        explicit PopupCloser(MainFrame* owner) : frame(owner) { Register(); }
        ~PopupCloser() override { Unregister(); }
        int Enter(wxDialog*) override {
            frame->ClosePopups();
            return wxID_NONE;
        }
        void Exit(wxDialog*) override {}
        MainFrame* frame;
    } popupCloser_{this};
};
