// The main window: the script editor with its commands, and the compiler taken in as a mixin.
#pragma once

#include "app/AutoComplete.h"
#include "app/MainFrameBase.h"
#include "compiler/Compiler.h"
#include "compiler/ScriptText.h"

#include <wx/stc/stc.h>

#include <functional>

class MainFrame : public MainFrameBase, public Compiler {
public:
    // programDir: where the settings file lives; empty means the program's own folder.
    explicit MainFrame(wxWindow* parent, const wxString& programDir = wxString());

    // Loads a script into the editor and compiles it; false (after telling the user) when the
    // file cannot be read, and then nothing changes.
    bool OpenScript(const wxString& path);
    // Saves the editor's text; false (after telling the user) when it cannot be written.
    bool SaveScript(const wxString& path);

    wxStyledTextCtrl* Editor() const { return editor_; }
    const CompletionList& Completions() const { return completions_; }
    // The geometry the window takes for stored values (too small or off every screen is mended).
    static wxRect UsableGeometry(const wxRect& stored, const wxRect& screen);

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

protected:
    // Asks for a script path; empty when the user cancels. Tests replace the dialog.
    virtual wxString AskScriptPath(bool forSaving);
    // Shows a message box (tests answer it through a modal dialog hook).
    int Ask(const wxString& text, const wxString& caption, long style);

    void OnCloseFrame(wxCloseEvent& event) override;
    void OnEditCutClick(wxCommandEvent& event) override;
    void OnEditCopyClick(wxCommandEvent& event) override;
    void OnEditPasteClick(wxCommandEvent& event) override;
    void OnEditDeleteClick(wxCommandEvent& event) override;
    void OnEditUndoClick(wxCommandEvent& event) override;
    void OnEditRedoClick(wxCommandEvent& event) override;
    void OnTqpProgramClick(wxCommandEvent& event) override;
    void OnExtraKonfigClick(wxCommandEvent& event) override;

private:
    void SetUpEditor();
    void PlaceWindow();
    void ShowSettingsMessages(bool loaded);
    bool StoreSettings();
    // Asks whether to save a changed text; false when the command is to stop here.
    bool MaySetTextAside();
    // Hides the terminal and frees its port while `runDialog` runs a dialog that needs the port,
    // then reopens the port and shows the terminal again.
    void WithTerminalAside(const std::function<void()>& runDialog);

    wxStyledTextCtrl* editor_;
    CompletionList completions_;
    script::Encoding encoding_ = script::Encoding::Utf8;  // the encoding the script is saved in
    bool exiting_ = false;
};
