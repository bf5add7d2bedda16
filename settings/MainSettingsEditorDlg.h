// Layout of the settings editor: six colour pickers under their labels, the auto-complete
// filter, and the closing buttons.
#pragma once

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class MainSettingsEditorDlg : public wxDialog {
public:
    MainSettingsEditorDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
                          const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(1041, 240),
                          long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~MainSettingsEditorDlg() override = default;

protected:
    wxStaticText* m_labelCommands;
    wxStaticText* m_labelText;
    wxStaticText* m_labelVariablen;
    wxStaticText* m_labelPreprozessor;
    wxStaticText* m_labelKommentare;
    wxStaticText* m_labelRest;
    wxColourPickerCtrl* m_colorCommands;
    wxColourPickerCtrl* m_colorText;
    wxColourPickerCtrl* m_colorVariablen;
    wxColourPickerCtrl* m_colorPreprozessor;
    wxColourPickerCtrl* m_colorKommentare;
    wxColourPickerCtrl* m_colorRest;
    wxButton* m_btnColorStandard;
    wxCheckBox* m_checkFilter;
    wxButton* m_btnFilterStandard;
    wxTextCtrl* m_textFilter;
    wxButton* m_btnCancel;
    wxButton* m_btnOK;

    virtual void OnDlgClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnColorCommands(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnColorText(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnColorVariablen(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnColorPreprozessor(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnColorKommentare(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnColorRest(wxColourPickerEvent& event) { event.Skip(); }
    virtual void OnBtnColorStandardClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnFilterStandardClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnCancelClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnOKClick(wxCommandEvent& event) { event.Skip(); }
};
