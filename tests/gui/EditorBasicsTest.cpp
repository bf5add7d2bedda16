// The everyday editor basics through the entry points of keys and menus: indentation while
// typing, the comment toggle, the keys and Alt letters, help and version, examples, the looks.
#include "GuiTestSupport.h"

#include "compiler/commands/CommandSyntax.h"
#include "settings/EditorSettings.h"

#include <wx/dir.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <algorithm>

namespace {

using namespace guitest;

class EditorBasics : public MainWindow {
protected:
    // Types as the keyboard does: characters through the editor's own key handling, Return as
    // its new-line command; both reach the window as typed characters.
    void Type(const wxString& text) {
        for (const wxUniChar c : text) {
            if (c == '\n') {
                if (editor()->AutoCompActive()) editor()->AutoCompCancel();  // Escape, as a user would
                editor()->CmdKeyExecute(wxSTC_CMD_NEWLINE);
                continue;
            }
            wxKeyEvent key(wxEVT_CHAR);
            key.m_keyCode = key.m_uniChar = static_cast<int>(c.GetValue());
            editor()->ProcessWindowEvent(key);
        }
    }
};

// Return keeps the indentation and adds a step after a block opener; a block's end word (and
// "else") goes to its opener's indentation once it is whole.
TEST_F(EditorBasics, IndentationFollowsTheBlocks) {
    const struct {
        int line;
        const char *before, *typed, *after;
    } rows[] = {
        {__LINE__, "  on 1", "\non 2", "  on 1\n  on 2"},
        {__LINE__, "push 1", "\non 1", "push 1\n  on 1"},
        {__LINE__, "push 1\n  if x == 1\n    on 1", "\nelse\noff 1",
         "push 1\n  if x == 1\n    on 1\n  else\n    off 1"},
        {__LINE__, "push 1\n  on 1", "\nendpush", "push 1\n  on 1\nendpush"},
        {__LINE__, "if x == 1\n  if y == 2\n    on 1\n  endif\n  on 2", "\nendif",
         "if x == 1\n  if y == 2\n    on 1\n  endif\n  on 2\nendif"},
        {__LINE__, "if x == 1\n  on 1", "\nendi", "if x == 1\n  on 1\n  endi"},  // not yet the end word
        {__LINE__, "push 1\n  if x == 1\n    on 1\n|  endif", "\n", "push 1\n  if x == 1\n    on 1\n\n  endif"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const wxString before = row.before;  // the caret at "|", else at the end
        editor()->SetText(before.BeforeFirst('|') + before.AfterFirst('|'));
        editor()->GotoPos(before.Contains("|") ? static_cast<int>(before.find('|')) : editor()->GetLength());
        Type(row.typed);
        if (editor()->AutoCompActive()) editor()->AutoCompCancel();
        EXPECT_EQ(U(editor()->GetText()), row.after);
    }
    // Tab and Shift+Tab move the selected lines by a step of blanks.
    editor()->SetText("on 1\non 2\n");
    editor()->SetSelection(0, 8);
    editor()->CmdKeyExecute(wxSTC_CMD_TAB);
    EXPECT_EQ(U(editor()->GetText()), "  on 1\n  on 2\n");
    editor()->CmdKeyExecute(wxSTC_CMD_BACKTAB);
    EXPECT_EQ(U(editor()->GetText()), "on 1\non 2\n");
}

// Ctrl+Q (the menu) and Ctrl+/ put "// " before the selected lines or take it away, and one undo
// step brings the text back.
TEST_F(EditorBasics, CommentToggleIsOneUndoStep) {
    const struct {
        int line;
        bool slash;
        int from, to;  // the selection
        const char *before, *after;
    } rows[] = {
        {__LINE__, false, 0, 19, "on 1\n  off 2\n\non 3\n", "// on 1\n//   off 2\n\n// on 3\n"},
        {__LINE__, true, 3, 14, "  // on 1\n  //off 2\non 3\n", "  on 1\n  off 2\non 3\n"},
        {__LINE__, false, 0, 9, "// on 1\non 2\n", "// // on 1\n// on 2\n"},
        {__LINE__, true, 0, 5, "on 1\non 2\n", "// on 1\non 2\n"}  // ends at a line's start
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        editor()->SetText(row.before);
        editor()->EmptyUndoBuffer();
        editor()->SetSelection(row.from, row.to);
        if (row.slash)
            Key('/', true);
        else
            Command(MainFrame::ID_TOGGLE_COMMENT);
        EXPECT_EQ(U(editor()->GetText()), row.after);
        Command(wxID_UNDO);
        EXPECT_EQ(U(editor()->GetText()), row.before);
        EXPECT_FALSE(editor()->CanUndo());
    }
}

// Every menu and item has an Alt letter; Compile and Program show their keys in the menu and the
// tooltip, and F7 and F5 run them; F1 on a command word shows its help; About and the status bar
// show the version tqc-cli --version prints.
TEST_F(EditorBasics, KeysHelpAndVersion) {
    wxMenuBar* bar = frame_->GetMenuBar();
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        EXPECT_TRUE(bar->GetMenuLabel(i).Contains("&")) << U(bar->GetMenuLabel(i));
        for (const wxMenuItem* item : bar->GetMenu(i)->GetMenuItems())
            EXPECT_TRUE(item->IsSeparator() || item->GetItemLabel().Contains("&")) << U(item->GetItemLabel());
    }
    const struct {
        int id;
        const char *accel, *tip;
        int key;
    } keys[] = {{MainFrame::ID_COMPILE, "Ctrl+R", "Compile (Strg+R, F7)", WXK_F7},
                {MainFrame::ID_PROGRAM, "Ctrl+U", "Program (Strg+U, F5)", WXK_F5}};
    for (const auto& row : keys) {
        SCOPED_TRACE(row.tip);
        EXPECT_EQ(U(bar->FindItem(row.id)->GetItemLabel().AfterFirst('\t')), row.accel);
        EXPECT_EQ(U(frame_->GetToolBar()->GetToolShortHelp(row.id)), row.tip);
        editor()->SetText("on 99999\n");
        Key(row.key, false);
        ASSERT_NE(glErrorDlg, nullptr);  // compiled: its error shows
        glErrorDlg->Destroy();
        glErrorDlg = nullptr;
    }

    editor()->SetText("defvar x = 1\nsetvar x = 2\n");
    editor()->GotoPos(16);
    Command(MainFrame::ID_HELP_TOPIC);
    ASSERT_NE(glHelpDlg, nullptr);
    EXPECT_EQ(glHelpDlg->Page(), 1);
    EXPECT_EQ(glHelpDlg->SelectedCommand(), wxString(FindCommandSyntax(L"setvar")->syntax));

    wxArrayString output, errors;
    ASSERT_EQ(wxExecute(wxString::Format("\"%s\" --version", TQC_CLI), output, errors, wxEXEC_SYNC), 0);
    ASSERT_EQ(output.size(), 1u);
    const wxString version = "Version: " + output[0].AfterFirst(' ');
    boxes_.texts.clear();
    Command(wxID_ABOUT);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_TRUE(boxes_.texts[0].Contains("\n" + version + "\n")) << U(boxes_.texts[0]);
    frame_->SetSize(1600, 700);  // room for the version field's whole text
    Yield();
    EXPECT_EQ(Status(1), version);
}

// File > Beispiele lists the shipped examples; an opened one is saved only to a new place.
TEST_F(EditorBasics, ExamplesAreListedAndStayAsShipped) {
    wxArrayString shipped;
    wxDir::GetAllFiles(TQC_SOURCE_DIR "/examples", &shipped, "*.tqc", wxDIR_FILES);
    shipped.Sort();
    ASSERT_GE(shipped.size(), 2u);
    wxMenuBar* bar = frame_->GetMenuBar();
    for (size_t i = 0; i < shipped.size(); ++i) {
        const wxMenuItem* item = bar->FindItem(MainFrame::ID_EXAMPLE_FIRST + static_cast<int>(i));
        ASSERT_NE(item, nullptr) << i;
        EXPECT_EQ(item->GetItemLabelText(), wxFileName(shipped[i]).GetName());
    }
    const std::string bytes = ReadBytes(shipped[1]);
    Command(MainFrame::ID_EXAMPLE_FIRST + 1);
    EXPECT_TRUE(wxFileName(data.sourcePath).SameAs(shipped[1]));
    EXPECT_EQ(editor()->GetLineCount(), std::count(bytes.begin(), bytes.end(), '\n') + 1);
    editor()->AppendText("on 1\n");
    frame_->paths = {shipped[1], Path("kopie.tqc")};  // the example's own place is refused
    Command(wxID_SAVE);
    EXPECT_EQ(ReadBytes(shipped[1]), bytes);
    EXPECT_EQ(ReadBytes(Path("kopie.tqc")), bytes + "on 1\n");
    EXPECT_EQ(data.sourcePath, Path("kopie.tqc"));
}

// The dark scheme and the zoom come back after a new start from TqC_Editor.ini; TqC_Konfig.ini
// stays byte for byte as it was.
TEST_F(EditorBasics, LooksAreKeptInTheEditorsFileOnly) {
    frame_->OnExitClick(event_);
    frame_ = new TestFrame(nullptr, Dir());
    const std::string konfig = ReadBytes(Path("TqC_Konfig.ini"));
    const wxColour standard = editor()->StyleGetBackground(wxSTC_STYLE_DEFAULT);
    for (int id : {+MainFrame::ID_DARK_SCHEME, +wxID_ZOOM_IN, +wxID_ZOOM_IN, +wxID_ZOOM_OUT, +wxID_ZOOM_IN})
        Command(id);
    const wxColour dark = editor()->StyleGetBackground(wxSTC_STYLE_DEFAULT);
    EXPECT_NE(dark, standard);
    frame_->OnExitClick(event_);
    EXPECT_EQ(ReadBytes(Path("TqC_Konfig.ini")), konfig);
    const std::string prefs = ReadBytes(Path(EditorSettings::kFileName));
    EXPECT_NE(prefs.find("Colour_Scheme:dunkel\r\n"), std::string::npos) << prefs;
    frame_ = new TestFrame(nullptr, Dir());
    EXPECT_EQ(editor()->StyleGetBackground(wxSTC_STYLE_DEFAULT), dark);
    EXPECT_EQ(editor()->StyleGetBackground(wxSTC_C_WORD), dark);
    EXPECT_EQ(editor()->GetZoom(), 2);
    EXPECT_TRUE(frame_->GetMenuBar()->IsChecked(MainFrame::ID_DARK_SCHEME));
    Command(MainFrame::ID_DARK_SCHEME);
    EXPECT_EQ(editor()->StyleGetBackground(wxSTC_C_WORD), standard);
}

// A script dropped on the window opens after the save question; other files are refused.
TEST_F(EditorBasics, DroppedScriptOpensAfterTheSaveQuestion) {
    WriteBytes(Path("drop.TQC"), "on 1\n");
    editor()->SetText("off 2\n");
    boxes_.texts.clear();
    boxes_.answers = {wxID_NO};
    const wxString dropped[] = {Path("bild.png"), Path("drop.TQC")};
    frame_->OpenDropped(wxArrayString(2, dropped));
    EXPECT_EQ(boxes_.texts, std::vector<wxString>{"Unbenannt\n\nSpeichern ?"});
    EXPECT_EQ(data.sourcePath, Path("drop.TQC"));
    EXPECT_EQ(U(editor()->GetText()), "on 1\n");
    frame_->OpenDropped(wxArrayString(1, dropped));
    EXPECT_EQ(U(boxes_.texts.back()), "Nur TqC-Skripte (*.tqc) werden geöffnet.");
}

}  // namespace
