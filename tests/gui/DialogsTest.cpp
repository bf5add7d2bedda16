// The error window, the settings editor and the embedded pictures.
#include "GuiTestSupport.h"

#include "app/Globals.h"
#include "compiler/Compiler.h"
#include "compiler/Data.h"
#include "compiler/ErrorDlg.h"
#include "compiler/Messages.h"
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
#include <typeinfo>
#include <vector>

namespace {

using guitest::Click;
using guitest::U;

std::string Rgb(const wxColour& c) {
    return std::to_string(c.Red()) + "," + std::to_string(c.Green()) + "," + std::to_string(c.Blue());
}
std::string Rgb(const int (&rgb)[3]) {
    return std::to_string(rgb[0]) + "," + std::to_string(rgb[1]) + "," + std::to_string(rgb[2]);
}
void SetRgb(int (&rgb)[3], int r, int g, int b) { rgb[0] = r, rgb[1] = g, rgb[2] = b; }

// The colour members of `data`, their backups and the editor styles, in the settings editor's class order.
std::array<int (*)[3], 6> ColourMembers() {
    return {&data.colorCommands, &data.colorText, &data.colorVariablen, &data.colorPreprozessor,
            &data.colorKommentare, &data.colorRest};
}
std::array<int (*)[3], 6> Backups() {
    return {&gl_iColorCommands, &gl_iColorText, &gl_iColorVariablen, &gl_iColorPreprozessor, &gl_iColorKommentare,
            &gl_iColorRest};
}
constexpr int kStyles[6] = {5, 6, 16, 9, 2, 11};

// Six colours as one string, "r,g,b|r,g,b|...", the i-th given by `rgbOf(i)`.
template <typename RgbOf>
std::string Join(RgbOf rgbOf) {
    std::string out;
    for (int i = 0; i < 6; ++i) out += (i ? "|" : "") + rgbOf(i);
    return out;
}
std::string Members() {
    return Join([](int i) { return Rgb(*ColourMembers()[i]); });
}
std::string EditorColours() {
    return Join([](int i) { return Rgb(glStyledTextCtrl->StyleGetForeground(kStyles[i])); });
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
    using SettingsEditorDlg::m_textFilter;

    std::array<wxColourPickerCtrl*, 6> Pickers() const {
        return {m_colorCommands, m_colorText, m_colorVariablen, m_colorPreprozessor, m_colorKommentare, m_colorRest};
    }
    std::string PickerColours() const {
        return Join([this](int i) { return Rgb(Pickers()[i]->GetColour()); });
    }
};

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
const char* const kDistinct = "10,20,30|11,21,31|12,22,32|13,23,33|14,24,34|15,25,35";

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
        for (int i = 0; i < 6; ++i) std::memcpy(savedColours_[i], *ColourMembers()[i], sizeof savedColours_[i]);
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
        for (int i = 0; i < 6; ++i) std::memcpy(*ColourMembers()[i], savedColours_[i], sizeof savedColours_[i]);
        data.lineCount = 0;
        data.errorText.ClearAll();
    }

    // Distinct colours in every member (kDistinct), so that a mix-up between classes shows.
    static void DistinctColours() {
        for (int i = 0; i < 6; ++i) SetRgb(*ColourMembers()[i], 10 + i, 20 + i, 30 + i);
    }

    wxFrame* frame_ = nullptr;
    wxStyledTextCtrl* editor_ = nullptr;
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

// Error window

TEST_F(Dialogs, ErrorWindowListsACompilesErrorsAndLeadsToTheirLines) {
    wxArrayString script;
    for (const char* line : {"defvar x = 0", "on 1", "on", "on 2", "on 3", "on 4", "if x = 1", "on 5", "on 6", "on 7",
                             "on 8", "setvar", "on 9"})
        script.Add(line);
    Compiler().CompileLines(script);
    auto* dlg = new ErrorDlgProbe(frame_);
    glErrorDlg = dlg;
    dlg->Show();
    guitest::Yield();

    const wxString listed = dlg->Text();
    EXPECT_EQ(U(listed), "00003:  " + U(msg::ParamMissing) + " \n00012:  " + U(msg::LineError) + " \n99999:  " +
                             U(msg::BalanceIf) + " ");
    dlg->m_errorText->AddText("x");  // read-only: typing changes nothing
    EXPECT_EQ(dlg->Text(), listed);

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

    // The balance row and a row past the list have no line: nothing moves.
    editor_->GotoLine(5);
    dlg->m_errorText->GotoLine(2);
    dlg->m_errorText->ProcessWindowEvent(dclick);
    dlg->JumpToRow(3);
    EXPECT_EQ(editor_->GetCurrentLine(), 5);
    glStyledTextCtrl = nullptr;
    dlg->JumpToRow(0);  // without an editor: must not reach for one
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
    EXPECT_EQ(dlg->m_errorText->GetLineCount(), 1501);
    dlg->JumpToRow(1499);
    EXPECT_EQ(editor_->GetCurrentLine(), 1499);
}

// Closing the window, or destroying it with its parent, destroys it and clears its pointer.
template <typename Window>
void ExpectClosingClearsThePointer(Window*& pointer, wxWindow* owner) {
    SCOPED_TRACE(typeid(Window).name());
    pointer = new Window(owner);
    pointer->Show();
    wxWeakRef<Window> alive(pointer);
    pointer->Close();
    EXPECT_EQ(pointer, nullptr);
    guitest::Yield();
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(alive);

    auto* parent = new wxFrame(nullptr, wxID_ANY, "Parent");
    pointer = new Window(parent);
    parent->DestroyChildren();
    EXPECT_EQ(pointer, nullptr);
    parent->Destroy();
}

TEST_F(Dialogs, ClosingTheErrorOrHelpWindowClearsItsPointer) {
    ExpectClosingClearsThePointer(glErrorDlg, frame_);
    ExpectClosingClearsThePointer(glHelpDlg, frame_);
}

// Settings editor

TEST_F(Dialogs, SettingsEditorStartsFromTheSettings) {
    DistinctColours();
    SetRgb(data.colorCommands, 300, 256 + 7, 255);  // only the low 8 bits count
    data.autoCompFilter = ";Led_01 ;Taste_02 ";
    data.autoCompFilterOn = 5;
    SettingsProbe dlg(frame_);
    EXPECT_EQ(Join([](int i) { return Rgb(*Backups()[i]); }), "300,263,255" + std::string(kDistinct).substr(8));
    EXPECT_EQ(dlg.PickerColours(), "44,7,255" + std::string(kDistinct).substr(8));
    EXPECT_EQ(U(dlg.m_textFilter->GetValue()), ";Led_01 ;Taste_02 ");
    EXPECT_TRUE(dlg.m_checkFilter->GetValue());
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

    glStyledTextCtrl = nullptr;
    SettingsEditorDlg::SetColor();  // without an editor: must not reach for one
}

TEST_F(Dialogs, EachPickerChangesItsOwnClassOnlyAndAtOnce) {
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        DistinctColours();
        SettingsEditorDlg::SetColor();
        SettingsProbe dlg(frame_);
        Pick(dlg.Pickers()[i], wxColour(99, 98, 97));
        const std::string expected = std::string(kDistinct).replace(9 * i, 8, "99,98,97");
        EXPECT_EQ(Members(), expected);
        EXPECT_EQ(EditorColours(), expected);  // while the dialog is still open
    }
}

// Run modally as the main window runs it: the standard buttons change the colours at once but the
// filter only in its field; OK keeps both and the check box, Cancel and the close box put back
// what the dialog started with. The next opening backs up what the previous one left.
TEST_F(Dialogs, SettingsEditorEndsWithOkCancelOrCloseBox) {
    const struct {
        int line;
        wxButton* SettingsProbe::*button;  // null: the close box
        bool ticked;
        int code;
    } rows[] = {
        {__LINE__, &SettingsProbe::m_btnOK, false, wxID_OK},
        {__LINE__, &SettingsProbe::m_btnOK, true, wxID_OK},
        {__LINE__, &SettingsProbe::m_btnCancel, false, wxID_CANCEL},
        {__LINE__, nullptr, false, wxID_CANCEL},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        DistinctColours();
        SettingsEditorDlg::SetColor();
        data.autoCompFilter = "alt";
        data.autoCompFilterOn = row.ticked ? 0 : 1;
        const bool ok = row.code == wxID_OK;
        SettingsProbe dlg(frame_);
        EXPECT_EQ(dlg.m_checkFilter->GetValue(), !row.ticked);
        const int code = RunModal(dlg, [&] {
            Pick(dlg.Pickers()[SettingsEditorDlg::Commands], wxColour(200, 100, 50));
            Click(dlg.m_btnColorStandard);
            EXPECT_EQ(Members(), kStandardColours);
            EXPECT_EQ(EditorColours(), kStandardColours);
            EXPECT_EQ(dlg.PickerColours(), kStandardColours);
            Click(dlg.m_btnFilterStandard);
            EXPECT_EQ(U(dlg.m_textFilter->GetValue()), kStandardFilter);
            EXPECT_EQ(U(data.autoCompFilter), "alt");
            dlg.m_checkFilter->SetValue(row.ticked);
            if (row.button)
                Click(dlg.*row.button);
            else
                dlg.Close();
        });
        EXPECT_EQ(code, row.code);
        const char* const left = ok ? kStandardColours : kDistinct;
        EXPECT_EQ(Members(), left);
        EXPECT_EQ(EditorColours(), left);
        EXPECT_EQ(U(data.autoCompFilter), ok ? kStandardFilter : "alt");
        EXPECT_EQ(data.autoCompFilterOn, ok ? row.ticked : 1);
        SettingsProbe second(frame_);
        Pick(second.Pickers()[SettingsEditorDlg::Kommentare], wxColour(7, 7, 7));
        second.Close();
        EXPECT_EQ(Members(), left);
    }
}

// Embedded pictures

TEST_F(Dialogs, EmbeddedPicturesDecode) {
    const wxIcon icon = AppIcon();
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(icon.GetSize(), wxSize(48, 48));
    wxBitmap iconBitmap;
    iconBitmap.CopyFromIcon(icon);
    const wxImage iconImage = iconBitmap.ConvertToImage();
    EXPECT_TRUE(iconImage.IsTransparent(0, 0) || (iconImage.HasAlpha() && iconImage.GetAlpha(0, 0) == 0));

    // The toolbar pictures: 24 x 24, decoded once, and each its own.
    std::vector<wxImage> seen;
    for (ToolPicture which : {ToolPicture::Compile, ToolPicture::Program, ToolPicture::Terminal}) {
        SCOPED_TRACE(static_cast<int>(which));
        const wxBitmap bitmap = ToolBitmap(which);
        ASSERT_TRUE(bitmap.IsOk());
        EXPECT_EQ(bitmap.GetSize(), wxSize(24, 24));
        EXPECT_TRUE(ToolBitmap(which).IsSameAs(bitmap));  // decoded once
        // Masked: some pixels transparent, enough of them drawn.
        const wxImage image = bitmap.ConvertToImage();
        int drawn = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) drawn += !image.IsTransparent(x, y);
        EXPECT_GT(drawn, 150);
        EXPECT_LT(drawn, 24 * 24);
        for (const wxImage& other : seen) EXPECT_NE(std::memcmp(other.GetData(), image.GetData(), 24 * 24 * 3), 0);
        seen.push_back(image);
    }
}

}  // namespace
