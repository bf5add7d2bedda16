// The error window: lists the errors of the last compile, one row each, and moves the editor
// to an error's line when its row is double-clicked.
#pragma once

#include "compiler/MainErrorDlg.h"
#include "compiler/Report.h"

#include <vector>

class ErrorDlg;

// The error window while it exists, and the script editor its rows lead to (set once by the main
// window); each is null while its window does not exist.
extern ErrorDlg* glErrorDlg;
extern wxStyledTextCtrl* glStyledTextCtrl;

class ErrorDlg : public MainErrorDlg {
public:
    // Builds the window and fills it with the rows of report::ErrorRows(); it stands beside or
    // below the editor, or else in the editor's corner away from the caret.
    explicit ErrorDlg(wxWindow* parent);
    ~ErrorDlg() override;

    // Refills the rows from report::ErrorRows() after the text was checked again; with no error
    // left the window closes.
    void ShowRows();
    // Where the window goes for an editor at `editor` with the caret line at height `caretY`, all
    // on a screen area `screen` (screen coordinates).
    static wxPoint Placement(const wxSize& size, const wxRect& editor, int caretY, const wxRect& screen);

    // The rows as the window shows them: "%05d:  %s " each, joined by line ends.
    static wxString FormatRows(const std::vector<ErrorRow>& rows);

    wxString Text() const;
    int RowCount() const { return static_cast<int>(rowLine_.size()); }
    // The editor line (1-based) of a row, report::kBalanceLine for a block-balance row,
    // -1 for a row that is not listed.
    int LineOfRow(int row) const;
    // What a double-click on the row does: the editor goes to the row's line and gets the
    // keyboard focus. A block-balance row has no line and does nothing.
    void JumpToRow(int row);

protected:
    void OnDlgClose(wxCloseEvent& event) override;
    void OnLeftDErrorClick(wxMouseEvent& event) override;

private:
    std::vector<int> rowLine_;  // one entry per row of the list
};
