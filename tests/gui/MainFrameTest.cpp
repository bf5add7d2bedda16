// The main window under a virtual display: start with a script, compile, errors, file commands,
// the editor's keys and the settings written on exit.
#include "GuiTestSupport.h"

#include "app/Globals.h"
#include "app/MainFrame.h"
#include "compiler/ErrorDlg.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include <memory>

#include <cstdio>
#include <deque>
#include <fstream>
#include <sstream>

namespace {

std::string TempDir() {
    char pattern[] = "/tmp/tqc-gui-XXXXXX";
    return mkdtemp(pattern);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
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
        dir_ = TempDir();
        data.sourcePath.clear();  // every test starts with an untitled text, as the program does
        data.sourceDir.clear();
        hook_ = std::make_unique<guitest::ModalAnswer>([this](wxDialog* d) { return frame_->Answer(d); });
        frame_ = new TestFrame(wxString::FromUTF8(dir_.c_str()));
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
    }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
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

    std::string dir_;
    TestFrame* frame_ = nullptr;
    std::unique_ptr<guitest::ModalAnswer> hook_;
};

TEST_F(MainWindow, StartsWithoutSettingsAndSaysSo) {
    ASSERT_EQ(frame_->asked.size(), 1u);
    EXPECT_EQ(frame_->asked[0], "TqC_Konfig.ini nicht vorhanden !");
    EXPECT_EQ(frame_->GetTitle(), "TqC");
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(1), "Version: 06-10-2025");
    // No stored size: the window still opens at a usable size.
    EXPECT_GE(frame_->GetSize().x, 400);
    EXPECT_GE(frame_->GetSize().y, 300);
}

TEST_F(MainWindow, OpeningAScriptCompilesItAndShowsItsErrors) {
    WriteBytes(Path("room.tqc"), "defvar x = 1\non 2000\n\nSetvar x,1\n");
    ASSERT_TRUE(frame_->OpenScript(wxString::FromUTF8(Path("room.tqc").c_str())));
    EXPECT_EQ(frame_->GetTitle(), wxString::FromUTF8(Path("room.tqc").c_str()));
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(2), "defvar: 1 / 255");
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(5), "Speicher Programm: 4 / 32000");
    ASSERT_NE(glErrorDlg, nullptr);
    EXPECT_EQ(glErrorDlg->Text(), "00002:  Wert ausserhalb des Wertebereich \n00004:  Fehler in der Zeile ");

    // Mended text: the next compile closes the error window and shows none of the old errors.
    editor()->SetText("defvar x = 1\non 20\n");
    Compile();
    EXPECT_EQ(glErrorDlg, nullptr);
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(5), "Speicher Programm: 7 / 32000");
}

TEST_F(MainWindow, ErrorRowDoubleClickMovesTheEditor) {
    editor()->SetText("on 1\non 1\nbad line\non 1\non 1\non 1\non 1\non 1\non 1\non 1\non 1\nwrong\n");
    Compile();
    ASSERT_NE(glErrorDlg, nullptr);
    EXPECT_EQ(glErrorDlg->LineOfRow(1), 12);
    glErrorDlg->JumpToRow(1);
    EXPECT_EQ(editor()->GetCurrentLine(), 11);
}

TEST_F(MainWindow, ChangedTextIsNeverLostWithoutTheUsersWord) {
    editor()->SetText("on 1\n");
    ASSERT_TRUE(editor()->IsModified());
    wxCommandEvent event;

    frame_->answers = {wxID_CANCEL};
    frame_->OnFileNewClick(event);
    EXPECT_EQ(editor()->GetText(), "on 1\n");
    EXPECT_EQ(frame_->asked.back(), "Speichern ?");

    // Yes, but the save-as dialog is cancelled: the text stays and nothing happens.
    frame_->answers = {wxID_YES};
    frame_->OnFileNewClick(event);
    EXPECT_EQ(editor()->GetText(), "on 1\n");

    // Yes with a name: saved, then emptied.
    frame_->answers = {wxID_YES};
    frame_->paths = {wxString::FromUTF8(Path("saved.tqc").c_str())};
    frame_->OnFileNewClick(event);
    EXPECT_EQ(ReadBytes(Path("saved.tqc")), "on 1\n");
    EXPECT_EQ(editor()->GetText(), "");
    EXPECT_EQ(data.sourcePath, "");

    // No: discarded.
    editor()->SetText("off 1\n");
    frame_->answers = {wxID_NO};
    frame_->OnFileNewClick(event);
    EXPECT_EQ(editor()->GetText(), "");
}

TEST_F(MainWindow, UnreadableOrUnwritableFilesChangeNothing) {
    WriteBytes(Path("a.tqc"), "on 1\n");
    ASSERT_TRUE(frame_->OpenScript(wxString::FromUTF8(Path("a.tqc").c_str())));
    const wxString title = frame_->GetTitle();
    const size_t messages = frame_->asked.size();

    EXPECT_FALSE(frame_->OpenScript(wxString::FromUTF8(Path("missing.tqc").c_str())));
    EXPECT_EQ(frame_->asked.size(), messages + 1);
    EXPECT_EQ(frame_->GetTitle(), title);
    EXPECT_EQ(data.sourcePath, title);

    editor()->AppendText("off 1\n");
    wxCommandEvent event;
    frame_->paths = {wxString::FromUTF8((dir_ + "/no/such/dir/b.tqc").c_str())};
    frame_->OnFileSaveAsClick(event);
    EXPECT_EQ(frame_->asked.size(), messages + 2);
    EXPECT_EQ(data.sourcePath, title);
    EXPECT_TRUE(editor()->IsModified());
}

TEST_F(MainWindow, ScriptsAreSavedInTheEncodingTheyWereReadIn) {
    const std::string latin1 = "send \"Gr\xfc\xdf" "e\"\n";
    WriteBytes(Path("old.tqc"), latin1);
    ASSERT_TRUE(frame_->OpenScript(wxString::FromUTF8(Path("old.tqc").c_str())));
    EXPECT_EQ(editor()->GetText(), wxString::FromUTF8("send \"Gr\xc3\xbc\xc3\x9f" "e\"\n"));
    wxCommandEvent event;
    frame_->OnFileSaveClick(event);
    EXPECT_EQ(ReadBytes(Path("old.tqc")), latin1);

    const std::string utf8 = "send \"Gr\xc3\xbc\xc3\x9f" "e\"\n";
    WriteBytes(Path("new.tqc"), utf8);
    ASSERT_TRUE(frame_->OpenScript(wxString::FromUTF8(Path("new.tqc").c_str())));
    frame_->OnFileSaveClick(event);
    EXPECT_EQ(ReadBytes(Path("new.tqc")), utf8);
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
    editor()->SetText("");
    editor()->AddText("setv");
    wxStyledTextEvent event(wxEVT_STC_CHARADDED);
    frame_->OnKey(event);
    // The text now ends with a blank after the caret, and the list is open.
    EXPECT_EQ(editor()->GetText(), "setv ");
    EXPECT_EQ(editor()->GetCurrentPos(), 4);
    EXPECT_TRUE(editor()->AutoCompActive());
    editor()->AutoCompCancel();

    editor()->SetText("");
    editor()->AddText("// setv");
    frame_->OnKey(event);
    EXPECT_FALSE(editor()->AutoCompActive());

    editor()->SetText("");
    editor()->AddText("on 1 ");
    Key(WXK_SPACE, true);  // right after a blank: nothing to complete
    EXPECT_FALSE(editor()->AutoCompActive());
}

TEST_F(MainWindow, ExitWritesTheSettingsAndCanBeCancelled) {
    editor()->SetText("on 1\n");
    wxCommandEvent event;
    frame_->answers = {wxID_CANCEL};
    frame_->OnExitClick(event);
    EXPECT_FALSE(wxFileName::FileExists(wxString::FromUTF8(Path("TqC_Konfig.ini").c_str())));

    frame_->answers = {wxID_NO, wxID_OK};
    frame_->OnExitClick(event);
    const std::string settings = ReadBytes(Path("TqC_Konfig.ini"));
    EXPECT_EQ(settings.rfind("TqC Konfig Datei :-)\r\n", 0), 0u);
    EXPECT_NE(settings.find("Main_Window_Size:"), std::string::npos);
    TestFrame* old = frame_;
    frame_ = new TestFrame(wxString::FromUTF8(dir_.c_str()));  // the old one is gone; TearDown needs one
    const std::vector<wxString> asked = old->asked;
    guitest::Yield();
    EXPECT_TRUE(frame_->asked.empty());  // the settings file is found now: no message
    ASSERT_EQ(asked.size(), 4u);         // start-up notice, "Speichern ?" twice, the new-file notice
    EXPECT_EQ(asked[1], "Speichern ?");
    EXPECT_EQ(asked[3], wxString::FromUTF8("TqC_Konfig.ini nicht vorhanden, wird neu geschrieben !"));
}

TEST_F(MainWindow, OneHelpWindowAtATime) {
    wxCommandEvent event;
    frame_->OnHelpClick(event);
    HelpDlg* first = glHelpDlg;
    ASSERT_NE(first, nullptr);
    frame_->OnHelpClick(event);
    EXPECT_EQ(glHelpDlg, first);
}

TEST_F(MainWindow, TerminalClickedTwiceOpensOneWindow) {
    wxCommandEvent event;
    frame_->OnTqpTerminalClick(event);  // no port stored: the failure is told, the window opens
    wxDialog* first = glTerminalDlg;
    ASSERT_NE(first, nullptr);
    frame_->OnTqpTerminalClick(event);
    EXPECT_EQ(glTerminalDlg, first);
    first->Close(true);
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
