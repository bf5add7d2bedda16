// Jumps that leave their way back: to a line, to another file (after the usual save question),
// into an #include, and Back and Forward through them.
#include "app/MainFrame.h"

#include <wx/filename.h>

#include <algorithm>

void JumpHistory::Left(const Place& from) {
    back_.push_back(from);
    if (back_.size() > kMaxPlaces) back_.erase(back_.begin());
    forward_.clear();
}

const JumpHistory::Place* JumpHistory::Next(bool forward) const {
    const std::vector<Place>& way = forward ? forward_ : back_;
    return way.empty() ? nullptr : &way.back();
}

void JumpHistory::Step(bool forward, const Place& here) {
    std::vector<Place>& way = forward ? forward_ : back_;
    std::vector<Place>& other = forward ? back_ : forward_;
    if (way.empty()) return;
    way.pop_back();
    other.push_back(here);
}

JumpHistory::Place MainFrame::Here() const { return {data.sourcePath, editor_->GetCurrentLine()}; }

bool MainFrame::ShowPlace(const JumpHistory::Place& place) {
    // A text never saved cannot be opened again once another file took its place.
    const bool sameFile =
        place.path.empty() ? data.sourcePath.empty() : wxFileName(place.path).SameAs(wxFileName(data.sourcePath));
    if (!sameFile && (place.path.empty() || !MaySetTextAside() || !OpenScript(place.path))) return false;
    const int line = std::max(0, std::min(place.line, editor_->GetLineCount() - 1));
    editor_->EnsureVisibleEnforcePolicy(line);  // a folded block opens to show it
    editor_->GotoLine(line);
    editor_->EnsureCaretVisible();
    return true;
}

bool MainFrame::JumpTo(const wxString& path, int line) {
    const JumpHistory::Place from = Here();
    if (!ShowPlace({path, line})) return false;
    history_.Left(from);
    return true;
}

void MainFrame::OnNavigateClick(wxCommandEvent& event) {
    const bool forward = event.GetId() == ID_FORWARD;
    const JumpHistory::Place* next = history_.Next(forward);
    if (!next) return;
    const JumpHistory::Place to = *next, here = Here();
    if (ShowPlace(to)) history_.Step(forward, here);
}

wxString MainFrame::IncludePath(int line) const {
    for (const IncludeLine& include : IncludeLines())
        if (include.line == line) return data.sourceDir + wxFILE_SEP_PATH + include.name;
    return wxString();
}
