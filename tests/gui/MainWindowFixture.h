// The main window under test: its file dialogs and "Gehe zu Zeile" answered by the test, its
// message boxes real and answered by a modal dialog hook that records their texts.
#pragma once

#include "GuiTestSupport.h"

#include "app/FindBar.h"
#include "app/Globals.h"
#include "app/MainFrame.h"
#include "compiler/ErrorDlg.h"
#include "settings/EditorSettings.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include <deque>
#include <fstream>
#include <memory>
#include <sstream>

namespace guitest {

inline void WriteBytes(const wxString& path, const std::string& bytes) {
    std::ofstream(path.fn_str(), std::ios::binary) << bytes;
}

inline std::string ReadBytes(const wxString& path) {
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
    std::vector<wxString> asked, captions;
    int line = 0;  // the answer to "Gehe zu Zeile"

    int Answer(wxDialog* dialog) {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) asked.push_back(box->GetMessage());
        captions.push_back(dialog->GetTitle());
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
    int AskLineNumber(int, int) override { return line; }
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
    // A menu command, as its accelerator key sends it.
    void Command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        frame_->ProcessWindowEvent(event);
    }
    wxString Status(int field) const { return frame_->GetStatusBar()->GetStatusText(field); }
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

}  // namespace guitest
