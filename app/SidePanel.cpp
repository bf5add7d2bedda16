#include "app/SidePanel.h"

#include <wx/sizer.h>

#include <algorithm>

namespace {

constexpr const char* kHeadings[] = {"Name", "Art", "Zeile"};

bool Same(const outline::Entry& a, const outline::Entry& b) {
    return a.kind == b.kind && a.line == b.line && a.name == b.name && a.file == b.file;
}

// Asks for the text of the rows it draws: a script's thousands of names cost nothing until seen.
class NameList : public wxListCtrl {
public:
    NameList(wxWindow* parent, std::function<wxString(long, long)> text)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_VIRTUAL),
          text_(std::move(text)) {}
    wxString OnGetItemText(long item, long column) const override { return text_(item, column); }

private:
    std::function<wxString(long, long)> text_;
};

}  // namespace

SidePanel::SidePanel(wxWindow* parent, std::function<void(const outline::Entry&)> chosen)
    : wxPanel(parent), chosen_(std::move(chosen)) {
    filter_ = new wxTextCtrl(this, wxID_ANY);
    filter_->SetHint("Filter");
    list_ = new NameList(this, [this](long row, long column) { return Text(row, column); });
    for (const char* heading : kHeadings) list_->AppendColumn(heading);
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(filter_, 0, wxEXPAND | wxBOTTOM, FromDIP(2));
    sizer->Add(list_, 1, wxEXPAND);
    SetSizer(sizer);
    SetMinSize(wxSize(FromDIP(210), -1));
    filter_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Fill(); });
    list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) { Choose(event.GetIndex()); });
    // Enter or a second click on the row already chosen goes there again.
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& event) { Choose(event.GetIndex()); });
}

void SidePanel::SetEntries(std::vector<outline::Entry> entries) {
    if (entries.size() == entries_.size() && std::equal(entries.begin(), entries.end(), entries_.begin(), Same)) return;
    entries_ = std::move(entries);
    Fill();
}

void SidePanel::Fill() {
    const wxString filter = filter_->GetValue().Strip(wxString::both);
    shown_.clear();
    for (size_t i = 0; i < entries_.size(); ++i)
        if (filter.empty() || outline::Matches(entries_[i], filter)) shown_.push_back(i);
    list_->SetItemCount(static_cast<long>(shown_.size()));
    // Each column as wide as its longest text, found by characters: measuring every text would
    // cost more than the list.
    const wxString* name = nullptr;
    const wxString* file = nullptr;
    int lines = 0;
    for (size_t index : shown_) {
        const outline::Entry& entry = entries_[index];
        if (!name || entry.name.length() > name->length()) name = &entry.name;
        if (!file || entry.file.length() > file->length()) file = &entry.file;
        lines = std::max(lines, entry.line + 1);
    }
    const wxString longest[] = {name ? *name : wxString(), "Variable",
                                (file && !file->empty() ? *file + ":" : wxString()) + wxString::Format("%d", lines)};
    for (int column = 0; column < 3; ++column) {
        const int text = list_->GetTextExtent(longest[column]).x, heading = list_->GetTextExtent(kHeadings[column]).x;
        list_->SetColumnWidth(column, std::max(text, heading) + FromDIP(16));
    }
    list_->Refresh();
}

wxString SidePanel::Text(long row, long column) const {
    if (row < 0 || row >= static_cast<long>(shown_.size())) return wxString();
    const outline::Entry& entry = entries_[shown_[static_cast<size_t>(row)]];
    switch (column) {
        case 0:
            return entry.name;
        case 1:
            return outline::KindName(entry.kind);
        default:  // a name from an include says which file it comes from
            return (entry.file.empty() ? wxString() : entry.file + ":") + wxString::Format("%d", entry.line + 1);
    }
}

wxArrayString SidePanel::Rows() const {
    wxArrayString rows;
    for (long row = 0; row < list_->GetItemCount(); ++row)
        rows.Add(list_->GetItemText(row, 0) + "|" + list_->GetItemText(row, 1) + "|" + list_->GetItemText(row, 2));
    return rows;
}

void SidePanel::Choose(long row) {
    if (row < 0 || row >= static_cast<long>(shown_.size())) return;
    chosen_(entries_[shown_[static_cast<size_t>(row)]]);
}
