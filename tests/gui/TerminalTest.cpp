// The terminal window against a pseudo-terminal: the test holds the master side, checks every
// byte the send buttons write and feeds bytes for the two views.
#include "../support/PtyMaster.h"
#include "GuiTestSupport.h"

#include "dialogs/TerminalDlg.h"
#include "settings/Datei.h"

#include <cstring>

#include <termios.h>

namespace {

using namespace guitest;

class TerminalProbe : public TerminalDlg {
public:
    using TerminalDlg::TerminalDlg;
    using TerminalDlg::m_btnClear1, TerminalDlg::m_btnClose, TerminalDlg::m_btnReadCom, TerminalDlg::m_btnSend,
        TerminalDlg::m_btnStorePresets, TerminalDlg::m_listBoxBaud, TerminalDlg::m_listBoxComport,
        TerminalDlg::m_listBoxDatenbits, TerminalDlg::m_listBoxParitaet, TerminalDlg::m_listBoxStopbits,
        TerminalDlg::m_radioSendPresets, TerminalDlg::m_textReceived, TerminalDlg::m_textReceivedHex,
        TerminalDlg::m_textSend;
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
        TerminalSettings::ClearStored();
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
        for (wxListBox* list : {dlg->m_listBoxBaud, dlg->m_listBoxDatenbits, dlg->m_listBoxStopbits, dlg->m_listBoxParitaet})
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
    const struct { int line; wxListBox* list; int index; const char* stored; speed_t speed; } rows[] = {
        {__LINE__, dlg->m_listBoxParitaet, 2, "115200 8 1 E", B115200},
        {__LINE__, dlg->m_listBoxStopbits, 1, "115200 8 2 E", B115200},
        {__LINE__, dlg->m_listBoxDatenbits, 2, "115200 6 2 E", B115200},
        {__LINE__, dlg->m_listBoxBaud, 3, "9600 6 2 E", B9600},
        {__LINE__, dlg->m_listBoxComport, dlg->m_listBoxComport->FindString(slave), "9600 6 2 E", B9600},
    };
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

// Every byte of a burst reaches both views in order; a vanished port is shown on a line of its
// own; "Clear" empties its own view only.
TEST_F(Terminal, BurstArrivesWholeAndAVanishedPortIsShown) {
    TerminalProbe* dlg = Open();
    std::string sent;
    for (int i = 0; i < 20000; ++i) sent.push_back(static_cast<char>('A' + i % 26));
    std::thread writer([&] { master_.Write(sent); });
    const bool whole = RunUntil([&] { return dlg->m_textReceivedHex->GetLastPosition() >= 4 * 20000L; }, 20000);
    writer.join();
    ASSERT_TRUE(whole);
    master_.CloseFd();
    ASSERT_TRUE(RunUntil([&] { return dlg->Shown().Contains("Comport getrennt: "); }));
    wxString text, hex;
    FormatReceived(sent, text, hex);
    EXPECT_TRUE(dlg->Shown().StartsWith(text + "\nComport getrennt: ") && dlg->m_textReceivedHex->GetValue() == hex);
    EXPECT_FALSE(comport.IsOpen());
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
    TerminalSettings::ClearStored();
    ASSERT_TRUE(Datei().DataLoad());
    EXPECT_EQ(U(data.terminalPresets[0][0] + "|" + data.terminalPresets[1][7] + "|" + data.terminalPresets[5][7]),
              "bank one edit|bank two edit|AT[0D]");
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
    Click(dlg->m_btnClose);
    EXPECT_TRUE(glTerminalDlg == nullptr && !comport.IsOpen());
    data.terminalBaud = 0;
    ASSERT_TRUE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 1200);
    boxes_.texts.clear();  // the notice that the settings file is new
    data.terminalComport = "/dev/tqc-no-such-port";
    Open()->Send(0, "x");
    EXPECT_EQ(boxes_.texts, std::vector<wxString>{wxString::Format("Comport Fehler %d\n", ENOENT) + std::strerror(ENOENT)});
    EXPECT_FALSE(comport.IsOpen());
}

}  // namespace
