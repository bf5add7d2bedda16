// The settings editor on the main window's script editor, and the embedded pictures.
#include "GuiTestSupport.h"

#include "resources/Resources.h"
#include "settings/EditorColours.h"
#include "settings/SettingsEditorDlg.h"

#include <wx/image.h>

#include <cstring>

namespace {

using guitest::Click;

// Six colours as "r,g,b|r,g,b|...", the i-th given by `of(i)`.
std::string Colours(const std::function<wxColour(int)>& of) {
    wxString out;
    for (int i = 0; i < 6; ++i)
        out += wxString::Format("%s%d,%d,%d", i ? "|" : "", of(i).Red(), of(i).Green(), of(i).Blue());
    return guitest::U(out);
}
// The colours in `data`, and on the lexer's styles of commands, strings, variables, directives,
// comments and the rest.
std::string Members() {
    return Colours([](int i) { return ShownColour(syntax::SyntaxClass(i)); });
}
std::string EditorColours() {
    return Colours([](int i) { return glStyledTextCtrl->StyleGetForeground(std::vector{5, 6, 16, 9, 2, 11}[i]); });
}
const std::string kStandard = "0,0,180|230,0,0|0,128,255|0,160,0|130,130,130|0,0,0";
const std::string kDistinct = "10,20,30|11,21,31|12,22,32|13,23,33|14,24,34|15,25,35";

class SettingsProbe : public SettingsEditorDlg {
public:
    using SettingsEditorDlg::m_btnCancel, SettingsEditorDlg::m_btnColorStandard, SettingsEditorDlg::m_btnFilterStandard,
        SettingsEditorDlg::m_btnOK, SettingsEditorDlg::m_checkFilter, SettingsEditorDlg::m_textFilter;
    using SettingsEditorDlg::SettingsEditorDlg;
    wxColourPickerCtrl* Picker(int i) const {
        return std::vector{m_colorCommands,     m_colorText,       m_colorVariablen,
                           m_colorPreprozessor, m_colorKommentare, m_colorRest}[i];
    }
    std::string Pickers() const {
        return Colours([this](int i) { return Picker(i)->GetColour(); });
    }
    // A colour chosen in a picker, reported as the picker reports it.
    void Pick(int i, const wxColour& colour) {
        Picker(i)->SetColour(colour);
        wxColourPickerEvent event(Picker(i), Picker(i)->GetId(), colour);
        Picker(i)->ProcessWindowEvent(event);
    }
};

class SettingsEditor : public guitest::MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        boxes_.other = nullptr;  // the dialog runs for real
    }
    // Distinct colours in every class (kDistinct), so that a mix-up between classes shows.
    static void Reset() {
        for (int i = 0; i < 6; ++i) syntax::Set(data, syntax::SyntaxClass(i), {10 + i, 20 + i, 30 + i});
        SettingsEditorDlg::SetColor();
        data.autoCompFilter = "alt", data.autoCompFilterOn = 1;
    }
};

// A first start shows the standard colours. The pickers show the colours as the editor does (the
// low 8 bits of each part), and each picker changes its own class at once, editor included.
TEST_F(SettingsEditor, OpensFromTheSettingsAndEachPickerChangesItsOwnClass) {
    EXPECT_EQ(Members() + EditorColours(), kStandard + kStandard);
    Reset();
    syntax::Set(data, syntax::Commands, {300, 256 + 7, 30});
    SettingsProbe dlg(frame_);
    EXPECT_EQ(dlg.Pickers(), "44,7,30" + kDistinct.substr(8));
    EXPECT_TRUE(dlg.m_textFilter->GetValue() == "alt" && dlg.m_checkFilter->GetValue());
    for (int i = 0; i < 6; ++i) {
        Reset();
        dlg.Pick(i, wxColour(99, 98, 97));
        const std::string expected = std::string(kDistinct).replace(9 * i, 8, "99,98,97");
        EXPECT_EQ(Members() + " " + EditorColours(), expected + " " + expected) << i;
    }
}

// Run modally as the main window runs it: the standard buttons change the colours at once, the
// filter only in its field; Cancel and the close box put back what the dialog started with.
TEST_F(SettingsEditor, EndsWithOkCancelOrCloseBox) {
    const struct {
        int line;
        wxButton* SettingsProbe::*button;
        bool ticked;
        int code;
    } rows[] = {// no button: the close box
                {__LINE__, &SettingsProbe::m_btnOK, false, wxID_OK},
                {__LINE__, &SettingsProbe::m_btnOK, true, wxID_OK},
                {__LINE__, &SettingsProbe::m_btnCancel, false, wxID_CANCEL},
                {__LINE__, nullptr, false, wxID_CANCEL}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        Reset();
        data.autoCompFilterOn = !row.ticked;
        SettingsProbe dlg(frame_);
        const int code = guitest::RunModal(dlg, [&] {
            dlg.Pick(syntax::Commands, wxColour(200, 100, 50));
            Click(dlg.m_btnColorStandard);
            EXPECT_EQ(Members() + EditorColours() + dlg.Pickers(), kStandard + kStandard + kStandard);
            Click(dlg.m_btnFilterStandard);
            const wxString filter = dlg.m_textFilter->GetValue();  // ";Led_01 " to ";Taste_18 "
            EXPECT_TRUE(filter.StartsWith(";Led_01 ;Led_02 ") && filter.EndsWith(";Taste_17 ;Taste_18 ") &&
                        filter.length() == 18 * 8 + 18 * 10 && data.autoCompFilter == "alt")
                << guitest::U(filter);
            dlg.m_checkFilter->SetValue(row.ticked);
            if (row.button)
                Click(dlg.*row.button);
            else
                dlg.Close();
        });
        const bool ok = row.code == wxID_OK;
        EXPECT_EQ(code, row.code);
        EXPECT_EQ(Members() + EditorColours(), ok ? kStandard + kStandard : kDistinct + kDistinct);
        EXPECT_EQ(data.autoCompFilter, ok ? SettingsEditorDlg::StandardFilter() : wxString("alt"));
        EXPECT_EQ(data.autoCompFilterOn, ok ? row.ticked : 1);
        SettingsProbe second(frame_);
        second.Pick(syntax::Kommentare, wxColour(7, 7, 7));
        second.Close();
        EXPECT_EQ(Members(), ok ? kStandard : kDistinct);
    }
}

// The icon and the toolbar pictures (decoded once, masked, each its own, and drawn for 100 %,
// 150 % and 200 % with about the same share of pixels), and the toolbar's bundle hands out the
// drawn size, not a blurred enlargement.
TEST(Resources, EmbeddedPicturesDecode) {
    wxBitmap icon;
    icon.CopyFromIcon(AppIcon());
    ASSERT_TRUE(icon.IsOk());
    EXPECT_TRUE(icon.GetSize() == wxSize(48, 48) && icon.ConvertToImage().IsTransparent(0, 0));
    std::vector<wxImage> seen;
    for (int index = 0; index < kToolPictureCount; ++index) {
        const auto which = static_cast<ToolPicture>(index);
        for (int size : {24, 36, 48}) {
            SCOPED_TRACE(testing::Message() << index << " at " << size);
            const wxBitmap bitmap = ToolBitmap(which, size);
            ASSERT_TRUE(bitmap.IsOk() && ToolBitmap(which, size).IsSameAs(bitmap));
            EXPECT_EQ(bitmap.GetSize(), wxSize(size, size));
            const wxImage image = bitmap.ConvertToImage();
            int drawn = 0;
            for (int pixel = 0; pixel < size * size; ++pixel) drawn += !image.IsTransparent(pixel % size, pixel / size);
            EXPECT_TRUE(drawn > size * size / 4 && drawn < size * size) << drawn;
            for (const wxImage& other : seen)
                EXPECT_FALSE(other.GetSize() == image.GetSize() &&
                             !std::memcmp(other.GetData(), image.GetData(), size * size * 3));
            seen.push_back(image);
            const wxImage fromBundle = ToolBundle(which).GetBitmap(wxSize(size, size)).ConvertToImage();
            EXPECT_EQ(std::memcmp(fromBundle.GetData(), image.GetData(), size * size * 3), 0);
        }
    }
    EXPECT_FALSE(ToolBitmap(ToolPicture::Compile, 30).IsOk() ||
                 ToolBitmap(static_cast<ToolPicture>(kToolPictureCount)).IsOk());
}

}  // namespace
