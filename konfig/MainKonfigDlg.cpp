#include "konfig/MainKonfigDlg.h"

#include <wx/intl.h>
#include <wx/sizer.h>

namespace {

constexpr int kModelColumns = 3;  // narrow enough for the row blocks beside it

}  // namespace

MainKonfigDlg::MainKonfigDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Konfig PX / RS232"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxSTAY_ON_TOP) {
    // Left: the key and LED numbers, one grid row per module row, in blocks side by side.
    rowGrid = new wxGridBagSizer(0, 0);
    const char* heads[] = {"Nr.", "Taster", "Led"};
    for (int column = 0; column < 3 * kRowBlocks; ++column)
        rowGrid->Add(new wxStaticText(this, wxID_ANY, heads[column % 3]), wxGBPosition(0, column), wxDefaultSpan,
                     wxALIGN_CENTER | wxLEFT | wxRIGHT | wxTOP, 3);

    // Right: the port in use, the exchange buttons, the log and the model presets.
    auto* port = new wxBoxSizer(wxHORIZONTAL);
    port->Add(new wxStaticText(this, wxID_ANY, "Comport:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    portLabel = new wxStaticText(this, wxID_ANY, "Comx");
    port->Add(portLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
    auto* origin = new wxStaticText(this, wxID_ANY, "(Program Dlg)");
    wxFont small = origin->GetFont();
    small.SetPointSize(7);
    origin->SetFont(small);
    port->Add(origin, 0, wxALIGN_CENTER_VERTICAL);

    connectButton = new wxButton(this, wxID_ANY, "Connect");
    readButton = new wxButton(this, wxID_ANY, "Read");
    writeButton = new wxButton(this, wxID_ANY, "Write");
    clearButton = new wxButton(this, wxID_ANY, "Clear");
    auto* actions = new wxBoxSizer(wxHORIZONTAL);
    for (wxButton* button : {connectButton, readButton, writeButton}) actions->Add(button, 0, wxRIGHT, 5);
    actions->AddStretchSpacer();
    actions->Add(clearButton);

    konfigLog =
        new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(-1, 120), wxTE_MULTILINE | wxTE_READONLY);

    auto* models = new wxGridSizer(kModelColumns, 5, 5);
    int index = 0;
#define TQC_MODEL_BUTTON(id, label, ...)                                             \
    modelButtons[index] = new wxButton(this, wxID_ANY, label);                       \
    modelButtons[index]->Bind(wxEVT_BUTTON, &MainKonfigDlg::OnBtn##id##Click, this); \
    models->Add(modelButtons[index++], 0, wxEXPAND);
    TQC_PX_MODELS(TQC_MODEL_BUTTON)
#undef TQC_MODEL_BUTTON

    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(port, 0, wxEXPAND | wxBOTTOM, 10);
    right->Add(actions, 0, wxEXPAND | wxBOTTOM, 5);
    right->Add(konfigLog, 1, wxEXPAND | wxBOTTOM, 10);
    right->Add(models, 0, wxEXPAND);

    auto* all = new wxBoxSizer(wxHORIZONTAL);
    all->Add(rowGrid, 0, wxALL, 5);
    all->Add(right, 1, wxEXPAND | wxALL, 10);
    SetSizer(all);

    connectButton->Bind(wxEVT_BUTTON, &MainKonfigDlg::OnBtnConnectClick, this);
    readButton->Bind(wxEVT_BUTTON, &MainKonfigDlg::OnBtnReadClick, this);
    writeButton->Bind(wxEVT_BUTTON, &MainKonfigDlg::OnBtnWriteClick, this);
    clearButton->Bind(wxEVT_BUTTON, &MainKonfigDlg::OnBtnClearClick, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainKonfigDlg::OnDlgClose, this);
}
