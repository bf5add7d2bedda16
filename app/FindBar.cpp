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
    matchCase_ = new wxCheckBox(this, wxID_ANY, wxString::FromUTF8("Gro\xc3\x9f-/Kleinschreibung"));
    wholeWord_ = new wxCheckBox(this, wxID_ANY, wxString::FromUTF8("Nur ganze W\xc3\xb6rter"));
    wrap_ = new wxCheckBox(this, wxID_ANY, "Am Ende von vorn");
    wrap_->SetValue(true);
    message_ = new wxStaticText(this, wxID_ANY, wxString());

    wxBoxSizer* findRow = new wxBoxSizer(wxHORIZONTAL);
    findRow->Add(findCaption, 0, wxALIGN_CENTER_VERTICAL);
    findRow->Add(find_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    AddButton(this, findRow, "Weiter", [this] { FindNext(true); });
    AddButton(this, findRow, wxString::FromUTF8("Zur\xc3\xbc" "ck"), [this] { FindNext(false); });
    for (wxCheckBox* box : {matchCase_, wholeWord_, wrap_}) findRow->Add(box, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    findRow->Add(message_, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    AddButton(this, findRow, wxString::FromUTF8("Schlie\xc3\x9f" "en"), [this] { Close(); });

    replaceRow_ = new wxBoxSizer(wxHORIZONTAL);
    replaceRow_->Add(replaceCaption, 0, wxALIGN_CENTER_VERTICAL);
    replaceRow_->Add(replace_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    AddButton(this, replaceRow_, "Ersetzen", [this] { Replace(); });
    AddButton(this, replaceRow_, "Alle ersetzen", [this] { ReplaceAll(); });

    wxBoxSizer* rows = new wxBoxSizer(wxVERTICAL);
    rows->Add(findRow, 0, wxEXPAND | wxALL, 3);
    rows->Add(replaceRow_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 3);
    SetSizer(rows);

    // Enter finds the next match, Shift+Enter the previous; typing searches as it goes.
    find_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { FindNext(!wxGetKeyState(WXK_SHIFT)); });
    replace_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { Replace(); });
    find_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        editor_->SetEmptySelection(editor_->GetSelectionStart());
        if (!find_->IsEmpty()) FindNext(true);
        else Say(wxString());
    });
    Hide();
}

void FindBar::Open(bool replace) {
    const int start = editor_->GetSelectionStart(), end = editor_->GetSelectionEnd();
    if (start < end && editor_->LineFromPosition(start) == editor_->LineFromPosition(end))
        find_->ChangeValue(editor_->GetTextRange(start, end));
    GetSizer()->Show(replaceRow_, replace, true);
    Say(wxString());
    Show();
    GetParent()->Layout();
    Layout();
    find_->SetFocus();
    find_->SelectAll();
}

void FindBar::Close() {
    Hide();
    GetParent()->Layout();
    editor_->SetFocus();
}

void FindBar::Say(const wxString& text) {
    message_->SetLabel(text);
    Layout();
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
    Say(wrapping ? wxString::FromUTF8("Am Ende angelangt, von vorn gesucht") : wxString());
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
    Say("Nicht gefunden");
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
    Say(count == 0 ? wxString("Nicht gefunden") : wxString::Format("%d ersetzt", count));
    return count;
}
