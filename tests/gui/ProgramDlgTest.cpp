// The program dialog against a simulated controller: what it shows of a transfer, and its stop
// and close paths. The transfer's bytes, texts and failures are checked in the device tests.
#include "GuiTestSupport.h"

#include "dialogs/ProgramDlg.h"

namespace {

class ProgramDialog : public guitest::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        Compiler().CompileLatin1("defvar x = 5\non x\nsend \"OK[0D]\"\n");
        ASSERT_EQ(data.errorCount, 0);
    }
    // A shown dialog whose port is a started simulator.
    ProgramDlg& Open(const SimulatedController::Options& options = {}) {
        EXPECT_TRUE(StartSimulator(options)) << sim_->ErrorText();
        dialog_ = std::make_unique<ProgramDlg>(nullptr);
        dialog_->Show();
        guitest::Yield();
        return *dialog_;
    }

    std::unique_ptr<ProgramDlg> dialog_;
};

TEST_F(ProgramDialog, ShowsTheTransferAndItsOutcome) {
    ProgramDlg& dialog = Open();
    dialog.OnBtnProgramClick(event_);
    EXPECT_EQ(dialog.Status(), "OK");
    EXPECT_TRUE(dialog.Outcome().StartsWith(wxString::Format("Programmierung OK: %d Bytes", data.outputCount)));
    EXPECT_EQ(dialog.GaugeValue(), 2 * data.outputCount);          // every cell sent and verified
    EXPECT_EQ(dialog.Phase(), wxString::FromUTF8("Prüfe 100 %"));  // the last phase in words
    EXPECT_LE(dialog.PhaseExtent().x, dialog.PhaseSize().x);
    EXPECT_TRUE(!dialog.Log().empty() && sim_->CompletedImages() == 1 && !comport.IsOpen() && SettingsStored());
}

// With no port chosen nothing is opened: the box says how to choose one, and Program stays ready.
TEST_F(ProgramDialog, WithNoPortChosenSaysHowToChooseOne) {
    ProgramDlg& dialog = Open();
    data.programComport.clear();
    dialog.OnBtnProgramClick(event_);
    EXPECT_EQ(boxes_.texts, std::vector<wxString>{SerialSession::NoPortText()});
    EXPECT_TRUE(!comport.IsOpen() && gl_iProgramStop == 0 && sim_->Received().empty());
    boxes_.texts.clear();
}

// "Stop/Clear" during the connection loop, the close box while the loader is silent after the
// first block: the transfer ends, the port closes; the close also stores the settings and hides.
TEST_F(ProgramDialog, StopOrCloseEndsTheTransfer) {
    for (const bool close : {false, true}) {
        SCOPED_TRACE(close);
        SimulatedController::Options options;
        options.silentRequests = close ? 0 : 1000;
        options.faultPhase = close ? SimulatedController::Phase::BlockEnd : SimulatedController::Phase::None;
        options.faultMute = true;
        ProgramDlg& dialog = Open(options);
        const size_t after = close ? 10 + 2 + 128 : 0;  // bytes at the loader when the user acts
        bool acted = false;
        wxTimer poll;
        poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (acted || sim_->Received().size() < after) return;
            acted = true;
            if (close)
                dialog.Close();
            else
                dialog.OnBtnStopClick(event_);
        });
        poll.Start(20);
        dialog.OnBtnProgramClick(event_);
        EXPECT_TRUE(acted && gl_iProgramStop == 0 && !comport.IsOpen());
        EXPECT_EQ(dialog.IsShown(), !close);
        EXPECT_TRUE(close || dialog.Status() + dialog.Phase() == "Program")
            << guitest::U(dialog.Status() + dialog.Phase());
        EXPECT_EQ(SettingsStored(), close);
        EXPECT_EQ(sim_->ImageLength() >= 0, close);  // a stop sends nothing past the request
    }
}

// After a failed transfer, or while one runs, Program and the port search do nothing.
TEST_F(ProgramDialog, IgnoresProgramAndPortSearchWhileATransferRunsOrFailed) {
    ProgramDlg dialog(nullptr);
    gl_iProgramStop = 1;
    dialog.OnBtnProgramClick(event_);
    const wxString port = data.programComport;
    dialog.OnBtnReadComClick(event_);
    EXPECT_EQ(dialog.Log() + "|" + dialog.Status() + "|" + data.programComport, "|Program|" + port);
}

}  // namespace
