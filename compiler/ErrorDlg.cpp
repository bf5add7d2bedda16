#include "compiler/ErrorDlg.h"

#include "dialogs/WindowPlace.h"

#include <wx/display.h>

#include <algorithm>

ErrorDlg* glErrorDlg = nullptr;
wxStyledTextCtrl* glStyledTextCtrl = nullptr;

ErrorDlg::ErrorDlg(wxWindow* parent) : MainErrorDlg(parent, wxID_ANY, "Fehler im Programm") {
    m_errorText->StyleSetBackground(wxSTC_STYLE_DEFAULT, wxColour(230, 120, 120));
    m_errorText->StyleSetForeground(wxSTC_STYLE_DEFAULT, wxColour(0, 0, 0));
    m_errorText->StyleClearAll();
    ShowRows();

    // Over the middle of the editor it would hide the very line being fixed. The place is
    // taken when the window is shown: at start-up the editor is laid out only by then.
    place::Keep(this, [this] {
        const wxRect editor = glStyledTextCtrl ? glStyledTextCtrl->GetScreenRect() : wxRect();
        if (editor.width <= 0 || editor.height <= 0) return place::CentredOn(GetParent(), GetSize());
        const int caretY =
            glStyledTextCtrl->ClientToScreen(glStyledTextCtrl->PointFromPosition(glStyledTextCtrl->GetCurrentPos())).y;
        const int display = wxDisplay::GetFromWindow(glStyledTextCtrl);
        const wxRect screen = wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
        return Placement(GetSize(), editor, caretY, screen);
    });
}

void ErrorDlg::ShowRows() {
    const std::vector<ErrorRow> rows = report::ErrorRows();
    if (rows.empty() && IsShown()) {
        Close();
        return;
    }
    rowLine_.clear();
    for (const ErrorRow& row : rows) rowLine_.push_back(row.line);
    m_errorText->SetReadOnly(false);
    m_errorText->SetText(FormatRows(rows));
    m_errorText->EmptyUndoBuffer();
    m_errorText->SetReadOnly(true);
}

wxPoint ErrorDlg::Placement(const wxSize& size, const wxRect& editor, int caretY, const wxRect& screen) {
    const auto clamp = [&](wxPoint p) {
        p.x = std::max(screen.x, std::min(p.x, screen.GetRight() + 1 - size.x));
        p.y = std::max(screen.y, std::min(p.y, screen.GetBottom() + 1 - size.y));
        return p;
    };
    if (editor.GetRight() + 1 + size.x <= screen.GetRight() + 1)  // beside
        return clamp(wxPoint(editor.GetRight() + 1, editor.y));
    if (editor.GetBottom() + 1 + size.y <= screen.GetBottom() + 1)  // below
        return clamp(wxPoint(editor.GetRight() + 1 - size.x, editor.GetBottom() + 1));
    // Inside the editor's right edge, in the half the caret is not in.
    const bool caretAbove = caretY < editor.y + editor.height / 2;
    return clamp(wxPoint(editor.GetRight() + 1 - size.x, caretAbove ? editor.GetBottom() + 1 - size.y : editor.y));
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
