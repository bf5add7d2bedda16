// Where the windows open and stay under a window manager (openbox), which places windows by its
// own rules: the stored place of the main window, child windows on the main window, a terminal
// hidden and shown again where it was, and at start a message before the error window.
#include "GuiTestSupport.h"

#include "dialogs/LanDlg.h"
#include "dialogs/WindowPlace.h"

#include <wx/display.h>

namespace {

class WindowManager : public guitest::GuiTest {
protected:
    // The window manager places windows after they are mapped: give it the time it takes.
    static void Settle() {
        guitest::RunUntil([] { return false; }, 1200);
    }
    // A first start with a stored window place and `script`, as the program starts.
    void Start(const wxString& script, bool withSettings = true) {
        if (withSettings)
            guitest::WriteBytes(Path("TqC_Konfig.ini"),
                                "TqC Konfig Datei :-)\r\nMain_Window_Size:10700,10500\r\n"
                                "Main_Window_Pos:10150,10100\r\nEOF\r\n");
        boxes_.other = [](wxDialog*) { return static_cast<int>(wxID_CANCEL); };
        frame_ = new guitest::TestFrame(nullptr, Dir());
        frame_->Start(script);
        Settle();
    }
    static wxPoint Centre(const wxRect& r) { return wxPoint(r.x + r.width / 2, r.y + r.height / 2); }
};

TEST_F(WindowManager, MainWindowAtItsStoredPlaceAndChildWindowsOnIt) {
    Start(wxString());
    EXPECT_EQ(frame_->GetRect(), wxRect(150, 100, 700, 500));
    frame_->OnTqpTerminalClick(event_);  // no port: the failure is told, the window opens
    Settle();
    ASSERT_NE(glTerminalDlg, nullptr);
    const wxRect screen = wxDisplay(0u).GetClientArea();
    EXPECT_EQ(glTerminalDlg->GetPosition(), place::OntoScreen(Centre(frame_->GetRect()) - glTerminalDlg->GetSize() / 2,
                                                              glTerminalDlg->GetSize(), screen));
    // Program and Konfig PX hide the terminal while they run: each time it comes back where it was.
    const wxPoint kept = glTerminalDlg->GetPosition() + wxPoint(-40, 30);
    glTerminalDlg->Move(kept);
    Settle();
    for (int round = 0; round < 3; ++round) {
        TerminalDlg::LendPort([] {});
        Settle();
        EXPECT_EQ(glTerminalDlg->GetPosition(), kept) << "round " << round;
    }
    boxes_.other = nullptr;  // the dialog runs for real
    LanDlg lan(frame_);
    wxPoint lanAt;
    int ticks = 0;
    guitest::RunModal(
        lan, [] {},
        [&] {
            if (++ticks < 60) return;  // 1.2 s
            lanAt = lan.GetPosition();
            lan.EndModal(wxID_CANCEL);
        });
    EXPECT_LE(std::abs(Centre(wxRect(lanAt, lan.GetSize())).x - Centre(frame_->GetRect()).x), 2);
}

// A first start with a faulty script: the missing settings are told first, the error window opens
// after the answer, over no part of the line with the caret.
TEST_F(WindowManager, AtStartTheMessageComesBeforeTheErrorWindow) {
    guitest::WriteBytes(Path("fehler.tqc"), "push 1\n  on 99999\n");
    std::vector<bool> errorWindowOpen;
    boxes_.onBox = [&] { errorWindowOpen.push_back(glErrorDlg != nullptr); };
    Start(Path("fehler.tqc"), false);
    EXPECT_EQ(boxes_.texts, std::vector<wxString>{"TqC_Konfig.ini nicht vorhanden !"});
    EXPECT_EQ(errorWindowOpen, std::vector<bool>{false});
    ASSERT_NE(glErrorDlg, nullptr);
    const wxPoint caret = editor()->ClientToScreen(editor()->PointFromPosition(editor()->GetCurrentPos()));
    EXPECT_FALSE(glErrorDlg->GetScreenRect().Contains(caret));
}

}  // namespace
