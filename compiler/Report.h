// What a compile produced, as rows and texts: the error list (in the error window's order),
// the listing (each expanded line with its cells) and a JSON report.
#pragma once

#include <wx/string.h>

#include <functional>
#include <string>
#include <vector>

class Compiler;

struct ErrorRow {
    int line;  // editor line; 99999 for a block-balance error
    wxString text;
};

namespace report {

constexpr int kBalanceLine = 99999;

// Line errors in expanded-line order, then the non-empty block-balance texts.
std::vector<ErrorRow> ErrorRows();

// One row per expanded line: editor line, image position of its first cell (blank when the line
// wrote none), the line's text, after " |" its cells in hex and then the command they decode to. Rows are handed to `row` one
// at a time in UTF-8, so that a listing of a huge script never has to be held whole.
void WriteListing(const Compiler& compiler, const std::function<void(const std::string& row)>& row);

// One JSON object (UTF-8) with the image, the errors and the name tables.
std::string Json();

}  // namespace report
