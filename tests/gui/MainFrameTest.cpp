// The main window under a virtual display: start with a script, compile, errors, file commands,
// the editor's keys and the settings written on exit.
#include "MainWindowFixture.h"

#include <wx/display.h>

namespace {

using guitest::MainWindow;
using guitest::ReadBytes;
using guitest::TestFrame;
using guitest::WriteBytes;

TEST_F(MainWindow, StartsWithoutSettingsAndSaysSo) {
    ASSERT_EQ(frame_->asked.size(), 1u);
    EXPECT_EQ(frame_->asked[0], "TqC_Konfig.ini nicht vorhanden !");
    // No stored size: the window still opens at a usable size; no stored colours: the standard ones.
    EXPECT_GE(frame_->GetSize().x, 400);
    EXPECT_GE(frame_->GetSize().y, 300);
    EXPECT_EQ(editor()->StyleGetForeground(wxSTC_C_WORD), wxColour(0, 0, 180));
    EXPECT_EQ(editor()->StyleGetForeground(wxSTC_C_PREPROCESSOR), wxColour(0, 160, 0));
}

TEST_F(MainWindow, OpeningAScriptCompilesItAndItsErrorsLeadToTheirLines) {
    WriteBytes(Path("room.tqc"), "defvar x = 1\non 2000\n\nSetvar x,1\n");
    ASSERT_TRUE(frame_->OpenScript(Path("room.tqc")));
    EXPECT_EQ(frame_->GetTitle(), Path("room.tqc"));
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(5), "Speicher Programm: 4 / 32000");
    ASSERT_NE(glErrorDlg, nullptr);
    EXPECT_EQ(glErrorDlg->Text(), "00002:  Wert ausserhalb des Wertebereich \n00004:  Fehler in der Zeile ");
    glErrorDlg->JumpToRow(1);
    EXPECT_EQ(editor()->GetCurrentLine(), 3);  // the window's own editor

    // Mended text: the next compile closes the error window and shows none of the old errors.
    editor()->SetText("defvar x = 1\non 20\n");
    Compile();
    EXPECT_EQ(glErrorDlg, nullptr);
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(5), "Speicher Programm: 7 / 32000");
}

TEST_F(MainWindow, ChangedTextIsNeverLostWithoutTheUsersWord) {
    struct Step {
        int line;
        const char* text;    // typed before "New", if any
        int answer;          // to "Speichern ?"
        const char* saveAs;  // the name given in the save-as dialog; null: cancelled
        const char* after;   // the editor's text after "New"
    };
    const Step steps[] = {
        {__LINE__, "on 1\n", wxID_CANCEL, nullptr, "on 1\n"},
        {__LINE__, nullptr, wxID_YES, nullptr, "on 1\n"},  // nothing saved, so nothing happens
        {__LINE__, nullptr, wxID_YES, "saved.tqc", ""},
        {__LINE__, "off 1\n", wxID_NO, nullptr, ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.line);
        if (step.text) editor()->SetText(step.text);
        frame_->answers = {step.answer};
        if (step.saveAs) frame_->paths = {Path(step.saveAs)};
        frame_->OnFileNewClick(event_);
        EXPECT_EQ(frame_->asked.back(), "Speichern ?");
        EXPECT_EQ(editor()->GetText(), step.after);
    }
    EXPECT_EQ(ReadBytes(Path("saved.tqc")), "on 1\n");
    EXPECT_EQ(data.sourcePath, "");
}

TEST_F(MainWindow, UnreadableOrUnwritableFilesChangeNothing) {
    WriteBytes(Path("a.tqc"), "on 1\n");
    ASSERT_TRUE(frame_->OpenScript(Path("a.tqc")));
    const size_t messages = frame_->asked.size();

    EXPECT_FALSE(frame_->OpenScript(Path("missing.tqc")));
    EXPECT_EQ(frame_->asked.size(), messages + 1);
    EXPECT_EQ(frame_->GetTitle(), Path("a.tqc"));
    EXPECT_EQ(data.sourcePath, Path("a.tqc"));

    editor()->AppendText("off 1\n");
    frame_->paths = {Path("no/such/dir/b.tqc")};
    frame_->OnFileSaveAsClick(event_);
    EXPECT_EQ(frame_->asked.size(), messages + 2);
    EXPECT_EQ(data.sourcePath, Path("a.tqc"));
    EXPECT_TRUE(editor()->IsModified());
}

// Open and Save without typing write back every byte; what the editor cannot hold is refused.
TEST_F(MainWindow, FilesComeBackByteForByte) {
    const std::string utf8 = "send \"Gr\xc3\xbc\xc3\x9f" "e\"\n";
    const std::string kept[] = {
        "send \"Gr\xfc\xdf" "e\"\n", utf8, "\xEF\xBB\xBF" + utf8, "\xEF\xBB\xBF" "on 1 \xfc\x81\x9f\n",
        "on 1\r\noff 1\non 2\roff 2 \t \r\n", "send \"\xF0\x9F\x98\x80\"", "",
    };
    for (const std::string& bytes : kept) {
        SCOPED_TRACE(bytes);
        WriteBytes(Path("s.tqc"), bytes);
        ASSERT_TRUE(frame_->OpenScript(Path("s.tqc")));
        frame_->OnFileSaveClick(event_);
        EXPECT_EQ(ReadBytes(Path("s.tqc")), bytes);
    }

    // The editor would end the text at a NUL byte: such a file is not opened, and stays whole.
    const std::string nul("on 1\noff 1\0\non 2\noff 2\n", 22);
    WriteBytes(Path("nul.tqc"), nul);
    editor()->SetText("on 3\n");
    EXPECT_FALSE(frame_->OpenScript(Path("nul.tqc")));
    EXPECT_TRUE(frame_->asked.back().StartsWith(Path("nul.tqc") + "\n\n"));
    EXPECT_TRUE(frame_->asked.back().Contains("Zeile 2 ein Nullbyte"));
    EXPECT_EQ(frame_->captions.back(), wxString::FromUTF8("Datei nicht ge\xc3\xb6" "ffnet"));
    EXPECT_EQ(editor()->GetText(), "on 3\n");
    EXPECT_EQ(ReadBytes(Path("nul.tqc")), nul);

    // Return types the file's own line end; a new text takes the platform's.
    WriteBytes(Path("crlf.tqc"), "on 1\r\noff 1\r\n");
    ASSERT_TRUE(frame_->OpenScript(Path("crlf.tqc")));
    editor()->GotoLine(1);
    editor()->NewLine();
    frame_->OnFileSaveClick(event_);
    EXPECT_EQ(ReadBytes(Path("crlf.tqc")), "on 1\r\n\r\noff 1\r\n");
    frame_->OnFileNewClick(event_);
    EXPECT_EQ(editor()->GetEOLMode(), wxSTC_EOL_LF);
}

TEST_F(MainWindow, CtrlKeys) {
    Key('0', true);
    const wxRect screen = wxDisplay(0u).GetClientArea();
    EXPECT_EQ(frame_->GetRect(), MainFrame::FitToScreen(wxRect(500, 100, 800, 800), screen));
    EXPECT_TRUE(screen.Contains(frame_->GetRect()));

    editor()->SetText("on 1\non 2\n");
    editor()->GotoLine(0);
    Key(WXK_UP, true);
    EXPECT_EQ(editor()->GetText(), "on 1\non 2\n");
    Key(WXK_DOWN, true);
    EXPECT_EQ(editor()->GetText(), "on 2\non 1\n");
    // Without Ctrl the keys go on to the editor untouched.
    editor()->GotoLine(1);
    Key(WXK_UP, false);
    EXPECT_EQ(editor()->GetText(), "on 2\non 1\n");
}

TEST_F(MainWindow, TypingOffersCompletionsOutsideCommentsOnly) {
    wxStyledTextEvent added(wxEVT_STC_CHARADDED);
    editor()->SetText("");
    editor()->AddText("setv");
    frame_->OnKey(added);
    // The text now ends with a blank after the caret, and the list is open.
    EXPECT_EQ(editor()->GetText(), "setv ");
    EXPECT_EQ(editor()->GetCurrentPos(), 4);
    EXPECT_TRUE(editor()->AutoCompActive());
    editor()->AutoCompCancel();

    editor()->SetText("");
    editor()->AddText("// setv");
    frame_->OnKey(added);
    EXPECT_FALSE(editor()->AutoCompActive());

    editor()->SetText("");
    editor()->AddText("on 1 ");
    Key(WXK_SPACE, true);  // right after a blank: nothing to complete
    EXPECT_FALSE(editor()->AutoCompActive());
}

TEST_F(MainWindow, ExitWritesTheSettingsAndCanBeCancelled) {
    editor()->SetText("on 1\n");
    frame_->answers = {wxID_CANCEL};
    frame_->OnExitClick(event_);
    EXPECT_FALSE(wxFileName::FileExists(Path("TqC_Konfig.ini")));

    frame_->answers = {wxID_NO, wxID_OK};
    frame_->OnExitClick(event_);
    const std::string written = ReadBytes(Path("TqC_Konfig.ini"));
    EXPECT_EQ(written.rfind("TqC Konfig Datei :-)\r\n", 0), 0u);
    EXPECT_NE(written.find("Main_Window_Color_Commands:000,000,180\r\n"), std::string::npos);
    const std::vector<wxString> asked = frame_->asked;
    frame_ = new TestFrame(dir_);  // the old one is gone; TearDown needs one
    guitest::Yield();
    EXPECT_TRUE(frame_->asked.empty());  // the settings file is found now: no message
    ASSERT_EQ(asked.size(), 4u);         // start-up notice, "Speichern ?" twice, the new-file notice
    EXPECT_EQ(asked[1], "Speichern ?");
    EXPECT_EQ(asked[3], "TqC_Konfig.ini nicht vorhanden, wird neu geschrieben !");
}

TEST_F(MainWindow, HelpAndTerminalOpenOneWindowEach) {
    frame_->OnHelpClick(event_);
    HelpDlg* help = glHelpDlg;
    ASSERT_NE(help, nullptr);
    frame_->OnHelpClick(event_);
    EXPECT_EQ(glHelpDlg, help);

    frame_->OnTqpTerminalClick(event_);  // no port stored: the failure is told, the window opens
    wxDialog* terminal = glTerminalDlg;
    ASSERT_NE(terminal, nullptr);
    frame_->OnTqpTerminalClick(event_);
    EXPECT_EQ(glTerminalDlg, terminal);
    terminal->Close(true);
    guitest::Yield();
    EXPECT_EQ(glTerminalDlg, nullptr);
}

TEST(WindowGeometry, UnusableStoredGeometryIsMendedAndCtrl0FitsTheScreen) {
    const wxRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(MainFrame::UsableGeometry(wxRect(10, 20, 800, 600), screen), wxRect(10, 20, 800, 600));
    const wxRect mended = MainFrame::UsableGeometry(wxRect(0, 0, 0, 0), screen);
    EXPECT_GE(mended.width, 400);
    EXPECT_GE(mended.height, 300);
    EXPECT_TRUE(screen.Contains(mended));
    const wxRect wanted(500, 100, 800, 800);
    EXPECT_EQ(MainFrame::FitToScreen(wanted, wxRect(0, 0, 1920, 1080)), wanted);
    EXPECT_EQ(MainFrame::FitToScreen(wanted, screen), wxRect(480, 100, 800, 800));
    EXPECT_EQ(MainFrame::FitToScreen(wanted, wxRect(0, 0, 1024, 768)), wxRect(224, 0, 800, 768));
    EXPECT_EQ(MainFrame::FitToScreen(wanted, wxRect(-1280, 30, 640, 480)), wxRect(-1280, 30, 640, 480));
}

// Margin and status fields hold their widest text in the window's own font, at every zoom.
TEST_F(MainWindow, NothingShownIsCutOff) {
    wxString text;
    for (int i = 1; i <= 5000; ++i) text += "on 1\n";
    editor()->SetText(text);
    for (int zoom : {0, 6}) {
        editor()->SetZoom(zoom);
        EXPECT_GE(editor()->GetMarginWidth(0), editor()->TextWidth(wxSTC_STYLE_LINENUMBER, "4992") + 4) << zoom;
    }
    Compile();
    wxStatusBar* bar = frame_->GetStatusBar();
    const wxArrayString widest = MainFrame::WidestStatusTexts();
    for (int field = 1; field < 6; ++field) {
        wxRect rect;
        ASSERT_TRUE(bar->GetFieldRect(field, rect));
        const wxString longest = field == 1 ? Status(1) : widest[field - 2];
        EXPECT_GE(rect.width, bar->GetTextExtent(longest).x) << guitest::U(longest);
        EXPECT_GE(longest.length(), Status(field).length());
    }
}

// An image beyond the program memory is shown before, warned of, and never sent.
TEST_F(MainWindow, ImageBeyondTheProgramMemoryIsRefused) {
    wxString text;
    for (int i = 0; i < 10667; ++i) text += "on 1\n";  // three cells each: 32001
    editor()->SetText(text);
    frame_->answers = {wxID_OK};
    wxCommandEvent program;
    frame_->OnTqpProgramClick(program);
    EXPECT_EQ(Status(5), "Speicher Programm: 32001 / 32000");
    EXPECT_TRUE(Status(0).Contains("(1 zu viel)")) << guitest::U(Status(0));
    ASSERT_EQ(frame_->captions.size(), 2u);  // the start-up notice, then this refusal; no dialog
    EXPECT_EQ(frame_->captions[1], wxString::FromUTF8("Programm zu gro\xc3\x9f"));
}

// The title carries " *" while the text differs from its file; "New" forgets the old file wholly.
TEST_F(MainWindow, TitleMarksChangesAndNewForgetsTheOldFile) {
    WriteBytes(Path("a.tqc"), "defvar Ausgang = 1\non 2\n");
    ASSERT_TRUE(frame_->OpenScript(Path("a.tqc")));
    editor()->AppendText("off 2\n");
    EXPECT_EQ(frame_->GetTitle(), Path("a.tqc") + " *");
    frame_->OnFileSaveClick(event_);
    EXPECT_EQ(frame_->GetTitle(), Path("a.tqc"));
    frame_->OnFileNewClick(event_);
    EXPECT_EQ(frame_->GetTitle(), "");
    for (int field = 2; field < 6; ++field) EXPECT_EQ(Status(field), "") << field;
    EXPECT_EQ(frame_->Completions().Matches("Ausg"), "");

    // "Save as" gives a bare name the script's extension.
    editor()->SetText("on 1\n");
    frame_->paths = {Path("bare")};
    frame_->OnFileSaveAsClick(event_);
    EXPECT_EQ(data.sourcePath, Path("bare.tqc"));
    EXPECT_EQ(ReadBytes(Path("bare.tqc")), "on 1\n");
}

// Find, replace and go to line, through the commands their keys send.
TEST_F(MainWindow, FindReplaceAndGoToLine) {
    editor()->SetText("on 1\nOn 2\non 11\nonly 3\n");
    FindBar* bar = frame_->Finder();
    Command(wxID_FIND);
    ASSERT_TRUE(bar->IsShown());
    EXPECT_FALSE(bar->replaceText()->IsShownOnScreen());
    bar->findText()->ChangeValue("on");
    const struct { int line; bool matchCase, wholeWord, wrap; int command; std::vector<int> starts; } rows[] = {
        {__LINE__, false, false, true, MainFrame::ID_FIND_NEXT, {5, 10, 16, 0}},
        {__LINE__, true, false, true, MainFrame::ID_FIND_NEXT, {10, 16, 0, 10}},
        {__LINE__, false, true, true, MainFrame::ID_FIND_PREVIOUS, {10, 5, 0, 10}},
        {__LINE__, false, true, false, MainFrame::ID_FIND_NEXT, {5, 10, 10}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        bar->matchCase()->SetValue(row.matchCase);
        bar->wholeWord()->SetValue(row.wholeWord);
        bar->wrapAround()->SetValue(row.wrap);
        editor()->SetSelection(0, 2);
        for (int start : row.starts) {
            Command(row.command);
            EXPECT_EQ(editor()->GetSelectionStart(), start);
        }
    }
    EXPECT_EQ(bar->Message(), "Nicht gefunden");

    Command(wxID_REPLACE);
    EXPECT_TRUE(bar->replaceText()->IsShownOnScreen());
    bar->replaceText()->ChangeValue("off");
    bar->wholeWord()->SetValue(false);
    EXPECT_EQ(bar->ReplaceAll(), 4);
    EXPECT_EQ(editor()->GetText(), "off 1\noff 2\noff 11\noffly 3\n");
    editor()->Undo();  // one step takes back all of them
    EXPECT_EQ(editor()->GetText(), "on 1\nOn 2\non 11\nonly 3\n");

    frame_->line = 3;
    Command(MainFrame::ID_GO_TO_LINE);
    EXPECT_EQ(editor()->GetCurrentLine(), 2);
    frame_->line = 0;  // cancelled
    Command(MainFrame::ID_GO_TO_LINE);
    EXPECT_EQ(editor()->GetCurrentLine(), 2);
}

// The last eight scripts, newest first, in their own file beside TqC_Konfig.ini; a vanished one
// is dropped with a message.
TEST_F(MainWindow, RecentFilesAreKeptBesideTheSettings) {
    for (int i = 1; i <= 9; ++i) {
        const wxString name = wxString::Format("r%d.tqc", i);
        WriteBytes(Path(name.c_str()), "on 1\n");
        ASSERT_TRUE(frame_->OpenScript(Path(name.c_str())));
    }
    EditorSettings stored;
    ASSERT_TRUE(stored.Load());
    ASSERT_EQ(stored.RecentFiles().size(), 8u);
    EXPECT_EQ(stored.RecentFiles().front(), Path("r9.tqc"));
    EXPECT_EQ(stored.RecentFiles().back(), Path("r2.tqc"));
    wxMenuItem* item = frame_->GetMenuBar()->FindItem(MainFrame::ID_RECENT_FIRST + 7);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetItemLabelText(), "8 " + Path("r2.tqc"));

    wxRemoveFile(Path("r5.tqc"));
    Command(MainFrame::ID_RECENT_FIRST + 4);
    EXPECT_TRUE(frame_->asked.back().StartsWith(Path("r5.tqc")));
    EXPECT_EQ(frame_->EditorPrefs().RecentFiles().size(), 7u);
    Command(MainFrame::ID_RECENT_FIRST + 6);  // r2, now seventh
    EXPECT_EQ(data.sourcePath, Path("r2.tqc"));
    frame_->OnExitClick(event_);
    EXPECT_EQ(ReadBytes(Path("TqC_Konfig.ini")).find("r2.tqc"), std::string::npos);
    frame_ = new TestFrame(dir_);  // TearDown needs one
    EXPECT_EQ(frame_->EditorPrefs().RecentFiles().front(), Path("r2.tqc"));
}

}  // namespace
