// Find and replace in the script editor: a bar below the editor, as editors of every kind have
// it. Search and replace act on the editor through its own search target.
#pragma once

#include <wx/checkbox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stc/stc.h>
#include <wx/textctrl.h>

class FindBar : public wxPanel {
public:
    FindBar(wxWindow* parent, wxStyledTextCtrl* editor);

    // Shows the bar, with the replace row when `replace`; a selection within one line becomes
    // the text to find.
    void Open(bool replace);
    void Close();  // hides the bar and gives the editor the focus back

    // Selects the next (or previous) match from the selection, wrapping around when that is
    // chosen, and tells "3 von 7"; false, and "Nicht gefunden" in the bar, when there is none.
    bool FindNext(bool forward);
    // Replaces the selection when it is a match, then selects the next one.
    void Replace();
    // Replaces every match in one undo step; how many.
    int ReplaceAll();

    wxTextCtrl* findText() const { return find_; }
    wxTextCtrl* replaceText() const { return replace_; }
    wxCheckBox* matchCase() const { return matchCase_; }
    wxCheckBox* wholeWord() const { return wholeWord_; }
    wxCheckBox* wrapAround() const { return wrap_; }
    wxString Message() const { return message_->GetLabel(); }
    wxStaticText* messageLabel() const { return message_; }
    static constexpr int kMatchIndicator = 9;  // next to the error squiggle, which is 8

private:
    // The first match between `from` and `to` (backwards when to < from): its start, or -1.
    int Search(int from, int to);
    bool Select(int from, int to, bool wrapping);
    // The result in the bar; the search field red when nothing was found.
    void Say(const wxString& text, bool found = true);
    // Marks every match with the find indicator (none when `on` is false); how many there are.
    int MarkMatches(bool on);

    wxStyledTextCtrl* editor_;
    wxTextCtrl* find_;
    wxTextCtrl* replace_;
    wxCheckBox* matchCase_;
    wxCheckBox* wholeWord_;
    wxCheckBox* wrap_;
    wxStaticText* message_;
    wxBoxSizer* replaceRow_;
};
