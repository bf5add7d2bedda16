// The module configuration dialog: its layout, the model buttons, and Connect, Read and Write
// against the simulated bridge and module on a pseudo-terminal.
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
#include <wx/gbsizer.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/timer.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Phase = SimulatedController::Phase;
using Clock = std::chrono::steady_clock;

const wxString kStart = "Reset Modul\nwarte auf Verbindung\n";
const wxString kBridgeOk = wxString::FromUTF8("TqP-Br\xC3\xBC" "cke OK\n");
const wxString kConnectOk = kStart + kBridgeOk + wxString::FromUTF8(
    "Verbindung OK\n\n- Modul(e) blinken\n- Mit Tasterdruck (ca. 1 Sek.) Modul ausw\xC3\xA4hlen\n"
    "- Nur 1 Modul ausw\xC3\xA4hlen !\n- Read / Write sind aktiv\n\n");
const wxString kPowerCycle =
    "\n- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n"
    "- innerhalb ca. 2 Sek. auf Connect clicken\n\n";

// The model buttons in the order the dialog shows them.
const char* const kModelLabels[] = {
    "PX4-101",  "PX4-105",     "PX4-109",  "PX4-113",     "PX4-Remote", "PX6-101",  "PX6-Remote",
    "PX7-101",  "PX7-Remote",  "PX8-101",  "PX8-Remote",  "PX9-101",    "PX9-Remote", "PX10-101",
    "PX10-Remote", "PX12-101", "PX12-Remote", "PX18-101", "PX18-Remote"};

// 20 rows as "key/LED" separated by blanks: the given rows, then "0/0" up to row 20.
std::string Rows20(const std::string& used) {
    std::string rows = used;
    int count = used.empty() ? 0 : 1;
    for (char c : used) count += c == ' ';
    for (; count < 20; ++count) rows += rows.empty() ? "0/0" : " 0/0";
    return rows;
}

// A "-101" model's rows: first/first, first+1/first+1, ... for n rows.
std::string Numbered(int first, int n) {
    std::string rows;
    for (int r = 0; r < n; ++r) {
        const std::string number = std::to_string(first + r);
        rows += (r ? " " : "") + number + "/" + number;
    }
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

// The record bytes of rows "k/l k/l ...": key high, low, LED high, low per row, then 0 up to 120.
std::vector<unsigned char> RecordOf(const std::string& rows) {
    std::vector<unsigned char> record;
    std::istringstream in(rows);
    int key = 0, led = 0;
    char slash = 0;
    while (in >> key >> slash >> led)
        for (int value : {key, led}) {
            record.push_back(static_cast<unsigned char>(value >> 8));
            record.push_back(static_cast<unsigned char>(value & 0xFF));
        }
    record.resize(120, 0);
    return record;
}

int Occurrences(const std::vector<unsigned char>& bytes, const std::string& text) {
    const std::string all(bytes.begin(), bytes.end());
    int count = 0;
    for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) ++count;
    return count;
}

wxButton* FindButton(wxWindow& dialog, const wxString& label) {
    for (wxWindow* child : dialog.GetChildren())
        if (auto* button = dynamic_cast<wxButton*>(child); button && button->GetLabel() == label) return button;
    return nullptr;
}

wxStaticText* FindText(wxWindow& dialog, const wxString& label) {
    for (wxWindow* child : dialog.GetChildren())
        if (auto* text = dynamic_cast<wxStaticText*>(child); text && text->GetLabel() == label) return text;
    return nullptr;
}

// Presses the button as the user would: its event goes through the button's own binding.
bool Click(wxWindow& dialog, const wxString& label) {
    wxButton* button = FindButton(dialog, label);
    if (!button) return false;
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
    return true;
}

// A Write with a bad field is refused at once and leaves its reasons in the log: a quick way to
// put text there.
void PutSomethingInTheLog(KonfigDlg& dialog) {
    const wxString kept = m_glTextTaster[0]->GetValue();
    m_glTextTaster[0]->SetValue("x");
    Click(dialog, "Write");
    m_glTextTaster[0]->SetValue(kept);
}

class Konfig : public ::testing::Test {
protected:
    void SetUp() override { savedPort_ = data.programComport; }
    void TearDown() override {
        comport.Close();
        data.programComport = savedPort_;
    }
    // Starts a simulator and points the dialog's port at it.
    bool Attach(SimulatedController& controller) {
        if (!controller.Start()) return false;
        data.programComport = controller.SlavePath();
        return true;
    }

    wxString savedPort_;
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

TEST_F(Konfig, LayoutRowsAndPort) {
    data.programComport = "/dev/ttyTQC7";
    {
        KonfigDlg dialog(nullptr);
        dialog.Show();
        EXPECT_EQ(dialog.GetTitle(), "Konfig PX / RS232");
        EXPECT_EQ(dialog.GetSize(), wxSize(686, 702));
        for (long flag : {wxCAPTION, wxSYSTEM_MENU, wxCLOSE_BOX, wxSTAY_ON_TOP})
            EXPECT_TRUE(dialog.HasFlag(flag)) << flag;
        EXPECT_EQ(dialog.PortName(), "/dev/ttyTQC7");
        EXPECT_EQ(FindText(dialog, "Comx"), nullptr);
        EXPECT_NE(FindText(dialog, "Comport:"), nullptr);
        wxStaticText* origin = FindText(dialog, "(Program Dlg)");
        ASSERT_NE(origin, nullptr);
        EXPECT_EQ(origin->GetFont().GetPointSize(), 7);
        for (const char* label : {"Connect", "Read", "Write", "Clear"})
            EXPECT_NE(FindButton(dialog, label), nullptr) << label;
        EXPECT_EQ(dialog.Log(), "");

        ASSERT_NE(m_glTextTaster[0], nullptr);
        auto* grid = dynamic_cast<wxGridBagSizer*>(m_glTextTaster[0]->GetContainingSizer());
        ASSERT_NE(grid, nullptr);
        const char* heads[] = {"Nr.", "Taster", "Led"};
        for (int column = 0; column < 3; ++column) {
            wxGBSizerItem* head = grid->FindItemAtPosition(wxGBPosition(0, column));
            ASSERT_TRUE(head && head->IsWindow()) << column;
            EXPECT_EQ(head->GetWindow()->GetLabel(), heads[column]);
        }
        std::set<wxTextCtrl*> fields;
        for (int r = 1; r <= 20; ++r) {
            SCOPED_TRACE(r);
            wxGBSizerItem* number = grid->FindItemAtPosition(wxGBPosition(r, 0));
            ASSERT_TRUE(number && number->IsWindow());
            EXPECT_EQ(number->GetWindow()->GetLabel(), wxString::Format("%d", r));
            for (auto [column, field] : {std::pair(1, m_glTextTaster[r - 1]), std::pair(2, m_glTextLed[r - 1])}) {
                ASSERT_NE(field, nullptr);
                fields.insert(field);
                EXPECT_EQ(field->GetParent(), &dialog);
                EXPECT_EQ(grid->GetItemPosition(field), wxGBPosition(r, column));
                EXPECT_EQ(grid->GetItem(field)->GetBorder(), 5);
                EXPECT_TRUE(field->HasFlag(wxTE_CENTRE));
                EXPECT_EQ(field->GetValue(), "");
                EXPECT_GE(field->GetSize().x, 40);
                EXPECT_GE(field->GetSize().y, 20);
            }
        }
        EXPECT_EQ(fields.size(), 40u);
        for (int i = 20; i < 32; ++i) {
            EXPECT_EQ(m_glTextTaster[i], nullptr) << i;
            EXPECT_EQ(m_glTextLed[i], nullptr) << i;
        }
    }
    // The pointers live only as long as the dialog.
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(m_glTextTaster[i], nullptr) << i;
        EXPECT_EQ(m_glTextLed[i], nullptr) << i;
    }
}

TEST_F(Konfig, ModelButtonsInOrder) {
    KonfigDlg dialog(nullptr);
    std::vector<wxString> shown;
    for (wxWindow* child : dialog.GetChildren())
        if (auto* button = dynamic_cast<wxButton*>(child); button && button->GetLabel().StartsWith("PX"))
            shown.push_back(button->GetLabel());
    EXPECT_EQ(shown, std::vector<wxString>(std::begin(kModelLabels), std::end(kModelLabels)));
}

TEST_F(Konfig, ModelButtonsFillAllRows) {
    struct Case {
        int line;
        const char* label;
        std::string rows;
    };
    const Case cases[] = {
        {__LINE__, "PX4-101", Numbered(101, 4)},
        {__LINE__, "PX4-105", Numbered(105, 4)},
        {__LINE__, "PX4-109", Numbered(109, 4)},
        {__LINE__, "PX4-113", Numbered(113, 4)},
        {__LINE__, "PX4-Remote", Rows20("28/31 12/11 36/34 4/5")},
        {__LINE__, "PX6-101", Numbered(101, 6)},
        {__LINE__, "PX6-Remote", Rows20("")},
        {__LINE__, "PX7-101", Numbered(101, 7)},
        {__LINE__, "PX7-Remote", Rows20("25/24 18/19 29/28 30/31 5/3 37/36 39/40")},
        {__LINE__, "PX8-101", Numbered(101, 8)},
        {__LINE__, "PX8-Remote", Rows20("22/23 20/21 24/25 19/18 28/31 12/11 36/34 41/42")},
        {__LINE__, "PX9-101", Numbered(101, 9)},
        {__LINE__, "PX9-Remote", Rows20("24/25 14/23 13/12 29/28 30/31 5/3 36/35 38/37 39/40")},
        {__LINE__, "PX10-101", Numbered(101, 10)},
        {__LINE__, "PX10-Remote", Rows20("16/15 13/14 22/23 20/21 24/25 19/18 28/31 12/11 36/34 41/42")},
        {__LINE__, "PX12-101", Numbered(101, 12)},
        {__LINE__, "PX12-Remote", Rows20("19/18 15/16 20/21 14/13 24/25 22/23 26/27 5/6 28/31 12/11 36/34 41/42")},
        {__LINE__, "PX18-101", Numbered(101, 18)},
        {__LINE__, "PX18-Remote", Rows20("14/13 12/11 10/9 18/17 15/16 5/6 19/20 25/26 3/4 27/28 38/37 2/1 29/30 "
                                         "36/35 41/42 31/32 34/33 40/39")},
    };
    ASSERT_EQ(std::size(cases), std::size(kModelLabels));
    KonfigDlg dialog(nullptr);
    dialog.Show();
    PutSomethingInTheLog(dialog);
    const wxString log = dialog.Log();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line << ": " << c.label);
        FillJunk(c.label);
        ASSERT_TRUE(Click(dialog, c.label));
        EXPECT_EQ(Fields(), c.rows);
    }
    EXPECT_EQ(dialog.Log(), log);  // presets only fill the fields
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Konfig, ClearSetsEveryFieldToZeroAndKeepsTheLog) {
    KonfigDlg dialog(nullptr);
    dialog.Show();
    PutSomethingInTheLog(dialog);
    const wxString log = dialog.Log();
    ASSERT_NE(log, "");
    FillJunk("c");
    ASSERT_TRUE(Click(dialog, "Clear"));
    EXPECT_EQ(Fields(), Rows20(""));
    EXPECT_EQ(dialog.Log(), log);
}

TEST_F(Konfig, ConnectShowsTheOutcomeInAFreshLog) {
    struct Case {
        int line;
        Phase phase;
        wxString log;
    };
    const Case cases[] = {
        {__LINE__, Phase::None, kConnectOk},
        {__LINE__, Phase::BridgeO, kStart + "Verbindung Fehler\n" + kPowerCycle},
        {__LINE__, Phase::ModuleConnect, kStart + kBridgeOk + "Verbindung Modul Fehler\n" + kPowerCycle},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line);
        SimulatedController::Options options;
        options.faultPhase = c.phase;
        options.faultMute = true;
        SimulatedController controller(options);
        ASSERT_TRUE(Attach(controller)) << controller.ErrorText();
        KonfigDlg dialog(nullptr);
        dialog.Show();
        PutSomethingInTheLog(dialog);
        ASSERT_TRUE(Click(dialog, "Connect"));
        EXPECT_EQ(dialog.Log(), c.log);
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_FALSE(dialog.ExchangeRunning());
        controller.Stop();
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Konfig, ReadFillsTheFields) {
    const std::string rows =
        "1/65535 300/2 1003/997 4/996 5/995 6/994 7/993 8/992 9/991 10/990 11/989 12/988 13/987 14/986 15/985 "
        "16/984 17/983 18/982 19/981 20/256";
    SimulatedController::Options options;
    options.moduleRecord = RecordOf(rows);
    SimulatedController controller(options);
    ASSERT_TRUE(Attach(controller)) << controller.ErrorText();
    KonfigDlg dialog(nullptr);
    dialog.Show();
    FillJunk("r");
    ASSERT_TRUE(Click(dialog, "Read"));
    EXPECT_EQ(Fields(), rows);
    EXPECT_EQ(dialog.Log(), "Lesen OK\n\n");
    EXPECT_FALSE(comport.IsOpen());
    EXPECT_EQ(controller.ModuleWrites(), 0);
    controller.Stop();
}

TEST_F(Konfig, ReadWithoutAWholeRecordLeavesTheFields) {
    struct Case {
        int line;
        Phase phase;
        int index;
    };
    const Case cases[] = {
        {__LINE__, Phase::ReadPrompt, 0},  // no module selected
        {__LINE__, Phase::ReadData, 0},
        {__LINE__, Phase::ReadData, 40},
        {__LINE__, Phase::ReadData, 79},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line);
        SimulatedController::Options options;
        options.faultPhase = c.phase;
        options.faultIndex = c.index;
        options.faultMute = true;
        options.moduleRecord = RecordOf(Numbered(101, 20));
        SimulatedController controller(options);
        ASSERT_TRUE(Attach(controller)) << controller.ErrorText();
        KonfigDlg dialog(nullptr);
        dialog.Show();
        FillJunk("s");
        const std::string before = Fields();
        ASSERT_TRUE(Click(dialog, "Read"));
        EXPECT_EQ(Fields(), before);
        EXPECT_EQ(dialog.Log().Find("Fehler beim lesen\n"), 0) << dialog.Log();
        EXPECT_FALSE(comport.IsOpen());
        controller.Stop();
    }
}

TEST_F(Konfig, WriteStoresTheFieldsInTheModule) {
    SimulatedController::Options options;
    options.moduleRecord = RecordOf(Numbered(101, 20));
    SimulatedController controller(options);
    ASSERT_TRUE(Attach(controller)) << controller.ErrorText();
    KonfigDlg dialog(nullptr);
    dialog.Show();
    FillJunk("w");
    ASSERT_TRUE(Click(dialog, "PX12-Remote"));
    m_glTextTaster[12]->SetValue(" 300 ");  // blanks around a number are allowed
    m_glTextLed[19]->SetValue("65535");
    m_glTextTaster[19]->SetValue("");  // an empty field is 0
    ASSERT_TRUE(Click(dialog, "Write"));
    EXPECT_EQ(dialog.Log(), "schreiben OK\n\n");
    EXPECT_EQ(controller.ModuleWrites(), 1);
    EXPECT_EQ(controller.ModuleRecord(),
              RecordOf("19/18 15/16 20/21 14/13 24/25 22/23 26/27 5/6 28/31 12/11 36/34 41/42 300/0 0/0 0/0 0/0 "
                       "0/0 0/0 0/0 0/65535"));
    EXPECT_FALSE(comport.IsOpen());
    controller.Stop();
}

TEST_F(Konfig, WriteWithABadFieldSendsNothingAndPointsAtTheFirst) {
    struct Case {
        int line;
        std::vector<std::pair<wxTextCtrl**, const char*>> bad;  // field array entry and its text
        wxTextCtrl** first;
        bool caretInFirst;  // the user was typing in that field; else the Write button has the focus
    };
    const Case cases[] = {
        {__LINE__, {{&m_glTextLed[6], "abc"}}, &m_glTextLed[6], false},
        {__LINE__, {{&m_glTextTaster[2], "70000"}, {&m_glTextLed[1], "-1"}}, &m_glTextLed[1], true},
        {__LINE__, {{&m_glTextLed[4], "x"}, {&m_glTextTaster[4], "1.5"}}, &m_glTextTaster[4], false},
        {__LINE__, {{&m_glTextTaster[19], "65536"}}, &m_glTextTaster[19], true},
    };
    SimulatedController controller;
    ASSERT_TRUE(Attach(controller)) << controller.ErrorText();
    KonfigDlg dialog(nullptr);
    dialog.Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line);
        ASSERT_TRUE(Click(dialog, "PX18-101"));
        for (const auto& [field, text] : c.bad) (*field)->SetValue(text);
        wxTextCtrl* first = *c.first;
        if (c.caretInFirst) {
            first->SetFocus();
            first->SetInsertionPoint(1);
            long from = -1, to = -1;
            first->GetSelection(&from, &to);
            ASSERT_EQ(from, to);
        } else {
            FindButton(dialog, "Write")->SetFocus();
        }
        ASSERT_TRUE(Click(dialog, "Write"));
        EXPECT_NE(dialog.Log().Find("Nichts gesendet"), wxNOT_FOUND);
        EXPECT_EQ(wxWindow::FindFocus(), first);
        long from = -1, to = -1;
        first->GetSelection(&from, &to);
        EXPECT_EQ(from, 0);
        EXPECT_EQ(to, first->GetLastPosition());
    }
    EXPECT_TRUE(controller.Received().empty());
    EXPECT_EQ(controller.ModuleWrites(), 0);
    EXPECT_FALSE(comport.IsOpen());
    controller.Stop();
}

TEST_F(Konfig, APortThatCannotBeOpenedIsToldOncePerExchange) {
    data.programComport = "/nonexistent/tqc-port";
    const wxString told = wxString::Format("Comport Fehler %d", ENOENT) + "\n" + wxString(std::strerror(ENOENT));
    struct Case {
        int line;
        const char* button;
        wxString logged;
    };
    const Case cases[] = {
        {__LINE__, "Read", "Fehler beim lesen\n"},
        {__LINE__, "Write", "Fehler beim schreiben\n"},
        {__LINE__, "Connect", kStart + "Verbindung Fehler\n"},
    };
    KonfigDlg dialog(nullptr);
    dialog.Show();
    ASSERT_TRUE(Click(dialog, "Clear"));  // numbers a Write accepts
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line << ": " << c.button);
        boxes_.clear();
        ASSERT_TRUE(Click(dialog, c.button));
        EXPECT_EQ(boxes_, std::vector<wxString>{told});
        EXPECT_NE(dialog.Log().Find(c.logged), wxNOT_FOUND) << dialog.Log();
        EXPECT_FALSE(comport.IsOpen());
    }
    EXPECT_EQ(Fields(), Rows20(""));
}

TEST_F(Konfig, TheWindowAnswersDuringConnectsWaits) {
    SimulatedController controller;
    ASSERT_TRUE(Attach(controller)) << controller.ErrorText();
    KonfigDlg dialog(nullptr);
    dialog.Show();
    PutSomethingInTheLog(dialog);
    std::vector<wxString> seen;  // the log at every tick during the exchange
    wxTimer ticker;
    ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (dialog.ExchangeRunning()) seen.push_back(dialog.Log());
    });
    ticker.Start(20);
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(Click(dialog, "Connect"));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    ticker.Stop();
    EXPECT_EQ(dialog.Log(), kConnectOk);
    EXPECT_GE(took, 100 + 300 + 300 + 100 + 300);  // the waits are kept whole
    const auto ticks = [&seen](const wxString& log) { return std::count(seen.begin(), seen.end(), log); };
    // The emptied log stands during the first wait; between the first two log lines the exchange
    // only waits, so ticks there show the waits themselves let events through.
    EXPECT_GE(ticks(""), 1);
    EXPECT_GE(ticks("Reset Modul\n"), 5);
    EXPECT_GE(ticks(kStart), 5);
    EXPECT_FALSE(comport.IsOpen());
    controller.Stop();
}

TEST_F(Konfig, ClicksDuringAnExchangeDoNothing) {
    SimulatedController::Options options;
    options.moduleRecord = RecordOf(Numbered(101, 20));
    SimulatedController controller(options);
    ASSERT_TRUE(Attach(controller)) << controller.ErrorText();
    KonfigDlg dialog(nullptr);
    dialog.Show();
    FillJunk("n");  // a Write that got through would complain about these
    const std::string fields = Fields();
    bool clicked = false, stillRunning = false;
    long long longest = 0;
    wxTimer ticker;
    ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (clicked || dialog.Log() != kStart) return;
        clicked = true;
        for (const char* label : {"Connect", "Read", "Write"}) {
            const Clock::time_point start = Clock::now();
            Click(dialog, label);
            longest = std::max<long long>(
                longest, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
        }
        stillRunning = dialog.ExchangeRunning();
    });
    ticker.Start(20);
    ASSERT_TRUE(Click(dialog, "Connect"));
    ticker.Stop();
    ASSERT_TRUE(clicked);
    EXPECT_TRUE(stillRunning);
    EXPECT_LT(longest, 50);  // turned away at once, without any wait
    EXPECT_FALSE(dialog.ExchangeRunning());
    EXPECT_EQ(dialog.Log(), kConnectOk);
    EXPECT_EQ(Fields(), fields);
    const std::vector<unsigned char> received = controller.Received();
    EXPECT_EQ(Occurrences(received, "(***:BUSW)"), 1);
    EXPECT_EQ(Occurrences(received, "(***:CONN)"), 1);
    EXPECT_EQ(Occurrences(received, "(***:KONR)"), 0);
    EXPECT_EQ(Occurrences(received, "(***:KONW)"), 0);
    EXPECT_FALSE(comport.IsOpen());
    controller.Stop();
}

TEST_F(Konfig, ClosingDuringAnExchangeEndsTheDialogAfterIt) {
    SimulatedController controller;
    ASSERT_TRUE(Attach(controller)) << controller.ErrorText();
    KonfigDlg dialog(nullptr);
    bool closed = false, stayed = false, gaveUp = false;
    wxString logAtClose;
    wxTimer ticker;
    ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (closed || dialog.Log() != kStart) return;
        closed = true;
        logAtClose = dialog.Log();
        dialog.Close();
        stayed = dialog.IsModal() && dialog.IsShown();
    });
    ticker.Start(20);
    // A dialog that never ends its modal loop must not hang the run.
    wxTimer safety;
    safety.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        gaveUp = true;
        if (dialog.IsModal()) dialog.EndModal(wxID_ABORT);
    });
    safety.StartOnce(10000);
    dialog.CallAfter([&dialog] { Click(dialog, "Connect"); });
    const int code = dialog.ShowModal();
    ticker.Stop();
    safety.Stop();
    ASSERT_TRUE(closed);
    EXPECT_TRUE(stayed);  // the close box only asked
    EXPECT_FALSE(gaveUp);
    EXPECT_EQ(code, wxID_CANCEL);
    EXPECT_EQ(dialog.Log(), kConnectOk);  // the exchange ran to its end
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_FALSE(dialog.ExchangeRunning());
    EXPECT_FALSE(comport.IsOpen());
    controller.Stop();
}

template <typename Dialog>
bool Is(wxDialog* dialog) {
    return dynamic_cast<Dialog*>(dialog) != nullptr;
}

// The main window with its port dialogs' menu commands callable.
class MenuFrame : public MainFrame {
public:
    explicit MenuFrame(const wxString& dir) : MainFrame(nullptr, dir) {}
    using MainFrame::OnExtraKonfigClick;
    using MainFrame::OnTqpProgramClick;
};

// The main window with the terminal open on a pseudo-terminal of its own.
class KonfigMenu : public Konfig {
protected:
    void SetUp() override {
        Konfig::SetUp();
        savedTerminal_ = data.terminalComport;
        ASSERT_TRUE(terminalEnd_.Start()) << terminalEnd_.ErrorText();
        char pattern[] = "/tmp/tqc-konfig-XXXXXX";
        frame_ = new MenuFrame(mkdtemp(pattern));
        frame_->Show();
        guitest::Yield();
        data.terminalComport = terminalEnd_.SlavePath();
        data.terminalBaud = 9600;
        data.terminalDataBits = 8;
        data.terminalParity = "N";
        data.terminalStopBits = 1;
        wxCommandEvent event;
        frame_->OnTqpTerminalClick(event);
        boxes_.clear();  // the notice of the missing settings file
    }
    void TearDown() override {
        other_ = nullptr;
        if (glTerminalDlg) glTerminalDlg->Close(true);
        if (frame_) frame_->Destroy();
        guitest::Yield();
        glStyledTextCtrl = nullptr;
        data.terminalComport = savedTerminal_;
        terminalEnd_.Stop();
        Konfig::TearDown();
    }

    SimulatedController terminalEnd_;
    MenuFrame* frame_ = nullptr;
    wxString savedTerminal_;
};

TEST_F(KonfigMenu, PortDialogsPutTheTerminalAsideWhileTheyRun) {
    struct Case {
        int line;
        void (MainFrame::*command)(wxCommandEvent&);
        bool (*isTheDialog)(wxDialog*);
    };
    const Case cases[] = {
        {__LINE__, &MenuFrame::OnExtraKonfigClick, &Is<KonfigDlg>},
        {__LINE__, &MenuFrame::OnTqpProgramClick, &Is<ProgramDlg>},
    };
    ASSERT_NE(glTerminalDlg, nullptr);
    ASSERT_TRUE(comport.IsOpen());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line);
        struct Seen {
            bool dialog, terminalShown, portOpen;
        };
        std::vector<Seen> seen;
        other_ = [&](wxDialog* d) {
            seen.push_back({c.isTheDialog(d), glTerminalDlg->IsShown(), comport.IsOpen()});
            return static_cast<int>(wxID_CANCEL);
        };
        wxCommandEvent event;
        (frame_->*c.command)(event);
        other_ = nullptr;
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_TRUE(seen[0].dialog);
        EXPECT_FALSE(seen[0].terminalShown);
        EXPECT_FALSE(seen[0].portOpen);
        EXPECT_TRUE(glTerminalDlg->IsShown());
        EXPECT_TRUE(comport.IsOpen());
    }
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
