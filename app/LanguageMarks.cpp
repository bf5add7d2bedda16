// The editor knows the language while the user types: each pause compiles the text as
// "Compile" does and marks every error on its line; call tips and hover show a command's
// syntax or a name's declaration; F12 and Ctrl+click go to a declaration. None of it touches
// the text, the caret or the undo history.
#include "app/MainFrame.h"

#include "compiler/ErrorDlg.h"
#include "compiler/LanguageService.h"
#include "compiler/commands/CommandSyntax.h"

#include <wx/filename.h>

#include <algorithm>

namespace {

constexpr int kErrorMarker = 0;     // in margin 1
constexpr int kErrorIndicator = 8;  // the first indicator no lexer uses
constexpr int kAnnotationStyle = wxSTC_STYLE_LASTPREDEFINED + 1;
constexpr int kPauseMs = 300;

}  // namespace

void MainFrame::SetUpLanguageMarks() {
    editor_->SetMarginType(1, wxSTC_MARGIN_SYMBOL);
    editor_->SetMarginMask(1, 1 << kErrorMarker);
    editor_->SetMarginWidth(1, 14);
    editor_->MarkerDefine(kErrorMarker, wxSTC_MARK_CIRCLE, wxColour(160, 0, 0), wxColour(230, 60, 60));
    editor_->IndicatorSetStyle(kErrorIndicator, wxSTC_INDIC_SQUIGGLE);
    editor_->IndicatorSetForeground(kErrorIndicator, wxColour(220, 0, 0));
    editor_->StyleSetForeground(kAnnotationStyle, wxColour(150, 0, 0));
    editor_->StyleSetBackground(kAnnotationStyle, wxColour(255, 235, 235));
    editor_->StyleSetItalic(kAnnotationStyle, true);
    editor_->SetMouseDwellTime(500);

    checkTimer_.SetOwner(this);
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { CheckNow(); }, checkTimer_.GetId());
    editor_->Bind(wxEVT_STC_DWELLSTART, [this](wxStyledTextEvent& event) {
        // Beside the text of a line (after its end, in the margin) the nearest position tells the line.
        const int pos = event.GetPosition();
        ShowHover(pos >= 0 ? pos : editor_->PositionFromPoint(wxPoint(event.GetX(), event.GetY())));
    });
    editor_->Bind(wxEVT_STC_DWELLEND, [this](wxStyledTextEvent&) {
        if (editor_->CallTipActive()) editor_->CallTipCancel();
    });
    editor_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        if (!event.ControlDown()) return event.Skip();
        const int pos = editor_->PositionFromPoint(event.GetPosition());
        editor_->GotoPos(pos);
        GoToDefinition(pos);
    });
}

void MainFrame::ScheduleCheck() { checkTimer_.StartOnce(kPauseMs); }

void MainFrame::CheckNow() {
    checkTimer_.Stop();
    CompileLatin1(script::ToLatin1(EditorBytes()));
    MarkErrors();
    if (glErrorDlg) glErrorDlg->ShowRows();  // it lists what the marks show, never older errors
    const wxString names = UserKeywords();
    if (names != shownNames_) {  // new keywords restyle the text: only when they changed
        shownNames_ = names;
        editor_->SetKeyWords(1, names);
        completions_.Rebuild();
    }
    ShowSummary(true);
    ShowStructure();
}

void MainFrame::MarkErrors() {
    // The notes change the height of the lines above the caret: its row on screen is kept.
    const int caretLine = editor_->GetCurrentLine();
    const int row = editor_->VisibleFromDocLine(caretLine) - editor_->GetFirstVisibleLine();
    diagnostics_ = lang::Diagnostics(editor_->GetLineCount());
    // Annotations sit only on marked lines, and both move with the text; clearing them line by
    // line spares the redraw that clearing all of them costs for every line of the script. An
    // empty text would still be drawn as an empty box: the note is removed.
    for (int line = editor_->MarkerNext(0, 1 << kErrorMarker); line >= 0;
         line = editor_->MarkerNext(line + 1, 1 << kErrorMarker))
        editor_->AnnotationClearLine(line);
    editor_->MarkerDeleteAll(kErrorMarker);
    editor_->SetIndicatorCurrent(kErrorIndicator);
    editor_->IndicatorClearRange(0, editor_->GetLength());
    wxString annotation;
    for (size_t i = 0; i < diagnostics_.size(); ++i) {
        const lang::Diagnostic& d = diagnostics_[i];
        const bool first = i == 0 || diagnostics_[i - 1].line != d.line;
        if (first) {
            editor_->MarkerAdd(d.line, kErrorMarker);
            // Under the line's text, from its first non-blank character on.
            const int start = editor_->GetLineIndentPosition(d.line), end = editor_->GetLineEndPosition(d.line);
            editor_->IndicatorFillRange(start, end - start);
            annotation.clear();
        }
        annotation += (first ? "" : "\n") + d.message;
        const bool last = i + 1 == diagnostics_.size() || diagnostics_[i + 1].line != d.line;
        if (last && editorSettings_.Annotations()) {
            editor_->AnnotationSetText(d.line, annotation);
            editor_->AnnotationSetStyle(d.line, kAnnotationStyle);
        }
    }
    editor_->AnnotationSetVisible(editorSettings_.Annotations() ? wxSTC_ANNOTATION_BOXED : wxSTC_ANNOTATION_HIDDEN);
    if (row >= 0 && row < editor_->LinesOnScreen()) KeepCaretRow(row);
}

void MainFrame::KeepCaretRow(int row) {
    const int first = editor_->VisibleFromDocLine(editor_->GetCurrentLine()) - row;
    if (first != editor_->GetFirstVisibleLine()) editor_->SetFirstVisibleLine(std::max(0, first));
}

void MainFrame::ShowLineWithNote(int line) {
    const int top = editor_->VisibleFromDocLine(line);
    const int bottom = top + editor_->AnnotationGetLines(line);  // the note's last row
    const int first = editor_->GetFirstVisibleLine(), rows = editor_->LinesOnScreen();
    if (top < first || bottom >= first + rows)  // a third down, as far as the note lets it
        editor_->SetFirstVisibleLine(std::max(0, std::min(top, std::max(top - rows / 3, bottom - rows + 1))));
}

void MainFrame::OnNextErrorClick(wxCommandEvent& event) {
    if (diagnostics_.empty()) return;
    const bool forward = event.GetId() == ID_NEXT_ERROR;
    const int current = editor_->GetCurrentLine();
    int line = forward ? editor_->MarkerNext(current + 1, 1 << kErrorMarker)
                       : editor_->MarkerPrevious(current - 1, 1 << kErrorMarker);
    if (line < 0)  // around the end
        line = forward ? editor_->MarkerNext(0, 1 << kErrorMarker)
                       : editor_->MarkerPrevious(editor_->GetLineCount() - 1, 1 << kErrorMarker);
    if (line < 0 || !JumpTo(data.sourcePath, line)) return;
    ShowLineWithNote(line);
}

void MainFrame::OnAnnotationsClick(wxCommandEvent& event) {
    editorSettings_.SetAnnotations(event.IsChecked());
    editorSettings_.Store();
    MarkErrors();
}

wxString MainFrame::WordAtPosition(int pos) const {
    const int line = editor_->LineFromPosition(pos);
    // Characters, not bytes: the line's text is UTF-8 inside the editor.
    const int column = static_cast<int>(editor_->GetTextRange(editor_->PositionFromLine(line), pos).length());
    return lang::WordAt(editor_->GetLine(line), column);
}

void MainFrame::ShowHover(int pos) {
    if (pos < 0 || editor_->AutoCompActive()) return;
    const int line = editor_->LineFromPosition(pos);
    wxString tip;
    for (const lang::Diagnostic& d : diagnostics_)
        if (d.line == line) tip += (tip.empty() ? "" : "\n") + d.message;
    const wxString word = lang::HoverText(*this, WordAtPosition(pos));
    if (!word.empty()) tip += (tip.empty() ? "" : "\n\n") + word;
    if (tip.empty()) return;
    tipLine_ = -1;  // it closes when the mouse moves on
    editor_->CallTipShow(pos, tip);
}

void MainFrame::ShowCommandTip() {
    // A command word followed by a blank: its syntax, while the operands are typed.
    const int caret = editor_->GetCurrentPos();
    const int line = editor_->LineFromPosition(caret);
    const wxString before = editor_->GetTextRange(editor_->PositionFromLine(line), caret);
    const wxString word = before.Strip(wxString::both);
    if (word.empty() || word.find(' ') != wxString::npos) return;
    if (const CommandSyntax* row = FindCommandSyntax({word.wc_str(), word.length()})) {
        editor_->CallTipShow(caret, SyntaxTip(*row));
        tipLine_ = line;  // needed while this line's operands are typed
    }
}

void MainFrame::GoToDefinition(int pos) {
    const wxString include = IncludePath(editor_->LineFromPosition(pos));
    if (!include.empty()) {
        JumpTo(include, 0);
        return;
    }
    lang::Definition definition;
    if (!lang::FindDefinition(*this, WordAtPosition(pos), &definition)) return;
    if (definition.file.empty()) {
        JumpTo(data.sourcePath, definition.line);
        return;
    }
    if (JumpTo(data.sourceDir + wxFILE_SEP_PATH + definition.file, definition.line)) return;
    // The script was kept (the save question cancelled): say where, until the caret leaves the line.
    tipLine_ = editor_->LineFromPosition(pos);
    editor_->CallTipShow(pos, wxString::Format("%s, Zeile %d", definition.file, definition.line + 1));
}

void MainFrame::OnGoToDefinitionClick(wxCommandEvent&) { GoToDefinition(editor_->GetCurrentPos()); }
