// Helpers for GUI tests: message boxes answered and recorded, controls used as they report it,
// events let run, modal runs that cannot hang, and the one fixture with its main window.
#pragma once

#include "../support/Files.h"
#include "app/FindBar.h"
#include "app/MainFrame.h"
#include "compiler/ErrorDlg.h"
#include "dialogs/ProgramDlg.h"
#include "dialogs/TerminalDlg.h"
#include "serial/Comport.h"
#include "serial/SimulatedController.h"
#include "settings/HelpDlg.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/filename.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <deque>
#include <memory>

namespace guitest {

inline std::string U(const wxString& text) { return std::string(text.utf8_str().data()); }

inline void WriteBytes(const wxString& path, const std::string& bytes) { files::Write(path.utf8_string(), bytes); }
inline std::string ReadBytes(const wxString& path) { return files::Read(path.utf8_string()); }

// While it lives, every message box is answered at once (from `answers`, then OK) and recorded;
// another modal dialog goes to `other`, or runs for real while `other` is unset.
class MessageBoxes : public wxModalDialogHook {
public:
    MessageBoxes() { Register(); }
    ~MessageBoxes() override { Unregister(); }
    std::deque<int> answers;                         // wxID_YES, wxID_NO, wxID_CANCEL, wxID_OK
    std::vector<wxString> texts, captions, buttons;  // buttons: "Yes/No/Cancel" as labelled
    std::function<int(wxDialog*)> other;
    std::function<void()> onBox;  // called as each message box opens, to look at the windows then

protected:
    int Enter(wxDialog* dialog) override {
        captions.push_back(dialog->GetTitle());
        auto* box = dynamic_cast<wxMessageDialog*>(dialog);
        if (!box) return other ? other(dialog) : static_cast<int>(wxID_NONE);
        texts.push_back(box->GetMessage());
        if (onBox) onBox();
        buttons.push_back(box->GetYesLabel() + "/" + box->GetNoLabel() + "/" + box->GetCancelLabel());
        const int answer = answers.empty() ? wxID_OK : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    void Exit(wxDialog*) override {}
};

// The first child of `parent` of that type, with that label when one is given.
template <typename Control>
Control* Find(wxWindow* parent, const wxString& label = wxString()) {
    for (wxWindow* child : parent->GetChildren())
        if (auto* control = dynamic_cast<Control*>(child); control && (label.empty() || control->GetLabel() == label))
            return control;
    return nullptr;
}

// A click as the button itself reports it.
inline void Click(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

// An entry chosen in a list or radio box, as the control reports it.
template <typename Control>
void Choose(Control* control, int index, wxEventType type = wxEVT_LISTBOX) {
    control->SetSelection(index);
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(index);
    control->GetEventHandler()->ProcessEvent(event);
}

// Lets pending events and idle handlers run.
inline void Yield() {
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

// Lets events run until `done` holds or the time is up.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (; !done(); std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
        if (std::chrono::steady_clock::now() > end) return false;
        Yield();
    }
    return true;
}

// Runs `dialog` modally for real: `start` once the loop runs, `tick` every 20 ms during it; the
// loop ends after `limitMs` so that a dialog that does not end cannot hang the run.
inline int RunModal(wxDialog& dialog, const std::function<void()>& start, const std::function<void()>& tick = {},
                    int limitMs = 10000) {
    wxTimer ticker;
    int ticks = 0;
    ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (++ticks * 20 > limitMs && dialog.IsModal()) dialog.EndModal(wxID_ABORT);
        if (tick && dialog.IsModal()) tick();
    });
    ticker.Start(20);
    dialog.CallAfter(start);
    return dialog.ShowModal();
}

// The main window, its file dialogs (`paths`; none left: cancelled) and "Gehe zu Zeile" (`line`) answered.
class TestFrame : public MainFrame {
public:
    using MainFrame::MainFrame;
    std::deque<wxString> paths;
    int line = 0;

protected:
    wxString AskScriptPath(bool) override {
        const wxString path = paths.empty() ? wxString() : paths.front();
        if (!paths.empty()) paths.pop_front();
        return path;
    }
    int AskLineNumber(int, int) override { return line; }
};

// Every test has a settings folder of its own and its message boxes answered; afterwards the
// ports, the stop flag and the windows it opened are as before. The devices start on demand.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.programDir = Dir();
        data.sourcePath.clear();
        data.sourceDir.clear();
    }
    void TearDown() override {
        if (frame_)
            frame_->Destroy();  // the windows it opened go with it
        else if (glTerminalDlg)
            glTerminalDlg->Destroy();
        Yield();
        comport.Close();
        sim_.reset();
        gl_iProgramStop = 0;
        std::tie(data.programDir, data.programComport, data.terminalComport) = saved_;
    }
    // The main window, its dialogs other than message boxes cancelled.
    void OpenMain() {
        boxes_.other = [](wxDialog*) { return static_cast<int>(wxID_CANCEL); };
        frame_ = new TestFrame(nullptr, Dir());
        frame_->Show();
        Yield();
    }
    // The simulated controller, bridge and module, named as the devices' port.
    bool StartSimulator(const SimulatedController::Options& options = {}) {
        sim_ = std::make_unique<SimulatedController>(options);
        data.programComport = sim_->Start() ? sim_->SlavePath() : wxString();
        return !data.programComport.empty();
    }
    wxString Dir() const { return wxString::FromUTF8(dir_.path); }
    wxString Path(const wxString& name) const { return Dir() + "/" + name; }
    bool SettingsStored() const { return wxFileName::FileExists(Path("TqC_Konfig.ini")); }
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

    std::tuple<wxString, wxString, wxString> saved_{data.programDir, data.programComport, data.terminalComport};
    files::TempDir dir_;
    MessageBoxes boxes_;
    TestFrame* frame_ = nullptr;
    std::unique_ptr<SimulatedController> sim_;
    wxCommandEvent event_;
};

class MainWindow : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        OpenMain();
    }
};

}  // namespace guitest
