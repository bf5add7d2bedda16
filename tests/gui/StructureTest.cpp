// The structure of a script and the jumps through it, through the keys and clicks the user has:
// blocks fold from the margin, the block word lights its partners, the side panel lists and
// follows the names, F12 opens an include and Alt+Left comes back, Open starts where the script is.
#include "GuiTestSupport.h"

#include "app/SidePanel.h"

#include <wx/filedlg.h>

namespace {

using namespace guitest;

class StructureFrame : public TestFrame {
public:
    using TestFrame::TestFrame;
    wxString RealAskScriptPath() { return MainFrame::AskScriptPath(false); }
};

class Structure : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        boxes_.other = [](wxDialog*) { return static_cast<int>(wxID_CANCEL); };
        frame_ = structure_ = new StructureFrame(nullptr, Dir());
        frame_->SetSize(1000, 700);
        frame_->Show();
        Yield();
    }
    // Copies of the shipped example and its include, opened from the test's folder.
    void OpenExample() {
        for (const char* name : {"protokoll.tqc", "protokoll.inc"})
            WriteBytes(Path(name), ReadBytes(wxString(TQC_SOURCE_DIR "/examples/") + name));
        ASSERT_TRUE(frame_->OpenScript(Path("protokoll.tqc")));
    }
    // One character per line: 1 shown, 0 hidden by a fold.
    std::string Visible() const {
        std::string out;
        for (int line = 0; line < editor()->GetLineCount(); ++line) out += editor()->GetLineVisible(line) ? '1' : '0';
        return out;
    }
    // A click in the fold margin beside `line`.
    void ClickFoldMargin(int line) {
        const int x = editor()->GetMarginWidth(0) + editor()->GetMarginWidth(1) + editor()->GetMarginWidth(2) / 2;
        const int y = editor()->PointFromPosition(editor()->PositionFromLine(line)).y + 2;
        for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
            wxMouseEvent click(type);
            click.SetPosition(wxPoint(x, y));
            editor()->ProcessWindowEvent(click);
        }
        Yield();
    }
    StructureFrame* structure_ = nullptr;
};

constexpr const char* kBlocks = "defvar x = 0\npush 1\n  if x == 0\non 1\nelse\noff 1\nendif\nendpush\nendif\n";

TEST_F(Structure, BlocksFoldFromTheMargin) {
    editor()->SetText(kBlocks);
    frame_->CheckNow();
    const struct {
        int line;
        std::string visible;
    } rows[] = {{2, "1110111111"}, {4, "1111100111"}, {1, "1100000011"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        ClickFoldMargin(row.line);
        EXPECT_EQ(Visible(), row.visible);
        ClickFoldMargin(row.line);
        EXPECT_EQ(Visible(), "1111111111");
    }
    // An else that loses its if opens again once the text is checked.
    ClickFoldMargin(4);
    editor()->SetTargetRange(editor()->PositionFromLine(2), editor()->PositionFromLine(3));
    editor()->ReplaceTarget("");
    frame_->CheckNow();
    EXPECT_EQ(Visible(), "111111111");
}

// The caret on a block word (or before it) lights it and its partners, or the word alone in red;
// the status bar says where the caret is; the caret's line is highlighted.
TEST_F(Structure, BlockWordShowsItsPartnersAndTheCaretItsPlace) {
    editor()->SetText(kBlocks);
    frame_->CheckNow();
    EXPECT_TRUE(editor()->GetCaretLineVisible());
    const struct {
        int line, column;
        std::string partners, lonely;  // per line: 1 where the word is lit
    } rows[] = {{2, 0, "0010101000", "0000000000"},
                {7, 7, "0100000100", "0000000000"},
                {8, 0, "0000000000", "0000000010"},
                {3, 1, "0000000000", "0000000000"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        editor()->GotoPos(editor()->PositionFromLine(row.line) + row.column);
        editor()->Update();  // the caret drawn at its new place
        Yield();
        std::string partners, lonely;
        for (int line = 0; line < editor()->GetLineCount(); ++line) {
            const int word = editor()->GetLineIndentPosition(line);
            partners += editor()->IndicatorValueAt(MainFrame::kPartnerIndicator, word) ? '1' : '0';
            lonely += editor()->IndicatorValueAt(MainFrame::kLonelyIndicator, word) ? '1' : '0';
        }
        EXPECT_EQ(partners + " " + lonely, row.partners + " " + row.lonely);
        EXPECT_EQ(Status(6), wxString::Format("Zeile %d, Spalte %d", row.line + 1, row.column + 1));
    }
}

// The panel lists the example's names with their lines, filters as typed, follows an edit, and a
// click goes to the line; Alt+Left comes back.
TEST_F(Structure, SidePanelListsFiltersFollowsAndGoes) {
    OpenExample();
    SidePanel* panel = frame_->Outline();
    EXPECT_TRUE(panel->IsShownOnScreen());
    EXPECT_EQ(U(wxJoin(panel->Rows(), ' ')),
              "::abfrage|Marke|15 ;ANTWORT_LAENGE|Define|protokoll.inc:2 ;GERAET|Define|protokoll.inc:3 "
              ";BEFEHL|Define|4 position|Variable|8 wert|Variable|9 antwort|String|6 kennung|String|7");
    const struct {
        const char* filter;
        const char* rows;
    } filters[] = {{"var", "position|Variable|8 wert|Variable|9"},
                   {"ert var", "wert|Variable|9"},  // every word must occur
                   {"ant", ";ANTWORT_LAENGE|Define|protokoll.inc:2 antwort|String|6"}};
    for (const auto& row : filters) {
        panel->filter()->SetValue(row.filter);  // as typed: each change filters
        EXPECT_EQ(U(wxJoin(panel->Rows(), ' ')), row.rows) << row.filter;
    }
    panel->filter()->SetFocus();  // the edit commands are the filter's while it has the keyboard
    Yield();
    Command(wxID_SELECTALL);
    EXPECT_EQ(U(panel->filter()->GetStringSelection()) + "|" + U(editor()->GetSelectedText()), "ant|");
    panel->filter()->SetValue("::");
    editor()->AppendText("::ende\n");
    frame_->CheckNow();  // what the pause in typing runs
    EXPECT_EQ(U(wxJoin(panel->Rows(), ' ')), "::abfrage|Marke|15 ::ende|Marke|32");

    editor()->GotoLine(3);
    wxListEvent click(wxEVT_LIST_ITEM_SELECTED, panel->list()->GetId());
    click.m_itemIndex = 1;
    panel->list()->ProcessWindowEvent(click);
    Yield();
    EXPECT_EQ(editor()->GetCurrentLine(), 31);
    Command(MainFrame::ID_BACK);
    EXPECT_EQ(editor()->GetCurrentLine(), 3);

    frame_->GetMenuBar()->Check(MainFrame::ID_SIDE_PANEL, false);  // as the click leaves it
    Command(MainFrame::ID_SIDE_PANEL);
    EXPECT_FALSE(panel->IsShown());
    EXPECT_TRUE(ReadBytes(Path(EditorSettings::kFileName)).find("Side_Panel:0") != std::string::npos);
}

// F12 on an #include line opens the file after the save question, F12 on a name declared there
// opens it at its line; Alt+Left and Alt+Right go back and forth through every jump.
TEST_F(Structure, F12OpensIncludesAndAltLeftReturns) {
    OpenExample();
    const wxString script = Path("protokoll.tqc"), include = Path("protokoll.inc");
    editor()->GotoLine(24);  // sendbus ;GERAET , antwort
    editor()->GotoPos(editor()->FindText(editor()->GetCurrentPos(), editor()->GetLength(), ";GERAET") + 2);
    Command(MainFrame::ID_GO_TO_DEFINITION);
    EXPECT_EQ(U(data.sourcePath) + ":" + std::to_string(editor()->GetCurrentLine()), U(include) + ":2");
    Command(MainFrame::ID_BACK);
    editor()->GotoPos(editor()->PositionFromLine(1) + 3);
    editor()->AddText(" ");  // a changed script: the question comes first
    boxes_.answers = {wxID_NO};
    Command(MainFrame::ID_GO_TO_DEFINITION);
    ASSERT_FALSE(boxes_.texts.empty());
    EXPECT_EQ(boxes_.texts.back(), script + "\n\nSpeichern ?");
    const struct {
        int command;
        wxString path;
        int line;
    } steps[] = {{0, include, 0},
                 {MainFrame::ID_BACK, script, 1},  // the changed text was not kept: read again
                 {MainFrame::ID_BACK, script, 1},  // the jump above began a new way: nothing before
                 {MainFrame::ID_FORWARD, include, 0},
                 {MainFrame::ID_FORWARD, include, 0}};  // nothing further: stays
    for (const auto& step : steps) {
        if (step.command) Command(step.command);
        EXPECT_EQ(U(data.sourcePath) + ":" + std::to_string(editor()->GetCurrentLine()),
                  U(step.path) + ":" + std::to_string(step.line));
    }
}

TEST_F(Structure, OpenOffersScriptsIncludesAndAllFromTheScriptsFolder) {
    WriteBytes(Path("a.tqc"), "on 1\n");
    ASSERT_TRUE(frame_->OpenScript(Path("a.tqc")));
    wxString wildcard, folder;
    boxes_.other = [&](wxDialog* dialog) {
        if (auto* files = dynamic_cast<wxFileDialog*>(dialog))
            wildcard = files->GetWildcard(), folder = files->GetDirectory();
        return static_cast<int>(wxID_CANCEL);
    };
    EXPECT_EQ(structure_->RealAskScriptPath(), "");
    EXPECT_EQ(U(wildcard), "TqC-Skripte (*.tqc)|*.tqc|Include-Dateien (*.inc)|*.inc|Alle Dateien (*.*)|*.*");
    EXPECT_EQ(folder, Dir());
}

}  // namespace
