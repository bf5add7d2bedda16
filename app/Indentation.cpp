#include "app/Indentation.h"

#include "compiler/Compiler.h"

#include <algorithm>

namespace indent {

namespace {

size_t TextStart(const wxString& line) {
    const size_t start = line.find_first_not_of(" \t");
    return start == wxString::npos ? line.size() : start;
}

}  // namespace

Role RoleOf(const wxString& line) {
    const size_t start = TextStart(line);
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    const CommandRow* row = Compiler::FindCommand(line.Mid(start, end - start).ToStdString());
    if (!row || !row->stack) return Role::None;
    if (row->shape == &Compiler::Else) return Role::Middle;
    if (row->shape == &Compiler::EndIf || row->shape == &Compiler::CountEnd || row->shape == &Compiler::BlockEnd)
        return Role::Closes;
    return Role::Opens;
}

std::vector<wxString> ToggleComment(const std::vector<wxString>& lines) {
    size_t least = wxString::npos;
    bool allComments = true;
    for (const wxString& line : lines) {
        const size_t start = TextStart(line);
        if (start == line.size()) continue;
        least = std::min(least, start);
        allComments = allComments && line.compare(start, 2, "//") == 0;
    }
    std::vector<wxString> result = lines;
    if (least == wxString::npos) return result;  // nothing but empty lines
    for (wxString& line : result) {
        const size_t start = TextStart(line);
        if (start == line.size()) continue;
        if (!allComments)
            line.insert(least, "// ");
        else
            line.erase(start, line.compare(start, 3, "// ") == 0 ? 3 : 2);
    }
    return result;
}

}  // namespace indent
