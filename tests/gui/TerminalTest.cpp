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
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string U(const wxString& text) { return std::string(text.utf8_str().data()); }

std::string HexOf(const std::string& bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char b : bytes) {
        snprintf(buffer, sizeof buffer, "%02X ", b);
        out += buffer;
    }
    return out;
}

using Master = PtyMaster;

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

void Click(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

void Choose(wxListBox* list, int index) {
    list->SetSelection(index);
    wxCommandEvent event(wxEVT_LISTBOX, list->GetId());
    event.SetEventObject(list);
    event.SetInt(index);
    list->GetEventHandler()->ProcessEvent(event);
}

void ChooseBank(wxRadioBox* radio, int bank) {
    radio->SetSelection(bank);
    wxCommandEvent event(wxEVT_RADIOBOX, radio->GetId());
    event.SetEventObject(radio);
    event.SetInt(bank);
    radio->GetEventHandler()->ProcessEvent(event);
}

// Lets events run until `done` holds or the time is up.
template <typename Condition>
bool RunUntil(Condition done, int timeoutMs = 5000) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() > end) return false;
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

    // Answers every message box with OK and keeps its text.
    guitest::ModalAnswer answer{[this](wxDialog* dlg) {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dlg)) messages.push_back(box->GetMessage());
        return wxID_OK;
    }};
    std::vector<wxString> messages;
    Master master;
    wxString savedProgramDir;
    wxString tempDir;
    TerminalProbe* dialog = nullptr;
};

}  // namespace

TEST_F(Terminal, LayoutAndStoredSettingsSelected) {
    data.terminalBaud = 19200;
    data.terminalDataBits = 7;
    data.terminalStopBits = 2;
    data.terminalParity = "O";
    TerminalProbe* dlg = Open();
    EXPECT_EQ(U(dlg->GetTitle()), "Terminal");
    EXPECT_EQ(dlg->m_listBoxBaud->GetCount(), 8u);
    EXPECT_EQ(U(dlg->m_listBoxBaud->GetString(7)), "115200");
    EXPECT_EQ(U(dlg->m_listBoxBaud->GetStringSelection()), "19200");
    EXPECT_EQ(U(dlg->m_listBoxDatenbits->GetStringSelection()), "7");
    EXPECT_EQ(U(dlg->m_listBoxStopbits->GetStringSelection()), "2");
    EXPECT_EQ(U(dlg->m_listBoxParitaet->GetStringSelection()), "Odd");
    ASSERT_EQ(dlg->m_listBoxComport->GetCount(), 1u);
    EXPECT_EQ(dlg->m_listBoxComport->GetStringSelection(), master.SlaveName());
    ASSERT_EQ(dlg->m_radioSendPresets->GetCount(), 6u);
    EXPECT_EQ(U(dlg->m_radioSendPresets->GetString(0)), "1   ");
    EXPECT_EQ(U(dlg->m_radioSendPresets->GetString(5)), "6   ");
    EXPECT_EQ(U(dlg->m_radioSendPresets->GetLabel()), "Send Presets");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(U(dlg->m_btnSend[i]->GetLabel()), "Send " + std::to_string(i + 1));
    // Created pairwise: 1, 5, 2, 6, 3, 7, 4, 8.
    const wxWindowList& children = dlg->GetChildren();
    std::vector<int> order;
    for (wxWindow* child : children)
        for (int i = 0; i < 8; ++i)
            if (child == dlg->m_btnSend[i]) order.push_back(i + 1);
    EXPECT_EQ(order, (std::vector<int>{1, 5, 2, 6, 3, 7, 4, 8}));
    EXPECT_TRUE(comport.IsOpen());
    EXPECT_TRUE(messages.empty());
    // The line was set up as stored (a pseudo-terminal keeps eight bits without parity, but
    // takes the speed and the stop bits).
    termios line{};
    ASSERT_EQ(::tcgetattr(master.Fd(), &line), 0);
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B19200));
}

TEST_F(Terminal, UnlistedBaudLeavesNoSelectionButIsUsed) {
    data.terminalBaud = 300;
    TerminalProbe* dlg = Open();
    EXPECT_EQ(dlg->m_listBoxBaud->GetSelection(), wxNOT_FOUND);
    EXPECT_TRUE(comport.IsOpen());
    termios line{};
    ASSERT_EQ(::tcgetattr(master.Fd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B300));
}

TEST_F(Terminal, SendButtonsWriteTheirOwnTextWithBracketGroups) {
    TerminalProbe* dlg = Open();
    dlg->m_textSend[0]->ChangeValue("AT[0D][0A]");
    dlg->m_textSend[7]->ChangeValue("[FF]x");
    Click(dlg->m_btnSend[0]);
    EXPECT_EQ(HexOf(master.ReadAll()), "41 54 0D 0A ");
    Click(dlg->m_btnSend[7]);
    EXPECT_EQ(HexOf(master.ReadAll()), "FF 78 ");
    // An empty text writes nothing, and no line end is added anywhere.
    Click(dlg->m_btnSend[3]);
    EXPECT_EQ(HexOf(master.ReadAll()), "");
    dlg->m_textSend[4]->ChangeValue("5");
    Click(dlg->m_btnSend[4]);
    EXPECT_EQ(HexOf(master.ReadAll()), "35 ");
}

TEST_F(Terminal, ReceivedBytesAppearInBothViews) {
    TerminalProbe* dlg = Open();
    ASSERT_TRUE(master.Write(std::string("\x48\x69\x0D", 3)));
    ASSERT_TRUE(RunUntil([&] { return dlg->m_textReceivedHex->GetValue().length() >= 12; }));
    EXPECT_EQ(U(dlg->m_textReceivedHex->GetValue()), "[48][69][0D]");
    EXPECT_EQ(U(dlg->m_textReceived->GetValue()), "Hi\r");

    Click(dlg->m_btnClear1);
    EXPECT_TRUE(dlg->m_textReceived->GetValue().empty());
    EXPECT_FALSE(dlg->m_textReceivedHex->GetValue().empty());
}

TEST_F(Terminal, BurstArrivesCompleteAndInOrderInBothViews) {
    TerminalProbe* dlg = Open();
    std::string sent;
    for (int i = 0; i < 20000; ++i) sent.push_back(static_cast<char>('A' + i % 26));
    std::thread writer([&] {
        size_t done = 0;
        while (done < sent.size()) {
            const ssize_t n = ::write(master.Fd(), sent.data() + done, sent.size() - done);
            if (n > 0) done += static_cast<size_t>(n);
            else std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const bool complete =
        RunUntil([&] { return dlg->m_textReceivedHex->GetLastPosition() >= static_cast<long>(4 * sent.size()); }, 20000);
    writer.join();
    ASSERT_TRUE(complete);
    EXPECT_EQ(U(dlg->m_textReceived->GetValue()), sent);
    wxString expectedHex, expectedText;
    FormatReceived(sent, expectedText, expectedHex);
    EXPECT_TRUE(dlg->m_textReceivedHex->GetValue() == expectedHex);
}

TEST_F(Terminal, BankSwitchingKeepsEditsWhileOpen) {
    data.terminalPresets[1][2] = "stored";
    TerminalProbe* dlg = Open();
    EXPECT_EQ(gl_Terminal_iActualPreset, 0);
    dlg->m_textSend[0]->ChangeValue("bank one edit");
    ChooseBank(dlg->m_radioSendPresets, 1);
    EXPECT_EQ(gl_Terminal_iActualPreset, 1);
    EXPECT_EQ(U(dlg->m_textSend[2]->GetValue()), "stored");
    EXPECT_TRUE(dlg->m_textSend[0]->GetValue().empty());
    dlg->m_textSend[7]->ChangeValue("bank two edit");
    ChooseBank(dlg->m_radioSendPresets, 0);
    EXPECT_EQ(U(dlg->m_textSend[0]->GetValue()), "bank one edit");
    EXPECT_TRUE(dlg->m_textSend[7]->GetValue().empty());
    ChooseBank(dlg->m_radioSendPresets, 1);
    EXPECT_EQ(U(dlg->m_textSend[7]->GetValue()), "bank two edit");
    EXPECT_EQ(U(gl_Terminal_sPresets[0][0]), "bank one edit");
    // Not stored: the data store still has the old texts.
    EXPECT_TRUE(data.terminalPresets[0][0].empty());
    EXPECT_TRUE(data.terminalPresets[1][7].empty());
}

TEST_F(Terminal, StorePresetsWritesTheSettingsFile) {
    TerminalProbe* dlg = Open();
    dlg->m_textSend[0]->ChangeValue("first");
    ChooseBank(dlg->m_radioSendPresets, 5);
    dlg->m_textSend[7]->ChangeValue("AT[0D]");
    Click(dlg->m_btnStorePresets);
    EXPECT_EQ(U(data.terminalPresets[0][0]), "first");
    EXPECT_EQ(U(data.terminalPresets[5][7]), "AT[0D]");
    const wxString path = Datei::SettingsPath();
    EXPECT_TRUE(path.StartsWith(tempDir)) << U(path);
    ASSERT_TRUE(wxFileName::FileExists(path));
    std::ifstream file(U(path), std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    EXPECT_NE(content.str().find("AT[0D]"), std::string::npos);
    EXPECT_NE(content.str().find("first"), std::string::npos);
    // Read back: the file holds the stored texts.
    data.terminalPresets[5][7].clear();
    data.terminalPresets[0][0].clear();
    ASSERT_TRUE(Datei().DataLoad());
    EXPECT_EQ(U(data.terminalPresets[5][7]), "AT[0D]");
    EXPECT_EQ(U(data.terminalPresets[0][0]), "first");
}

TEST_F(Terminal, ParityEvenStoresLetterAndReopens) {
    TerminalProbe* dlg = Open();
    // Disturb the line behind the port's back: only a new open sets it up again.
    termios line{};
    ASSERT_EQ(::tcgetattr(master.Fd(), &line), 0);
    ASSERT_EQ(::cfsetospeed(&line, B300), 0);
    ASSERT_EQ(::cfsetispeed(&line, B300), 0);
    ASSERT_EQ(::tcsetattr(master.Fd(), TCSANOW, &line), 0);
    Choose(dlg->m_listBoxParitaet, 2);
    EXPECT_EQ(U(data.terminalParity), "E");
    EXPECT_TRUE(comport.IsOpen());
    ASSERT_EQ(::tcgetattr(master.Fd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B115200)) << "the port was not reopened";
    Choose(dlg->m_listBoxParitaet, 0);
    EXPECT_EQ(U(data.terminalParity), "N");
    Choose(dlg->m_listBoxParitaet, 1);
    EXPECT_EQ(U(data.terminalParity), "O");
    // Still sending and receiving after the reopening.
    dlg->m_textSend[1]->ChangeValue("ok");
    Click(dlg->m_btnSend[1]);
    EXPECT_EQ(master.ReadAll(), "ok");
    ASSERT_TRUE(master.Write("in"));
    ASSERT_TRUE(RunUntil([&] { return dlg->m_textReceived->GetValue() == "in"; }));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Terminal, BaudDataAndStopBitsStoreAndReopen) {
    TerminalProbe* dlg = Open();
    Choose(dlg->m_listBoxBaud, 3);
    Choose(dlg->m_listBoxDatenbits, 2);
    Choose(dlg->m_listBoxStopbits, 1);
    EXPECT_EQ(data.terminalBaud, 9600);
    EXPECT_EQ(data.terminalDataBits, 6);
    EXPECT_EQ(data.terminalStopBits, 2);
    termios line{};
    ASSERT_EQ(::tcgetattr(master.Fd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B9600));
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    Choose(dlg->m_listBoxStopbits, 0);
    EXPECT_EQ(data.terminalStopBits, 1);
    ASSERT_EQ(::tcgetattr(master.Fd(), &line), 0);
    EXPECT_FALSE(line.c_cflag & CSTOPB);
}

TEST_F(Terminal, PortThatCannotBeOpenedIsReported) {
    data.terminalComport = "/dev/tqc-no-such-port";
    TerminalProbe* dlg = Open();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].StartsWith("Comport Fehler ")) << U(messages[0]);
    EXPECT_TRUE(messages[0].Contains("\n")) << "the reason in words follows";
    EXPECT_FALSE(comport.IsOpen());
    // The window stays usable.
    dlg->m_textSend[0]->ChangeValue("x");
    Click(dlg->m_btnSend[0]);
    EXPECT_EQ(gl_Terminal_iActualPreset, 0);
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
    const wxString path = Datei::SettingsPath();
    ASSERT_TRUE(wxFileName::FileExists(path));
    data.terminalBaud = 0;
    ASSERT_TRUE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 1200);
}

TEST_F(Terminal, PortSearchListsPortsAndLeavesTheOpenPortAlone) {
    TerminalProbe* dlg = Open();
    wxCommandEvent event(wxEVT_BUTTON, dlg->m_btnReadCom->GetId());
    event.SetEventObject(dlg->m_btnReadCom);
    dlg->m_btnReadCom->GetEventHandler()->ProcessEvent(event);
    const wxArrayString ports = Comport::ListPorts();
    ASSERT_EQ(dlg->m_listBoxComport->GetCount(), ports.size());
    for (size_t i = 0; i < ports.size(); ++i) EXPECT_EQ(dlg->m_listBoxComport->GetString(i), ports[i]);
    const int stored = ports.Index(data.terminalComport);
    EXPECT_EQ(dlg->m_listBoxComport->GetSelection(), stored == wxNOT_FOUND ? wxNOT_FOUND : stored);
    EXPECT_EQ(data.terminalComport, master.SlaveName());
    EXPECT_TRUE(comport.IsOpen());
    dlg->m_textSend[0]->ChangeValue("still");
    Click(dlg->m_btnSend[0]);
    EXPECT_EQ(master.ReadAll(), "still");
}
