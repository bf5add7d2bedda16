// The names a script declares, for the side panel: jump marks, defines, variables and strings
// with the line that declares them, as the last compile found them.
#pragma once

#include "compiler/Compiler.h"

#include <wx/string.h>

#include <vector>

namespace outline {

struct Entry {
    Compiler::NameKind kind;
    wxString name;  // as the script writes it: "::mark", ";DEFINE", "name"
    wxString file;  // empty: the script itself; else the #include name as written
    int line;       // 0-based, in `file`
};

// Marks, defines, variables, strings; each kind in the order of the script.
std::vector<Entry> Entries(const Compiler& compiler);

// The kind as the panel names it ("Marke", "Define", "Variable", "String").
wxString KindName(Compiler::NameKind kind);

// Whether an entry is shown for the filter text: every blank-separated word of it occurs in the
// name or the kind's name, ignoring case.
bool Matches(const Entry& entry, const wxString& filter);

}  // namespace outline
