// File > Drucken and the print preview: the script as the editor shows it, in colour on white,
// with its line numbers, and a header with the file name and the page on every page.
#include "app/MainFrame.h"

#include <wx/filename.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#include <vector>

namespace {

// The paper and its margins (mm), shared by printing and preview for the whole run.
wxPageSetupDialogData& PageSetup() {
    static wxPageSetupDialogData setup = [] {
        wxPageSetupDialogData data;
        data.SetMarginTopLeft(wxPoint(15, 15));
        data.SetMarginBottomRight(wxPoint(15, 15));
        return data;
    }();
    return setup;
}

class ScriptPrintout : public wxPrintout {
public:
    ScriptPrintout(wxStyledTextCtrl* editor, const wxString& name) : wxPrintout(name), editor_(editor), name_(name) {}

    void OnPreparePrinting() override {
        // Where each page starts, found by laying the text out without drawing it.
        starts_.clear();
        wxDC* dc = GetDC();
        if (!dc) return;
        const int length = editor_->GetLength();
        for (int start = 0; starts_.empty() || start < length;) {
            starts_.push_back(start);
            const int next = editor_->FormatRange(false, start, length, dc, dc, TextArea(*dc), Page(*dc));
            if (next <= start) break;  // nothing more fits: never loop for ever
            start = next;
        }
    }
    bool HasPage(int page) override { return page >= 1 && page <= static_cast<int>(starts_.size()); }
    void GetPageInfo(int* minPage, int* maxPage, int* from, int* to) override {
        *minPage = *from = 1;
        *maxPage = *to = static_cast<int>(starts_.size());
    }
    bool OnPrintPage(int page) override {
        wxDC* dc = GetDC();
        if (!dc || !HasPage(page)) return false;
        const wxRect text = TextArea(*dc), all = Area();
        dc->SetFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
        dc->SetTextForeground(*wxBLACK);
        const wxString number = wxString::Format("Seite %d von %d", page, static_cast<int>(starts_.size()));
        dc->DrawText(name_, all.x, all.y);
        dc->DrawText(number, all.GetRight() - dc->GetTextExtent(number).x, all.y);
        dc->SetPen(*wxBLACK_PEN);
        dc->DrawLine(all.x, text.y - HeaderGap(), all.GetRight(), text.y - HeaderGap());
        editor_->FormatRange(true, starts_[page - 1], editor_->GetLength(), dc, dc, text, Page(*dc));
        return true;
    }

private:
    // Screen pixels stand for the paper, so that the text prints at the size it has on screen.
    wxRect Area() {
        MapScreenSizeToPaper();
        return GetLogicalPageMarginsRect(PageSetup());
    }
    wxRect Page(wxDC&) { return GetLogicalPageRect(); }
    int HeaderGap() const { return 6; }
    wxRect TextArea(wxDC& dc) {
        wxRect area = Area();
        dc.SetFont(wxFontInfo(9).Family(wxFONTFAMILY_SWISS));
        const int header = dc.GetCharHeight() + 2 * HeaderGap();
        area.y += header;
        area.height -= header;
        return area;
    }

    wxStyledTextCtrl* editor_;
    wxString name_;
    std::vector<int> starts_;
};

wxString PrintName(const wxString& path) { return path.empty() ? wxString("Unbenannt") : path; }

// Paper is white: the standard scheme prints in its colours, the dark one's light colours in black.
void SetUpPrinting(wxStyledTextCtrl* editor) {
    editor->SetPrintColourMode(EditorSettings::LooksPrefs().dark ? wxSTC_PRINT_BLACKONWHITE
                                                                 : wxSTC_PRINT_COLOURONWHITE);
    editor->SetPrintMagnification(0);
    editor->SetPrintWrapMode(wxSTC_WRAP_WORD);  // a long line goes on below, not off the paper
}

}  // namespace

void MainFrame::OnPrintClick(wxCommandEvent&) {
    ClosePopups();
    SetUpPrinting(editor_);
    wxPrintDialogData print(PageSetup().GetPrintData());
    wxPrinter printer(&print);
    ScriptPrintout printout(editor_, PrintName(data.sourcePath));
    if (!printer.Print(this, &printout, true) && wxPrinter::GetLastError() == wxPRINTER_ERROR)
        Ask(wxString::FromUTF8("Das Drucken ist fehlgeschlagen."), "Drucken", wxOK | wxICON_ERROR);
    else
        PageSetup().SetPrintData(printer.GetPrintDialogData().GetPrintData());
}

void MainFrame::OnPrintPreviewClick(wxCommandEvent&) {
    ClosePopups();
    SetUpPrinting(editor_);
    wxPrintDialogData print(PageSetup().GetPrintData());
    const wxString name = PrintName(data.sourcePath);
    auto* preview = new wxPrintPreview(new ScriptPrintout(editor_, name), new ScriptPrintout(editor_, name), &print);
    if (!preview->IsOk()) {
        delete preview;
        Ask(wxString::FromUTF8("Die Druckvorschau ist nicht möglich: kein Drucker eingerichtet."), "Druckvorschau",
            wxOK | wxICON_ERROR);
        return;
    }
    auto* frame =
        new wxPreviewFrame(preview, this, "Druckvorschau - " + name, wxDefaultPosition, FromDIP(wxSize(800, 900)));
    frame->Initialize();
    frame->Show();
}
