#include "dialogs/MainProgramDlg.h"
#include "dialogs/WindowPlace.h"

#include <wx/artprov.h>
#include <wx/sizer.h>

#include <algorithm>

MainProgramDlg::MainProgramDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Program", wxDefaultPosition, wxSize(430, 332),
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    progressButton = new wxButton(this, wxID_ANY, "Program");
    stopButton = new wxButton(this, wxID_ANY, "Stop/Clear");
    instructions = new wxStaticText(
        this, wxID_ANY,
        "Steuerung programmieren:\n-Program clicken\n-kurz von der Spannung trennen\n-Spannung wieder anlegen");
    portList = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(-1, 60), 0, nullptr, wxLB_SINGLE);
    portLabel = new wxStaticText(this, wxID_ANY, "Comport");
    portSearchButton = new wxBitmapButton(this, wxID_ANY, wxArtProvider::GetBitmapBundle(wxART_FIND, wxART_TOOLBAR));
    closeButton = new wxButton(this, wxID_ANY, "Close");
    progressGauge = new wxGauge(this, wxID_ANY, 100);
    // Wide enough for "Übertrage 100 %, noch 9999 s" so that the text never clips while it changes.
    phaseText = new wxStaticText(this, wxID_ANY, wxString::FromUTF8("Übertrage 100 %, noch 9999 s"), wxDefaultPosition,
                                 wxDefaultSize, wxST_NO_AUTORESIZE);
    phaseText->SetMinSize(phaseText->GetBestSize());
    phaseText->SetLabel(wxString());
    transferLog =
        new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_MULTILINE | wxTE_READONLY);

    wxFlexGridSizer* grid = new wxFlexGridSizer(3, 5, 5);
    grid->AddGrowableCol(2);
    grid->Add(progressButton, 0, wxEXPAND);
    grid->Add(stopButton, 0, wxEXPAND);
    grid->Add(instructions, 0, wxEXPAND);
    grid->Add(portList, 0, wxEXPAND);
    wxBoxSizer* port = new wxBoxSizer(wxVERTICAL);
    port->Add(portLabel);
    port->Add(portSearchButton);
    grid->Add(port);
    grid->Add(closeButton, 0, wxALIGN_BOTTOM | wxALIGN_RIGHT);
    wxBoxSizer* all = new wxBoxSizer(wxVERTICAL);
    all->Add(grid, 0, wxEXPAND | wxALL, 5);
    wxBoxSizer* progress = new wxBoxSizer(wxHORIZONTAL);
    progress->Add(progressGauge, 1, wxALIGN_CENTER_VERTICAL);
    progress->Add(phaseText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 5);
    all->Add(progress, 0, wxEXPAND | wxLEFT | wxRIGHT, 5);
    all->Add(transferLog, 1, wxEXPAND | wxALL, 5);
    SetSizer(all);
    SetSize(wxSize(430, 332));
    FitTexts();
    place::Keep(this);
    // The toolkit knows the final text sizes only once the window is realised: fit again then.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) FitTexts();
        event.Skip();
    });

    progressButton->Bind(wxEVT_BUTTON, &MainProgramDlg::OnBtnProgramClick, this);
    stopButton->Bind(wxEVT_BUTTON, &MainProgramDlg::OnBtnStopClick, this);
    portList->Bind(wxEVT_LISTBOX, &MainProgramDlg::OnListBoxComportClick, this);
    portList->Bind(wxEVT_LISTBOX_DCLICK, &MainProgramDlg::OnListBoxComportClick, this);
    portSearchButton->Bind(wxEVT_BUTTON, &MainProgramDlg::OnBtnReadComClick, this);
    closeButton->Bind(wxEVT_BUTTON, &MainProgramDlg::OnBtnCloseClick, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainProgramDlg::OnDlgClose, this);
}

void MainProgramDlg::FitTexts() {
    // At least the classic size, and as large as the texts need in the system's font.
    const wxSize best = GetSizer()->ComputeFittingWindowSize(this);
    SetMinSize(best);
    const wxSize size = GetSize();
    if (size.x < best.x || size.y < best.y) SetSize(wxSize(std::max(size.x, best.x), std::max(size.y, best.y)));
}
