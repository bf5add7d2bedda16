// The port lists of the program dialog and the terminal, and the port label of Konfig PX, with a
// list of ports of the test's own: the adapters' names, a port followed by its serial number, a
// port that is gone kept and marked, and the list kept up to date while the window is open.
#include "GuiTestSupport.h"

#include "dialogs/PortChoice.h"
#include "dialogs/ProgramDlg.h"
#include "konfig/KonfigDlg.h"

namespace {

using namespace guitest;
using Port = EditorSettings::Port;

struct ProgramProbe : ProgramDlg {
    using ProgramDlg::ProgramDlg;
    using ProgramDlg::portList;
};
struct TerminalProbe : TerminalDlg {
    using TerminalDlg::TerminalDlg;
    using TerminalDlg::m_listBoxComport, TerminalDlg::m_textReceived;
};

// One window with a port list: the list, the setting it chooses, and where it tells the user.
struct Window {
    wxDialog* dialog;
    wxListBox* list;
    wxString& port;
    std::function<wxString()> told;
    wxString Strings() const { return wxJoin(list->GetStrings(), '|', '\0'); }
};

class Ports : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        PortChoice::SetSource([this] { return ports_; });
    }
    void TearDown() override {
        program_.reset();
        PortChoice::SetSource({});
        EditorSettings().Parse("");  // no serial numbers for the next test
        GuiTest::TearDown();
    }
    // "COM1,COM7:USB-SERIAL CH340:A1": ports separated by commas, name:description:serial.
    void Plug(const wxString& text) {
        ports_.clear();
        for (const wxString& port : wxSplit(text, ',', '\0')) {
            const wxArrayString f = wxSplit(port + "::", ':', '\0');
            if (!f[0].empty()) ports_.push_back({f[0], f[1], "", "", f[2]});
        }
    }
    Window Open(Port which) {
        if (which == Port::Program) {
            program_ = std::make_unique<ProgramProbe>(nullptr);
            program_->Show();
            return {program_.get(), program_->portList, data.programComport, [this] { return program_->Log(); }};
        }
        auto* terminal = new TerminalProbe(nullptr);
        glTerminalDlg = terminal;
        terminal->Show();
        return {terminal, terminal->m_listBoxComport, data.terminalComport,
                [terminal] { return terminal->m_textReceived->GetValue(); }};
    }
    static wxString Title(Port which, const wxString& shown) {
        return (which == Port::Program ? "Program (" : "Terminal (") + shown + ")";
    }
    wxString EditorFile() const { return wxString::FromUTF8(ReadBytes(Path(EditorSettings::kFileName))); }

    std::vector<Comport::PortInfo> ports_;
    std::unique_ptr<ProgramProbe> program_;
};

const char* const kNames[] = {"Program", "Terminal"};

// The entries show the adapters' names; a choice sets the port by its name and keeps the
// adapter's serial number beside it in the editor's file, never in TqC_Konfig.ini.
TEST_F(Ports, ListShowsAdaptersAndChoiceKeepsNameAndSerial) {
    for (Port which : {Port::Program, Port::Terminal}) {
        SCOPED_TRACE(kNames[static_cast<int>(which)]);
        Plug("COM1,COM7:USB-SERIAL CH340:A1");
        data.programComport = data.terminalComport = "COM1";
        Window w = Open(which);
        EXPECT_EQ(U(w.Strings()), "COM1|COM7 — USB-SERIAL CH340");
        EXPECT_EQ(w.list->GetSelection(), 0);
        Choose(w.list, 1);
        EXPECT_EQ(U(w.port), "COM7");
        EXPECT_EQ(U(w.dialog->GetTitle()), U(Title(which, wxString::FromUTF8("COM7 — USB-SERIAL CH340"))));
        EXPECT_EQ(U(EditorSettings::PortSerial(which)), "A1");
        EXPECT_TRUE(EditorFile().Contains(wxString(kNames[static_cast<int>(which)]) + "_Comport_Serial:A1\r\n"));
        Choose(w.list, 0);
        EXPECT_EQ(w.port + "|" + EditorSettings::PortSerial(which) + "|" + w.dialog->GetTitle(),
                  "COM1||" + Title(which, "COM1"));
        w.dialog->Destroy();
        program_.release();
    }
}

// A stored port that is gone stays in the list, marked and chosen; with a serial number known,
// the adapter found under another name is chosen instead, and the user is told.
TEST_F(Ports, GonePortStaysMarkedAndReplugedAdapterIsFollowed) {
    const wxString notice = wxString::FromUTF8(
        "COM3 ist nicht angeschlossen; der Adapter mit der Seriennummer A1 ist jetzt COM8 — USB-SERIAL CH340 und wird "
        "benutzt.\n");
    for (Port which : {Port::Program, Port::Terminal}) {
        for (const char* serial : {"", "A1"}) {
            SCOPED_TRACE(std::string(kNames[static_cast<int>(which)]) + serial);
            Plug("COM1,COM8:USB-SERIAL CH340:A1");
            data.programComport = data.terminalComport = "COM3";
            EditorSettings::SetPortSerial(which, serial);
            Window w = Open(which);
            const bool follow = *serial != 0;
            const std::string marked = follow ? "" : "|COM3 (nicht angeschlossen)";
            EXPECT_EQ(U(w.Strings()), "COM1|COM8 — USB-SERIAL CH340" + marked);
            EXPECT_EQ(w.list->GetSelection(), follow ? 1 : 2);
            EXPECT_EQ(U(w.port), follow ? "COM8" : "COM3");
            EXPECT_EQ(w.told().Contains(notice), follow) << U(w.told());
            w.dialog->Destroy();
            program_.release();
        }
    }
}

// About once a second the list follows the ports there are, but not while a transfer runs; an
// open terminal follows its adapter to a new name.
TEST_F(Ports, ListRefreshesWhenPortsChangeButNotDuringATransfer) {
    Plug("COM1");
    data.programComport = "COM1";
    Window w = Open(Port::Program);
    Plug("COM1,COM9:USB Serial Port");
    gl_iProgramStop = 1;
    EXPECT_FALSE(RunUntil([&] { return w.list->GetCount() != 1; }, 1500));
    gl_iProgramStop = 0;
    EXPECT_TRUE(RunUntil([&] { return w.list->GetCount() == 2; }, 3000)) << U(w.Strings());
    EXPECT_EQ(w.list->GetSelection(), 0);
    Yield();  // the new name fits in the list
    EXPECT_GE(w.list->GetClientSize().x, w.list->GetTextExtent(w.list->GetString(1)).x);

    Plug("COM3::T5");
    data.terminalComport = "COM3";
    Window t = Open(Port::Terminal);
    EXPECT_EQ(EditorSettings::PortSerial(Port::Terminal), "T5");  // learnt from the adapter in use
    Plug("COM4:USB-SERIAL CH340:T5");
    EXPECT_TRUE(RunUntil([&] { return data.terminalComport == "COM4"; }, 3000));
    EXPECT_EQ(U(t.dialog->GetTitle()), U(Title(Port::Terminal, wxString::FromUTF8("COM4 — USB-SERIAL CH340"))));
}

// Konfig PX names the program port by its adapter, and follows it to a new name.
TEST_F(Ports, KonfigShowsTheProgramPortByItsAdapter) {
    Plug("COM8:USB-SERIAL CH340:A1");
    data.programComport = "COM3";
    EditorSettings::SetPortSerial(Port::Program, "A1");
    KonfigDlg dialog(nullptr);
    dialog.Show();
    Yield();
    auto* label = Find<wxStaticText>(&dialog, wxString::FromUTF8("COM8 — USB-SERIAL CH340"));
    ASSERT_TRUE(label) << U(dialog.PortName());
    EXPECT_GE(label->GetSize().x, label->GetTextExtent(label->GetLabel()).x);
    EXPECT_EQ(U(data.programComport), "COM8");
    EXPECT_TRUE(dialog.Log().Contains("jetzt COM8")) << U(dialog.Log());
}

}  // namespace
