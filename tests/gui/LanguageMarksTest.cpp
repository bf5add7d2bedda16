// The editor knows the language while the user types: errors marked on their lines, F8, F12,
// call tips, all without touching the text, the caret or the undo history.
#include "GuiTestSupport.h"

#include "settings/EditorSettings.h"

namespace {

using guitest::MainWindow;
using guitest::WriteBytes;

// Errors in the body, in an include and in the block balance, each where the error window
// puts it; what the editor shows is read back through its own interface.
TEST_F(MainWindow, TypingMarksEveryErrorOnItsLine) {
    WriteBytes(Path("inc.tqc"), "on 1\non 9999\n");
    data.sourceDir = dir_.path;
    editor()->SetText("defvar licht = 0\non 5000\n#include \"inc.tqc\"\npush 1\n");
    editor()->EmptyUndoBuffer();
    editor()->GotoPos(5);
    editor()->AddText("x");  // typed: "defvaxr" is no command any more
    EXPECT_TRUE(frame_->CheckPending());
    wxMilliSleep(350);
    guitest::Yield();
    ASSERT_FALSE(frame_->CheckPending());
    std::string marked;
    for (int line = 0; line < editor()->GetLineCount(); ++line) {
        if (!(editor()->MarkerGet(line) & 1)) continue;
        const int start = editor()->GetLineIndentPosition(line);
        marked += std::to_string(line) + (editor()->IndicatorValueAt(8, start) ? " ~ " : " - ") +
                  guitest::U(editor()->AnnotationGetText(line)) + "|";
    }
    EXPECT_EQ(marked, "0 ~ Fehler in der Zeile|1 ~ Wert ausserhalb des Wertebereich|"
                      "2 ~ Wert ausserhalb des Wertebereich|4 - Anzahl push > endpush|");
    EXPECT_EQ(Status(0), wxString::FromUTF8("4 Fehler (F8: zum n\xc3\xa4" "chsten)"));
    // Nothing the user did changes: no window, the caret where it was, one undo step.
    EXPECT_EQ(glErrorDlg, nullptr);
    EXPECT_EQ(editor()->GetCurrentPos(), 6);
    editor()->Undo();
    EXPECT_FALSE(editor()->CanUndo());
    EXPECT_EQ(editor()->GetLine(0), "defvar licht = 0\n");

    // F8 and Shift+F8 go round the lines still marked (line 0 is mended now), past either end.
    frame_->CheckNow();
    EXPECT_EQ(editor()->AnnotationGetText(0), "");
    std::string order;
    for (int id : {MainFrame::ID_NEXT_ERROR, MainFrame::ID_NEXT_ERROR, MainFrame::ID_NEXT_ERROR,
                   MainFrame::ID_NEXT_ERROR, MainFrame::ID_PREVIOUS_ERROR, MainFrame::ID_PREVIOUS_ERROR}) {
        Command(id);
        order += std::to_string(editor()->GetCurrentLine());
    }
    EXPECT_EQ(order, "124142");

    // The names follow the text; annotations can be switched off, and that is remembered.
    EXPECT_NE(frame_->Completions().Matches("lic"), "");
    wxCommandEvent off(wxEVT_MENU, MainFrame::ID_ANNOTATIONS);
    off.SetInt(0);
    frame_->ProcessWindowEvent(off);
    EXPECT_EQ(editor()->AnnotationGetText(1), "");
    EXPECT_TRUE(editor()->MarkerGet(1) & 1);
    EditorSettings stored;
    ASSERT_TRUE(stored.Load());
    EXPECT_FALSE(stored.Annotations());
}

// F12 leads to a name's declaration; one from an include file says where it is. A blank after a
// command word shows its syntax while the operands are typed.
TEST_F(MainWindow, F12AndCallTips) {
    WriteBytes(Path("inc.tqc"), "// Ausg\u00e4nge\ndefvar pumpe = 3\n");
    data.sourceDir = dir_.path;
    editor()->SetText("#define ;AN 1\ndefvar licht = 0\n#include \"inc.tqc\"\nlicht = ;AN\njump ende\n"
                      "pumpe = 1\n::ende\n");
    frame_->CheckNow();
    for (const auto& [word, declaredAt] : {std::pair("licht", 1), std::pair(";AN", 0), std::pair("ende", 6)}) {
        editor()->GotoPos(editor()->FindText(editor()->PositionFromLine(3), editor()->GetLength(), word) + 1);
        Command(MainFrame::ID_GO_TO_DEFINITION);
        EXPECT_EQ(editor()->GetCurrentLine(), declaredAt) << word;
    }
    editor()->GotoPos(editor()->PositionFromLine(5) + 2);
    Command(MainFrame::ID_GO_TO_DEFINITION);
    EXPECT_EQ(editor()->GetCurrentLine(), 5);
    EXPECT_TRUE(editor()->CallTipActive());
    editor()->CallTipCancel();

    editor()->SetText("");
    wxStyledTextEvent blank(wxEVT_STC_CHARADDED);
    blank.SetKey(' ');
    for (const auto& [typed, tip] : {std::pair("  setvar ", true), std::pair("licht ", false)}) {
        editor()->AddText(typed);
        frame_->OnKey(blank);
        EXPECT_EQ(editor()->CallTipActive(), tip) << typed;
        editor()->CallTipCancel();
    }
}

}  // namespace
