// The module configuration dialog's own wiring against the simulated devices (the exchange's
// bytes, texts and field checks are in devices/SessionTest).
#include "GuiTestSupport.h"

#include "dialogs/ProgramDlg.h"
#include "konfig/KonfigDlg.h"
#include "konfig/ModelNumberings.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

namespace {

// The 20 rows as "key/LED" separated by blanks: of the fields, or of values.
std::string Fields() {
    std::string rows;
    for (int r = 0; r < 20; ++r)
        rows += (r ? " " : "") + guitest::U(m_glTextTaster[r]->GetValue() + "/" + m_glTextLed[r]->GetValue());
    return rows;
}
std::string Rows(const KonfigValues& values) {
    std::string rows;
    for (int r = 0; r < 20; ++r)
        rows += (r ? " " : "") + std::to_string(values[r].taster) + "/" + std::to_string(values[r].led);
    return rows;
}
// Text nobody would type, different in every field, so a field left alone shows.
void FillJunk(const char* tag) {
    for (int r = 0; r < 20; ++r) {
        m_glTextTaster[r]->SetValue(wxString::Format("%st%d", tag, r + 1));
        m_glTextLed[r]->SetValue(wxString::Format("%sl%d", tag, r + 1));
    }
}

class Konfig : public guitest::GuiTest {
protected:
    void TearDown() override {
        EXPECT_TRUE(boxes_.texts.empty()) << boxes_.texts.front();  // tests that expect a box clear the list
        dialog_.reset();
        GuiTest::TearDown();
    }
    KonfigDlg& Open(bool show = true) {
        dialog_ = std::make_unique<KonfigDlg>(nullptr);
        if (show) dialog_->Show();
        return *dialog_;
    }
    // Presses the button as the user would: its event goes through the button's own binding.
    void Click(const wxString& label) { guitest::Click(guitest::Find<wxButton>(dialog_.get(), label)); }

    std::unique_ptr<KonfigDlg> dialog_;
};

// Each model button fills all rows with its own model's numbering, Clear with zeros; the field
// pointers live only as long as the dialog.
TEST_F(Konfig, ModelButtonsAndClearFillAllRows) {
    data.programComport = "/dev/ttyTQC7";
    EXPECT_EQ(Open().PortName(), "/dev/ttyTQC7 (nicht angeschlossen)");
    int buttons = 0;
    for (wxWindow* child : dialog_->GetChildren()) {
        auto* button = dynamic_cast<wxButton*>(child);
        if (!button || !button->GetLabel().StartsWith("PX")) continue;
        SCOPED_TRACE(guitest::U(button->GetLabel()));
        ++buttons;
        FillJunk("m");
        guitest::Click(button);
        ASSERT_NE(FindModel(button->GetLabel()), nullptr);
        EXPECT_EQ(Fields(), Rows(ModelValues(*FindModel(button->GetLabel()))));
    }
    EXPECT_EQ(buttons, 19);
    FillJunk("c");
    Click("Clear");
    EXPECT_EQ(Fields(), Rows(KonfigValues{}));
    dialog_.reset();
    for (int i = 0; i < 32; ++i) EXPECT_TRUE(!m_glTextTaster[i] && !m_glTextLed[i]) << i;
}

// The simulated module keeps what was written and sends it back on a read; a read without a whole
// record leaves the fields as they were.
TEST_F(Konfig, WriteStoresTheFieldsAndReadFillsThemBack) {
    ASSERT_TRUE(StartSimulator()) << sim_->ErrorText();
    Open();
    Click("PX12-Remote");
    const std::string written = Fields();
    Click("Write");
    FillJunk("r");
    Click("Read");
    EXPECT_EQ(Fields(), written);
    SimulatedController::Options half;
    half.faultPhase = SimulatedController::Phase::ReadData;
    half.faultIndex = 40;  // of the 80 bytes
    half.faultMute = true;
    ASSERT_TRUE(StartSimulator(half)) << sim_->ErrorText();
    FillJunk("s");
    const std::string before = Fields();
    Click("Read");
    EXPECT_EQ(Fields(), before);
}

// A Write with bad fields puts the focus on the first, all of it selected; a port that cannot be
// opened is told in one message box.
TEST_F(Konfig, BadFieldsAndAMissingPortAreTold) {
    ASSERT_TRUE(StartSimulator()) << sim_->ErrorText();
    Open();
    m_glTextTaster[2]->SetValue("70000");
    m_glTextLed[1]->SetValue("-1");  // row 2 comes before row 3
    guitest::Find<wxButton>(dialog_.get(), "Write")->SetFocus();
    Click("Write");
    EXPECT_EQ(wxWindow::FindFocus(), m_glTextLed[1]);
    long from = -1, to = -1;
    m_glTextLed[1]->GetSelection(&from, &to);
    EXPECT_EQ(std::pair(from, to), std::pair(0L, m_glTextLed[1]->GetLastPosition()));
    data.programComport = "/nonexistent/tqc-port";
    Click("Read");
    EXPECT_EQ(boxes_.texts,
              std::vector<wxString>{wxString::Format("Comport Fehler %d\n", ENOENT) + std::strerror(ENOENT)});
    boxes_.texts.clear();
    // With no port chosen the box says how to choose one, for every button, and the label says so.
    data.programComport.clear();
    Open();
    for (const char* label : {"Connect", "Read"}) Click(label);
    EXPECT_EQ(boxes_.texts, std::vector<wxString>(2, SerialSession::NoPortText()));
    EXPECT_NE(guitest::Find<wxStaticText>(dialog_.get(), wxString::FromUTF8("kein Comport gewählt")), nullptr);
    boxes_.texts.clear();
}

// Connect from the modal dialog, with clicks and the close box during its first wait: the window
// answers during the waits, the clicks are turned away and the close waits for the end.
TEST_F(Konfig, ConnectAnswersDuringItsWaitsIgnoresClicksAndDefersTheClose) {
    ASSERT_TRUE(StartSimulator()) << sim_->ErrorText();
    KonfigDlg& dialog = Open(false);
    FillJunk("n");  // a Write that got through would complain about these, a Read replace them
    const std::string fields = Fields();
    const wxString start = "Reset Modul\nwarte auf Verbindung\n";
    std::vector<wxString> seen;  // the log at every tick during the exchange
    bool clicked = false, stillRunning = false, stayed = false;
    const auto begin = std::chrono::steady_clock::now();
    const int code = guitest::RunModal(
        dialog, [this] { Click("Connect"); },
        [&] {
            if (dialog.ExchangeRunning()) seen.push_back(dialog.Log());
            if (clicked || dialog.Log() != start) return;
            clicked = true;
            for (const char* label : {"Connect", "Read", "Write"}) Click(label);
            stillRunning = dialog.ExchangeRunning();
            dialog.Close();
            stayed = dialog.IsModal() && dialog.IsShown();
        });
    EXPECT_GE(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(1100));  // 100+300+300+100+300
    const wxString log = dialog.Log();  // the exchange ran to its end, alone
    EXPECT_TRUE(log.find("Reset Modul") == 0 && log.rfind("Reset Modul") == 0 &&
                log.EndsWith("- Read / Write sind aktiv\n\n"))
        << guitest::U(log);
    EXPECT_EQ(Fields(), fields);
    EXPECT_TRUE(clicked && stillRunning && stayed);  // the close box only asked
    EXPECT_TRUE(code == wxID_CANCEL && !dialog.IsShown());
    // The emptied log stands during the first wait; between the first two log lines the exchange
    // only waits, so ticks there show the waits themselves let events through.
    EXPECT_GE(std::count(seen.begin(), seen.end(), ""), 1);
    EXPECT_GE(std::count(seen.begin(), seen.end(), "Reset Modul\n"), 5);
    EXPECT_GE(std::count(seen.begin(), seen.end(), start), 5);
}

// The dialog fits an 800 x 600 screen (its caption included) with every control whole inside it.
TEST_F(Konfig, FitsASmallScreenWithEveryControlWhole) {
    KonfigDlg& dialog = Open();
    const wxSize size = dialog.GetSize();
    EXPECT_TRUE(size.x <= 800 && size.y <= 600 - 30) << size.x << " x " << size.y;
    const wxRect client(wxPoint(), dialog.GetClientSize());
    for (wxWindow* child : dialog.GetChildren())
        EXPECT_TRUE(client.Contains(child->GetRect())) << guitest::U(child->GetLabel() + child->GetName());
}

// After a failed Connect, Read and Write send nothing and say why; a good Connect lifts that. Escape
// from a field closes the dialog.
TEST_F(Konfig, AfterAFailedConnectReadAndWriteSayNotConnectedAndEscapeCloses) {
    SimulatedController::Options none;
    none.noModule = true;
    ASSERT_TRUE(StartSimulator(none)) << sim_->ErrorText();
    KonfigDlg& dialog = Open();
    Click("Connect");
    ASSERT_TRUE(dialog.Log().Contains("Verbindung Modul Fehler")) << guitest::U(dialog.Log());
    FillJunk("f");
    const std::string fields = Fields();
    const size_t sent = sim_->Received().size();
    for (const char* label : {"Read", "Write"}) {
        SCOPED_TRACE(label);
        const wxString log = dialog.Log();
        Click(label);
        EXPECT_EQ(guitest::U(dialog.Log()), guitest::U(log + "Kein Modul verbunden: zuerst Connect klicken\n\n"));
    }
    EXPECT_EQ(Fields(), fields);
    EXPECT_EQ(sim_->Received().size(), sent);
    ASSERT_TRUE(StartSimulator()) << sim_->ErrorText();
    Click("Connect");
    Click("Read");
    EXPECT_TRUE(dialog.Log().EndsWith("Lesen OK\n\n")) << guitest::U(dialog.Log());

    wxKeyEvent escape(wxEVT_CHAR_HOOK);  // travels up from the field as a key press does
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(m_glTextTaster[0]);
    m_glTextTaster[0]->ProcessWindowEvent(escape);
    EXPECT_FALSE(dialog.IsShown());
}

// The main window with the terminal open on a simulated device: each device dialog runs with the
// terminal hidden and its port closed, and both come back afterwards.
TEST_F(Konfig, MenuCommandsPutTheTerminalAsideWhileTheirDialogRuns) {
    ASSERT_TRUE(StartSimulator()) << sim_->ErrorText();
    OpenMain();
    data.terminalComport = sim_->SlavePath();
    data.terminalBaud = 9600, data.terminalDataBits = 8, data.terminalStopBits = 1, data.terminalParity = "N";
    frame_->OnTqpTerminalClick(event_);
    boxes_.texts.clear();  // the notice of the missing settings file
    ASSERT_TRUE(glTerminalDlg != nullptr && comport.IsOpen());
    for (const auto& [id, type] :
         {std::pair(MainFrame::ID_KONFIG, &typeid(KonfigDlg)), std::pair(MainFrame::ID_PROGRAM, &typeid(ProgramDlg))}) {
        SCOPED_TRACE(type->name());
        std::vector<std::vector<bool>> seen;  // per dialog run: the one expected, terminal hidden, port closed
        boxes_.other = [&, type = type](wxDialog* d) {
            seen.push_back({typeid(*d) == *type, !glTerminalDlg->IsShown(), !comport.IsOpen()});
            return static_cast<int>(wxID_CANCEL);
        };
        Command(id);
        EXPECT_EQ(seen, (std::vector<std::vector<bool>>{{true, true, true}}));
        EXPECT_TRUE(glTerminalDlg->IsShown() && comport.IsOpen());
    }
}

}  // namespace
