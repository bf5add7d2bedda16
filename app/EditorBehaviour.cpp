// Auto-completion while typing, and the Ctrl keys of the editor.
#include "app/MainFrame.h"

void MainFrame::OnKey(wxStyledTextEvent& event) {
    int caret = editor_->GetCurrentPos();
    // The text always ends with a blank after the caret, so the lexer styles the word typed.
    if (caret == editor_->GetLength()) {
        editor_->InsertText(caret, " ");
        editor_->SetEmptySelection(caret);
    }
    editor_->Colourise(0, caret + 1);
    switch (editor_->GetStyleAt(caret)) {
        case wxSTC_C_COMMENTLINE:
        case wxSTC_C_PREPROCESSOR:
        case wxSTC_C_STRINGEOL:
            return;  // no list inside comments, directives or unfinished strings
        default:
            break;
    }
    const int start = editor_->WordStartPosition(caret, true);
    if (start == caret) return event.Skip();
    const wxString matches = completions_.Matches(editor_->GetTextRange(start, caret));
    if (!matches.empty()) editor_->AutoCompShow(caret - start, matches);
    event.Skip();
}

void MainFrame::OnCharHook(wxKeyEvent& event) {
    if (!event.ControlDown()) return event.Skip();
    switch (event.GetKeyCode()) {
        case '0':
            SetSize(500, 100, 800, 800);
            break;
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
