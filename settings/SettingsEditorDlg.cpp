#include "settings/SettingsEditorDlg.h"
#include "dialogs/WindowPlace.h"

#include "compiler/Data.h"
#include "compiler/ErrorDlg.h"  // glStyledTextCtrl
#include "settings/EditorColours.h"

#include <wx/intl.h>

SettingsEditorDlg::SettingsEditorDlg(wxWindow* parent)
    : MainSettingsEditorDlg(parent, wxID_ANY, _("Settings Editor")), pickers_{m_colorCommands,   m_colorText,
                                                                              m_colorVariablen,  m_colorPreprozessor,
                                                                              m_colorKommentare, m_colorRest} {
    syntax::BackUp(data);
    place::Keep(this);
    SetValueColorDialog();
    m_textFilter->ChangeValue(data.autoCompFilter);
    m_checkFilter->SetValue(data.autoCompFilterOn != 0);
}

wxString SettingsEditorDlg::StandardFilter() {
    wxString filter;
    for (const char* name : {"Led", "Taste"})
        for (int i = 1; i <= 18; ++i) filter += wxString::Format(";%s_%02d ", name, i);
    return filter;
}

void SettingsEditorDlg::SetValueColorDialog() {
    for (int i = 0; i < syntax::kClasses; ++i) pickers_[i]->SetColour(ShownColour(static_cast<syntax::SyntaxClass>(i)));
}

void SettingsEditorDlg::SetColor() { ApplySyntaxColours(glStyledTextCtrl); }

void SettingsEditorDlg::ColourPicked(syntax::SyntaxClass which, const wxColour& colour) {
    syntax::Set(data, which, {colour.Red(), colour.Green(), colour.Blue()});
    SetColor();
}

void SettingsEditorDlg::OnColorCommands(wxColourPickerEvent& event) {
    ColourPicked(syntax::Commands, event.GetColour());
}
void SettingsEditorDlg::OnColorText(wxColourPickerEvent& event) { ColourPicked(syntax::Text, event.GetColour()); }
void SettingsEditorDlg::OnColorVariablen(wxColourPickerEvent& event) {
    ColourPicked(syntax::Variablen, event.GetColour());
}
void SettingsEditorDlg::OnColorPreprozessor(wxColourPickerEvent& event) {
    ColourPicked(syntax::Preprozessor, event.GetColour());
}
void SettingsEditorDlg::OnColorKommentare(wxColourPickerEvent& event) {
    ColourPicked(syntax::Kommentare, event.GetColour());
}
void SettingsEditorDlg::OnColorRest(wxColourPickerEvent& event) { ColourPicked(syntax::Rest, event.GetColour()); }

void SettingsEditorDlg::OnBtnColorStandardClick(wxCommandEvent&) {
    syntax::SetStandard(data);
    SetColor();
    SetValueColorDialog();
}

void SettingsEditorDlg::OnBtnFilterStandardClick(wxCommandEvent&) { m_textFilter->ChangeValue(StandardFilter()); }

void SettingsEditorDlg::OnBtnOKClick(wxCommandEvent&) {
    data.autoCompFilter = m_textFilter->GetValue();
    data.autoCompFilterOn = m_checkFilter->GetValue() ? 1 : 0;
    Finish(wxID_OK);
}

void SettingsEditorDlg::OnBtnCancelClick(wxCommandEvent&) { Close(false); }

void SettingsEditorDlg::OnDlgClose(wxCloseEvent&) {
    syntax::Restore(data);
    SetColor();
    Finish(wxID_CANCEL);
}

void SettingsEditorDlg::Finish(int code) {
    SetReturnCode(code);
    if (IsModal())
        EndModal(code);
    else
        Hide();
}
