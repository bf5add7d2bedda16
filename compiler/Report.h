// What a compile produced, as rows and texts: the error list (in the error window's order),
// the listing (each expanded line with its cells) and a JSON report.
#pragma once

#include <wx/string.h>

#include <string>
#include <vector>

struct ErrorRow {
    int line;  // editor line; 99999 for a block-balance error
    wxString text;
};

namespace report {

constexpr int kBalanceLine = 99999;

// Line errors in expanded-line order, then the non-empty block-balance texts.
std::vector<ErrorRow> ErrorRows();

// One row per expanded line: editor line, image position of its first cell (blank when the line
// wrote none), the line's text, and after " |" its cells in hex.
wxString Listing(const std::vector<wxString>& expandedLines);

// One JSON object (UTF-8) with the image, the errors and the name tables.
std::string Json();

}  // namespace report
