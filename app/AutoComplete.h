// The editor's auto-completion list without the editor: which names are offered for a typed
// prefix. GUI-free; MainFrame::OnKey hands the result to the styled text control.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <cstddef>
#include <string>
#include <vector>

// Sort order of the candidates: case-insensitive, ties broken case-sensitively (Abc before abc).
// Negative, 0 or positive. Lower case is taken character by character; A-Z and the Latin-1
// letters (Ä, Ö, Ü, ...) are lowered the same way in every locale.
int MyCompareFunction(const wxString& first, const wxString& second);

// The filter text split into words at blanks; a backslash directly before a blank keeps the
// blank in the word (the backslash itself is dropped). Any other backslash is an ordinary
// character. Runs of blanks separate like one blank: no word is empty.
wxArrayString FilterWords(const wxString& filter);

// The candidate list: data.keywordList, then the last compile's variables, strings, defines (as
// stored, with ';') and jump marks, duplicates kept, sorted with MyCompareFunction, and without
// every candidate equal (case-sensitive) to a filter word when data.autoCompFilterOn == 1.
// Rebuild it after each compile and each change of the filter; a key press only asks Matches.
class CompletionList {
public:
    void Rebuild();  // from `data` as it is now
    const wxArrayString& Candidates() const { return candidates_; }
    // Every candidate whose lower-case form begins with the lower-case prefix, in list order, each
    // followed by one blank (the text the editor's auto-completion list takes); empty when none.
    // The empty prefix begins every text, so it gives the whole list (the editor never asks for
    // it: without a word before the caret no list is shown). With marksOnly, only the jump marks
    // (the one thing a jump takes) are looked at.
    wxString Matches(const wxString& prefix, bool marksOnly = false) const;

private:
    // The sort order makes the names with one lower-case prefix neighbours, so a match is a
    // range: found by binary search over the lower-case forms, and cut out of `joined`, which
    // holds every name followed by a blank. offset[i] is where name i begins there; offset[n] is
    // the length of `joined`.
    struct Sorted {
        std::vector<std::wstring> lower;
        std::wstring joined;
        std::vector<size_t> offset;
        // Sorts `names` and keeps them; the names in that order are appended to `into` if given.
        void Build(const std::vector<const wxString*>& names, wxArrayString* into);
        wxString Matches(const wxString& prefix) const;
    };
    wxArrayString candidates_;
    Sorted all_, marks_;
};
