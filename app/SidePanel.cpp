#include "app/SidePanel.h"

#include <wx/sizer.h>

namespace {

bool Same(const outline::Entry& a, const outline::Entry& b) {
    return a.kind == b.kind && a.line == b.line && a.name == b.name && a.file == b.file;
}

}  // namespace

SidePanel::SidePanel(wxWindow* parent, std::function<void(const outline::Entry&)> chosen)
    : wxPanel(parent), chosen_(std::move(chosen)) {
    filter_ = new wxTextCtrl(this, wxID_ANY);
    filter_->SetHint("Filter");
    list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL);
    list_->AppendColumn("Name");
    list_->AppendColumn("Art");
    list_->AppendColumn("Zeile", wxLIST_FORMAT_RIGHT);
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
    const wxString filter = filter_->GetValue();
    shown_.clear();
    for (size_t i = 0; i < entries_.size(); ++i)
        if (outline::Matches(entries_[i], filter)) shown_.push_back(i);
    list_->Freeze();
    list_->DeleteAllItems();
    for (size_t row = 0; row < shown_.size(); ++row) {
        const outline::Entry& entry = entries_[shown_[row]];
        const long item = list_->InsertItem(static_cast<long>(row), entry.name);
        list_->SetItem(item, 1, outline::KindName(entry.kind));
        // A name from an include says which file it comes from.
        list_->SetItem(item, 2, (entry.file.empty() ? wxString() : entry.file + ":") + wxString::Format("%d", entry.line + 1));
    }
    for (int column = 0; column < list_->GetColumnCount(); ++column)
        list_->SetColumnWidth(column, shown_.empty() ? wxLIST_AUTOSIZE_USEHEADER : wxLIST_AUTOSIZE);
    list_->Thaw();
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
