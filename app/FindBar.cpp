#include "app/FindBar.h"

#include <wx/button.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>

namespace {

wxButton* AddButton(wxWindow* parent, wxSizer* row, const wxString& label, const std::function<void()>& action) {
    wxButton* button = new wxButton(parent, wxID_ANY, label, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    button->Bind(wxEVT_BUTTON, [action](wxCommandEvent&) { action(); });
    row->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    return button;
}

}  // namespace

FindBar::FindBar(wxWindow* parent, wxStyledTextCtrl* editor) : wxPanel(parent), editor_(editor) {
    const wxString findLabel = wxString::FromUTF8("Suchen:"), replaceLabel = wxString::FromUTF8("Ersetzen:");
    wxStaticText* findCaption = new wxStaticText(this, wxID_ANY, findLabel);
    wxStaticText* replaceCaption = new wxStaticText(this, wxID_ANY, replaceLabel);
    // Both captions as wide as the wider one, so that the two text fields line up.
    const wxSize caption(std::max(findCaption->GetBestSize().x, replaceCaption->GetBestSize().x), -1);
    findCaption->SetMinSize(caption);
    replaceCaption->SetMinSize(caption);
    find_ = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(260, -1), wxTE_PROCESS_ENTER);
    replace_ = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(260, -1), wxTE_PROCESS_ENTER);
    // The search field gives way to a narrow window, down to room for a word or two.
    find_->SetMinSize(FromDIP(wxSize(120, -1)));
    find_->SetMaxSize(FromDIP(wxSize(260, -1)));
    matchCase_ = new wxCheckBox(this, wxID_ANY, wxString::FromUTF8("Groß-/Kleinschreibung"));
    wholeWord_ = new wxCheckBox(this, wxID_ANY, wxString::FromUTF8("Nur ganze Wörter"));
    wrap_ = new wxCheckBox(this, wxID_ANY, "Am Ende von vorn");
    wrap_->SetValue(true);
    // As wide as the longest result it tells, so that none of them is cut.
    message_ = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
    int widest = 0;
    for (const char* text : {"Nicht gefunden", "99999 von 99999, von vorn", "99999 ersetzt"})
        widest = std::max(widest, message_->GetTextExtent(text).x);
    message_->SetMinSize(wxSize(widest + FromDIP(4), -1));

    wxBoxSizer* findRow = new wxBoxSizer(wxHORIZONTAL);
    findRow->Add(findCaption, 0, wxALIGN_CENTER_VERTICAL);
    findRow->Add(find_, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    AddButton(this, findRow, "Weiter", [this] { FindNext(true); });
    AddButton(this, findRow, wxString::FromUTF8("Zurück"), [this] { FindNext(false); });
    findRow->Add(message_, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    AddButton(this, findRow, wxString::FromUTF8("Schließen"), [this] { Close(); });

    // The options on a row of their own, so that the find row fits a window 800 pixels wide.
    wxBoxSizer* optionRow = new wxBoxSizer(wxHORIZONTAL);
    optionRow->AddSpacer(caption.x - 4);
    for (wxCheckBox* box : {matchCase_, wholeWord_, wrap_}) optionRow->Add(box, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);

    replaceRow_ = new wxBoxSizer(wxHORIZONTAL);
    replaceRow_->Add(replaceCaption, 0, wxALIGN_CENTER_VERTICAL);
    replaceRow_->Add(replace_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    AddButton(this, replaceRow_, "Ersetzen", [this] { Replace(); });
    AddButton(this, replaceRow_, "Alle ersetzen", [this] { ReplaceAll(); });

    wxBoxSizer* rows = new wxBoxSizer(wxVERTICAL);
    rows->Add(findRow, 0, wxEXPAND | wxALL, 3);
    rows->Add(optionRow, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 3);
    rows->Add(replaceRow_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 3);
    SetSizer(rows);

    editor_->IndicatorSetStyle(kMatchIndicator, wxSTC_INDIC_ROUNDBOX);
    editor_->IndicatorSetForeground(kMatchIndicator, wxColour(255, 200, 0));
    editor_->IndicatorSetAlpha(kMatchIndicator, 90);

    // Enter finds the next match, Shift+Enter the previous; typing searches as it goes.
    find_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { FindNext(!wxGetKeyState(WXK_SHIFT)); });
    replace_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { Replace(); });
    find_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        editor_->SetEmptySelection(editor_->GetSelectionStart());
        if (!find_->IsEmpty())
            FindNext(true);
        else {
            MarkMatches(false);
            Say(wxString());
        }
    });
    // Marks follow the text while the bar is open: an edit re-marks once the editor is done.
    editor_->Bind(wxEVT_STC_MODIFIED, [this](wxStyledTextEvent& event) {
        event.Skip();
        if (IsShown() && (event.GetModificationType() & (wxSTC_MOD_INSERTTEXT | wxSTC_MOD_DELETETEXT)))
            CallAfter([this] {
                if (IsShown()) MarkMatches(true);
            });
    });
    Hide();
}

void FindBar::Open(bool replace) {
    const int start = editor_->GetSelectionStart(), end = editor_->GetSelectionEnd();
    if (start < end && editor_->LineFromPosition(start) == editor_->LineFromPosition(end))
        find_->ChangeValue(editor_->GetTextRange(start, end));
    GetSizer()->Show(replaceRow_, replace, true);
    MarkMatches(true);
    Say(wxString());
    Show();
    GetParent()->Layout();
    Layout();
    find_->SetFocus();
    find_->SelectAll();
}

void FindBar::Close() {
    MarkMatches(false);
    Say(wxString());
    Hide();
    GetParent()->Layout();
    editor_->SetFocus();
}

void FindBar::Say(const wxString& text, bool found) {
    message_->SetLabel(text);
    find_->SetBackgroundColour(found ? wxNullColour : wxColour(255, 170, 170));
    find_->Refresh();
}

int FindBar::MarkMatches(bool on) {
    editor_->SetIndicatorCurrent(kMatchIndicator);
    editor_->IndicatorClearRange(0, editor_->GetLength());
    int count = 0;
    if (!on || find_->IsEmpty()) return 0;
    for (int from = 0; Search(from, editor_->GetLength()) >= 0; ++count) {
        const int start = editor_->GetTargetStart(), end = editor_->GetTargetEnd();
        editor_->IndicatorFillRange(start, end - start);
        from = std::max(end, start + 1);
        if (from > editor_->GetLength()) break;
    }
    return count;
}

int FindBar::Search(int from, int to) {
    editor_->SetSearchFlags((matchCase_->GetValue() ? wxSTC_FIND_MATCHCASE : 0) |
                            (wholeWord_->GetValue() ? wxSTC_FIND_WHOLEWORD : 0));
    editor_->SetTargetRange(from, to);
    return editor_->SearchInTarget(find_->GetValue());
}

bool FindBar::Select(int from, int to, bool wrapping) {
    if (Search(from, to) < 0) return false;
    editor_->SetSelection(editor_->GetTargetStart(), editor_->GetTargetEnd());
    editor_->EnsureCaretVisible();
    editor_->ScrollRange(editor_->GetTargetStart(), editor_->GetTargetEnd());
    // Which match this is: the matches before it, counted as the marks are set.
    const int start = editor_->GetSelectionStart(), count = MarkMatches(true);
    int index = 1;
    for (int from = 0; Search(from, start) >= 0 && editor_->GetTargetStart() < start; ++index)
        from = std::max(editor_->GetTargetEnd(), editor_->GetTargetStart() + 1);
    Say(wxString::Format(wrapping ? "%d von %d, von vorn" : "%d von %d", index, count));
    return true;
}

bool FindBar::FindNext(bool forward) {
    if (find_->IsEmpty()) {
        Open(replace_->IsShown());
        return false;
    }
    const int length = editor_->GetLength();
    if (forward ? Select(editor_->GetSelectionEnd(), length, false) : Select(editor_->GetSelectionStart(), 0, false))
        return true;
    if (wrap_->GetValue() && (forward ? Select(0, length, true) : Select(length, 0, true))) return true;
    MarkMatches(true);
    Say("Nicht gefunden", false);
    return false;
}

void FindBar::Replace() {
    const int start = editor_->GetSelectionStart(), end = editor_->GetSelectionEnd();
    // Only a selection that is itself a match is replaced; otherwise this first finds one.
    if (!find_->IsEmpty() && start < end && Search(start, end) == start && editor_->GetTargetEnd() == end) {
        editor_->ReplaceTarget(replace_->GetValue());
        editor_->SetEmptySelection(editor_->GetTargetEnd());
    }
    FindNext(true);
}

int FindBar::ReplaceAll() {
    if (find_->IsEmpty()) return 0;
    int count = 0;
    editor_->BeginUndoAction();
    for (int from = 0; Search(from, editor_->GetLength()) >= 0; ++count) {
        editor_->ReplaceTarget(replace_->GetValue());
        from = editor_->GetTargetEnd();
    }
    editor_->EndUndoAction();
    MarkMatches(true);
    Say(count == 0 ? wxString("Nicht gefunden") : wxString::Format("%d ersetzt", count), count > 0);
    return count;
}
