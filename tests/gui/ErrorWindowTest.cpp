// The error window lists what the editor's marks show and stands clear of the line being fixed.
#include "GuiTestSupport.h"

#include "compiler/ErrorDlg.h"

namespace {

using namespace guitest;

const char* kOutOfRange = "Wert ausserhalb des Wertebereich ";

// Opened over a caret in the middle of the editor, the window leaves that line free; mending one
// error refreshes its rows with the marks, mending the last closes it.
TEST_F(MainWindow, ErrorWindowLeavesTheCaretLineFreeAndFollowsTheText) {
    wxString text = "defvar x = 1\n";
    for (int line = 1; line < 80; ++line) text += line == 40 ? "on 2000\n" : line == 41 ? "on 3000\n" : "on 20\n";
    editor()->SetText(text);
    editor()->GotoLine(40);
    editor()->SetFirstVisibleLine(40 - editor()->LinesOnScreen() / 2);
    Compile();
    ASSERT_NE(glErrorDlg, nullptr);
    Yield();
    EXPECT_EQ(glErrorDlg->Text(), wxString("00041:  ") + kOutOfRange + "\n00042:  " + kOutOfRange);
    const wxPoint caret = editor()->ClientToScreen(editor()->PointFromPosition(editor()->GetCurrentPos()));
    const wxRect caretLine(editor()->GetScreenRect().x, caret.y, editor()->GetScreenRect().width,
                           editor()->TextHeight(40));
    EXPECT_FALSE(glErrorDlg->GetScreenRect().Intersects(caretLine));

    for (const auto& [line, left] : {std::pair(40, wxString("00042:  ") + kOutOfRange), std::pair(41, wxString())}) {
        SCOPED_TRACE(line);
        editor()->SetSelection(editor()->PositionFromLine(line), editor()->GetLineEndPosition(line));
        editor()->ReplaceSelection("on 21");  // typed: the pause's check follows
        ASSERT_TRUE(RunUntil([this] { return !frame_->CheckPending(); }));
        Yield();
        if (left.empty())
            EXPECT_EQ(glErrorDlg, nullptr);
        else
            ASSERT_TRUE(glErrorDlg && glErrorDlg->Text() == left) << (glErrorDlg ? U(glErrorDlg->Text()) : "");
    }
}

// Beside the editor when the screen has room, else below it, else in the editor's half without
// the caret.
TEST(ErrorWindowPlacement, BesideBelowOrAwayFromTheCaret) {
    const wxRect screen(0, 0, 1280, 1024);
    const wxSize size(456, 280);
    struct Row {
        wxRect editor;
        int caretY;
        wxPoint at;
    };
    for (const Row& row : {Row{{0, 0, 800, 900}, 400, {800, 0}}, Row{{0, 0, 1280, 700}, 400, {824, 700}},
                           Row{{0, 0, 1280, 1000}, 100, {824, 720}}, Row{{0, 0, 1280, 1000}, 900, {824, 0}}}) {
        SCOPED_TRACE(row.caretY);
        EXPECT_EQ(ErrorDlg::Placement(size, row.editor, row.caretY, screen), row.at);
    }
}

}  // namespace
