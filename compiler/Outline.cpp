#include "compiler/Outline.h"

#include <wx/tokenzr.h>

namespace outline {

std::vector<Entry> Entries(const Compiler& compiler) {
    using Kind = Compiler::NameKind;
    const struct {
        Kind kind;
        const wxString* names;
        int count;
        const char* prefix;
    } tables[] = {{Kind::Mark, data.jumpMarkName, data.jumpMarkCount, "::"},
                  {Kind::Define, data.defineName, data.defineCount, ""},
                  {Kind::Variable, data.variableName, data.variableCount, ""},
                  {Kind::String, data.stringName, data.stringCount, ""}};
    std::vector<Entry> entries;
    for (const auto& table : tables)
        for (int i = 0; i < table.count; ++i) {
            const int declared = compiler.DeclaredLine(table.kind, i);
            if (declared < 0) continue;  // a name the compile refused has no place to go to
            const Compiler::LineSource source = compiler.SourceOf(declared);
            entries.push_back({table.kind, table.prefix + table.names[i], source.file, source.line - 1});
        }
    return entries;
}

wxString KindName(Compiler::NameKind kind) {
    static const char* const kNames[] = {"Variable", "String", "Define", "Marke"};
    return kNames[static_cast<int>(kind)];
}

bool Matches(const Entry& entry, const wxString& filter) {
    const wxString text = (entry.name + " " + KindName(entry.kind)).Lower();
    wxStringTokenizer words(filter.Lower(), " ", wxTOKEN_STRTOK);
    while (words.HasMoreTokens())
        if (!text.Contains(words.GetNextToken())) return false;
    return true;
}

}  // namespace outline
