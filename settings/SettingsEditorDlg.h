// The settings editor: the six syntax colours of the script editor and the auto-complete filter.
// Colour changes reach the editor at once; "OK" keeps them, "Abbrechen" and the close box put
// back the colours the dialog started with.
#pragma once

#include "settings/MainSettingsEditorDlg.h"
#include "settings/SyntaxColours.h"

class SettingsEditorDlg : public MainSettingsEditorDlg {
public:
    // Backs up the colours, fills the pickers, the filter text and the check box from `data`.
    explicit SettingsEditorDlg(wxWindow* parent);

    // The filter text of "Standard Filtervorgaben": ";Led_01 " .. ";Led_18 ", ";Taste_01 " ..
    // ";Taste_18 ".
    static wxString StandardFilter();

    // Sets each picker to its class's colour as shown.
    void SetValueColorDialog();
    // The colours on the script editor (glStyledTextCtrl); nothing while there is none.
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
    // A colour picked for one class: into the model, then onto the editor.
    void ColourPicked(syntax::SyntaxClass which, const wxColour& colour);
    // Ends the dialog with `code`: the modal loop when there is one, else it just hides.
    void Finish(int code);

    wxColourPickerCtrl* pickers_[syntax::kClasses];
};
