// Typing comfort: indentation that follows the blocks, and comments on and off for a selection.
#include "app/Indentation.h"
#include "app/MainFrame.h"

namespace {

// A line's text without its line end.
wxString TextOfLine(wxStyledTextCtrl* editor, int line) {
    return editor->GetTextRange(editor->PositionFromLine(line), editor->GetLineEndPosition(line));
}

// Enough for any script; a deeper search would only slow down typing in a huge text.
constexpr int kMaxLinesSearched = 20000;

}  // namespace

int MainFrame::OpenerIndentation(int line) const {
    int depth = 0;
    for (int above = line - 1; above >= 0 && above >= line - kMaxLinesSearched; --above) {
        switch (indent::RoleOf(TextOfLine(editor_, above))) {
            case indent::Role::Closes:
                ++depth;
                break;
            case indent::Role::Opens:
                if (depth-- == 0) return editor_->GetLineIndentation(above);
                break;
            case indent::Role::Middle:  // an "else" stands where its "if" stands
                if (depth == 0) return editor_->GetLineIndentation(above);
                break;
            case indent::Role::None:
                break;
        }
    }
    return -1;
}

void MainFrame::KeepIndentation(int key) {
    const int line = editor_->GetCurrentLine();
    const bool lineEnd = key == '\n' || (key == '\r' && editor_->GetEOLMode() == wxSTC_EOL_CR);
    if (lineEnd && line > 0) {
        const indent::Role before = indent::RoleOf(TextOfLine(editor_, line - 1));
        const bool opens = before == indent::Role::Opens || before == indent::Role::Middle;
        int wanted = editor_->GetLineIndentation(line - 1) + (opens ? indent::kUnit : 0);
        // Return before an end word leaves that word under its opener.
        const indent::Role here = indent::RoleOf(TextOfLine(editor_, line));
        const int opener = here == indent::Role::Closes || here == indent::Role::Middle ? OpenerIndentation(line) : -1;
        editor_->SetLineIndentation(line, opener >= 0 ? opener : wanted);
        editor_->GotoPos(editor_->GetLineIndentPosition(line));
        return;
    }
    // Only once the word is whole and nothing follows it: "endif" outdents, "endi" does not.
    const wxString text = TextOfLine(editor_, line);
    const indent::Role role = indent::RoleOf(text);
    if ((role != indent::Role::Closes && role != indent::Role::Middle) ||
        editor_->GetCurrentPos() != editor_->GetLineEndPosition(line) ||
        wxString(text).Trim(false).find_first_of(" \t") != wxString::npos)
        return;
    const int wanted = OpenerIndentation(line);
    if (wanted < 0 || wanted == editor_->GetLineIndentation(line)) return;
    editor_->SetLineIndentation(line, wanted);
    editor_->GotoPos(editor_->GetLineEndPosition(line));
}

void MainFrame::OnToggleCommentClick(wxCommandEvent&) {
    const int first = editor_->LineFromPosition(editor_->GetSelectionStart());
    int last = editor_->LineFromPosition(editor_->GetSelectionEnd());
    // A selection that ends at the start of a line does not take that line.
    if (last > first && editor_->GetSelectionEnd() == editor_->PositionFromLine(last)) --last;
    std::vector<wxString> lines;
    for (int line = first; line <= last; ++line) lines.push_back(TextOfLine(editor_, line));
    const std::vector<wxString> toggled = indent::ToggleComment(lines);
    // Line by line, so that the line ends stay as the file has them; one step to undo.
    editor_->BeginUndoAction();
    for (int line = first; line <= last; ++line) {
        if (toggled[line - first] == lines[line - first]) continue;
        editor_->SetTargetRange(editor_->PositionFromLine(line), editor_->GetLineEndPosition(line));
        editor_->ReplaceTarget(toggled[line - first]);
    }
    editor_->EndUndoAction();
    editor_->SetSelection(editor_->PositionFromLine(first), editor_->GetLineEndPosition(last));
}
