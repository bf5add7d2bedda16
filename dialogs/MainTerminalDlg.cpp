#include "dialogs/MainTerminalDlg.h"
#include "dialogs/WindowPlace.h"

#include <wx/artprov.h>
#include <wx/sizer.h>

#include <iterator>

namespace {

// A list box under its label.
wxBoxSizer* Labelled(wxWindow* parent, const wxString& label, wxStaticText*& labelCtrl, wxListBox*& list,
                     const wxArrayString& items, int width) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    labelCtrl = new wxStaticText(parent, wxID_ANY, label);
    list = new wxListBox(parent, wxID_ANY, wxDefaultPosition, wxSize(width, 110), items, wxLB_SINGLE);
    column->Add(labelCtrl, 0, wxLEFT | wxRIGHT | wxTOP, 4);
    column->Add(list, 1, wxALL | wxEXPAND, 4);
    return column;
}

// A read-only view of received lines in a fixed-width font, without margins or undo.
wxStyledTextCtrl* ReceivedView(wxWindow* parent) {
    auto* view = new wxStyledTextCtrl(parent, wxID_ANY);
    view->StyleSetFont(wxSTC_STYLE_DEFAULT, wxFont(wxFontInfo(9).Family(wxFONTFAMILY_TELETYPE)));
    view->StyleClearAll();
    for (int margin = 0; margin < 3; ++margin) view->SetMarginWidth(margin, 0);
    view->SetUndoCollection(false);
    view->SetEOLMode(wxSTC_EOL_LF);
    view->SetReadOnly(true);
    return view;
}

wxArrayString Items(std::initializer_list<const char*> texts) {
    wxArrayString items;
    for (const char* text : texts) items.Add(text);
    return items;
}

}  // namespace

MainTerminalDlg::MainTerminalDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                 const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
    auto* top = new wxBoxSizer(wxVERTICAL);

    // Port settings.
    auto* lists = new wxBoxSizer(wxHORIZONTAL);
    wxArrayString bauds;
    for (int baud : TerminalSettings::kBauds) bauds.Add(wxString::Format("%d", baud));
    lists->Add(Labelled(this, "Baud", m_labelBaud, m_listBoxBaud, bauds, 90), 0, wxEXPAND);
    lists->Add(Labelled(this, "Datenbits", m_labelDatenbits, m_listBoxDatenbits, Items({"8", "7", "6"}), 70), 0,
               wxEXPAND);
    lists->Add(Labelled(this, "Stopbits", m_labelStopbits, m_listBoxStopbits, Items({"1", "2"}), 70), 0, wxEXPAND);
    lists->Add(Labelled(this, "Paritaet", m_labelParitaet, m_listBoxParitaet, Items({"None", "Odd", "Even"}), 80), 0,
               wxEXPAND);
    lists->Add(Labelled(this, "Comport", m_labelComport, m_listBoxComport, wxArrayString(), 180), 1, wxEXPAND);
    m_btnReadCom = new wxBitmapButton(this, wxID_ANY, wxArtProvider::GetBitmapBundle(wxART_FIND, wxART_BUTTON));
    lists->Add(m_btnReadCom, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
    top->Add(lists, 0, wxEXPAND);

    // How received lines are shown, and their recording.
    auto* options = new wxBoxSizer(wxHORIZONTAL);
    m_checkTimestamps = new wxCheckBox(this, wxID_ANY, "Zeitstempel");
    m_btnRecord = new wxButton(this, wxID_ANY, "Aufzeichnen ...");
    options->Add(m_checkTimestamps, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
    options->Add(m_btnRecord, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
    top->Add(options, 0, wxEXPAND);

    // Received bytes, as characters and in hexadecimal.
    auto* views = new wxBoxSizer(wxHORIZONTAL);
    auto* textColumn = new wxBoxSizer(wxVERTICAL);
    m_labelText = new wxStaticText(this, wxID_ANY, "Text");
    m_textReceived = ReceivedView(this);
    m_btnClear1 = new wxButton(this, wxID_ANY, "Clear");
    textColumn->Add(m_labelText, 0, wxLEFT | wxRIGHT | wxTOP, 4);
    textColumn->Add(m_textReceived, 1, wxALL | wxEXPAND, 4);
    textColumn->Add(m_btnClear1, 0, wxLEFT | wxBOTTOM, 4);
    auto* hexColumn = new wxBoxSizer(wxVERTICAL);
    m_labelHex = new wxStaticText(this, wxID_ANY, "Hex");
    m_textReceivedHex = ReceivedView(this);
    m_btnClear2 = new wxButton(this, wxID_ANY, "Clear");
    hexColumn->Add(m_labelHex, 0, wxLEFT | wxRIGHT | wxTOP, 4);
    hexColumn->Add(m_textReceivedHex, 1, wxALL | wxEXPAND, 4);
    hexColumn->Add(m_btnClear2, 0, wxLEFT | wxBOTTOM, 4);
    views->Add(textColumn, 1, wxEXPAND);
    views->Add(hexColumn, 1, wxEXPAND);
    top->Add(views, 1, wxEXPAND);

    // Send texts: two columns of four, buttons 1-4 on the left, 5-8 on the right; created pairwise
    // (1, 5, 2, 6, ...) so that the tab order runs across each row.
    auto* sends = new wxFlexGridSizer(4, 4, 2, 4);
    sends->AddGrowableCol(0, 1);
    sends->AddGrowableCol(2, 1);
    for (int row = 0; row < 4; ++row) {
        for (int index : {row, row + 4}) {
            m_textSend[index] = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
            m_btnSend[index] = new wxButton(this, wxID_ANY, wxString::Format("Send %d", index + 1));
            sends->Add(m_textSend[index], 1, wxEXPAND);
            sends->Add(m_btnSend[index], 0, wxALIGN_CENTER_VERTICAL);
        }
    }
    top->Add(sends, 0, wxALL | wxEXPAND, 4);

    // Banks and closing buttons.
    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    const char* banks[] = {"1   ", "2   ", "3   ", "4   ", "5   ", "6   "};
    static_assert(std::size(banks) == TerminalSettings::kBanks, "one button per bank");
    m_radioSendPresets =
        new wxRadioBox(this, wxID_ANY, "Send Presets", wxDefaultPosition, wxDefaultSize,
                       wxArrayString(std::size(banks), banks), TerminalSettings::kBanks, wxRA_SPECIFY_COLS);
    m_btnStorePresets = new wxButton(this, wxID_ANY, "Store Presets");
    m_labelLineEnd = new wxStaticText(this, wxID_ANY, "Zeilenende");
    m_choiceLineEnd =
        new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, Items({"keins", "CR", "LF", "CR LF"}));
    m_btnClose = new wxButton(this, wxID_ANY, "Close");
    bottom->Add(m_radioSendPresets, 0, wxALL, 4);
    bottom->Add(m_btnStorePresets, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
    bottom->Add(m_labelLineEnd, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 12);
    bottom->Add(m_choiceLineEnd, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
    bottom->AddStretchSpacer(1);
    bottom->Add(m_btnClose, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
    top->Add(bottom, 0, wxEXPAND);

    SetSizer(top);
    Layout();
    place::Keep(this);

    Bind(wxEVT_CLOSE_WINDOW, &MainTerminalDlg::OnDlgClose, this);
    // A list reacts to a selection and to a double click alike.
    const struct {
        wxListBox* list;
        void (MainTerminalDlg::*handler)(wxCommandEvent&);
    } lists_[] = {{m_listBoxBaud, &MainTerminalDlg::OnListBoxBaudClick},
                  {m_listBoxDatenbits, &MainTerminalDlg::OnListBoxDatenbitsClick},
                  {m_listBoxStopbits, &MainTerminalDlg::OnListBoxStopbitsClick},
                  {m_listBoxParitaet, &MainTerminalDlg::OnListBoxParitaetClick},
                  {m_listBoxComport, &MainTerminalDlg::OnListBoxComportClick}};
    for (const auto& entry : lists_) {
        entry.list->Bind(wxEVT_LISTBOX, entry.handler, this);
        entry.list->Bind(wxEVT_LISTBOX_DCLICK, entry.handler, this);
    }
    m_btnReadCom->Bind(wxEVT_BUTTON, &MainTerminalDlg::OnBtnReadComClick, this);
    m_checkTimestamps->Bind(wxEVT_CHECKBOX, &MainTerminalDlg::OnCheckTimestampsClick, this);
    m_btnRecord->Bind(wxEVT_BUTTON, &MainTerminalDlg::OnBtnRecordClick, this);
    m_choiceLineEnd->Bind(wxEVT_CHOICE, &MainTerminalDlg::OnChoiceLineEndClick, this);
    m_btnClear1->Bind(wxEVT_BUTTON, &MainTerminalDlg::OnBtnClear1Click, this);
    m_btnClear2->Bind(wxEVT_BUTTON, &MainTerminalDlg::OnBtnClear2Click, this);
    for (int index = 0; index < kSendButtons; ++index)
        m_btnSend[index]->Bind(wxEVT_BUTTON, [this, index](wxCommandEvent& event) { OnBtnSendClick(index, event); });
    m_radioSendPresets->Bind(wxEVT_RADIOBOX, &MainTerminalDlg::OnRadioSendPresetsClick, this);
    m_btnStorePresets->Bind(wxEVT_BUTTON, &MainTerminalDlg::OnBtnStorePresetsClick, this);
    m_btnClose->Bind(wxEVT_BUTTON, &MainTerminalDlg::OnBtnCloseClick, this);
}
