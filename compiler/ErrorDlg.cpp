#include "compiler/ErrorDlg.h"

ErrorDlg* glErrorDlg = nullptr;
wxStyledTextCtrl* glStyledTextCtrl = nullptr;

ErrorDlg::ErrorDlg(wxWindow* parent) : MainErrorDlg(parent, wxID_ANY, "Fehler im Programm") {
    m_errorText->StyleSetBackground(wxSTC_STYLE_DEFAULT, wxColour(230, 120, 120));
    m_errorText->StyleSetForeground(wxSTC_STYLE_DEFAULT, wxColour(0, 0, 0));
    m_errorText->StyleClearAll();

    const std::vector<ErrorRow> rows = report::ErrorRows();
    rowLine_.reserve(rows.size());
    for (const ErrorRow& row : rows) rowLine_.push_back(row.line);
    m_errorText->SetText(FormatRows(rows));
    m_errorText->EmptyUndoBuffer();
    m_errorText->SetReadOnly(true);
}

ErrorDlg::~ErrorDlg() {
    // Also when the main window takes its children with it.
    if (glErrorDlg == this) glErrorDlg = nullptr;
}

wxString ErrorDlg::FormatRows(const std::vector<ErrorRow>& rows) {
    wxString text;
    for (const ErrorRow& row : rows) {
        if (row.line == report::kBalanceLine)
            text += wxString::Format("99999:  %s \n", row.text);
        else
            text += wxString::Format("%05d:  %s \n", row.line, row.text);
    }
    if (!text.empty()) text.RemoveLast();  // no line end after the last row
    return text;
}

wxString ErrorDlg::Text() const { return m_errorText->GetText(); }

int ErrorDlg::LineOfRow(int row) const {
    if (row < 0 || row >= RowCount()) return -1;
    return rowLine_[row];
}

void ErrorDlg::JumpToRow(int row) {
    const int line = LineOfRow(row);
    if (line < 1 || line == report::kBalanceLine || !glStyledTextCtrl) return;
    glStyledTextCtrl->GotoLine(line - 1);
    glStyledTextCtrl->SetFocus();
}

void ErrorDlg::OnLeftDErrorClick(wxMouseEvent&) {
    // The first click of the double-click has put the caret on the row.
    JumpToRow(m_errorText->LineFromPosition(m_errorText->GetCurrentPos()));
}

void ErrorDlg::OnDlgClose(wxCloseEvent&) {
    Destroy();
    glErrorDlg = nullptr;
}
