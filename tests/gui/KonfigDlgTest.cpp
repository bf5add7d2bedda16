// The module configuration dialog's own wiring: model buttons, and Connect, Read and Write
// through its buttons against the simulated bridge and module on a pseudo-terminal. The exchange
// itself (bytes, every failure path, field checks) is tested in KonfigExchangeTest.
#include "GuiTestSupport.h"

#include "app/Globals.h"
#include "app/MainFrame.h"
#include "compiler/Data.h"
#include "dialogs/ProgramDlg.h"
#include "konfig/KonfigDlg.h"
#include "serial/Comport.h"
#include "serial/SimulatedController.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <tuple>
#include <typeinfo>

namespace {

const wxString kStart = "Reset Modul\nwarte auf Verbindung\n";
const wxString kConnectOk = kStart + wxString::FromUTF8(
    "TqP-Br\xC3\xBC" "cke OK\nVerbindung OK\n\n- Modul(e) blinken\n- Mit Tasterdruck (ca. 1 Sek.) Modul "
    "ausw\xC3\xA4hlen\n- Nur 1 Modul ausw\xC3\xA4hlen !\n- Read / Write sind aktiv\n\n");

// 20 rows as "key/LED" separated by blanks: the given rows, then "0/0" up to row 20.
std::string Rows20(std::string rows) {
    for (int count = rows.empty() ? 0 : 1 + std::count(rows.begin(), rows.end(), ' '); count < 20; ++count)
        rows += rows.empty() ? "0/0" : " 0/0";
    return rows;
}

// A "-101" model's rows: first/first, first+1/first+1, ... for n rows.
std::string Numbered(int first, int n) {
    std::string rows;
    for (int r = first; r < first + n; ++r)
        rows += (r > first ? " " : "") + std::to_string(r) + "/" + std::to_string(r);
    return Rows20(rows);
}

// What the 40 fields show, in the form of Rows20.
std::string Fields() {
    std::string rows;
    for (int r = 0; r < 20; ++r)
        rows += (r ? " " : "") + m_glTextTaster[r]->GetValue().ToStdString() + "/" +
                m_glTextLed[r]->GetValue().ToStdString();
    return rows;
}

// Text nobody would type, different in every field, so a field left alone shows.
void FillJunk(const std::string& tag) {
    for (int r = 0; r < 20; ++r) {
        m_glTextTaster[r]->SetValue(wxString::Format("%st%d", tag, r + 1));
        m_glTextLed[r]->SetValue(wxString::Format("%sl%d", tag, r + 1));
    }
}

template <typename Control>
Control* Find(wxWindow& dialog, const wxString& label) {
    for (wxWindow* child : dialog.GetChildren())
        if (auto* control = dynamic_cast<Control*>(child); control && control->GetLabel() == label) return control;
    return nullptr;
}

// Presses the button as the user would: its event goes through the button's own binding.
bool Click(wxWindow& dialog, const wxString& label) {
    wxButton* button = Find<wxButton>(dialog, label);
    if (!button) return false;
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
    return true;
}

class Konfig : public ::testing::Test {
protected:
    void SetUp() override { saved_ = {data.programComport, data.terminalComport}; }
    void TearDown() override {
        EXPECT_TRUE(boxes_.empty()) << boxes_.front();  // tests that expect a box clear the list
        other_ = nullptr;
        dialog_.reset();
        if (glTerminalDlg) glTerminalDlg->Close(true);
        if (frame_) frame_->Destroy();
        guitest::Yield();
        glStyledTextCtrl = nullptr;
        if (sim_) sim_->Stop();
        comport.Close();
        std::tie(data.programComport, data.terminalComport) = saved_;
    }
    // Starts the simulated bridge and module and points the dialog's port at it.
    bool Start(const SimulatedController::Options& options = {}) {
        sim_ = std::make_unique<SimulatedController>(options);
        data.programComport = sim_->Start() ? sim_->SlavePath() : wxString();
        return !data.programComport.empty();
    }
    KonfigDlg& Open(bool show = true) {
        dialog_ = std::make_unique<KonfigDlg>(nullptr);
        if (show) dialog_->Show();
        return *dialog_;
    }
    // A Write with a bad field is refused at once and leaves its reasons in the log.
    void PutSomethingInTheLog() {
        const wxString kept = m_glTextTaster[0]->GetValue();
        m_glTextTaster[0]->SetValue("x");
        Click(*dialog_, "Write");
        m_glTextTaster[0]->SetValue(kept);
        ASSERT_NE(dialog_->Log(), "");
    }

    std::pair<wxString, wxString> saved_;
    std::unique_ptr<SimulatedController> sim_;
    std::unique_ptr<KonfigDlg> dialog_;
    MainFrame* frame_ = nullptr;
    // Message boxes are answered at once and their texts kept; other dialogs are answered by
    // other_, or run for real while it is unset.
    std::vector<wxString> boxes_;
    std::function<int(wxDialog*)> other_;
    guitest::ModalAnswer answer_{[this](wxDialog* dialog) {
        auto* box = dynamic_cast<wxMessageDialog*>(dialog);
        if (!box) return other_ ? other_(dialog) : static_cast<int>(wxID_NONE);
        boxes_.push_back(box->GetMessage());
        return static_cast<int>(wxID_OK);
    }};
};

// The field pointers live only as long as the dialog.
TEST_F(Konfig, FieldPointersDieWithTheDialog) {
    data.programComport = "/dev/ttyTQC7";
    EXPECT_EQ(Open().PortName(), "/dev/ttyTQC7");
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(m_glTextTaster[i] && m_glTextLed[i]) << i;
    dialog_.reset();
    for (int i = 0; i < 32; ++i) EXPECT_TRUE(!m_glTextTaster[i] && !m_glTextLed[i]) << i;
}

TEST_F(Konfig, ModelButtonsInOrderAndClearFillAllRowsButNotTheLog) {
    const std::pair<const char*, std::string> models[] = {
        {"PX4-101", Numbered(101, 4)}, {"PX4-105", Numbered(105, 4)}, {"PX4-109", Numbered(109, 4)},
        {"PX4-113", Numbered(113, 4)}, {"PX4-Remote", Rows20("28/31 12/11 36/34 4/5")},
        {"PX6-101", Numbered(101, 6)}, {"PX6-Remote", Rows20("")},
        {"PX7-101", Numbered(101, 7)}, {"PX7-Remote", Rows20("25/24 18/19 29/28 30/31 5/3 37/36 39/40")},
        {"PX8-101", Numbered(101, 8)},
        {"PX8-Remote", Rows20("22/23 20/21 24/25 19/18 28/31 12/11 36/34 41/42")},
        {"PX9-101", Numbered(101, 9)},
        {"PX9-Remote", Rows20("24/25 14/23 13/12 29/28 30/31 5/3 36/35 38/37 39/40")},
        {"PX10-101", Numbered(101, 10)},
        {"PX10-Remote", Rows20("16/15 13/14 22/23 20/21 24/25 19/18 28/31 12/11 36/34 41/42")},
        {"PX12-101", Numbered(101, 12)},
        {"PX12-Remote", Rows20("19/18 15/16 20/21 14/13 24/25 22/23 26/27 5/6 28/31 12/11 36/34 41/42")},
        {"PX18-101", Numbered(101, 18)},
        {"PX18-Remote", Rows20("14/13 12/11 10/9 18/17 15/16 5/6 19/20 25/26 3/4 27/28 38/37 2/1 29/30 "
                               "36/35 41/42 31/32 34/33 40/39")},
    };
    KonfigDlg& dialog = Open();
    std::vector<wxButton*> shown;  // the model buttons in the order shown
    for (wxWindow* child : dialog.GetChildren())
        if (auto* button = dynamic_cast<wxButton*>(child); button && button->GetLabel().StartsWith("PX"))
            shown.push_back(button);
    ASSERT_EQ(shown.size(), std::size(models));
    PutSomethingInTheLog();
    const wxString log = dialog.Log();
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(models[i].first);
        EXPECT_EQ(shown[i]->GetLabel(), models[i].first);
        FillJunk(models[i].first);
        ASSERT_TRUE(Click(dialog, models[i].first));
        EXPECT_EQ(Fields(), models[i].second);
    }
    FillJunk("c");
    ASSERT_TRUE(Click(dialog, "Clear"));
    EXPECT_EQ(Fields(), Rows20(""));
    EXPECT_EQ(dialog.Log(), log);
}

// The simulated module keeps what was written and sends it back on a read.
TEST_F(Konfig, WriteStoresTheFieldsAndReadFillsThemBack) {
    ASSERT_TRUE(Start()) << sim_->ErrorText();
    KonfigDlg& dialog = Open();
    FillJunk("w");
    ASSERT_TRUE(Click(dialog, "PX12-Remote"));
    m_glTextTaster[12]->SetValue(" 300 ");  // blanks around a number are allowed
    m_glTextLed[0]->SetValue("65535");
    m_glTextTaster[19]->SetValue("");  // an empty field is 0
    m_glTextLed[19]->SetValue("256");
    ASSERT_TRUE(Click(dialog, "Write"));
    FillJunk("r");
    ASSERT_TRUE(Click(dialog, "Read"));
    EXPECT_EQ(Fields(), "19/65535 15/16 20/21 14/13 24/25 22/23 26/27 5/6 28/31 12/11 36/34 41/42 300/0 0/0 0/0 "
                        "0/0 0/0 0/0 0/0 0/256");
    EXPECT_EQ(dialog.Log(), "schreiben OK\n\nLesen OK\n\n");  // only Connect empties the log
}

TEST_F(Konfig, ReadWithoutAWholeRecordLeavesTheFields) {
    SimulatedController::Options options;
    options.faultPhase = SimulatedController::Phase::ReadData;
    options.faultIndex = 40;  // half of the 80 bytes
    options.faultMute = true;
    ASSERT_TRUE(Start(options)) << sim_->ErrorText();
    KonfigDlg& dialog = Open();
    FillJunk("s");
    const std::string before = Fields();
    ASSERT_TRUE(Click(dialog, "Read"));
    EXPECT_EQ(Fields(), before);
    EXPECT_EQ(dialog.Log().Find("Fehler beim lesen\n"), 0) << dialog.Log();
}

TEST_F(Konfig, WriteWithBadFieldsSendsNothingAndSelectsTheFirst) {
    ASSERT_TRUE(Start()) << sim_->ErrorText();
    KonfigDlg& dialog = Open();
    m_glTextTaster[2]->SetValue("70000");
    m_glTextLed[1]->SetValue("-1");  // row 2 comes before row 3
    Find<wxButton>(dialog, "Write")->SetFocus();
    ASSERT_TRUE(Click(dialog, "Write"));
    EXPECT_NE(dialog.Log().Find("Nichts gesendet"), wxNOT_FOUND) << dialog.Log();
    EXPECT_TRUE(sim_->Received().empty());
    wxTextCtrl* first = m_glTextLed[1];
    EXPECT_EQ(wxWindow::FindFocus(), first);
    long from = -1, to = -1;
    first->GetSelection(&from, &to);
    EXPECT_EQ(std::pair(from, to), std::pair(0L, first->GetLastPosition()));  // all of it selected
}

TEST_F(Konfig, APortThatCannotBeOpenedIsToldInOneMessageBox) {
    data.programComport = "/nonexistent/tqc-port";
    ASSERT_TRUE(Click(Open(), "Read"));
    const wxString told = wxString::Format("Comport Fehler %d\n", ENOENT) + std::strerror(ENOENT);
    EXPECT_EQ(boxes_, std::vector<wxString>{told});
    boxes_.clear();
}

// Connect from the modal dialog, with clicks and the close box during its first wait: the log
// starts afresh, the window answers during the waits, the clicks are turned away and the close
// waits for the exchange's end.
TEST_F(Konfig, ConnectAnswersDuringItsWaitsIgnoresClicksAndDefersTheClose) {
    ASSERT_TRUE(Start()) << sim_->ErrorText();
    KonfigDlg& dialog = Open(false);
    PutSomethingInTheLog();
    FillJunk("n");  // a Write that got through would complain about these, a Read replace them
    const std::string fields = Fields();
    std::vector<wxString> seen;  // the log at every tick during the exchange
    bool clicked = false, stillRunning = false, stayed = false;
    int ticks = 0;
    wxTimer ticker;
    ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (++ticks == 500 && dialog.IsModal()) dialog.EndModal(wxID_ABORT);  // a loop that never ends
        if (dialog.ExchangeRunning()) seen.push_back(dialog.Log());
        if (clicked || dialog.Log() != kStart) return;
        clicked = true;
        for (const char* label : {"Connect", "Read", "Write"}) Click(dialog, label);
        stillRunning = dialog.ExchangeRunning();
        dialog.Close();
        stayed = dialog.IsModal() && dialog.IsShown();
    });
    ticker.Start(20);
    const auto start = std::chrono::steady_clock::now();
    dialog.CallAfter([&dialog] { Click(dialog, "Connect"); });
    const int code = dialog.ShowModal();
    ticker.Stop();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1100));  // 100+300+300+100+300
    EXPECT_EQ(dialog.Log(), kConnectOk);  // the exchange ran to its end, alone
    EXPECT_EQ(Fields(), fields);
    ASSERT_TRUE(clicked);
    EXPECT_TRUE(stillRunning);
    EXPECT_TRUE(stayed);  // the close box only asked
    EXPECT_EQ(code, wxID_CANCEL);
    EXPECT_FALSE(dialog.IsShown());
    // The emptied log stands during the first wait; between the first two log lines the exchange
    // only waits, so ticks there show the waits themselves let events through.
    EXPECT_GE(std::count(seen.begin(), seen.end(), ""), 1);
    EXPECT_GE(std::count(seen.begin(), seen.end(), "Reset Modul\n"), 5);
    EXPECT_GE(std::count(seen.begin(), seen.end(), kStart), 5);
}

// The main window with the terminal open on a simulated device of its own.
TEST_F(Konfig, MenuCommandsPutTheTerminalAsideWhileTheirDialogRuns) {
    ASSERT_TRUE(Start()) << sim_->ErrorText();
    char pattern[] = "/tmp/tqc-konfig-XXXXXX";
    frame_ = new MainFrame(nullptr, mkdtemp(pattern));
    frame_->Show();
    guitest::Yield();
    data.terminalComport = sim_->SlavePath();
    data.terminalBaud = 9600;
    data.terminalDataBits = 8;
    data.terminalParity = "N";
    data.terminalStopBits = 1;
    wxCommandEvent event;
    frame_->OnTqpTerminalClick(event);
    boxes_.clear();  // the notice of the missing settings file
    const std::pair<int, const std::type_info*> commands[] = {{MainFrame::ID_KONFIG, &typeid(KonfigDlg)},
                                                               {MainFrame::ID_PROGRAM, &typeid(ProgramDlg)}};
    ASSERT_NE(glTerminalDlg, nullptr);
    ASSERT_TRUE(comport.IsOpen());
    for (const auto& [id, type] : commands) {
        SCOPED_TRACE(type->name());
        std::vector<std::vector<bool>> seen;  // per dialog run: the one expected, terminal hidden, port closed
        other_ = [&, type = type](wxDialog* d) {
            seen.push_back({typeid(*d) == *type, !glTerminalDlg->IsShown(), !comport.IsOpen()});
            return static_cast<int>(wxID_CANCEL);
        };
        wxCommandEvent menu(wxEVT_MENU, id);
        frame_->ProcessWindowEvent(menu);
        EXPECT_EQ(seen, (std::vector<std::vector<bool>>{{true, true, true}}));
        EXPECT_TRUE(glTerminalDlg->IsShown());
        EXPECT_TRUE(comport.IsOpen());
    }
}

}  // namespace
