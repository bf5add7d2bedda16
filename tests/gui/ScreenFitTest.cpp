// What the user sees, measured on the drawn window: every status text and the find bar's result
// whole inside their rectangles, at 800 x 600 and at the window's own size.
#include "GuiTestSupport.h"

#include "app/Version.h"

#include <wx/button.h>

namespace {

using namespace guitest;

// The main window with its status texts set as transfers and compiles set them.
class FitFrame : public TestFrame {
public:
    using MainFrame::ShowStatus;
    using MainFrame::ShowSummary;
    using TestFrame::TestFrame;
};

class ScreenFit : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        boxes_.other = [](wxDialog*) { return static_cast<int>(wxID_CANCEL); };
        fit_ = new FitFrame(nullptr, Dir());
        frame_ = fit_;
        frame_->Show();
        Yield();
    }
    // Every field's text lies whole in its field; a text given way to is in the bar's tooltip.
    void ExpectStatusFits(const wxArrayString& full) {
        wxStatusBar* bar = frame_->GetStatusBar();
        for (int field = 0; field < bar->GetFieldsCount(); ++field) {
            const wxString shown = bar->GetStatusText(field);
            wxRect rect;
            ASSERT_TRUE(bar->GetFieldRect(field, rect));
            // The text is drawn inside the field's borders; the last field also holds the size grip.
            const int grip = field == bar->GetFieldsCount() - 1 ? bar->GetClientSize().y : 0;
            EXPECT_TRUE(shown.empty() || bar->GetTextExtent(shown).x <= rect.width - 2 * bar->GetBorderX() - grip)
                << field << " " << U(shown) << " in " << rect.width;
            EXPECT_LE(rect.GetRight(), bar->GetClientSize().x) << field;
            EXPECT_TRUE(shown == full[field] || bar->GetToolTipText().Contains(full[field]))
                << field << " " << U(full[field]);
        }
    }
    FitFrame* fit_ = nullptr;
};

TEST_F(ScreenFit, StatusTextsAreWholeAtEveryWidth) {
    const wxSize ownSize = frame_->GetSize();
    const wxString transfer = wxString::FromUTF8("Programmierung OK: 32000 Bytes gesendet und geprüft (/dev/ttyUSB0)");
    for (const wxSize& size : {wxSize(800, 600), ownSize, wxSize(1000, 700)}) {
        SCOPED_TRACE(size.x);
        frame_->SetSize(size);
        // The caret as far out as a script goes: line and column at their widest.
        editor()->SetText("defvar x = 1\nfoo 1\n" + wxString('\n', 30000) + wxString(' ', 999));
        editor()->DocumentEnd();
        Compile();
        Yield();
        wxArrayString full = frame_->StatusTexts();
        full.Insert(wxString("Version: ") + kTqcVersion, 0);
        full.Insert(wxString::FromUTF8("1 Fehler (F8: zum nächsten)"), 0);
        full.Add("Zeile 30003, Spalte 1000");
        ExpectStatusFits(full);
        // A summary near every limit, with the longest transfer report.
        std::tie(data.variableCount, data.maxVariables, data.stringCount, data.maxStrings) =
            std::tuple(999, 999, 99, 99);
        std::tie(data.stringMemoryUsed, data.maxStringMemory, data.outputCount) = std::tuple(9999, 9999, 32000);
        fit_->ShowSummary(true);
        fit_->ShowStatus(0, transfer);
        Yield();
        full = frame_->StatusTexts();
        full.Insert(wxString("Version: ") + kTqcVersion, 0);
        full.Insert(transfer, 0);
        full.Add("Zeile 30003, Spalte 1000");
        ExpectStatusFits(full);
    }
}

// At 800 pixels the result and every button lie whole inside the window; the result counts the
// matches, the field turns red when there is none, and every match is marked while the bar is open.
TEST_F(ScreenFit, FindBarFitsCountsAndMarks) {
    frame_->SetSize(800, 600);
    editor()->SetText("on 1\non 2\non 3\non 4\non 5\non 6\non 7\nend\n");
    FindBar* bar = frame_->Finder();
    Command(wxID_FIND);
    const wxColour plain = bar->findText()->GetBackgroundColour();
    bar->findText()->ChangeValue("on");
    editor()->SetSelection(7, 8);
    Command(MainFrame::ID_FIND_NEXT);
    EXPECT_EQ(bar->Message(), "3 von 7");
    for (int line = 0; line < 8; ++line)
        EXPECT_EQ(editor()->IndicatorValueAt(FindBar::kMatchIndicator, editor()->PositionFromLine(line)), line < 7)
            << line;
    EXPECT_EQ(bar->findText()->GetBackgroundColour(), plain);
    editor()->InsertText(editor()->PositionFromLine(7), "on ");  // a match typed is marked too
    Yield();
    EXPECT_EQ(editor()->IndicatorValueAt(FindBar::kMatchIndicator, editor()->PositionFromLine(7)), 1);

    bar->findText()->ChangeValue("off");
    Command(MainFrame::ID_FIND_NEXT);
    EXPECT_EQ(bar->Message(), "Nicht gefunden");
    EXPECT_NE(bar->findText()->GetBackgroundColour(), plain);
    Yield();
    const wxRect window = frame_->GetClientRect();
    wxStaticText* result = bar->messageLabel();
    EXPECT_LE(result->GetTextExtent(result->GetLabel()).x, result->GetSize().x);
    std::vector<wxWindow*> shown{result};
    for (wxWindow* child : bar->GetChildren())
        if (dynamic_cast<wxButton*>(child) && child->IsShown()) shown.push_back(child);
    for (wxWindow* control : shown) {
        const wxRect rect(frame_->ScreenToClient(control->GetScreenPosition()), control->GetSize());
        EXPECT_TRUE(window.Contains(rect)) << U(control->GetLabel());
    }

    bar->findText()->ChangeValue("on");
    Command(MainFrame::ID_FIND_NEXT);
    bar->Close();
    EXPECT_EQ(editor()->IndicatorValueAt(FindBar::kMatchIndicator, 0), 0);
}

}  // namespace
