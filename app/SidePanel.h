// The side panel beside the editor: the script's jump marks, defines, variables and strings
// with their lines, narrowed by a filter as it is typed; a click goes to the line.
#pragma once

#include "compiler/Outline.h"

#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <functional>
#include <vector>

class SidePanel : public wxPanel {
public:
    SidePanel(wxWindow* parent, std::function<void(const outline::Entry&)> chosen);

    // The names of the last compile; the list is rebuilt only when they changed.
    void SetEntries(std::vector<outline::Entry> entries);
    // The rows as shown: "Name|Art|Zeile" each.
    wxArrayString Rows() const;

    wxTextCtrl* filter() const { return filter_; }
    wxListCtrl* list() const { return list_; }

private:
    void Fill();
    wxString Text(long row, long column) const;
    void Choose(long row);

    wxTextCtrl* filter_;
    wxListCtrl* list_;
    std::vector<outline::Entry> entries_;
    std::vector<size_t> shown_;  // entry of each row
    std::function<void(const outline::Entry&)> chosen_;
};
