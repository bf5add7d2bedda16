// The program dialog against a simulated controller on a pseudo-terminal.
#include "GuiTestSupport.h"

#include "compiler/Compiler.h"
#include "dialogs/ProgramDlg.h"
#include "dialogs/ProgramTransfer.h"
#include "serial/Comport.h"
#include "serial/SimulatedController.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <cstdlib>
#include <functional>

namespace {

class ProgramDialog : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tqc-prog-XXXXXX";
        savedDir_ = data.programDir;
        data.programDir = mkdtemp(pattern);
        savedPort_ = data.programComport;
        Compiler compiler;
        wxArrayString lines;
        lines.Add("defvar x = 5");
        lines.Add("on x");
        lines.Add("send \"OK[0D]\"");
        compiler.CompileLines(lines);
        ASSERT_EQ(data.errorCount, 0);
    }
    void TearDown() override {
        comport.Close();
        gl_iProgramStop = 0;
        data.programDir = savedDir_;
        data.programComport = savedPort_;
    }
    wxString savedDir_, savedPort_;
    // The settings file is new in the temp folder: its notice box is answered at once.
    guitest::ModalAnswer answer_{[](wxDialog*) { return wxID_OK; }};
};

TEST_F(ProgramDialog, SendsAndVerifiesTheImage) {
    SimulatedController controller;
    ASSERT_TRUE(controller.Start()) << controller.ErrorText();
    data.programComport = controller.SlavePath();
    ProgramDlg dialog(nullptr);
    dialog.Show();
    guitest::Yield();
    // Every control shows its whole text at the dialog's size.
    for (wxWindow* child : dialog.GetChildren()) {
        if (!dynamic_cast<wxStaticText*>(child) && !dynamic_cast<wxButton*>(child)) continue;
        const wxSize size = child->GetSize(), best = child->GetBestSize();
        EXPECT_TRUE(size.x >= best.x && size.y >= best.y) << guitest::U(child->GetLabel());
    }
    wxCommandEvent click;
    dialog.OnBtnProgramClick(click);

    EXPECT_EQ(dialog.Status(), "OK");
    // What the main window's status bar keeps after the dialog closed.
    EXPECT_TRUE(dialog.Outcome().StartsWith(wxString::Format("Programmierung OK: %d Bytes", data.outputCount)));
    EXPECT_EQ(dialog.Log().Find("Programmiervorgang Start"), 0);
    EXPECT_EQ(dialog.GaugeValue(), 2 * data.outputCount);
    std::vector<unsigned char> image = controller.Image();
    image.resize(data.outputCount);
    EXPECT_EQ(image, std::vector<unsigned char>(data.outputValue, data.outputValue + data.outputCount));
    EXPECT_EQ(controller.ReadBacks(), data.outputCount);
    EXPECT_FALSE(comport.IsOpen());
    EXPECT_TRUE(wxFileName::FileExists(data.programDir + "/TqC_Konfig.ini"));
    controller.Stop();
    dialog.Destroy();
}

TEST_F(ProgramDialog, StopEndsTheConnectionLoopAndClosesThePort) {
    SimulatedController::Options silent;
    silent.silentRequests = 1000;
    SimulatedController controller(silent);
    ASSERT_TRUE(controller.Start()) << controller.ErrorText();
    data.programComport = controller.SlavePath();
    ProgramDlg dialog(nullptr);
    dialog.Show();
    // "Stop/Clear" pressed while the transfer waits for the controller.
    dialog.CallAfter([&dialog] {
        wxCommandEvent stop;
        dialog.OnBtnStopClick(stop);
    });
    wxCommandEvent click;
    dialog.OnBtnProgramClick(click);
    EXPECT_EQ(dialog.Status(), "Program");
    EXPECT_EQ(gl_iProgramStop, 0);
    EXPECT_FALSE(comport.IsOpen());
    EXPECT_NE(dialog.Log().Find("warten auf Verbindung"), wxNOT_FOUND);
    EXPECT_EQ(controller.ImageLength(), -1);  // nothing past the request went out
    controller.Stop();
    dialog.Destroy();
}

TEST_F(ProgramDialog, ClosingTheDialogDuringAWaitEndsTheTransfer) {
    SimulatedController::Options mute;
    mute.faultPhase = SimulatedController::Phase::BlockEnd;  // the loader never sends "*"
    mute.faultMute = true;
    SimulatedController controller(mute);
    ASSERT_TRUE(controller.Start()) << controller.ErrorText();
    data.programComport = controller.SlavePath();
    ProgramDlg dialog(nullptr);
    dialog.Show();
    // The close box while the transfer waits for the end of the first block.
    bool closed = false;
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (closed || controller.Received().size() < 10 + 2 + 128) return;
        closed = true;
        dialog.Close();
    });
    poll.Start(20);
    wxCommandEvent click;
    dialog.OnBtnProgramClick(click);
    EXPECT_TRUE(closed);
    EXPECT_EQ(gl_iProgramStop, 0);
    EXPECT_FALSE(comport.IsOpen());
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_TRUE(wxFileName::FileExists(data.programDir + "/TqC_Konfig.ini"));  // settings saved on close
    controller.Stop();
    dialog.Destroy();
}

TEST_F(ProgramDialog, IgnoresProgramAndPortChoiceWhileATransferRunsOrFailed) {
    ProgramDlg dialog(nullptr);
    gl_iProgramStop = 1;
    wxCommandEvent click;
    dialog.OnBtnProgramClick(click);
    EXPECT_EQ(dialog.Log(), "");
    EXPECT_EQ(dialog.Status(), "Program");
    const wxString port = data.programComport;
    dialog.OnBtnReadComClick(click);
    EXPECT_EQ(data.programComport, port);
    dialog.Destroy();
}

}  // namespace
