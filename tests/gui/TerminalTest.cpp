// The terminal window against a pseudo-terminal: the test holds the master side, checks every
// byte the send buttons write and feeds bytes for the two views, at a device's full rate too.
#include "../support/PtyMaster.h"
#include "GuiTestSupport.h"

#include "dialogs/TerminalDlg.h"
#include "settings/Datei.h"
#include "settings/EditorSettings.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <termios.h>

namespace {

using namespace guitest;

class TerminalProbe : public TerminalDlg {
public:
    using TerminalDlg::m_btnClear1, TerminalDlg::m_btnClose, TerminalDlg::m_btnReadCom, TerminalDlg::m_btnSend,
        TerminalDlg::m_btnStorePresets, TerminalDlg::m_listBoxBaud, TerminalDlg::m_listBoxComport,
        TerminalDlg::m_listBoxDatenbits, TerminalDlg::m_listBoxParitaet, TerminalDlg::m_listBoxStopbits,
        TerminalDlg::m_radioSendPresets, TerminalDlg::m_textReceived, TerminalDlg::m_textReceivedHex,
        TerminalDlg::m_textSend, TerminalDlg::m_checkTimestamps, TerminalDlg::m_btnRecord, TerminalDlg::m_choiceLineEnd,
        TerminalDlg::m_labelText, TerminalDlg::m_labelHex, TerminalDlg::TextForm, TerminalDlg::kViewLines;
    using TerminalDlg::TerminalDlg;
    wxString recordPath;  // what "Aufzeichnen ..." is answered with
    wxString AskRecordPath() override { return recordPath; }
    void Send(int button, const char* text) {
        m_textSend[button]->ChangeValue(text);
        Click(m_btnSend[button]);
    }
    wxString Shown() const { return m_textReceived->GetValue(); }
};

class Terminal : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(master_.Ok());
        data.terminalComport = master_.SlaveName();
        data.terminalBaud = 115200, data.terminalDataBits = 8, data.terminalStopBits = 1, data.terminalParity = "N";
        TerminalSettings::ClearStored(data);
        EditorSettings::TerminalPrefs() = {};
    }
    TerminalProbe* Open() {
        if (glTerminalDlg) glTerminalDlg->Destroy();
        auto* dialog = new TerminalProbe(nullptr);
        glTerminalDlg = dialog;
        dialog->Show();
        Yield();
        return dialog;
    }
    // The line as the port under test has set it up: speed, and whether two stop bits.
    std::pair<speed_t, bool> Line() {
        termios line{};
        EXPECT_EQ(::tcgetattr(master_.Fd(), &line), 0);
        return {::cfgetospeed(&line), (line.c_cflag & CSTOPB) != 0};
    }

    PtyMaster master_;
};

// The stored line is shown and used, a rate the list lacks too; each list stores its choice and
// reopens the port. A pseudo-terminal keeps eight bits without parity, but takes speed and stop bits.
TEST_F(Terminal, TheLineIsShownStoredAndUsed) {
    const auto selected = [](TerminalProbe* dlg) {
        wxString shown;
        for (wxListBox* list :
             {dlg->m_listBoxBaud, dlg->m_listBoxDatenbits, dlg->m_listBoxStopbits, dlg->m_listBoxParitaet})
            shown += (list == dlg->m_listBoxBaud ? "" : " ") + list->GetStringSelection();
        return U(shown);
    };
    data.terminalBaud = 300, data.terminalParity = "O";
    EXPECT_EQ(selected(Open()), " 8 1 Odd");
    EXPECT_EQ(Line(), std::pair(speed_t(B300), false));
    data.terminalBaud = 0, data.terminalDataBits = 0, data.terminalStopBits = 0, data.terminalParity = "";
    TerminalProbe* dlg = Open();
    EXPECT_EQ(selected(dlg), "115200 8 1 None");
    const wxString slave = master_.SlaveName();  // listed after the system's ports
    EXPECT_EQ(dlg->m_listBoxComport->GetStringSelection(), slave);
    // `stored`: baud, data bits, stop bits and parity afterwards.
    const struct {
        int line;
        wxListBox* list;
        int index;
        const char* stored;
        speed_t speed;
    } rows[] = {{__LINE__, dlg->m_listBoxParitaet, 2, "115200 8 1 E", B115200},
                {__LINE__, dlg->m_listBoxStopbits, 1, "115200 8 2 E", B115200},
                {__LINE__, dlg->m_listBoxDatenbits, 2, "115200 6 2 E", B115200},
                {__LINE__, dlg->m_listBoxBaud, 3, "9600 6 2 E", B9600},
                {__LINE__, dlg->m_listBoxComport, dlg->m_listBoxComport->FindString(slave), "9600 6 2 E", B9600}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        termios line{};  // disturbed behind the port's back: only a new open sets it up again
        ASSERT_TRUE(::tcgetattr(master_.Fd(), &line) == 0 && ::cfsetospeed(&line, B300) == 0 &&
                    ::tcsetattr(master_.Fd(), TCSANOW, &line) == 0);
        Choose(row.list, row.index);
        EXPECT_EQ(U(wxString::Format("%d %d %d %s", data.terminalBaud, data.terminalDataBits, data.terminalStopBits,
                                     data.terminalParity)),
                  row.stored);
        EXPECT_EQ(Line().first, row.speed) << "the port was not reopened";
    }
    dlg = Open();
    EXPECT_EQ(selected(dlg), "9600 6 2 Even");
    EXPECT_EQ(Line(), std::pair(speed_t(B9600), true));
    dlg->Send(0, "AT[0D][0A]");
    EXPECT_EQ(master_.ReadAll(), "AT\r\n");
    dlg->Send(7, "[FF]x");
    EXPECT_EQ(master_.ReadAll(), "\xFFx");
    ASSERT_TRUE(master_.Write("in"));
    EXPECT_TRUE(RunUntil([&] { return dlg->Shown() == "in"; }));
    EXPECT_TRUE(boxes_.texts.empty());
}

// Every byte of a burst reaches both views in order, as lines; a vanished port is shown on a line
// of its own and tried again until it is back; "Clear" empties its own view only.
TEST_F(Terminal, BurstArrivesWholeAndAVanishedPortComesBack) {
    // The port's name stays while the adapter behind it changes, as a USB adapter plugged in again.
    const files::TempDir dir;
    const std::string link = dir / "ttyUSB0";
    const auto plug = [&](const PtyMaster& adapter) {
        return ::unlink(link.c_str()), ::symlink(adapter.Slave().c_str(), link.c_str()) == 0;
    };
    ASSERT_TRUE(plug(master_));
    data.terminalComport = wxString::FromUTF8(link);
    TerminalProbe* dlg = Open();
    std::string sent;
    for (int i = 0; i < 20000; ++i) sent.push_back(i % 100 == 99 ? '\n' : static_cast<char>('A' + i % 26));
    std::thread writer([&] { master_.Write(sent); });
    const bool whole = RunUntil([&] { return dlg->TextForm().Bytes() >= sent.size(); }, 20000);
    writer.join();
    ASSERT_TRUE(whole);
    master_.CloseFd();
    ASSERT_TRUE(RunUntil([&] { return dlg->Shown().Contains("Comport getrennt: "); }));
    TerminalFormat text(TerminalFormat::Form::Text), hex(TerminalFormat::Form::Hex);
    wxString expectedText, expectedHex;
    text.Feed(sent, expectedText);
    hex.Feed(sent, expectedHex);
    EXPECT_TRUE(dlg->Shown().StartsWith(expectedText + "Comport getrennt: "));
    EXPECT_EQ(dlg->m_textReceivedHex->GetValue(), expectedHex);
    EXPECT_FALSE(comport.IsOpen());
    PtyMaster again;
    ASSERT_TRUE(plug(again));
    ASSERT_TRUE(RunUntil([&] { return dlg->Shown().EndsWith("\nComport wieder verbunden\n"); }, 3000));
    ASSERT_TRUE(again.Write("back"));
    EXPECT_TRUE(RunUntil([&] { return dlg->Shown().EndsWith("verbunden\nback"); }));
    Click(dlg->m_btnClear1);
    EXPECT_TRUE(dlg->m_textReceived->IsEmpty() && !dlg->m_textReceivedHex->IsEmpty());
}

// A bank keeps its edits while others are shown; "Store Presets" takes the shown texts too and
// writes all banks to the settings file.
TEST_F(Terminal, BanksKeepTheirEditsAndStoreWritesThemToTheSettingsFile) {
    data.terminalPresets[1][2] = "stored";
    TerminalProbe* dlg = Open();
    const auto bank = [&](int shown) { Choose(dlg->m_radioSendPresets, shown, wxEVT_RADIOBOX); };
    dlg->m_textSend[0]->ChangeValue("bank one edit");
    bank(1);
    EXPECT_EQ(U(dlg->m_textSend[2]->GetValue() + "|" + dlg->m_textSend[0]->GetValue()), "stored|");
    dlg->m_textSend[7]->ChangeValue("bank two edit");
    bank(0);
    EXPECT_EQ(U(dlg->m_textSend[0]->GetValue()), "bank one edit");
    EXPECT_TRUE(data.terminalPresets[0][0].empty());  // not stored yet
    bank(5);
    dlg->m_textSend[7]->ChangeValue("AT[0D]");
    Click(dlg->m_btnStorePresets);
    TerminalSettings::ClearStored(data);
    ASSERT_TRUE(Datei().DataLoad());
    EXPECT_EQ(U(data.terminalPresets[0][0] + "|" + data.terminalPresets[1][7] + "|" + data.terminalPresets[5][7]),
              "bank one edit|bank two edit|AT[0D]");
    // Closing with edited texts asks first: "Abbrechen" keeps the window, "Speichern" stores,
    // "Verwerfen" loses the edit; unedited texts close without a question.
    const struct {
        int line;
        int answer;
        const char* stored;
        bool open;
    } closes[] = {{__LINE__, wxID_CANCEL, "AT[0D]", true},
                  {__LINE__, wxID_YES, "kept", false},
                  {__LINE__, wxID_NO, "kept", false}};
    for (const auto& row : closes) {
        SCOPED_TRACE(row.line);
        if (!glTerminalDlg) dlg = Open();
        dlg->m_textSend[7]->ChangeValue(row.answer == wxID_NO ? "lost" : "kept");
        boxes_.texts.clear();
        boxes_.answers = {row.answer};
        dlg->Close();
        EXPECT_EQ(boxes_.texts, std::vector<wxString>{wxString::FromUTF8(
                                    "Die Sendetexte wurden geändert und nicht gespeichert.\nJetzt speichern?")});
        EXPECT_EQ(glTerminalDlg != nullptr, row.open);
        TerminalSettings::ClearStored(data);
        ASSERT_TRUE(Datei().DataLoad());
        EXPECT_EQ(U(data.terminalPresets[5][7]), row.stored);
    }
    boxes_.texts.clear();
    Open()->Close();
    EXPECT_TRUE(boxes_.texts.empty() && glTerminalDlg == nullptr);
}

// Hidden (while a device dialog has the port) it reads nothing; the port search leaves the open
// port alone; a port that cannot be opened is told, and the window stays usable.
TEST_F(Terminal, HiddenWindowReadsNothingAndCloseStoresTheLine) {
    TerminalProbe* dlg = Open();
    dlg->Hide();
    ASSERT_TRUE(master_.Write("Z"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Yield();
    EXPECT_TRUE(dlg->Shown().empty());
    EXPECT_EQ(comport.Read(), 'Z');  // the byte waits for whoever uses the port meanwhile
    dlg->Show();
    ASSERT_TRUE(master_.Write("Y"));
    EXPECT_TRUE(RunUntil([&] { return dlg->Shown() == "Y"; }));
    Click(dlg->m_btnReadCom);
    // The pseudo-terminal is not among the system's ports; it stays listed, as the port in use.
    EXPECT_EQ(dlg->m_listBoxComport->GetCount(), Comport::ListPorts().size() + 1);
    EXPECT_EQ(dlg->m_listBoxComport->GetStringSelection(), master_.SlaveName());
    dlg->Send(0, "still");
    EXPECT_EQ(master_.ReadAll(), "still");
    Choose(dlg->m_listBoxBaud, 0);
    boxes_.answers = {wxID_NO};  // the edited send text is not kept
    Click(dlg->m_btnClose);
    EXPECT_TRUE(glTerminalDlg == nullptr && !comport.IsOpen());
    data.terminalBaud = 0;
    ASSERT_TRUE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 1200);
    boxes_.texts.clear();  // the notice that the settings file is new
    data.terminalComport = "/dev/tqc-no-such-port";
    Open()->Send(0, "x");
    EXPECT_EQ(boxes_.texts,
              std::vector<wxString>{wxString::Format("Comport Fehler %d\n", ENOENT) + std::strerror(ENOENT)});
    EXPECT_FALSE(comport.IsOpen());
}

// The labelled views; the line end a send adds and the timestamps, kept in TqC_Editor.ini; a
// recording holds the lines the text view shows, and a file that cannot be written is told.
TEST_F(Terminal, LineEndTimestampsAndRecording) {
    TerminalProbe* dlg = Open();
    EXPECT_EQ(U(dlg->m_labelText->GetLabel() + "|" + dlg->m_labelHex->GetLabel() + "|" + dlg->m_btnRecord->GetLabel()),
              "Text|Hex|Aufzeichnen ...");
    const char* sent[] = {"AT", "AT\r", "AT\n", "AT\r\n"};
    for (int lineEnd = 3; lineEnd >= 0; --lineEnd) {
        Choose(dlg->m_choiceLineEnd, lineEnd, wxEVT_CHOICE);
        dlg->Send(0, "AT");
        EXPECT_EQ(master_.ReadAll(), sent[lineEnd]) << lineEnd;
    }
    dlg->m_checkTimestamps->SetValue(true);
    wxCommandEvent check(wxEVT_CHECKBOX, dlg->m_checkTimestamps->GetId());
    check.SetInt(1);
    dlg->m_checkTimestamps->ProcessWindowEvent(check);
    Choose(dlg->m_choiceLineEnd, 2, wxEVT_CHOICE);
    EXPECT_NE(ReadBytes(Datei::SettingsPath(EditorSettings::kFileName))
                  .find("Terminal_Timestamps:1\r\nTerminal_LineEnd:2\r\n"),
              std::string::npos);
    const files::TempDir dir;
    dlg->recordPath = wxString::FromUTF8(dir / "aufzeichnung.txt");
    Click(dlg->m_btnRecord);
    EXPECT_EQ(U(dlg->m_btnRecord->GetLabel()), "Aufzeichnung beenden");
    ASSERT_TRUE(master_.Write("eins\r\nzwei"));
    ASSERT_TRUE(RunUntil([&] { return dlg->Shown().EndsWith("zwei"); }));
    Click(dlg->m_btnRecord);
    EXPECT_EQ(U(dlg->m_btnRecord->GetLabel()), "Aufzeichnen ...");
    const std::string shown = U(dlg->Shown());
    EXPECT_EQ(ReadBytes(dlg->recordPath), shown);
    EXPECT_TRUE(shown.size() == 35 && shown[2] == ':' && shown.substr(12, 6) == " eins\n" &&
                shown.substr(30) == " zwei")
        << shown;
    dlg->recordPath = wxString::FromUTF8(dir / "no/such/folder/x.txt");
    Click(dlg->m_btnRecord);
    EXPECT_EQ(boxes_.texts,
              std::vector<wxString>{"Die Aufzeichnung kann nicht nach " + dlg->recordPath + " geschrieben werden."});
    EXPECT_EQ(U(dlg->m_btnRecord->GetLabel()), "Aufzeichnen ...");
}

// A device sends at 115200 baud's full rate (lines of text) for TQC_TERMINAL_SECONDS, a minute
// unless set, while a click is posted every 100 ms: each is handled within 100 ms, every byte
// reaches the views, and they stay within their lines.
TEST_F(Terminal, KeepsUpWithAFullRateDevice) {
    const char* env = std::getenv("TQC_TERMINAL_SECONDS");
    const int seconds = env && std::atoi(env) > 0 ? std::atoi(env) : 60;
    TerminalProbe* dlg = Open();
    using Clock = std::chrono::steady_clock;
    std::atomic<bool> done{false};
    std::atomic<size_t> written{0};
    std::thread device([&] {
        const auto start = Clock::now();
        for (int tick = 0; Clock::now() - start < std::chrono::seconds(seconds); ++tick) {
            std::string bytes;  // 115 bytes every 10 ms: 11.5 kB/s
            while (bytes.size() < 115) bytes += "Messwert " + std::to_string(tick) + "\r\n";
            master_.Write(bytes.substr(0, 115));
            written += 115;
            std::this_thread::sleep_until(start + std::chrono::milliseconds(10 * (tick + 1)));
        }
        done = true;
    });
    long long worst = 0;
    int clicks = 0;
    size_t mostLines = 0;
    // A click is due every 100 ms whether or not the window is free: its wait counts from then.
    Clock::time_point posted = Clock::now(), due = posted;
    bool handled = true;
    dlg->m_btnSend[0]->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) {
        worst = std::max(worst, MillisecondsSince(posted));
        ++clicks;
        handled = true;
        event.Skip();
    });
    const auto clicking = [&] {
        mostLines = std::max({mostLines, static_cast<size_t>(dlg->m_textReceived->GetLineCount()),
                              static_cast<size_t>(dlg->m_textReceivedHex->GetLineCount())});
        if (handled && Clock::now() >= due) {
            handled = false;
            posted = due;
            due = std::max(due + std::chrono::milliseconds(100), Clock::now());
            wxCommandEvent click(wxEVT_BUTTON, dlg->m_btnSend[0]->GetId());
            click.SetEventObject(dlg->m_btnSend[0]);
            dlg->m_btnSend[0]->GetEventHandler()->AddPendingEvent(click);
        }
    };
    RunUntil([&] { return clicking(), done.load(); }, (seconds + 300) * 1000);
    device.join();
    EXPECT_TRUE(RunUntil([&] { return clicking(), handled && dlg->TextForm().Bytes() >= written; }, 60000));
    std::printf("%d clicks, worst %lld ms; %zu of %zu bytes; at most %zu lines\n", clicks, worst,
                static_cast<size_t>(dlg->TextForm().Bytes()), written.load(), mostLines);
    EXPECT_LE(worst, 100);
    EXPECT_GE(clicks, seconds * 5);
    EXPECT_EQ(dlg->TextForm().Bytes(), written.load());
    EXPECT_LE(mostLines, TerminalProbe::kViewLines);
}

}  // namespace
