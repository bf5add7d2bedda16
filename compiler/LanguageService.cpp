#include "compiler/LanguageService.h"

#include "compiler/Report.h"
#include "compiler/commands/CommandSyntax.h"

namespace lang {
namespace {

bool IsWordChar(wxUniChar c) {
    // The compiler's name characters, and those that make a directive, a define use and a mark
    // line one word.
    return Compiler::IsIdentifierChar(c.GetValue()) || c == '#' || c == ';' || c == ':';
}

wxString Trimmed(wxString text) { return text.Trim(true).Trim(false); }

}  // namespace

std::vector<Diagnostic> Diagnostics(int scriptLines) {
    std::vector<Diagnostic> out;
    for (const ErrorRow& row : report::ErrorRows()) {
        const int line = row.line == report::kBalanceLine ? scriptLines - 1 : row.line - 1;
        out.push_back({std::max(0, std::min(line, scriptLines - 1)), Trimmed(row.text)});
    }
    return out;
}

std::vector<SourceDiagnostic> SourceDiagnostics(const Compiler& compiler) {
    std::vector<SourceDiagnostic> out;
    for (int i = 0; i < data.lineCount; ++i) {
        if (data.errorText.Peek(i).empty()) continue;
        const Compiler::LineSource source = compiler.SourceOf(i);
        out.push_back({source.file, source.line - 1, data.lineOrigin[i] - 1, Trimmed(data.errorText.Peek(i))});
    }
    for (int slot = kBalanceSlotFirst; slot < kBalanceSlotFirst + 5; ++slot)
        if (!data.errorText.Peek(slot).empty()) out.push_back({wxString(), -1, -1, Trimmed(data.errorText.Peek(slot))});
    return out;
}

wxString WordAt(const wxString& line, int column, int* start) {
    int from = std::max(0, std::min(column, static_cast<int>(line.length())));
    int to = from;
    while (from > 0 && IsWordChar(line[from - 1])) --from;
    while (to < static_cast<int>(line.length()) && IsWordChar(line[to])) ++to;
    if (start) *start = from;
    return line.Mid(from, to - from);
}

bool FindDefinition(const Compiler& compiler, const wxString& word, Definition* found) {
    wxString name = word;
    if (name.StartsWith("::")) name = name.Mid(2);
    Compiler::Declared declared;
    if (name.empty() || !compiler.FindDeclared({name.wc_str(), name.length()}, &declared)) return false;
    const Compiler::LineSource source = compiler.SourceOf(declared.line);
    *found = {source.file, source.line - 1};
    return true;
}

wxString HoverText(const Compiler& compiler, const wxString& word) {
    if (const CommandSyntax* row = FindCommandSyntax({word.wc_str(), word.length()})) return SyntaxTip(*row);
    wxString name = word;
    if (name.StartsWith("::")) name = name.Mid(2);
    Compiler::Declared declared;
    if (name.empty() || !compiler.FindDeclared({name.wc_str(), name.length()}, &declared)) return wxString();
    const Compiler::LineSource source = compiler.SourceOf(declared.line);
    wxString text = FromLatin1(compiler.ExpandedLine(declared.line));
    text.Replace(wxString(wxUniChar(3)), " ");  // the define's markers, as the listing shows them
    text.Replace(wxString(wxUniChar(4)), " ");
    text = Trimmed(text);
    if (!source.file.empty()) text = wxString::Format("%s, Zeile %d: %s", source.file, source.line, text);
    switch (declared.kind) {
        case Compiler::NameKind::Variable: return text + wxString::Format("\nVariable %d", declared.index);
        case Compiler::NameKind::String:
            return text + wxString::Format(wxString::FromUTF8("\nString %d, L\xc3\xa4nge %d"), declared.index,
                                           data.stringLength[declared.index]);
        case Compiler::NameKind::Mark:
            return text + wxString::Format("\nMarke %d an Adresse 0x%04X", declared.index,
                                           data.jumpMarkAddress[declared.index]);
        case Compiler::NameKind::Define: return text;
    }
    return text;
}

}  // namespace lang
