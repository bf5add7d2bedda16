// The structure of a script at a glance, from the compile that marks the errors: its blocks
// fold, the partner of the block word under the caret lights up (or its lack shows), the
// current line is highlighted, the status bar says line and column, and the side panel lists
// the script's names.
#include "app/MainFrame.h"
#include "app/SidePanel.h"

#include <algorithm>

namespace {

constexpr int kFoldMargin = 2;

}  // namespace

void MainFrame::SetUpStructure() {
    editor_->SetMarginType(kFoldMargin, wxSTC_MARGIN_SYMBOL);
    editor_->SetMarginMask(kFoldMargin, wxSTC_MASK_FOLDERS);
    editor_->SetMarginWidth(kFoldMargin, FromDIP(14));
    editor_->SetMarginSensitive(kFoldMargin, true);
    const struct {
        int marker, symbol;
    } folders[] = {{wxSTC_MARKNUM_FOLDEROPEN, wxSTC_MARK_BOXMINUS},
                   {wxSTC_MARKNUM_FOLDER, wxSTC_MARK_BOXPLUS},
                   {wxSTC_MARKNUM_FOLDERSUB, wxSTC_MARK_VLINE},
                   {wxSTC_MARKNUM_FOLDERTAIL, wxSTC_MARK_LCORNER},
                   {wxSTC_MARKNUM_FOLDEREND, wxSTC_MARK_BOXPLUSCONNECTED},
                   {wxSTC_MARKNUM_FOLDEROPENMID, wxSTC_MARK_BOXMINUSCONNECTED},
                   {wxSTC_MARKNUM_FOLDERMIDTAIL, wxSTC_MARK_TCORNER}};
    for (const auto& folder : folders)
        editor_->MarkerDefine(folder.marker, folder.symbol, *wxWHITE, wxColour(128, 128, 128));
    // The margin click folds; a block that loses its end is opened in ShowStructure, which
    // costs less than the editor's own check of every level set.
    editor_->SetAutomaticFold(wxSTC_AUTOMATICFOLD_SHOW | wxSTC_AUTOMATICFOLD_CLICK);
    editor_->SetFoldFlags(wxSTC_FOLDFLAG_LINEAFTER_CONTRACTED);

    editor_->SetCaretLineVisible(true);
    editor_->SetCaretLineVisibleAlways(true);
    editor_->SetCaretLineBackground(wxColour(232, 242, 254));
    editor_->IndicatorSetStyle(kPartnerIndicator, wxSTC_INDIC_STRAIGHTBOX);
    editor_->IndicatorSetForeground(kPartnerIndicator, wxColour(0, 120, 215));
    editor_->IndicatorSetAlpha(kPartnerIndicator, 70);
    editor_->IndicatorSetStyle(kLonelyIndicator, wxSTC_INDIC_STRAIGHTBOX);
    editor_->IndicatorSetForeground(kLonelyIndicator, wxColour(230, 0, 0));
    editor_->IndicatorSetAlpha(kLonelyIndicator, 90);

    // Alt+Left and Alt+Right are Back and Forward, whatever the editor's own key map says.
    editor_->CmdKeyClear(wxSTC_KEY_LEFT, wxSTC_KEYMOD_ALT);
    editor_->CmdKeyClear(wxSTC_KEY_RIGHT, wxSTC_KEYMOD_ALT);
    GetStatusBar()->SetFieldsCount(kStatusFields);
    editor_->Bind(wxEVT_STC_UPDATEUI, [this](wxStyledTextEvent& event) {
        // The editor reports while it draws; marks set then on lines outside the part being
        // drawn would not be drawn: they are set once it is done.
        if (!partnerPending_) {
            partnerPending_ = true;
            CallAfter([this] {
                partnerPending_ = false;
                ShowBlockPartner();
            });
        }
        ShowCaretPosition();
        event.Skip();
    });
}

void MainFrame::ShowStructure() {
    const std::vector<Blocks::Fold> folds = BlockStructure().FoldLevels(editor_->GetLineCount());
    for (int line = 0; line < static_cast<int>(folds.size()); ++line) {
        const Blocks::Fold& fold = folds[static_cast<size_t>(line)];
        const int level = (wxSTC_FOLDLEVELBASE + fold.depth) | (fold.header ? wxSTC_FOLDLEVELHEADERFLAG : 0);
        const int was = editor_->GetFoldLevel(line);
        if (was == level) continue;
        if ((was & wxSTC_FOLDLEVELHEADERFLAG) && !fold.header && !editor_->GetFoldExpanded(line))
            editor_->ToggleFold(line);  // no longer a block: its lines show again
        editor_->SetFoldLevel(line, level);
    }
    sidePanel_->SetEntries(outline::Entries(*this));
    blockWordLine_ = -2;  // the pairs may have changed under the caret
    ShowBlockPartner();
}

void MainFrame::ShowBlockPartner() {
    const int caret = editor_->GetCurrentPos(), line = editor_->LineFromPosition(caret);
    const int start = editor_->GetLineIndentPosition(line), end = editor_->WordEndPosition(start, true);
    const Blocks& blocks = BlockStructure();
    // Only the line's first word (the caret in its indentation too), and only while it is still
    // the block word the compile saw.
    bool onWord = caret <= end && end > start && blocks.HasWord(line);
    if (onWord) {
        const wxString word = editor_->GetTextRange(start, end);
        bool known = word == "else";
        for (int kind = 0; kind < Blocks::kKinds; ++kind) {
            const auto k = static_cast<Blocks::Kind>(kind);
            known = known || word == Blocks::OpenWord(k) || word == Blocks::EndWord(k);
        }
        onWord = known;
    }
    const int shown = onWord ? line : -1;
    if (shown == blockWordLine_) return;
    blockWordLine_ = shown;
    for (int indicator : {kPartnerIndicator, kLonelyIndicator}) {
        editor_->SetIndicatorCurrent(indicator);
        editor_->IndicatorClearRange(0, editor_->GetLength());
    }
    if (!onWord) return;
    std::vector<int> partners;
    const bool paired = blocks.Partners(line, &partners);
    editor_->SetIndicatorCurrent(paired ? kPartnerIndicator : kLonelyIndicator);
    partners.push_back(line);
    for (int other : partners) {
        if (other >= editor_->GetLineCount()) continue;
        const int from = editor_->GetLineIndentPosition(other);
        editor_->IndicatorFillRange(from, editor_->WordEndPosition(from, true) - from);
    }
}

void MainFrame::ShowCaretPosition() {
    const int caret = editor_->GetCurrentPos();
    const wxString text =
        wxString::Format("Zeile %d, Spalte %d", editor_->LineFromPosition(caret) + 1, editor_->GetColumn(caret) + 1);
    if (text != statusTexts_[kCaretField]) ShowStatus(kCaretField, text);
}

void MainFrame::OnSidePanelClick(wxCommandEvent& event) {
    sidePanel_->Show(event.IsChecked());
    panel_->Layout();
    editorSettings_.SetSidePanel(event.IsChecked());
    editorSettings_.Store();
}

void MainFrame::GoToEntry(const outline::Entry& entry) {
    if (entry.file.empty())
        JumpTo(data.sourcePath, entry.line);
    else
        JumpTo(data.sourceDir + wxFILE_SEP_PATH + entry.file, entry.line);
}
