// The main window under a virtual display: start with a script, compile, errors, file commands,
// the editor's keys and the settings written on exit.
#include "GuiTestSupport.h"

#include "app/Globals.h"
#include "app/MainFrame.h"
#include "compiler/ErrorDlg.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include <deque>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

void WriteBytes(const wxString& path, const std::string& bytes) {
    std::ofstream(path.fn_str(), std::ios::binary) << bytes;
}

std::string ReadBytes(const wxString& path) {
    std::ifstream in(path.fn_str(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The main window with its file dialog answered by the test. Its message boxes are real and
// are answered by a modal dialog hook, which records their texts.
class TestFrame : public MainFrame {
public:
    explicit TestFrame(const wxString& dir) : MainFrame(nullptr, dir) {}
    std::deque<wxString> paths;
    std::deque<int> answers;  // button ids: wxID_YES, wxID_NO, wxID_CANCEL, wxID_OK
    std::vector<wxString> asked;

    int Answer(wxDialog* dialog) {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) asked.push_back(box->GetMessage());
        if (answers.empty()) return wxID_OK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

protected:
    wxString AskScriptPath(bool) override {
        if (paths.empty()) return wxString();
        const wxString path = paths.front();
        paths.pop_front();
        return path;
    }
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tqc-gui-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = wxString::FromUTF8(pattern);
        data.sourcePath.clear();  // every test starts with an untitled text, as the program does
        data.sourceDir.clear();
        hook_ = std::make_unique<guitest::ModalAnswer>([this](wxDialog* d) { return frame_->Answer(d); });
        frame_ = new TestFrame(dir_);
        frame_->Show();
        guitest::Yield();
    }
    void TearDown() override {
        if (glErrorDlg) glErrorDlg->Destroy();
        glErrorDlg = nullptr;
        if (glHelpDlg) reinterpret_cast<wxWindow*>(glHelpDlg)->Destroy();
        glHelpDlg = nullptr;
        frame_->Destroy();
        guitest::Yield();
        glStyledTextCtrl = nullptr;
        wxFileName::Rmdir(dir_, wxPATH_RMDIR_RECURSIVE);
    }
    wxString Path(const char* name) const { return dir_ + "/" + name; }
    wxStyledTextCtrl* editor() const { return frame_->Editor(); }
    void Compile() {
        wxCommandEvent event;
        frame_->OnTqpCompileClick(event);
    }
    void Key(int code, bool ctrl) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = code;
        event.SetControlDown(ctrl);
        frame_->OnCharHook(event);
    }

    wxString dir_;
    TestFrame* frame_ = nullptr;
    std::unique_ptr<guitest::ModalAnswer> hook_;
    wxCommandEvent event_;
};

TEST_F(MainWindow, StartsWithoutSettingsAndSaysSo) {
    ASSERT_EQ(frame_->asked.size(), 1u);
    EXPECT_EQ(frame_->asked[0], "TqC_Konfig.ini nicht vorhanden !");
    // No stored size: the window still opens at a usable size.
    EXPECT_GE(frame_->GetSize().x, 400);
    EXPECT_GE(frame_->GetSize().y, 300);
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

TEST_F(MainWindow, ScriptsAreSavedInTheEncodingTheyWereReadIn) {
    const std::string utf8 = "send \"Gr\xc3\xbc\xc3\x9f" "e\"\n";
    for (const std::string& bytes : {std::string("send \"Gr\xfc\xdf" "e\"\n"), utf8}) {
        SCOPED_TRACE(bytes);
        WriteBytes(Path("s.tqc"), bytes);
        ASSERT_TRUE(frame_->OpenScript(Path("s.tqc")));
        EXPECT_EQ(editor()->GetText(), wxString::FromUTF8(utf8));
        frame_->OnFileSaveClick(event_);
        EXPECT_EQ(ReadBytes(Path("s.tqc")), bytes);
    }
}

TEST_F(MainWindow, CtrlKeys) {
    Key('0', true);
    EXPECT_EQ(frame_->GetRect(), wxRect(500, 100, 800, 800));

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
    EXPECT_EQ(ReadBytes(Path("TqC_Konfig.ini")).rfind("TqC Konfig Datei :-)\r\n", 0), 0u);
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

TEST(WindowGeometry, UnusableStoredGeometryIsMended) {
    const wxRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(MainFrame::UsableGeometry(wxRect(10, 20, 800, 600), screen), wxRect(10, 20, 800, 600));
    const wxRect mended = MainFrame::UsableGeometry(wxRect(0, 0, 0, 0), screen);
    EXPECT_GE(mended.width, 400);
    EXPECT_GE(mended.height, 300);
    EXPECT_TRUE(screen.Contains(mended));
}

}  // namespace
