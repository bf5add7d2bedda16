// Auto-completion while typing, and the keys of the editor.
#include "app/FindBar.h"
#include "app/MainFrame.h"

#include <wx/display.h>

void MainFrame::OnKey(wxStyledTextEvent& event) {
    // Nothing but indentation is added to the text here: a file changes only by what the user types.
    const bool typed = event.GetEventType() == wxEVT_STC_CHARADDED;
    if (typed) KeepIndentation(event.GetKey());
    const int caret = editor_->GetCurrentPos();
    if (typed && event.GetKey() == ' ') ShowCommandTip();
    if (typed && (event.GetKey() == '\n' || event.GetKey() == '\r') && editor_->CallTipActive())
        editor_->CallTipCancel();
    editor_->Colourise(0, caret + 1);
    // At the end of the text the caret has no character of its own: the one before it tells.
    switch (editor_->GetStyleAt(caret > 0 && caret == editor_->GetLength() ? caret - 1 : caret)) {
        case wxSTC_C_COMMENTLINE:
        case wxSTC_C_PREPROCESSOR:
        case wxSTC_C_STRINGEOL:
            return;  // no list inside comments, directives or unfinished strings
        default:
            break;
    }
    const int start = editor_->WordStartPosition(caret, true);
    if (start == caret) return event.Skip();
    // A jump takes a mark and nothing else, so only the marks are offered after one.
    const wxString before = editor_->GetTextRange(editor_->PositionFromLine(editor_->LineFromPosition(start)), start);
    const wxString command = wxString(before).Strip(wxString::both);
    const bool mark = command == "jump" || command == "retjump" || command == "retjumptimer1";
    const wxString matches = completions_.Matches(editor_->GetTextRange(start, caret), mark);
    if (!matches.empty()) editor_->AutoCompShow(caret - start, matches);
    event.Skip();
}

void MainFrame::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && findBar_->IsShown() && !editor_->AutoCompActive()) {
        findBar_->Close();
        return;
    }
    // The second keys of Compile and Program (F7, F5) and of the comment toggle (Ctrl+/), as
    // other editors have them; the menus show the first.
    const int code = event.GetKeyCode();
    const bool slash = event.GetUnicodeKey() == '/' || code == '/';
    const int command = !event.HasAnyModifiers() && code == WXK_F7                ? ID_COMPILE
                        : !event.HasAnyModifiers() && code == WXK_F5              ? ID_PROGRAM
                        : event.ControlDown() && slash && !FocusedEntry(findBar_) ? ID_TOGGLE_COMMENT
                                                                                  : 0;
    if (command) {
        wxCommandEvent menu(wxEVT_MENU, command);
        ProcessWindowEvent(menu);
        return;
    }
    // The editor's keys; in the find bar's fields Ctrl+Space and Ctrl+Up/Down are theirs.
    if (!event.ControlDown() || (FocusedEntry(findBar_) && event.GetKeyCode() != '0')) return event.Skip();
    switch (event.GetKeyCode()) {
        case '0': {
            // The classic place and size, moved and shrunk only as far as the screen needs.
            const wxRect wanted(500, 100, 800, 800);
            int display = wxDisplay::GetFromPoint(wanted.GetTopLeft());
            if (display == wxNOT_FOUND) display = wxDisplay::GetFromWindow(this);
            const wxRect screen =
                wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
            SetSize(FitToScreen(wanted, screen));
            break;
        }
        case WXK_SPACE: {
            wxStyledTextEvent empty;
            OnKey(empty);
            break;
        }
        case WXK_UP:
            editor_->MoveSelectedLinesUp();
            break;
        case WXK_DOWN:
            editor_->MoveSelectedLinesDown();
            break;
        default:
            event.Skip();
    }
}
