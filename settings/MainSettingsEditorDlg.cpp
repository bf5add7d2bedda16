#include "settings/MainSettingsEditorDlg.h"

#include <wx/sizer.h>

MainSettingsEditorDlg::MainSettingsEditorDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                             const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
    wxBoxSizer* main = new wxBoxSizer(wxVERTICAL);

    wxFlexGridSizer* colours = new wxFlexGridSizer(2, 7, 4, 12);
    m_labelCommands = new wxStaticText(this, wxID_ANY, "Commands");
    m_labelText = new wxStaticText(this, wxID_ANY, "\"Zeichenkette\"");
    m_labelVariablen = new wxStaticText(this, wxID_ANY, "Variablen/Defines");
    m_labelPreprozessor = new wxStaticText(this, wxID_ANY, "# (Preprozessor)");
    m_labelKommentare = new wxStaticText(this, wxID_ANY, "//Kommentare");
    m_labelRest = new wxStaticText(this, wxID_ANY, "alles Andere");
    for (wxStaticText* label :
         {m_labelCommands, m_labelText, m_labelVariablen, m_labelPreprozessor, m_labelKommentare, m_labelRest})
        colours->Add(label, 0, wxALIGN_BOTTOM | wxALIGN_CENTER_HORIZONTAL);
    colours->AddSpacer(0);

    m_colorCommands = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    m_colorText = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    m_colorVariablen = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    m_colorPreprozessor = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    m_colorKommentare = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    m_colorRest = new wxColourPickerCtrl(this, wxID_ANY, *wxBLACK);
    for (wxColourPickerCtrl* picker :
         {m_colorCommands, m_colorText, m_colorVariablen, m_colorPreprozessor, m_colorKommentare, m_colorRest})
        colours->Add(picker, 0, wxALIGN_CENTER_VERTICAL | wxALIGN_CENTER_HORIZONTAL);
    m_btnColorStandard = new wxButton(this, wxID_ANY, "Standardwerte");
    colours->Add(m_btnColorStandard, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 12);
    main->Add(colours, 0, wxALL, 8);

    wxBoxSizer* filterRow = new wxBoxSizer(wxHORIZONTAL);
    m_checkFilter = new wxCheckBox(this, wxID_ANY, "Filter Auto Complete");
    filterRow->Add(m_checkFilter, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
    m_btnFilterStandard = new wxButton(this, wxID_ANY, "Standard Filtervorgaben");
    filterRow->Add(m_btnFilterStandard, 0, wxALIGN_CENTER_VERTICAL);
    main->Add(filterRow, 0, wxLEFT | wxRIGHT, 8);

    m_textFilter = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    main->Add(m_textFilter, 0, wxEXPAND | wxALL, 8);

    main->AddStretchSpacer(1);
    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer(1);
    m_btnCancel = new wxButton(this, wxID_CANCEL, "Abbrechen");
    buttons->Add(m_btnCancel, 0, wxRIGHT, 8);
    m_btnOK = new wxButton(this, wxID_OK, "OK");
    buttons->Add(m_btnOK, 0);
    main->Add(buttons, 0, wxEXPAND | wxALL, 8);

    SetSizer(main);
    Layout();

    Bind(wxEVT_CLOSE_WINDOW, &MainSettingsEditorDlg::OnDlgClose, this);
    m_colorCommands->Bind(wxEVT_COLOURPICKER_CHANGED, &MainSettingsEditorDlg::OnColorCommands, this);
    m_colorText->Bind(wxEVT_COLOURPICKER_CHANGED, &MainSettingsEditorDlg::OnColorText, this);
    m_colorVariablen->Bind(wxEVT_COLOURPICKER_CHANGED, &MainSettingsEditorDlg::OnColorVariablen, this);
    m_colorPreprozessor->Bind(wxEVT_COLOURPICKER_CHANGED, &MainSettingsEditorDlg::OnColorPreprozessor, this);
    m_colorKommentare->Bind(wxEVT_COLOURPICKER_CHANGED, &MainSettingsEditorDlg::OnColorKommentare, this);
    m_colorRest->Bind(wxEVT_COLOURPICKER_CHANGED, &MainSettingsEditorDlg::OnColorRest, this);
    m_btnColorStandard->Bind(wxEVT_BUTTON, &MainSettingsEditorDlg::OnBtnColorStandardClick, this);
    m_btnFilterStandard->Bind(wxEVT_BUTTON, &MainSettingsEditorDlg::OnBtnFilterStandardClick, this);
    m_btnCancel->Bind(wxEVT_BUTTON, &MainSettingsEditorDlg::OnBtnCancelClick, this);
    m_btnOK->Bind(wxEVT_BUTTON, &MainSettingsEditorDlg::OnBtnOKClick, this);
}
