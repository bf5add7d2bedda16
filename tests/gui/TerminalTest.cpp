// The terminal window against a pseudo-terminal: the test holds the master side, checks every
// byte the send buttons write and feeds bytes for the two views.
#include "../support/PtyMaster.h"
#include "GuiTestSupport.h"

#include "app/Globals.h"
#include "compiler/Data.h"
#include "dialogs/TerminalDlg.h"
#include "serial/Comport.h"
#include "settings/Datei.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include <chrono>
#include <string>
#include <thread>

#include <stdlib.h>
#include <termios.h>

namespace {

using guitest::Click;
using guitest::U;

// Reaches the widgets of the layout base.
class TerminalProbe : public TerminalDlg {
public:
    using TerminalDlg::TerminalDlg;
    using TerminalDlg::m_btnClear1;
    using TerminalDlg::m_btnClose;
    using TerminalDlg::m_btnReadCom;
    using TerminalDlg::m_btnSend;
    using TerminalDlg::m_btnStorePresets;
    using TerminalDlg::m_listBoxBaud;
    using TerminalDlg::m_listBoxComport;
    using TerminalDlg::m_listBoxDatenbits;
    using TerminalDlg::m_listBoxParitaet;
    using TerminalDlg::m_listBoxStopbits;
    using TerminalDlg::m_radioSendPresets;
    using TerminalDlg::m_textReceived;
    using TerminalDlg::m_textReceivedHex;
    using TerminalDlg::m_textSend;
};

// An entry chosen in a list or radio box, reported as the control reports it.
template <typename Control>
void Choose(Control* control, int index, wxEventType type = wxEVT_LISTBOX) {
    control->SetSelection(index);
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(index);
    control->GetEventHandler()->ProcessEvent(event);
}
void ChooseBank(wxRadioBox* radio, int bank) { Choose(radio, bank, wxEVT_RADIOBOX); }

// Lets events run until `done` holds or the time is up.
template <typename Condition>
bool RunUntil(Condition done, int timeoutMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        guitest::Yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class Terminal : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(master.Ok());
        savedProgramDir = data.programDir;
        char pattern[] = "/tmp/tqc-terminal-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        tempDir = pattern;
        data.programDir = tempDir;
        data.terminalComport = master.SlaveName();
        data.terminalBaud = 115200;
        data.terminalDataBits = 8;
        data.terminalStopBits = 1;
        data.terminalParity = "N";
        for (auto& bank : data.terminalPresets)
            for (auto& entry : bank) entry.clear();
    }
    void TearDown() override {
        if (dialog) {
            dialog->Destroy();
            guitest::Yield();
        }
        glTerminalDlg = nullptr;
        comport.Close();
        data.programDir = savedProgramDir;
        wxFileName::Rmdir(tempDir, wxPATH_RMDIR_RECURSIVE);
    }

    TerminalProbe* Open() {
        dialog = new TerminalProbe(nullptr);
        glTerminalDlg = dialog;
        dialog->Show();
        guitest::Yield();
        return dialog;
    }
    // The line as the port under test has set it up.
    termios Line() {
        termios line{};
        EXPECT_EQ(::tcgetattr(master.Fd(), &line), 0);
        return line;
    }
    speed_t Speed() {
        const termios line = Line();
        return ::cfgetospeed(&line);
    }
    // Sends `text` with the given button and returns what arrived at the far end.
    std::string Send(int button, const char* text) {
        dialog->m_textSend[button]->ChangeValue(text);
        Click(dialog->m_btnSend[button]);
        return master.ReadAll();
    }

    // Answers every message box with OK and keeps its text.
    guitest::ModalAnswer answer{[this](wxDialog* dlg) {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dlg)) messages.push_back(box->GetMessage());
        return wxID_OK;
    }};
    std::vector<wxString> messages;
    PtyMaster master;
    wxString savedProgramDir;
    wxString tempDir;
    TerminalProbe* dialog = nullptr;
};

}  // namespace

TEST_F(Terminal, StoredSettingsAreSelectedAndUsed) {
    data.terminalBaud = 19200;
    data.terminalDataBits = 7;
    data.terminalStopBits = 2;
    data.terminalParity = "O";
    TerminalProbe* dlg = Open();
    EXPECT_EQ(U(dlg->m_listBoxBaud->GetStringSelection()), "19200");
    EXPECT_EQ(U(dlg->m_listBoxDatenbits->GetStringSelection()), "7");
    EXPECT_EQ(U(dlg->m_listBoxStopbits->GetStringSelection()), "2");
    EXPECT_EQ(U(dlg->m_listBoxParitaet->GetStringSelection()), "Odd");
    ASSERT_EQ(dlg->m_listBoxComport->GetCount(), 1u);
    EXPECT_EQ(dlg->m_listBoxComport->GetStringSelection(), master.SlaveName());
    EXPECT_TRUE(comport.IsOpen());
    EXPECT_TRUE(messages.empty());
    // A pseudo-terminal keeps eight bits without parity, but takes the speed and the stop bits.
    EXPECT_TRUE(Line().c_cflag & CSTOPB);
    EXPECT_EQ(Speed(), static_cast<speed_t>(B19200));
}

// A rate the list lacks is still used; no settings at all (every value 0) open at 115200 8N1
// without a single message.
TEST_F(Terminal, UnlistedBaudIsUsedAndMissingSettingsFallBackTo115200) {
    data.terminalBaud = 300;
    EXPECT_EQ(Open()->m_listBoxBaud->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(Speed(), static_cast<speed_t>(B300));
    dialog->Destroy();
    guitest::Yield();
    data.terminalBaud = data.terminalDataBits = data.terminalStopBits = 0;
    data.terminalParity.clear();
    TerminalProbe* dlg = Open();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(comport.IsOpen());
    EXPECT_EQ(Speed(), static_cast<speed_t>(B115200));
    EXPECT_EQ(U(dlg->m_listBoxBaud->GetStringSelection() + dlg->m_listBoxDatenbits->GetStringSelection() +
                dlg->m_listBoxStopbits->GetStringSelection() + dlg->m_listBoxParitaet->GetStringSelection()),
              "11520081None");
}

TEST_F(Terminal, SendButtonsWriteTheirOwnTextWithBracketGroupsAndNoLineEnd) {
    Open();
    EXPECT_EQ(Send(0, "AT[0D][0A]"), "AT\r\n");
    EXPECT_EQ(Send(7, "[FF]x"), "\xFFx");
    EXPECT_EQ(Send(3, ""), "");
}

TEST_F(Terminal, BurstArrivesCompleteAndInOrderInBothViewsAndTheTextViewClears) {
    TerminalProbe* dlg = Open();
    std::string sent;
    for (int i = 0; i < 20000; ++i) sent.push_back(static_cast<char>('A' + i % 26));
    std::thread writer([&] { master.Write(sent); });
    const bool complete =
        RunUntil([&] { return dlg->m_textReceivedHex->GetLastPosition() >= static_cast<long>(4 * sent.size()); }, 20000);
    writer.join();
    ASSERT_TRUE(complete);
    EXPECT_EQ(U(dlg->m_textReceived->GetValue()), sent);
    wxString expectedHex, expectedText;
    FormatReceived(sent, expectedText, expectedHex);
    EXPECT_TRUE(dlg->m_textReceivedHex->GetValue() == expectedHex);
    Click(dlg->m_btnClear1);
    EXPECT_TRUE(dlg->m_textReceived->GetValue().empty());
    EXPECT_FALSE(dlg->m_textReceivedHex->GetValue().empty());
}

TEST_F(Terminal, BankSwitchingKeepsEditsWhileOpenAndStoreWritesThemToTheSettingsFile) {
    data.terminalPresets[1][2] = "stored";
    TerminalProbe* dlg = Open();
    dlg->m_textSend[0]->ChangeValue("bank one edit");
    ChooseBank(dlg->m_radioSendPresets, 1);
    EXPECT_EQ(U(dlg->m_textSend[2]->GetValue()), "stored");
    EXPECT_TRUE(dlg->m_textSend[0]->GetValue().empty());
    dlg->m_textSend[7]->ChangeValue("bank two edit");
    ChooseBank(dlg->m_radioSendPresets, 0);
    EXPECT_EQ(U(dlg->m_textSend[0]->GetValue()), "bank one edit");
    ChooseBank(dlg->m_radioSendPresets, 1);
    EXPECT_EQ(U(dlg->m_textSend[7]->GetValue()), "bank two edit");
    EXPECT_TRUE(data.terminalPresets[0][0].empty());  // not stored yet

    ChooseBank(dlg->m_radioSendPresets, 5);
    dlg->m_textSend[7]->ChangeValue("AT[0D]");  // in the shown bank, not yet taken from the field
    Click(dlg->m_btnStorePresets);
    EXPECT_TRUE(Datei::SettingsPath().StartsWith(tempDir)) << U(Datei::SettingsPath());
    for (auto& bank : data.terminalPresets)
        for (auto& entry : bank) entry.clear();
    ASSERT_TRUE(Datei().DataLoad());
    EXPECT_EQ(U(data.terminalPresets[0][0]), "bank one edit");
    EXPECT_EQ(U(data.terminalPresets[1][7]), "bank two edit");
    EXPECT_EQ(U(data.terminalPresets[5][7]), "AT[0D]");
}

TEST_F(Terminal, EachLineSettingIsStoredAndReopensThePort) {
    TerminalProbe* dlg = Open();
    struct Case {
        int line;
        wxListBox* list;
        int index;
        const char* stored;  // baud, data bits, stop bits, parity afterwards
        speed_t speed;
    };
    const Case cases[] = {
        {__LINE__, dlg->m_listBoxParitaet, 2, "115200 8 1 E", B115200},
        {__LINE__, dlg->m_listBoxParitaet, 0, "115200 8 1 N", B115200},
        {__LINE__, dlg->m_listBoxParitaet, 1, "115200 8 1 O", B115200},
        {__LINE__, dlg->m_listBoxStopbits, 1, "115200 8 2 O", B115200},
        {__LINE__, dlg->m_listBoxDatenbits, 2, "115200 6 2 O", B115200},
        {__LINE__, dlg->m_listBoxStopbits, 0, "115200 6 1 O", B115200},
        {__LINE__, dlg->m_listBoxBaud, 3, "9600 6 1 O", B9600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        // Disturb the line behind the port's back: only a new open sets it up again.
        termios line = Line();
        ASSERT_EQ(::cfsetospeed(&line, B300), 0);
        ASSERT_EQ(::tcsetattr(master.Fd(), TCSANOW, &line), 0);
        Choose(c.list, c.index);
        EXPECT_EQ(U(wxString::Format("%d %d %d %s", data.terminalBaud, data.terminalDataBits, data.terminalStopBits,
                                     data.terminalParity)),
                  c.stored);
        EXPECT_TRUE(comport.IsOpen());
        EXPECT_EQ(Speed(), c.speed) << "the port was not reopened";
        EXPECT_EQ((Line().c_cflag & CSTOPB) != 0, data.terminalStopBits == 2);
    }
    // Still sending and receiving after the reopenings.
    EXPECT_EQ(Send(1, "ok"), "ok");
    ASSERT_TRUE(master.Write("in"));
    ASSERT_TRUE(RunUntil([&] { return dlg->m_textReceived->GetValue() == "in"; }));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Terminal, PortThatCannotBeOpenedIsReported) {
    data.terminalComport = "/dev/tqc-no-such-port";
    Open();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].StartsWith("Comport Fehler ")) << U(messages[0]);
    EXPECT_TRUE(messages[0].Contains("\n")) << "the reason in words follows";
    EXPECT_FALSE(comport.IsOpen());
    EXPECT_EQ(Send(0, "x"), "");  // the window stays usable
}

TEST_F(Terminal, VanishedPortIsShown) {
    TerminalProbe* dlg = Open();
    ASSERT_TRUE(master.Write("abc"));
    ASSERT_TRUE(RunUntil([&] { return dlg->m_textReceived->GetValue() == "abc"; }));
    master.CloseFd();
    ASSERT_TRUE(RunUntil([&] { return dlg->m_textReceived->GetValue().Contains("Comport getrennt: "); }));
    EXPECT_TRUE(dlg->m_textReceived->GetValue().StartsWith("abc\nComport getrennt: "));
    EXPECT_EQ(U(dlg->m_textReceivedHex->GetValue()), "[61][62][63]");
    EXPECT_FALSE(comport.IsOpen());
}

TEST_F(Terminal, HiddenWindowReadsNothing) {
    TerminalProbe* dlg = Open();
    dlg->Hide();
    ASSERT_TRUE(master.Write("Z"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    guitest::Yield();
    EXPECT_TRUE(dlg->m_textReceived->GetValue().empty());
    EXPECT_EQ(comport.Read(), 'Z');  // the byte waits for whoever uses the port meanwhile
    dlg->Show();
    ASSERT_TRUE(master.Write("Y"));
    ASSERT_TRUE(RunUntil([&] { return dlg->m_textReceived->GetValue() == "Y"; }));
}

TEST_F(Terminal, CloseStoresSettingsClosesPortAndClearsPointer) {
    TerminalProbe* dlg = Open();
    Choose(dlg->m_listBoxBaud, 0);
    Click(dlg->m_btnClose);
    dialog = nullptr;  // destroyed by the close
    EXPECT_EQ(glTerminalDlg, nullptr);
    EXPECT_FALSE(comport.IsOpen());
    guitest::Yield();
    data.terminalBaud = 0;
    ASSERT_TRUE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 1200);
}

TEST_F(Terminal, PortSearchListsPortsAndLeavesTheOpenPortAlone) {
    TerminalProbe* dlg = Open();
    Click(dlg->m_btnReadCom);
    const wxArrayString ports = Comport::ListPorts();
    ASSERT_EQ(dlg->m_listBoxComport->GetCount(), ports.size());
    for (size_t i = 0; i < ports.size(); ++i) EXPECT_EQ(dlg->m_listBoxComport->GetString(i), ports[i]);
    EXPECT_EQ(dlg->m_listBoxComport->GetSelection(), ports.Index(data.terminalComport));
    EXPECT_EQ(data.terminalComport, master.SlaveName());
    EXPECT_EQ(Send(0, "still"), "still");
}
