#include "settings/SettingsEditorDlg.h"

#include "app/Globals.h"
#include "compiler/Data.h"
#include "settings/Datei.h"

#include <wx/intl.h>
#include <wx/stc/stc.h>

int gl_iColorCommands[3];
int gl_iColorText[3];
int gl_iColorVariablen[3];
int gl_iColorPreprozessor[3];
int gl_iColorKommentare[3];
int gl_iColorRest[3];

namespace {

// One row per syntax class, in SyntaxClass order.
struct SyntaxColour {
    int (Data::*member)[3];
    int (*backup)[3];
    int lexerStyle;  // style of the C-family lexer
};

const SyntaxColour kSyntaxColours[SettingsEditorDlg::kSyntaxClasses] = {
    {&Data::colorCommands, &gl_iColorCommands, wxSTC_C_WORD},
    {&Data::colorText, &gl_iColorText, wxSTC_C_STRING},
    {&Data::colorVariablen, &gl_iColorVariablen, wxSTC_C_WORD2},
    {&Data::colorPreprozessor, &gl_iColorPreprozessor, wxSTC_C_PREPROCESSOR},
    {&Data::colorKommentare, &gl_iColorKommentare, wxSTC_C_COMMENTLINE},
    {&Data::colorRest, &gl_iColorRest, wxSTC_C_IDENTIFIER},
};

// Only the low 8 bits of a stored component count.
wxColour ColourOf(const int (&rgb)[3]) { return wxColour(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF, 255); }

void CopyColour(const int (&from)[3], int (&to)[3]) {
    for (int k = 0; k < 3; ++k) to[k] = from[k];
}

}  // namespace

SettingsEditorDlg::SettingsEditorDlg(wxWindow* parent)
    : MainSettingsEditorDlg(parent, wxID_ANY, _("Settings Editor")),
      pickers_{m_colorCommands, m_colorText, m_colorVariablen, m_colorPreprozessor, m_colorKommentare, m_colorRest} {
    for (const SyntaxColour& row : kSyntaxColours) CopyColour(data.*row.member, *row.backup);
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

int SettingsEditorDlg::LexerStyle(SyntaxClass which) { return kSyntaxColours[which].lexerStyle; }

void SettingsEditorDlg::SetValueColorDialog() {
    for (int i = 0; i < kSyntaxClasses; ++i) pickers_[i]->SetColour(ColourOf(data.*kSyntaxColours[i].member));
}

void SettingsEditorDlg::SetColor() {
    if (!glStyledTextCtrl) return;
    for (const SyntaxColour& row : kSyntaxColours)
        glStyledTextCtrl->StyleSetForeground(row.lexerStyle, ColourOf(data.*row.member));
}

void SettingsEditorDlg::ColourPicked(SyntaxClass which, const wxColour& colour) {
    int(&rgb)[3] = data.*kSyntaxColours[which].member;
    rgb[0] = colour.Red();
    rgb[1] = colour.Green();
    rgb[2] = colour.Blue();
    SetColor();
}

void SettingsEditorDlg::OnColorCommands(wxColourPickerEvent& event) { ColourPicked(Commands, event.GetColour()); }
void SettingsEditorDlg::OnColorText(wxColourPickerEvent& event) { ColourPicked(Text, event.GetColour()); }
void SettingsEditorDlg::OnColorVariablen(wxColourPickerEvent& event) { ColourPicked(Variablen, event.GetColour()); }
void SettingsEditorDlg::OnColorPreprozessor(wxColourPickerEvent& event) {
    ColourPicked(Preprozessor, event.GetColour());
}
void SettingsEditorDlg::OnColorKommentare(wxColourPickerEvent& event) { ColourPicked(Kommentare, event.GetColour()); }
void SettingsEditorDlg::OnColorRest(wxColourPickerEvent& event) { ColourPicked(Rest, event.GetColour()); }

void SettingsEditorDlg::OnBtnColorStandardClick(wxCommandEvent&) {
    Datei::StandardColours();
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
    for (const SyntaxColour& row : kSyntaxColours) CopyColour(*row.backup, data.*row.member);
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
