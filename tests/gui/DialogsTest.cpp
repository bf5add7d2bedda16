// The error window, the settings editor, the help window, the LAN dialog and the embedded
// pictures.
#include "GuiTestSupport.h"

#include "app/Globals.h"
#include "compiler/Compiler.h"
#include "compiler/Data.h"
#include "compiler/ErrorDlg.h"
#include "compiler/Messages.h"
#include "compiler/Report.h"
#include "dialogs/LanDlg.h"
#include "resources/Resources.h"
#include "settings/HelpDlg.h"
#include "settings/SettingsEditorDlg.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/stc/stc.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string U(const wxString& text) { return std::string(text.utf8_str().data()); }

std::string Rgb(const wxColour& c) {
    return std::to_string(c.Red()) + "," + std::to_string(c.Green()) + "," + std::to_string(c.Blue());
}
std::string Rgb(const int (&rgb)[3]) {
    return std::to_string(rgb[0]) + "," + std::to_string(rgb[1]) + "," + std::to_string(rgb[2]);
}

// The colour members of `data` in the settings editor's class order.
std::array<int (*)[3], 6> ColourMembers() {
    return {&data.colorCommands, &data.colorText, &data.colorVariablen, &data.colorPreprozessor,
            &data.colorKommentare, &data.colorRest};
}
std::array<int (*)[3], 6> Backups() {
    return {&gl_iColorCommands, &gl_iColorText, &gl_iColorVariablen, &gl_iColorPreprozessor, &gl_iColorKommentare,
            &gl_iColorRest};
}
constexpr int kStyles[6] = {5, 6, 16, 9, 2, 11};

void SetRgb(int (&rgb)[3], int r, int g, int b) { rgb[0] = r, rgb[1] = g, rgb[2] = b; }

// All six colour members as one string, "r,g,b|r,g,b|...".
std::string Members() {
    std::string out;
    for (auto* member : ColourMembers()) out += (out.empty() ? "" : "|") + Rgb(*member);
    return out;
}
// The editor's foregrounds of the six classes' styles, in the same form.
std::string EditorColours() {
    std::string out;
    for (int style : kStyles) out += (out.empty() ? "" : "|") + Rgb(glStyledTextCtrl->StyleGetForeground(style));
    return out;
}

// Reaches the widgets of the layout bases.
class ErrorDlgProbe : public ErrorDlg {
public:
    using ErrorDlg::ErrorDlg;
    using ErrorDlg::m_errorText;
};

class SettingsProbe : public SettingsEditorDlg {
public:
    using SettingsEditorDlg::SettingsEditorDlg;
    using SettingsEditorDlg::m_btnCancel;
    using SettingsEditorDlg::m_btnColorStandard;
    using SettingsEditorDlg::m_btnFilterStandard;
    using SettingsEditorDlg::m_btnOK;
    using SettingsEditorDlg::m_checkFilter;
    using SettingsEditorDlg::m_colorCommands;
    using SettingsEditorDlg::m_colorKommentare;
    using SettingsEditorDlg::m_colorPreprozessor;
    using SettingsEditorDlg::m_colorRest;
    using SettingsEditorDlg::m_colorText;
    using SettingsEditorDlg::m_colorVariablen;
    using SettingsEditorDlg::m_textFilter;

    std::array<wxColourPickerCtrl*, 6> Pickers() const {
        return {m_colorCommands, m_colorText, m_colorVariablen, m_colorPreprozessor, m_colorKommentare, m_colorRest};
    }
    std::string PickerColours() const {
        std::string out;
        for (wxColourPickerCtrl* p : Pickers()) out += (out.empty() ? "" : "|") + Rgb(p->GetColour());
        return out;
    }
};

// A click as the button itself reports it.
void Click(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

// A colour chosen in a picker, reported as the picker reports it.
void Pick(wxColourPickerCtrl* picker, const wxColour& colour) {
    picker->SetColour(colour);
    wxColourPickerEvent event(picker, picker->GetId(), colour);
    picker->ProcessWindowEvent(event);
}

const char* const kStandardFilter =
    ";Led_01 ;Led_02 ;Led_03 ;Led_04 ;Led_05 ;Led_06 ;Led_07 ;Led_08 ;Led_09 ;Led_10 ;Led_11 ;Led_12 ;Led_13 "
    ";Led_14 ;Led_15 ;Led_16 ;Led_17 ;Led_18 ;Taste_01 ;Taste_02 ;Taste_03 ;Taste_04 ;Taste_05 ;Taste_06 "
    ";Taste_07 ;Taste_08 ;Taste_09 ;Taste_10 ;Taste_11 ;Taste_12 ;Taste_13 ;Taste_14 ;Taste_15 ;Taste_16 "
    ";Taste_17 ;Taste_18 ";

const char* const kStandardColours = "0,0,180|230,0,0|0,128,255|0,160,0|130,130,130|0,0,0";

// A frame with a script editor of 2000 numbered lines, standing in for the main window.
class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = new wxFrame(nullptr, wxID_ANY, "Dialogs");
        editor_ = new wxStyledTextCtrl(frame_, wxID_ANY);
        wxString text;
        for (int i = 1; i <= 2000; ++i) text += wxString::Format("zeile %d\n", i);
        editor_->SetText(text);
        frame_->Show();
        glStyledTextCtrl = editor_;

        savedFilter_ = data.autoCompFilter;
        savedFilterOn_ = data.autoCompFilterOn;
        for (int i = 0; i < 6; ++i)
            for (int k = 0; k < 3; ++k) savedColours_[i][k] = (*ColourMembers()[i])[k];
        data.lineCount = 0;
        data.errorText.ClearAll();
    }

    void TearDown() override {
        if (glErrorDlg) glErrorDlg->Destroy();
        if (glHelpDlg) glHelpDlg->Destroy();
        glErrorDlg = nullptr;
        glHelpDlg = nullptr;
        glStyledTextCtrl = nullptr;
        frame_->Destroy();
        guitest::Yield();

        data.autoCompFilter = savedFilter_;
        data.autoCompFilterOn = savedFilterOn_;
        for (int i = 0; i < 6; ++i)
            for (int k = 0; k < 3; ++k) (*ColourMembers()[i])[k] = savedColours_[i][k];
        data.lineCount = 0;
        data.errorText.ClearAll();
    }

    void CompileScript(const std::vector<const char*>& lines) {
        wxArrayString editorLines;
        for (const char* line : lines) editorLines.Add(line);
        compiler_.CompileLines(editorLines);
    }

    // Distinct colours in every member, so that a mix-up between classes shows.
    static void DistinctColours() {
        int i = 0;
        for (auto* member : ColourMembers()) {
            SetRgb(*member, 10 + i, 20 + i, 30 + i);
            ++i;
        }
    }

    wxFrame* frame_ = nullptr;
    wxStyledTextCtrl* editor_ = nullptr;
    Compiler compiler_;
    wxString savedFilter_;
    int savedFilterOn_ = 0;
    int savedColours_[6][3] = {};
};

// Runs `dlg` modally for real (the hook lets it through), does `act` once the modal loop runs,
// and gives up after five seconds so that a dialog that does not end cannot hang the run.
int RunModal(wxDialog& dlg, std::function<void()> act) {
    guitest::ModalAnswer passThrough([](wxDialog*) { return wxID_NONE; });
    wxTheApp->CallAfter(act);
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&dlg](wxTimerEvent&) {
        if (dlg.IsModal()) dlg.EndModal(wxID_ABORT);
    });
    guard.StartOnce(5000);
    return dlg.ShowModal();
}

// ---------------------------------------------------------------------------------------------
// Error window

TEST_F(Dialogs, ErrorRowsFormat) {
    struct Case {
        int line;
        std::vector<ErrorRow> rows;
        std::string text;
    };
    const Case cases[] = {
        {__LINE__, {}, ""},
        {__LINE__, {{3, "Parameter fehlt"}}, "00003:  Parameter fehlt "},
        {__LINE__,
         {{7, "a"}, {31001, "b"}, {report::kBalanceLine, "Anzahl if > endif"}},
         "00007:  a \n31001:  b \n99999:  Anzahl if > endif "},
        {__LINE__, {{report::kBalanceLine, "x"}, {report::kBalanceLine, "y"}}, "99999:  x \n99999:  y "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(U(ErrorDlg::FormatRows(c.rows)), c.text);
    }
}

TEST_F(Dialogs, ErrorWindowListsACompilesErrors) {
    CompileScript({"defvar x = 0", "on 1", "on", "on 2", "on 3", "on 4", "if x = 1", "on 5", "on 6", "on 7", "on 8",
                   "setvar", "on 9"});
    auto* dlg = new ErrorDlgProbe(frame_);
    glErrorDlg = dlg;

    EXPECT_EQ(U(dlg->Text()), "00003:  " + U(msg::ParamMissing) + " \n00012:  " + U(msg::LineError) +
                                  " \n99999:  " + U(msg::BalanceIf) + " ");
    EXPECT_EQ(dlg->RowCount(), 3);
    EXPECT_EQ(dlg->LineOfRow(0), 3);
    EXPECT_EQ(dlg->LineOfRow(1), 12);
    EXPECT_EQ(dlg->LineOfRow(2), report::kBalanceLine);
    EXPECT_EQ(dlg->LineOfRow(3), -1);
    EXPECT_EQ(dlg->LineOfRow(-1), -1);

    EXPECT_EQ(U(dlg->GetTitle()), "Fehler im Programm");
    EXPECT_EQ(dlg->GetSize(), wxSize(456, 280));
    EXPECT_TRUE(dlg->HasFlag(wxSTAY_ON_TOP));
    EXPECT_TRUE(dlg->HasFlag(wxRESIZE_BORDER));
    EXPECT_TRUE(dlg->HasFlag(wxCLOSE_BOX));
    wxStyledTextCtrl* list = dlg->m_errorText;
    EXPECT_TRUE(list->GetReadOnly());
    for (int style : {wxSTC_STYLE_DEFAULT, 0}) {
        SCOPED_TRACE(style);
        EXPECT_EQ(Rgb(list->StyleGetBackground(style)), "230,120,120");
        EXPECT_EQ(Rgb(list->StyleGetForeground(style)), "0,0,0");
        EXPECT_EQ(U(list->StyleGetFaceName(style)), "Arial");
    }
    // Read-only: typing changes nothing.
    list->AddText("x");
    EXPECT_EQ(dlg->RowCount(), 3);
    EXPECT_EQ(list->GetLineCount(), 3);
}

TEST_F(Dialogs, DoubleClickOnARowMovesTheEditorToItsLine) {
    CompileScript({"defvar x = 0", "on 1", "on", "on 2", "on 3", "on 4", "if x = 1", "on 5", "on 6", "on 7", "on 8",
                   "setvar", "on 9"});
    auto* dlg = new ErrorDlgProbe(frame_);
    glErrorDlg = dlg;
    dlg->Show();
    guitest::Yield();

    // Caret on the second row, then the double-click as the text control reports it.
    dlg->m_errorText->GotoLine(1);
    wxMouseEvent dclick(wxEVT_LEFT_DCLICK);
    dclick.SetEventObject(dlg->m_errorText);
    dlg->m_errorText->ProcessWindowEvent(dclick);
    EXPECT_EQ(editor_->GetCurrentLine(), 11);  // editor line 12
    guitest::Yield();
    EXPECT_EQ(wxWindow::FindFocus(), editor_);

    dlg->JumpToRow(0);
    EXPECT_EQ(editor_->GetCurrentLine(), 2);

    // The balance row has no line: nothing moves.
    editor_->GotoLine(5);
    dlg->m_errorText->GotoLine(2);
    dlg->m_errorText->ProcessWindowEvent(dclick);
    EXPECT_EQ(editor_->GetCurrentLine(), 5);
    dlg->JumpToRow(2);
    EXPECT_EQ(editor_->GetCurrentLine(), 5);
    dlg->JumpToRow(3);  // past the list
    EXPECT_EQ(editor_->GetCurrentLine(), 5);
}

TEST_F(Dialogs, RowTableIsAsLongAsTheList) {
    // More line errors than the 1000 the old fixed table held.
    data.lineCount = 1500;
    for (int i = 0; i < 1500; ++i) {
        data.lineOrigin[i] = i + 1;
        data.errorText[i] = wxString::Format("fehler %d", i + 1);
    }
    data.errorText[kBalanceSlotFirst + 4] = "Anzahl count > endcount";
    auto* dlg = new ErrorDlgProbe(frame_);
    glErrorDlg = dlg;
    EXPECT_EQ(dlg->RowCount(), 1501);
    EXPECT_EQ(dlg->m_errorText->GetLineCount(), 1501);
    EXPECT_EQ(U(dlg->m_errorText->GetLine(1299)), "01300:  fehler 1300 \n");
    EXPECT_EQ(U(dlg->m_errorText->GetLine(1500)), "99999:  Anzahl count > endcount ");
    EXPECT_EQ(dlg->LineOfRow(1299), 1300);
    dlg->JumpToRow(1299);
    EXPECT_EQ(editor_->GetCurrentLine(), 1299);
    dlg->JumpToRow(1500);
    EXPECT_EQ(editor_->GetCurrentLine(), 1299);
}

TEST_F(Dialogs, ErrorWindowWithoutEditorDoesNotMove) {
    data.lineCount = 1;
    data.lineOrigin[0] = 1;
    data.errorText[0] = "x";
    auto* dlg = new ErrorDlg(frame_);
    glErrorDlg = dlg;
    glStyledTextCtrl = nullptr;
    editor_->GotoLine(7);
    dlg->JumpToRow(0);
    EXPECT_EQ(editor_->GetCurrentLine(), 7);
}

TEST_F(Dialogs, ClosingTheErrorWindowDestroysItAndClearsThePointer) {
    data.lineCount = 1;
    data.lineOrigin[0] = 4;
    data.errorText[0] = "x";
    auto* dlg = new ErrorDlg(frame_);
    glErrorDlg = dlg;
    dlg->Show();
    wxWeakRef<ErrorDlg> alive(dlg);
    dlg->Close();
    EXPECT_EQ(glErrorDlg, nullptr);
    guitest::Yield();
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(alive);
}

// ---------------------------------------------------------------------------------------------
// Settings editor

TEST_F(Dialogs, SettingsEditorStartsFromTheSettings) {
    DistinctColours();
    SetRgb(data.colorCommands, 300, 256 + 7, 255);  // only the low 8 bits count
    data.autoCompFilter = ";Led_01 ;Taste_02 ";
    data.autoCompFilterOn = 5;
    SettingsProbe dlg(frame_);
    EXPECT_EQ(Rgb(gl_iColorCommands), "300,263,255");
    for (int i = 1; i < 6; ++i) EXPECT_EQ(Rgb(*Backups()[i]), Rgb(*ColourMembers()[i])) << i;
    EXPECT_EQ(dlg.PickerColours(), "44,7,255|11,21,31|12,22,32|13,23,33|14,24,34|15,25,35");
    EXPECT_EQ(U(dlg.m_textFilter->GetValue()), ";Led_01 ;Taste_02 ");
    EXPECT_TRUE(dlg.m_checkFilter->GetValue());
    EXPECT_EQ(U(dlg.GetTitle()), "Settings Editor");
    EXPECT_EQ(dlg.GetSize(), wxSize(1041, 240));
    EXPECT_TRUE(dlg.HasFlag(wxRESIZE_BORDER));

    data.autoCompFilterOn = 0;
    SettingsProbe second(frame_);
    EXPECT_FALSE(second.m_checkFilter->GetValue());
}

TEST_F(Dialogs, SetColorPaintsTheSixStylesForegroundOnly) {
    DistinctColours();
    SetRgb(data.colorRest, 256 + 1, 512 + 2, 3);
    editor_->StyleSetBackground(5, wxColour(1, 2, 3));
    editor_->StyleSetForeground(0, wxColour(9, 9, 9));
    SettingsEditorDlg::SetColor();
    EXPECT_EQ(EditorColours(), "10,20,30|11,21,31|12,22,32|13,23,33|14,24,34|1,2,3");
    EXPECT_EQ(Rgb(editor_->StyleGetBackground(5)), "1,2,3");
    EXPECT_EQ(Rgb(editor_->StyleGetForeground(0)), "9,9,9");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(SettingsEditorDlg::LexerStyle(static_cast<SettingsEditorDlg::SyntaxClass>(i)), kStyles[i]);

    // Without an editor nothing is painted (and nothing breaks).
    glStyledTextCtrl = nullptr;
    SetRgb(data.colorCommands, 200, 100, 50);
    SettingsEditorDlg::SetColor();
    glStyledTextCtrl = editor_;
    EXPECT_EQ(Rgb(editor_->StyleGetForeground(5)), "10,20,30");
}

TEST_F(Dialogs, EachPickerChangesItsOwnClassOnly) {
    const std::vector<std::string> members = {
        "99,98,97|11,21,31|12,22,32|13,23,33|14,24,34|15,25,35",
        "10,20,30|99,98,97|12,22,32|13,23,33|14,24,34|15,25,35",
        "10,20,30|11,21,31|99,98,97|13,23,33|14,24,34|15,25,35",
        "10,20,30|11,21,31|12,22,32|99,98,97|14,24,34|15,25,35",
        "10,20,30|11,21,31|12,22,32|13,23,33|99,98,97|15,25,35",
        "10,20,30|11,21,31|12,22,32|13,23,33|14,24,34|99,98,97",
    };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        DistinctColours();
        SettingsEditorDlg::SetColor();
        SettingsProbe dlg(frame_);
        Pick(dlg.Pickers()[i], wxColour(99, 98, 97));
        EXPECT_EQ(Members(), members[i]);
        EXPECT_EQ(EditorColours(), members[i]);  // at once, while the dialog is open
    }
}

TEST_F(Dialogs, CancelPutsBackTheColoursTheDialogStartedWith) {
    DistinctColours();
    SettingsEditorDlg::SetColor();
    data.autoCompFilter = "alt";
    data.autoCompFilterOn = 1;
    const std::string before = Members();
    SettingsProbe dlg(frame_);
    Pick(dlg.m_colorCommands, wxColour(200, 100, 50));
    EXPECT_EQ(Rgb(data.colorCommands), "200,100,50");
    EXPECT_EQ(Rgb(editor_->StyleGetForeground(5)), "200,100,50");
    Click(dlg.m_btnFilterStandard);
    dlg.m_checkFilter->SetValue(false);

    Click(dlg.m_btnCancel);
    EXPECT_EQ(Members(), before);
    EXPECT_EQ(EditorColours(), before);
    EXPECT_EQ(U(data.autoCompFilter), "alt");
    EXPECT_EQ(data.autoCompFilterOn, 1);
    EXPECT_EQ(dlg.GetReturnCode(), wxID_CANCEL);
}

TEST_F(Dialogs, StandardColoursThenCloseBoxRestores) {
    DistinctColours();
    SettingsEditorDlg::SetColor();
    const std::string before = Members();
    SettingsProbe dlg(frame_);
    Click(dlg.m_btnColorStandard);
    EXPECT_EQ(Members(), kStandardColours);
    EXPECT_EQ(EditorColours(), kStandardColours);
    EXPECT_EQ(dlg.PickerColours(), kStandardColours);

    dlg.Close();  // the close box
    EXPECT_EQ(Members(), before);
    EXPECT_EQ(EditorColours(), before);
    EXPECT_EQ(dlg.GetReturnCode(), wxID_CANCEL);
}

TEST_F(Dialogs, StandardFilterFillsOnlyTheField) {
    data.autoCompFilter = "eigener";
    SettingsProbe dlg(frame_);
    Click(dlg.m_btnFilterStandard);
    EXPECT_EQ(U(dlg.m_textFilter->GetValue()), kStandardFilter);
    EXPECT_EQ(dlg.m_textFilter->GetValue().length(), 324u);
    EXPECT_EQ(U(SettingsEditorDlg::StandardFilter()), kStandardFilter);
    EXPECT_EQ(U(data.autoCompFilter), "eigener");
    Click(dlg.m_btnCancel);
    EXPECT_EQ(U(data.autoCompFilter), "eigener");
}

TEST_F(Dialogs, OkStoresFilterAndCheckBoxAndKeepsColours) {
    struct Case {
        int line;
        bool ticked;
        int stored;
    };
    for (const Case& c : {Case{__LINE__, false, 0}, Case{__LINE__, true, 1}}) {
        SCOPED_TRACE(c.line);
        DistinctColours();
        data.autoCompFilter = "alt";
        data.autoCompFilterOn = c.ticked ? 0 : 1;
        SettingsProbe dlg(frame_);
        Pick(dlg.m_colorKommentare, wxColour(1, 2, 3));
        dlg.m_textFilter->ChangeValue(";Led_01 neu");
        dlg.m_checkFilter->SetValue(c.ticked);
        Click(dlg.m_btnOK);
        EXPECT_EQ(U(data.autoCompFilter), ";Led_01 neu");
        EXPECT_EQ(data.autoCompFilterOn, c.stored);
        EXPECT_EQ(Rgb(data.colorKommentare), "1,2,3");
        EXPECT_EQ(Rgb(editor_->StyleGetForeground(2)), "1,2,3");
        EXPECT_EQ(dlg.GetReturnCode(), wxID_OK);
    }
}

TEST_F(Dialogs, SecondOpeningBacksUpWhatTheFirstKept) {
    DistinctColours();
    {
        SettingsProbe first(frame_);
        Pick(first.m_colorText, wxColour(77, 66, 55));
        Click(first.m_btnOK);
    }
    SettingsProbe second(frame_);
    EXPECT_EQ(Rgb(gl_iColorText), "77,66,55");
    Pick(second.m_colorText, wxColour(1, 1, 1));
    second.Close();
    EXPECT_EQ(Rgb(data.colorText), "77,66,55");
    EXPECT_EQ(Rgb(editor_->StyleGetForeground(6)), "77,66,55");
}

TEST_F(Dialogs, SettingsEditorEndsItsModalLoop) {
    DistinctColours();
    {
        SettingsProbe dlg(frame_);
        const int code = RunModal(dlg, [&dlg] {
            Pick(dlg.m_colorRest, wxColour(5, 6, 7));
            dlg.m_textFilter->ChangeValue("modal");
            Click(dlg.m_btnOK);
        });
        EXPECT_EQ(code, wxID_OK);
        EXPECT_EQ(U(data.autoCompFilter), "modal");
        EXPECT_EQ(Rgb(data.colorRest), "5,6,7");
    }
    {
        SettingsProbe dlg(frame_);
        const int code = RunModal(dlg, [&dlg] {
            Click(dlg.m_btnColorStandard);
            dlg.Close();
        });
        EXPECT_EQ(code, wxID_CANCEL);
        EXPECT_EQ(Rgb(data.colorRest), "5,6,7");
        EXPECT_EQ(Rgb(data.colorCommands), "10,20,30");
    }
    {
        SettingsProbe dlg(frame_);
        const int code = RunModal(dlg, [&dlg] {
            Pick(dlg.m_colorCommands, wxColour(1, 1, 1));
            Click(dlg.m_btnCancel);
        });
        EXPECT_EQ(code, wxID_CANCEL);
        EXPECT_EQ(Rgb(data.colorCommands), "10,20,30");
    }
}

// ---------------------------------------------------------------------------------------------
// Help window

TEST_F(Dialogs, HelpWindowShowsTheKeyBindings) {
    const char* const expected =
        "Tastenbelegung:\n"
        "\n"
        "Strg + Leer:            Autovervollst\xC3\xA4ndigen neu aufrufen\n"
        "Strg + Cursor Up/Down:  Aktuelle oder markierte Zeilen verschieben\n"
        "Strg + 0:               Fensterg\xC3\xB6\xC3\x9F" "e und Position zur\xC3\xBC" "cksetzen";
    EXPECT_EQ(U(HelpDlg::HelpText()), expected);

    auto* dlg = new HelpDlg(frame_);
    glHelpDlg = dlg;
    dlg->Show();
    EXPECT_EQ(U(dlg->Text()), expected);
    EXPECT_FALSE(dlg->IsEditable());
    EXPECT_EQ(U(dlg->GetTitle()), "Hilfe");
    EXPECT_EQ(dlg->GetSize(), wxSize(542, 150));
    EXPECT_FALSE(dlg->HasFlag(wxRESIZE_BORDER));
    EXPECT_TRUE(dlg->HasFlag(wxCLOSE_BOX));

    wxTextCtrl* box = nullptr;
    for (wxWindow* child : dlg->GetChildren())
        if (auto* text = wxDynamicCast(child, wxTextCtrl)) box = text;
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->IsMultiLine());
    const wxFont font = box->GetFont();
    EXPECT_EQ(font.GetPointSize(), 9);
    EXPECT_EQ(font.GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(font.GetStyle(), wxFONTSTYLE_NORMAL);
    EXPECT_EQ(U(font.GetFaceName()), "Courier New");
}

TEST_F(Dialogs, ClosingTheHelpWindowClearsItsPointer) {
    auto* dlg = new HelpDlg(frame_);
    glHelpDlg = dlg;
    dlg->Show();
    wxWeakRef<HelpDlg> alive(dlg);
    dlg->Close();
    EXPECT_EQ(glHelpDlg, nullptr);
    guitest::Yield();
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(alive);

    // A window that goes with its parent does not leave the pointer behind either.
    auto* parent = new wxFrame(nullptr, wxID_ANY, "Parent");
    glHelpDlg = new HelpDlg(parent);
    parent->DestroyChildren();
    EXPECT_EQ(glHelpDlg, nullptr);
    parent->Destroy();
}

// ---------------------------------------------------------------------------------------------
// LAN dialog

TEST_F(Dialogs, LanDialogIsAnEmptyModalDialog) {
    guitest::ModalAnswer answer([](wxDialog*) { return wxID_CANCEL; });
    {
        LanDlg dlg(frame_);
        EXPECT_EQ(dlg.ShowModal(), wxID_CANCEL);
        EXPECT_TRUE(dlg.GetChildren().empty());
        EXPECT_TRUE(dlg.HasFlag(wxCLOSE_BOX));
    }
    ASSERT_EQ(answer.titles.size(), 1u);
    EXPECT_EQ(U(answer.titles[0]), "LAN Konfig");
}

TEST_F(Dialogs, LanDialogCloseBoxEndsItsModalLoop) {
    data.autoCompFilter = "unberuehrt";
    frame_->SetSize(500, 300, 600, 400);
    LanDlg dlg(frame_);
    const int code = RunModal(dlg, [&dlg] { dlg.Close(); });
    EXPECT_EQ(code, wxID_CANCEL);
    EXPECT_EQ(U(data.autoCompFilter), "unberuehrt");
    // Centred over its parent.
    const wxRect parent = frame_->GetRect();
    const wxRect rect = dlg.GetRect();
    EXPECT_NEAR(rect.x + rect.width / 2, parent.x + parent.width / 2, 2);
    EXPECT_NEAR(rect.y + rect.height / 2, parent.y + parent.height / 2, 2);
}

// ---------------------------------------------------------------------------------------------
// Embedded pictures

uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

TEST_F(Dialogs, ToolPicturesAre24x24PaletteBitmaps) {
    std::vector<wxBitmap> seen;
    for (ToolPicture which : {ToolPicture::Compile, ToolPicture::Program, ToolPicture::Terminal}) {
        SCOPED_TRACE(static_cast<int>(which));
        const EmbeddedPicture bytes = ToolPictureData(which);
        ASSERT_EQ(bytes.size, 1654u);
        EXPECT_EQ(std::memcmp(bytes.bytes, "BM", 2), 0);
        EXPECT_EQ(Le32(bytes.bytes + 2), 1654u);     // file size
        EXPECT_EQ(Le32(bytes.bytes + 18), 24u);      // width
        EXPECT_EQ(Le32(bytes.bytes + 22), 24u);      // height
        EXPECT_EQ(bytes.bytes[28], 8);               // bits per pixel
        EXPECT_EQ(Le32(bytes.bytes + 30), 0u);       // uncompressed

        const wxBitmap bitmap = ToolBitmap(which);
        ASSERT_TRUE(bitmap.IsOk());
        EXPECT_EQ(bitmap.GetSize(), wxSize(24, 24));
        EXPECT_TRUE(bitmap.GetMask() != nullptr);
        // Decoded once: the same bitmap every time.
        EXPECT_TRUE(ToolBitmap(which).IsSameAs(bitmap));

        // Some pixels transparent, enough of them drawn.
        const wxImage image = bitmap.ConvertToImage();
        int drawn = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) drawn += !image.IsTransparent(x, y);
        EXPECT_GT(drawn, 150);
        EXPECT_LT(drawn, 24 * 24);
        for (const wxBitmap& other : seen) EXPECT_FALSE(other.IsSameAs(bitmap));
        seen.push_back(bitmap);
    }
    EXPECT_NE(std::memcmp(ToolPictureData(ToolPicture::Compile).bytes, ToolPictureData(ToolPicture::Program).bytes,
                          1654),
              0);
    EXPECT_NE(std::memcmp(ToolPictureData(ToolPicture::Program).bytes, ToolPictureData(ToolPicture::Terminal).bytes,
                          1654),
              0);
}

TEST_F(Dialogs, AppIconIsDecoded) {
    const EmbeddedPicture bytes = AppIconData();
    EXPECT_EQ(std::memcmp(bytes.bytes, "BM", 2), 0);
    EXPECT_EQ(Le32(bytes.bytes + 2), bytes.size);
    const wxIcon icon = AppIcon();
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(icon.GetWidth(), 48);
    EXPECT_EQ(icon.GetHeight(), 48);
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    const wxImage image = bitmap.ConvertToImage();
    EXPECT_TRUE(image.IsTransparent(0, 0) || (image.HasAlpha() && image.GetAlpha(0, 0) == 0));
}

}  // namespace
