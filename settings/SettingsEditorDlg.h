// The settings editor: the six syntax colours of the script editor and the auto-complete filter.
// Colour changes reach the editor at once; "OK" keeps them, "Abbrechen" and the close box put
// back the colours the dialog started with.
#pragma once

#include "settings/MainSettingsEditorDlg.h"

// The six colours (R, G, B) as they were when the settings editor was built.
extern int gl_iColorCommands[3];
extern int gl_iColorText[3];
extern int gl_iColorVariablen[3];
extern int gl_iColorPreprozessor[3];
extern int gl_iColorKommentare[3];
extern int gl_iColorRest[3];

class SettingsEditorDlg : public MainSettingsEditorDlg {
public:
    // The syntax classes in the order of the colour members and the pickers.
    enum SyntaxClass { Commands, Text, Variablen, Preprozessor, Kommentare, Rest };
    static constexpr int kSyntaxClasses = 6;

    // Takes the backups, fills the pickers, the filter text and the check box from `data`.
    explicit SettingsEditorDlg(wxWindow* parent);

    // The filter text of "Standard Filtervorgaben": ";Led_01 " .. ";Led_18 ", ";Taste_01 " ..
    // ";Taste_18 ".
    static wxString StandardFilter();
    // The lexer style of the script editor that shows the class.
    static int LexerStyle(SyntaxClass which);

    // Sets each picker to its colour member (low 8 bits of R, G, B).
    void SetValueColorDialog();
    // Applies the six colour members to the script editor (glStyledTextCtrl), foreground only.
    // Uses nothing of the dialog; does nothing while there is no editor.
    static void SetColor();

protected:
    void OnDlgClose(wxCloseEvent& event) override;
    void OnColorCommands(wxColourPickerEvent& event) override;
    void OnColorText(wxColourPickerEvent& event) override;
    void OnColorVariablen(wxColourPickerEvent& event) override;
    void OnColorPreprozessor(wxColourPickerEvent& event) override;
    void OnColorKommentare(wxColourPickerEvent& event) override;
    void OnColorRest(wxColourPickerEvent& event) override;
    void OnBtnColorStandardClick(wxCommandEvent& event) override;
    void OnBtnFilterStandardClick(wxCommandEvent& event) override;
    void OnBtnCancelClick(wxCommandEvent& event) override;
    void OnBtnOKClick(wxCommandEvent& event) override;

private:
    // A colour picked for one class: into its member, then into the editor.
    void ColourPicked(SyntaxClass which, const wxColour& colour);
    // Ends the dialog with `code`: the modal loop when there is one, else it just hides.
    void Finish(int code);

    wxColourPickerCtrl* pickers_[kSyntaxClasses];
};
