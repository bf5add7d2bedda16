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
    using ProgramDlg::ProgramDlg, ProgramDlg::portList;
};
struct TerminalProbe : TerminalDlg {
    using TerminalDlg::TerminalDlg, TerminalDlg::m_listBoxComport, TerminalDlg::m_textReceived;
};

class Ports : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        PortChoice::SetSource([this] { return ports_; });
    }
    void TearDown() override {
        if (window_) window_->Destroy();
        PortChoice::SetSource({});
        EditorSettings().Parse("");  // no serial numbers for the next test
        GuiTest::TearDown();
    }
    // "COM1,COM7:USB-SERIAL CH340:A1": ports separated by commas, name:description:serial.
    void Plug(const wxString& text) {
        ports_.clear();
        for (const wxString& port : wxSplit(text, ',', '\0')) {
            const wxArrayString f = wxSplit(port + "::", ':', '\0');
            ports_.push_back({f[0], f[1], "", "", f[2]});
        }
    }
    // The program dialog or the terminal, its port stored as `stored`.
    void Open(Port which, const wxString& stored) {
        if (window_) window_->Destroy();
        Setting(which) = stored;
        if (which == Port::Program) {
            auto* program = new ProgramProbe(nullptr);
            window_ = program, list_ = program->portList;
            told_ = [program] { return program->Log(); };
        } else {
            auto* terminal = new TerminalProbe(nullptr);
            window_ = glTerminalDlg = terminal, list_ = terminal->m_listBoxComport;
            told_ = [terminal] { return terminal->m_textReceived->GetValue(); };
        }
        window_->Show();
    }
    static wxString& Setting(Port which) { return which == Port::Program ? data.programComport : data.terminalComport; }
    // The entries, the selected one marked "*", and the title.
    std::string Shown() const {
        wxString shown;
        for (unsigned i = 0; i < list_->GetCount(); ++i)
            shown += (static_cast<int>(i) == list_->GetSelection() ? "*" : "") + list_->GetString(i) + "|";
        return U(shown + window_->GetTitle());
    }

    std::vector<Comport::PortInfo> ports_;
    wxDialog* window_ = nullptr;
    wxListBox* list_ = nullptr;
    std::function<wxString()> told_;
};

// The entries show the adapters' names; a port that is gone stays, marked; its adapter found
// under another name by the serial number is chosen instead, and the user is told. A choice sets
// the port by its name and keeps the adapter's serial number in the editor's file.
TEST_F(Ports, ListShowsAdaptersKeepsAGonePortAndFollowsAReplugedOne) {
    const wxString ch340 = wxString::FromUTF8("COM8 — USB-SERIAL CH340");
    const struct {
        int line;
        const char *stored, *serial, *shown, *port;
    } rows[] = {{__LINE__, "COM1", "", "*COM1|COM8 — USB-SERIAL CH340|", "COM1"},
                {__LINE__, "COM3", "", "COM1|COM8 — USB-SERIAL CH340|*COM3 (nicht angeschlossen)|", "COM3"},
                {__LINE__, "COM3", "A1", "COM1|*COM8 — USB-SERIAL CH340|", "COM8"}};
    for (Port which : {Port::Program, Port::Terminal}) {
        const wxString name = which == Port::Program ? "Program" : "Terminal";
        for (const auto& row : rows) {
            SCOPED_TRACE(row.line);
            Plug("COM1,COM8:USB-SERIAL CH340:A1");
            EditorSettings::SetPortSerial(which, row.serial);
            Open(which, row.stored);
            const wxString shown = wxString::FromUTF8(row.shown).AfterFirst('*').BeforeFirst('|');
            EXPECT_EQ(Shown(), row.shown + U(name + " (" + shown + ")"));
            EXPECT_EQ(U(Setting(which)), row.port);
            EXPECT_EQ(told_().Contains("COM3 ist nicht angeschlossen; der Adapter mit der Seriennummer A1 ist jetzt " +
                                       ch340 + " und wird benutzt.\n"),
                      *row.serial != 0);
        }
        Choose(list_, 1);
        EXPECT_EQ(U(Setting(which) + "|" + EditorSettings::PortSerial(which) + "|" + window_->GetTitle()),
                  U("COM8|A1|" + name + " (" + ch340 + ")"));
        const std::string file = ReadBytes(Path(EditorSettings::kFileName));
        EXPECT_NE(file.find(U(name) + "_Comport_Serial:A1\r\n"), std::string::npos) << file;
        Choose(list_, 0);
        EXPECT_EQ(U(Setting(which) + "|" + EditorSettings::PortSerial(which)), "COM1|");
    }
}

// About once a second the list follows the ports there are, but not while a transfer runs, and
// grows to their names; an open terminal follows its adapter to a new name.
TEST_F(Ports, ListRefreshesWhenPortsChangeButNotDuringATransfer) {
    Plug("COM1");
    Open(Port::Program, "COM1");
    Plug("COM1,COM9:USB Serial Port");
    gl_iProgramStop = 1;
    EXPECT_FALSE(RunUntil([&] { return list_->GetCount() != 1; }, 1500));
    gl_iProgramStop = 0;
    EXPECT_TRUE(RunUntil([&] { return list_->GetCount() == 2; }, 3000)) << Shown();
    Yield();
    EXPECT_GE(list_->GetClientSize().x, list_->GetTextExtent(list_->GetString(1)).x);

    Plug("COM3::T5");
    Open(Port::Terminal, "COM3");
    EXPECT_EQ(U(EditorSettings::PortSerial(Port::Terminal)), "T5");  // learnt from the adapter in use
    Plug("COM4:USB-SERIAL CH340:T5");
    EXPECT_TRUE(RunUntil([&] { return data.terminalComport == "COM4"; }, 3000));
    EXPECT_EQ(Shown(), "*COM4 — USB-SERIAL CH340|Terminal (COM4 — USB-SERIAL CH340)");
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
    EXPECT_TRUE(data.programComport == "COM8" && dialog.Log().Contains("jetzt COM8")) << U(dialog.Log());
}

}  // namespace
