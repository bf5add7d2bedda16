// The main window under test, its settings in a folder of its own: the file dialogs and "Gehe zu
// Zeile" answered by the test, its message boxes real and answered by a hook that keeps their texts.
#pragma once

#include "GuiTestSupport.h"

#include "app/FindBar.h"
#include "app/MainFrame.h"
#include "compiler/ErrorDlg.h"
#include "dialogs/TerminalDlg.h"
#include "settings/HelpDlg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace guitest {

inline void WriteBytes(const wxString& path, const std::string& bytes) {
    std::ofstream(path.fn_str(), std::ios::binary) << bytes;
}

inline std::string ReadBytes(const wxString& path) {
    std::stringstream s;
    s << std::ifstream(path.fn_str(), std::ios::binary).rdbuf();
    return s.str();
}

class TestFrame : public MainFrame {
public:
    using MainFrame::MainFrame;
    std::deque<wxString> paths;  // the answers to the file dialogs; none left: cancelled
    int line = 0;                // the answer to "Gehe zu Zeile"

protected:
    wxString AskScriptPath(bool) override {
        const wxString path = paths.empty() ? wxString() : paths.front();
        if (!paths.empty()) paths.pop_front();
        return path;
    }
    int AskLineNumber(int, int) override { return line; }
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        data.sourcePath.clear();  // every test starts with an untitled text, as the program does
        data.sourceDir.clear();
        boxes_.other = [](wxDialog*) { return static_cast<int>(wxID_CANCEL); };
        frame_ = new TestFrame(nullptr, dir_.path);
        frame_->Show();
        Yield();
    }
    void TearDown() override {
        if (frame_) frame_->Destroy();  // the windows it opened go with it
        Yield();
    }
    wxString Path(const wxString& name) const { return dir_.path + "/" + name; }
    wxStyledTextCtrl* editor() const { return frame_->Editor(); }
    void Compile() { frame_->OnTqpCompileClick(event_); }
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

    TempDir dir_;
    MessageBoxes boxes_;  // other dialogs are cancelled
    TestFrame* frame_ = nullptr;
    wxCommandEvent event_;
};

}  // namespace guitest
