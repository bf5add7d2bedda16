// The main window passes on what the compiler, the language service and the settings file give
// (each checked without a window): errors and marks, files, keys, its windows, settings on exit.
#include "GuiTestSupport.h"

#include "settings/EditorSettings.h"

#include <wx/display.h>
#include <wx/weakref.h>

namespace {

using namespace guitest;

// The list is read-only, a double-click on a row as the list reports it leads the window's own
// editor to the line, the block-balance row leads nowhere, and a clean compile closes the window.
TEST_F(MainWindow, OpeningAScriptCompilesItAndItsErrorsLeadToTheirLines) {
    WriteBytes(Path("room.tqc"), "defvar x = 1\non 2000\n\nSetvar x,1\npush 1\n");
    ASSERT_TRUE(frame_->OpenScript(Path("room.tqc")));
    ASSERT_NE(glErrorDlg, nullptr);
    auto* list = Find<wxStyledTextCtrl>(glErrorDlg);
    Yield();
    list->AddText("x");
    EXPECT_EQ(glErrorDlg->Text(),
              "00002:  Wert ausserhalb des Wertebereich \n00004:  Fehler in der Zeile \n"
              "99999:  Anzahl push > endpush ");
    wxMouseEvent doubleClick(wxEVT_LEFT_DCLICK);
    doubleClick.SetEventObject(list);
    for (const auto& [row, line] : {std::pair(1, 3), std::pair(2, 3), std::pair(0, 1)}) {
        list->GotoLine(row);
        list->ProcessWindowEvent(doubleClick);
        EXPECT_EQ(editor()->GetCurrentLine(), line) << row;
    }
    Yield();
    EXPECT_EQ(wxWindow::FindFocus(), editor());
    editor()->SetText("defvar x = 1\non 20\n");
    Compile();
    EXPECT_EQ(glErrorDlg, nullptr);
}

// Errors in the body, in an include and in the block balance, each where the error window
// puts it; what the editor shows is read back through its own interface.
TEST_F(MainWindow, TypingMarksEveryErrorOnItsLine) {
    WriteBytes(Path("inc.tqc"), "on 1\non 9999\n");
    data.sourceDir = Dir();
    editor()->SetText("defvar licht = 0\non 5000\n#include \"inc.tqc\"\npush 1\n");
    editor()->EmptyUndoBuffer();
    editor()->GotoPos(5);
    editor()->AddText("x");  // typed: "defvaxr" is no command any more
    EXPECT_TRUE(frame_->CheckPending());
    wxMilliSleep(350);
    Yield();
    ASSERT_FALSE(frame_->CheckPending());
    // Every line with anything drawn: marker (o), squiggle (~), the rows of its note and their text.
    const auto drawn = [this] {
        std::string all;
        for (int line = 0; line < editor()->GetLineCount(); ++line) {
            const bool marker = editor()->MarkerGet(line) & 1;
            const bool squiggle = editor()->IndicatorValueAt(8, editor()->GetLineIndentPosition(line));
            const int notes = editor()->AnnotationGetLines(line);
            if (marker || squiggle || notes)
                all += std::to_string(line) + (marker ? "o" : "-") + (squiggle ? "~" : " ") + std::to_string(notes) +
                       " " + U(editor()->AnnotationGetText(line)) + "|";
        }
        return all;
    };
    EXPECT_EQ(drawn(),
              "0o~1 Fehler in der Zeile|1o~1 Wert ausserhalb des Wertebereich|"
              "2o~1 Wert ausserhalb des Wertebereich|4o 1 Anzahl push > endpush|");
    EXPECT_EQ(Status(0), wxString::FromUTF8("4 Fehler (F8: zum nächsten)"));
    // Nothing the user did changes: no window, the caret where it was, one undo step.
    EXPECT_EQ(glErrorDlg, nullptr);
    EXPECT_EQ(editor()->GetCurrentPos(), 6);
    editor()->Undo();
    EXPECT_FALSE(editor()->CanUndo());
    EXPECT_EQ(editor()->GetLine(0), "defvar licht = 0\n");

    // A mended line has nothing drawn, not even an empty box; F8 and Shift+F8 go round the lines
    // still marked, past either end.
    frame_->CheckNow();
    EXPECT_EQ(drawn(),
              "1o~1 Wert ausserhalb des Wertebereich|2o~1 Wert ausserhalb des Wertebereich|"
              "4o 1 Anzahl push > endpush|");
    std::string order;
    for (int id : {MainFrame::ID_NEXT_ERROR, MainFrame::ID_NEXT_ERROR, MainFrame::ID_NEXT_ERROR,
                   MainFrame::ID_NEXT_ERROR, MainFrame::ID_PREVIOUS_ERROR, MainFrame::ID_PREVIOUS_ERROR}) {
        Command(id);
        order += std::to_string(editor()->GetCurrentLine());
    }
    EXPECT_EQ(order, "124142");

    // The names follow the text; annotations can be switched off, and that is remembered.
    EXPECT_NE(frame_->Completions().Matches("lic"), "");
    Command(MainFrame::ID_ANNOTATIONS);  // a menu event without a check mark: off
    EXPECT_EQ(drawn(), "1o~0 |2o~0 |4o 0 |");
    EditorSettings stored;
    ASSERT_TRUE(stored.Load());
    EXPECT_FALSE(stored.Annotations());
}

// Notes appearing above the line being typed leave it on its row of the screen; F8 shows the next
// error's line together with its note; resting the mouse on a marked line shows its message.
TEST_F(MainWindow, MarksNeverHideTheLineBeingTypedOrTheirMessages) {
    const auto inView = [this](int line, int rowsBelow) {
        const int first = editor()->GetFirstVisibleLine(), top = editor()->VisibleFromDocLine(line);
        return top >= first && top + rowsBelow < first + editor()->LinesOnScreen();
    };
    wxString text;
    for (int i = 0; i < 200; ++i) text += i % 2 ? "on 1\n" : "xx\n";
    editor()->SetText(text);
    const int row = editor()->LinesOnScreen() - 2;
    editor()->GotoLine(row);
    editor()->SetFirstVisibleLine(0);
    frame_->CheckNow();
    EXPECT_EQ(editor()->VisibleFromDocLine(row) - editor()->GetFirstVisibleLine(), row);

    text = "xx\n";
    for (int i = 0; i < 150; ++i) text += "on 1\n";
    editor()->SetText(text + "xx\non 1\n");
    frame_->CheckNow();
    editor()->GotoLine(0);
    editor()->SetFirstVisibleLine(0);
    for (const auto& [id, line] :
         {std::pair(MainFrame::ID_NEXT_ERROR, 151), std::pair(MainFrame::ID_PREVIOUS_ERROR, 0)}) {
        Command(id);
        ASSERT_EQ(editor()->GetCurrentLine(), line);
        EXPECT_EQ(editor()->AnnotationGetLines(line), 1);
        EXPECT_TRUE(inView(line, 1)) << line;
    }
    frame_->ShowHover(editor()->PositionFromLine(151) + 1);  // "xx" itself has no declaration
    EXPECT_TRUE(editor()->CallTipActive());
}

// F12 leads to a declaration, or says where one from an include file is; a blank after a command
// word shows its syntax; a word typed outside comments opens its completions.
TEST_F(MainWindow, F12CallTipsAndCompletion) {
    WriteBytes(Path("inc.tqc"), "// Ausgänge\ndefvar pumpe = 3\n");
    data.sourceDir = Dir();
    editor()->SetText(
        "#define ;AN 1\ndefvar licht = 0\n#include \"inc.tqc\"\nlicht = ;AN\njump ende\npumpe = 1\n::ende\n");
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
    // No list in a comment, only the marks after a jump (the first shown tells which list), and
    // nothing added to the user's text.
    editor()->SetText("::setze\n");
    frame_->CheckNow();
    const std::string any = U(frame_->Completions().Matches("se").BeforeFirst(' '));
    for (const auto& [typed, first] :
         {std::pair("se", any.c_str()), std::pair("// se", ""), std::pair("jump se", "setze"),
          std::pair("retjumptimer1 se", "setze"), std::pair("retjump on", "")}) {
        const wxString text = wxString("::setze\n") + typed;
        editor()->SetText(text);
        editor()->GotoPos(editor()->GetLength());
        wxStyledTextEvent added(wxEVT_STC_CHARADDED);
        frame_->OnKey(added);
        EXPECT_EQ(editor()->AutoCompActive() ? U(editor()->AutoCompGetCurrentText()) : "", first) << typed;
        EXPECT_EQ(editor()->GetText(), text);
        editor()->AutoCompCancel();
    }
    // A list or a syntax tip closes when a dialog opens over it (command) or the caret leaves its line (0).
    bool shownUnderDialog = false;
    boxes_.other = [&](wxDialog*) {
        shownUnderDialog = editor()->AutoCompActive() || editor()->CallTipActive();
        return static_cast<int>(wxID_CANCEL);
    };
    for (const auto& [typed, key, command] :
         {std::tuple("setv", 0, +MainFrame::ID_LAN), std::tuple("setvar ", 32, 0),
          std::tuple("setvar ", 32, +MainFrame::ID_EDITOR), std::tuple("setv", 0, 0)}) {
        editor()->SetText(wxString(typed) + "\non 1\n");
        editor()->GotoPos(static_cast<int>(strlen(typed)));
        wxStyledTextEvent added(wxEVT_STC_CHARADDED);
        added.SetKey(key);
        frame_->OnKey(added);
        ASSERT_TRUE(editor()->AutoCompActive() || editor()->CallTipActive()) << typed;
        if (command) Command(command);
        editor()->GotoLine(1);
        editor()->Update();
        Yield();
        EXPECT_FALSE(shownUnderDialog || editor()->AutoCompActive() || editor()->CallTipActive()) << typed << command;
    }
    editor()->SetText("on 1 ");
    editor()->GotoPos(5);
    Key(WXK_SPACE, true);  // Ctrl+Space right after a blank: nothing to complete
    EXPECT_FALSE(editor()->AutoCompActive());
}

// The title carries " *" while the text differs from its file; "New" forgets the old file wholly;
// "Save as" adds the extension. Each step: text typed, answer, save-as name (none: cancelled), text.
TEST_F(MainWindow, ChangedTextIsNeverLostWithoutTheUsersWord) {
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
    editor()->SetText("on 1\n");
    frame_->paths = {Path("bare")};
    frame_->OnFileSaveAsClick(event_);
    EXPECT_EQ(ReadBytes(Path("bare.tqc")), "on 1\n");
    EXPECT_EQ(data.sourcePath, Path("bare.tqc"));
    // Replacing a file is asked; "No" keeps it and asks for another name.
    WriteBytes(Path("old.tqc"), "off 9\n");
    for (const auto& [answer, kept] : {std::pair(wxID_NO, "off 9\n"), std::pair(wxID_YES, "on 1\n")}) {
        boxes_.answers = {answer};
        frame_->paths = {Path("old.tqc"), Path("other.tqc")};
        frame_->OnFileSaveAsClick(event_);
        EXPECT_EQ(boxes_.texts.back(), "Die Datei " + Path("old.tqc") + " existiert bereits. Ersetzen?");
        EXPECT_EQ(ReadBytes(Path("old.tqc")), kept);
    }
    EXPECT_EQ(ReadBytes(Path("other.tqc")), "on 1\n");
    frame_->paths.clear();
    frame_->OnFileNewClick(event_);
    const struct {
        int line;
        const char* text;
        int answer;
        const char *saveAs, *after;
    } steps[] = {{__LINE__, "on 1\n", wxID_CANCEL, nullptr, "on 1\n"},
                 {__LINE__, nullptr, wxID_YES, nullptr, "on 1\n"},  // nothing saved, so nothing happens
                 {__LINE__, nullptr, wxID_YES, "saved.tqc", ""},
                 {__LINE__, "off 1\n", wxID_NO, nullptr, ""}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line);
        if (step.text) editor()->SetText(step.text);
        boxes_.answers = {step.answer};
        if (step.saveAs) frame_->paths = {Path(step.saveAs)};
        frame_->OnFileNewClick(event_);
        EXPECT_EQ(boxes_.texts.back(), "Unbenannt\n\nSpeichern ?");
        EXPECT_EQ(boxes_.buttons.back(), "Ja/Nein/Abbrechen");
        EXPECT_EQ(editor()->GetText(), step.after);
    }
    EXPECT_EQ(ReadBytes(Path("saved.tqc")), "on 1\n");
    EXPECT_EQ(data.sourcePath, "");
}

// Open and Save without typing write back every byte; what cannot be read, written or held by
// the editor is told and changes nothing.
TEST_F(MainWindow, FilesComeBackByteForByteOrAreLeftAlone) {
    const std::string utf8 = "send \"Grüße\"\n";
    const std::string kept[] = {
        "send \"Gr\xfc\xdf"
        "e\"\n",
        utf8,
        "\xEF\xBB\xBF" + utf8,
        "\xEF\xBB\xBF"
        "on 1 \xfc\x81\x9f\n",
        "on 1\r\noff 1\non 2\roff 2 \t \r\n",
        "send \"😀\"",
        ""};
    for (const std::string& bytes : kept) {
        SCOPED_TRACE(bytes);
        WriteBytes(Path("s.tqc"), bytes);
        ASSERT_TRUE(frame_->OpenScript(Path("s.tqc")));
        frame_->OnFileSaveClick(event_);
        EXPECT_EQ(ReadBytes(Path("s.tqc")), bytes);
    }
    const std::string nul("on 1\noff 1\0\non 2\n", 17);  // the editor would end the text there
    WriteBytes(Path("nul.tqc"), nul);
    editor()->SetText("on 3\n");
    const size_t told = boxes_.texts.size();
    EXPECT_FALSE(frame_->OpenScript(Path("nul.tqc")));
    EXPECT_FALSE(frame_->OpenScript(Path("missing.tqc")));
    frame_->paths = {Path("no/such/dir/b.tqc")};
    frame_->OnFileSaveAsClick(event_);
    ASSERT_EQ(boxes_.texts.size(), told + 3);
    EXPECT_TRUE(boxes_.texts[told].StartsWith(Path("nul.tqc") + "\n\n")) << U(boxes_.texts[told]);
    EXPECT_TRUE(boxes_.texts[told].Contains("Zeile 2 ein Nullbyte"));
    EXPECT_EQ(boxes_.captions.back(), "Datei nicht gespeichert");
    EXPECT_TRUE(editor()->GetText() == "on 3\n" && editor()->IsModified());
    EXPECT_EQ(data.sourcePath, Path("s.tqc"));
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

// Ctrl+0 puts the window at its classic place, moved and shrunk only as far as the screen needs
// (a stored geometry no screen shows is mended at the start); Ctrl+Up/Down move the line.
TEST_F(MainWindow, CtrlKeysAndWindowGeometry) {
    Key('0', true);
    EXPECT_EQ(frame_->GetRect(), MainFrame::FitToScreen(wxRect(500, 100, 800, 800), wxDisplay(0u).GetClientArea()));
    const wxRect screen(0, 0, 1280, 1024), wanted(500, 100, 800, 800);
    EXPECT_EQ(MainFrame::FitToScreen(wanted, wxRect(0, 0, 1920, 1080)), wanted);
    EXPECT_EQ(MainFrame::FitToScreen(wanted, wxRect(0, 0, 1024, 768)), wxRect(224, 0, 800, 768));
    EXPECT_EQ(MainFrame::FitToScreen(wanted, wxRect(-1280, 30, 640, 480)), wxRect(-1280, 30, 640, 480));
    EXPECT_EQ(MainFrame::UsableGeometry(wxRect(10, 20, 800, 600), screen), wxRect(10, 20, 800, 600));
    const wxRect mended = MainFrame::UsableGeometry(wxRect(0, 0, 0, 0), screen);
    EXPECT_TRUE(mended.width >= 400 && mended.height >= 300 && screen.Contains(mended));
    editor()->SetText("on 1\non 2\n");
    for (const auto& [ctrl, key, text] :
         {std::tuple(true, WXK_UP, "on 1\non 2\n"), std::tuple(true, WXK_DOWN, "on 2\non 1\n"),
          std::tuple(false, WXK_UP, "on 2\non 1\n")}) {
        Key(key, ctrl);  // without Ctrl the keys go on to the editor untouched
        EXPECT_EQ(editor()->GetText(), text);
    }
}

// The keyboard is in the editor after the start and after each command, from wherever it was;
// a text opened or emptied shows from its first line and column, however the last one was scrolled.
TEST_F(MainWindow, KeyboardAndViewComeBackToTheEditor) {
    EXPECT_EQ(wxWindow::FindFocus(), editor());
    WriteBytes(Path("s.tqc"), "on 1\n");
    ASSERT_TRUE(frame_->OpenScript(Path("s.tqc")));  // now the first recent file
    wxString wide;                                   // scrolled right and down below
    for (int i = 0; i < 100; ++i) wide << wxString('x', 400) << '\n';
    const struct {
        int line, command;
        const char* path;
        bool fromStart;
    } rows[] = {{__LINE__, wxID_NEW, nullptr, true},
                {__LINE__, wxID_OPEN, "s.tqc", true},
                {__LINE__, wxID_OPEN, nullptr, false},  // cancelled
                {__LINE__, MainFrame::ID_RECENT_FIRST, nullptr, true},
                {__LINE__, MainFrame::ID_LAN, nullptr, false},
                {__LINE__, MainFrame::ID_EDITOR, nullptr, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        editor()->SetText(wide);
        editor()->SetSavePoint();
        editor()->SetFirstVisibleLine(60);
        editor()->SetXOffset(2000);
        Command(wxID_FIND);
        Yield();
        frame_->Finder()->matchCase()->SetFocus();
        Yield();
        ASSERT_NE(wxWindow::FindFocus(), editor());
        frame_->paths.clear();
        if (row.path) frame_->paths = {Path(row.path)};
        Command(row.command);
        Yield();
        EXPECT_EQ(wxWindow::FindFocus(), editor());
        if (row.fromStart) {
            EXPECT_EQ(std::tuple(editor()->GetFirstVisibleLine(), editor()->GetXOffset()), std::tuple(0, 0));
        }
    }
}

// An image beyond the program memory is shown before, warned of, and never sent.
TEST_F(MainWindow, ImageBeyondTheProgramMemoryIsRefused) {
    wxString text;
    for (int i = 0; i < 10667; ++i) text += "on 1\n";  // three cells each: 32001
    editor()->SetText(text);
    frame_->OnTqpProgramClick(event_);
    EXPECT_EQ(Status(5), "Speicher Programm: 32001 / 32000");
    EXPECT_TRUE(Status(0).Contains("(1 zu viel)")) << U(Status(0));
    // The start-up notice, then this refusal; no transfer dialog.
    EXPECT_EQ(boxes_.captions, (std::vector<wxString>{wxMessageBoxCaptionStr, wxString::FromUTF8("Programm zu groß")}));
}

// Find, replace and go to line, through the commands their keys send.
TEST_F(MainWindow, FindReplaceAndGoToLine) {
    editor()->SetText("on 1\nOn 2\non 11\nonly 3\n");
    FindBar* bar = frame_->Finder();
    Command(wxID_FIND);
    ASSERT_TRUE(bar->IsShown());
    EXPECT_FALSE(bar->replaceText()->IsShownOnScreen());
    bar->findText()->ChangeValue("on");
    const struct {
        int line;
        bool matchCase, wholeWord, wrap;
        int command;
        std::vector<int> starts;
    } rows[] = {{__LINE__, false, false, true, MainFrame::ID_FIND_NEXT, {5, 10, 16, 0}},
                {__LINE__, true, false, true, MainFrame::ID_FIND_NEXT, {10, 16, 0, 10}},
                {__LINE__, false, true, true, MainFrame::ID_FIND_PREVIOUS, {10, 5, 0, 10}},
                {__LINE__, false, true, false, MainFrame::ID_FIND_NEXT, {5, 10, 10}}};
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

    for (const auto& [answer, line] : {std::pair(3, 2), std::pair(0, 2)}) {  // 0: cancelled
        frame_->line = answer;
        Command(MainFrame::ID_GO_TO_LINE);
        EXPECT_EQ(editor()->GetCurrentLine(), line);
    }
}

// Help and terminal open once each; every window clears its pointer when closed.
TEST_F(MainWindow, EachWindowOpensOnceAndClearsItsPointerWhenClosed) {
    editor()->SetText("on\n");
    Compile();
    frame_->OnHelpClick(event_);
    frame_->OnTqpTerminalClick(event_);  // no port stored: the failure is told, the window opens
    const std::vector<wxWindow*> opened = {glErrorDlg, glHelpDlg, glTerminalDlg};
    EXPECT_TRUE(HelpDlg::HelpText().Contains(wxString::FromUTF8("Fenstergröße und Position")));
    frame_->OnHelpClick(event_);
    frame_->OnTqpTerminalClick(event_);
    EXPECT_EQ(opened, (std::vector<wxWindow*>{glErrorDlg, glHelpDlg, glTerminalDlg}));
    for (wxWindow* window : opened) {
        ASSERT_NE(window, nullptr);
        wxWeakRef<wxWindow> alive(window);
        window->Close();
        Yield();
        wxTheApp->ProcessIdle();
        EXPECT_FALSE(alive);  // destroyed, not only hidden
    }
    EXPECT_TRUE(!glErrorDlg && !glHelpDlg && !glTerminalDlg);
}

// Exit asks about a changed text, writes TqC_Konfig.ini and the last eight scripts (newest first;
// a vanished one is dropped with a message), and takes the open windows with it.
TEST_F(MainWindow, ExitWritesTheSettingsAndTheRecentFiles) {
    EXPECT_EQ(boxes_.texts, std::vector<wxString>{"TqC_Konfig.ini nicht vorhanden !"});
    EXPECT_TRUE(frame_->GetSize().x >= 400 && frame_->GetSize().y >= 300);
    for (int i = 1; i <= 9; ++i) {
        WriteBytes(Path(wxString::Format("r%d.tqc", i)), "on 1\n");
        ASSERT_TRUE(frame_->OpenScript(Path(wxString::Format("r%d.tqc", i))));
    }
    EXPECT_EQ(frame_->GetMenuBar()->FindItem(MainFrame::ID_RECENT_FIRST + 7)->GetItemLabelText(),
              "8 " + Path("r2.tqc"));
    wxRemoveFile(Path("r5.tqc"));
    Command(MainFrame::ID_RECENT_FIRST + 4);
    EXPECT_TRUE(boxes_.texts.back().StartsWith(Path("r5.tqc")));
    Command(MainFrame::ID_RECENT_FIRST + 6);  // r2, now seventh
    EXPECT_EQ(data.sourcePath, Path("r2.tqc"));

    editor()->SetText("on\n");
    boxes_.texts.clear();
    boxes_.answers = {wxID_CANCEL};
    frame_->OnExitClick(event_);
    EXPECT_FALSE(SettingsStored());
    Compile();
    frame_->OnHelpClick(event_);
    boxes_.answers = {wxID_NO};
    frame_->OnExitClick(event_);
    frame_ = nullptr;
    Yield();
    EXPECT_TRUE(!glErrorDlg && !glHelpDlg && SettingsStored());
    EXPECT_EQ(ReadBytes(Path("TqC_Konfig.ini")).find("r2.tqc"), std::string::npos);
    const wxString question = Path("r2.tqc") + "\n\nSpeichern ?";
    EXPECT_EQ(boxes_.texts,
              (std::vector<wxString>{question, question, "TqC_Konfig.ini nicht vorhanden, wird neu geschrieben !"}));
    boxes_.texts.clear();
    frame_ = new TestFrame(nullptr, Dir());
    Yield();
    EXPECT_TRUE(boxes_.texts.empty());  // the settings file is found now: no message
    const std::vector<wxString>& kept = frame_->EditorPrefs().RecentFiles();
    ASSERT_EQ(kept.size(), 7u);
    EXPECT_TRUE(kept.front() == Path("r2.tqc") && kept.back() == Path("r3.tqc"));
}

}  // namespace
