// Layout of the terminal: the five port lists and the port search above, the view choices and
// the recording, the received text and the received bytes in hexadecimal with their "Clear"
// buttons, eight send texts with their buttons and line end, the bank choice and the closing buttons.
#pragma once

#include "settings/TerminalSettings.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/radiobox.h>
#include <wx/stattext.h>
#include <wx/stc/stc.h>
#include <wx/textctrl.h>

class MainTerminalDlg : public wxDialog {
public:
    MainTerminalDlg(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = "Terminal",
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(800, 628),
                    long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~MainTerminalDlg() override = default;

    static constexpr int kSendButtons = TerminalSettings::kEntries;

protected:
    wxStaticText* m_labelBaud;
    wxListBox* m_listBoxBaud;
    wxStaticText* m_labelDatenbits;
    wxListBox* m_listBoxDatenbits;
    wxStaticText* m_labelStopbits;
    wxListBox* m_listBoxStopbits;
    wxStaticText* m_labelParitaet;
    wxListBox* m_listBoxParitaet;
    wxStaticText* m_labelComport;
    wxListBox* m_listBoxComport;
    wxBitmapButton* m_btnReadCom;
    wxCheckBox* m_checkTimestamps;
    wxButton* m_btnRecord;
    wxStaticText* m_labelText;
    wxStaticText* m_labelHex;
    // Read-only editor controls: they append and drop lines at a device's full rate, where a
    // multi-line text box lays out its whole text again.
    wxStyledTextCtrl* m_textReceived;
    wxButton* m_btnClear1;
    wxStyledTextCtrl* m_textReceivedHex;
    wxButton* m_btnClear2;
    // Index k belongs to the button "Send k+1".
    wxTextCtrl* m_textSend[kSendButtons];
    wxButton* m_btnSend[kSendButtons];
    wxStaticText* m_labelLineEnd;
    wxChoice* m_choiceLineEnd;  // "keins", "CR", "LF", "CR LF"
    wxRadioBox* m_radioSendPresets;
    wxButton* m_btnStorePresets;
    wxButton* m_btnClose;

    virtual void OnDlgClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnListBoxBaudClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnListBoxDatenbitsClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnListBoxStopbitsClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnListBoxParitaetClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnListBoxComportClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnReadComClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnCheckTimestampsClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnRecordClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnChoiceLineEndClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnClear1Click(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnClear2Click(wxCommandEvent& event) { event.Skip(); }
    // The send buttons share one handler; `index` 0-7 is the button "Send index+1".
    virtual void OnBtnSendClick(int index, wxCommandEvent& event) {
        (void)index;
        event.Skip();
    }
    virtual void OnRadioSendPresetsClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnStorePresetsClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBtnCloseClick(wxCommandEvent& event) { event.Skip(); }
};
