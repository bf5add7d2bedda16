#include "compiler/LanguageService.h"

#include "compiler/NameChars.h"
#include "compiler/Report.h"
#include "compiler/commands/CommandSyntax.h"

#include <algorithm>

namespace lang {
namespace {

bool IsWordChar(wxUniChar c) { return names::IsWordChar(c.GetValue()); }

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
        case Compiler::NameKind::Variable:
            return text + wxString::Format("\nVariable %d", declared.index);
        case Compiler::NameKind::String:
            return text + wxString::Format(wxString::FromUTF8("\nString %d, Länge %d"), declared.index,
                                           data.stringLength[declared.index]);
        case Compiler::NameKind::Mark:
            return text + wxString::Format("\nMarke %d an Adresse 0x%04X", declared.index,
                                           data.jumpMarkAddress[declared.index]);
        case Compiler::NameKind::Define:
            return text;
    }
    return text;
}

std::vector<Named> DeclaredNames(const Compiler& compiler) {
    std::vector<Named> out;
    auto add = [&](const wxString* names, int count) {
        for (int i = 0; i < count; ++i) {
            Compiler::Declared declared;
            if (compiler.FindDeclared({names[i].wc_str(), names[i].length()}, &declared))
                out.push_back({names[i], declared.kind, declared.line});
        }
    };
    add(data.variableName, data.variableCount);
    add(data.stringName, data.stringCount);
    add(data.defineName, data.defineCount);
    add(data.jumpMarkName, data.jumpMarkCount);
    return out;
}

namespace {

// Calls `each(start, end)` for every word of `line` outside texts and before a `//` comment,
// in order, until it returns true; true when one did.
template <typename Each>
bool ForEachWord(const wxString& line, Each each) {
    const int length = static_cast<int>(line.length());
    bool text = false;
    for (int i = 0; i < length; ++i) {
        if (line[i] == '"') text = !text;
        if (text) continue;
        if (line[i] == '/' && i + 1 < length && line[i + 1] == '/') break;
        if (!IsWordChar(line[i])) continue;
        int end = i;
        while (end < length && IsWordChar(line[end])) ++end;
        if (each(i, end)) return true;
        i = end - 1;
    }
    return false;
}

}  // namespace

std::vector<int> Uses(const wxString& line, const wxString& name) {
    std::vector<int> out;
    ForEachWord(line, [&](int start, int end) {
        const wxString word = line.Mid(start, end - start);
        if (word == name)
            out.push_back(start);
        else if (word.StartsWith("::") && word.Mid(2) == name)
            out.push_back(start + 2);
        return false;
    });
    return out;
}

bool UndeclaredOperand(const Compiler& compiler, const wxString& line, int* from, int* to) {
    bool first = true;
    return ForEachWord(line, [&](int i, int end) {
        wxString word = line.Mid(i, end - i);
        const int start = word.StartsWith("::") ? i + 2 : i;
        if (word.StartsWith("::")) word = word.Mid(2);
        Compiler::Declared declared;
        const bool known = word.empty() || (word[0] >= '0' && word[0] <= '9') ||
                           FindCommandSyntax({word.wc_str(), word.length()}) ||
                           compiler.FindDeclared({word.wc_str(), word.length()}, &declared);
        if (!first && !known) {
            *from = start;
            *to = end;
            return true;
        }
        first = false;
        return false;
    });
}

bool DeclaredName(const wxString& line, int* from, int* to) {
    int index = 0;
    return ForEachWord(line, [&](int i, int end) {
        const bool mark = index == 0 && line.Mid(i, 2) == "::";
        if (index++ == 0 && !mark) return false;
        *from = mark ? i + 2 : i;
        *to = end;
        return *to > *from;
    });
}

wxString Nearest(const wxString& word, const std::vector<wxString>& candidates) {
    const size_t limit = word.length() <= 3 ? 1 : 2;
    size_t best = limit + 1;
    wxString found;
    bool tie = false;
    for (const wxString& candidate : candidates) {
        // Edit distance, one row at a time.
        std::vector<size_t> row(candidate.length() + 1);
        for (size_t j = 0; j < row.size(); ++j) row[j] = j;
        for (size_t i = 1; i <= word.length(); ++i) {
            size_t diagonal = row[0];
            row[0] = i;
            for (size_t j = 1; j < row.size(); ++j) {
                const size_t above = row[j];
                row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (word[i - 1] == candidate[j - 1] ? 0 : 1)});
                diagonal = above;
            }
        }
        const size_t distance = row.back();
        if (distance == 0 || distance > best) continue;
        tie = distance == best;
        best = distance;
        found = candidate;
    }
    return tie || best > limit ? wxString() : found;
}

std::vector<Token> Tokens(const Compiler& compiler, const wxString& line) {
    std::vector<Token> out;
    const int length = static_cast<int>(line.length());
    for (int i = 0; i < length; ++i) {
        if (line[i] == '/' && i + 1 < length && line[i + 1] == '/') {
            out.push_back({i, length, TokenKind::Comment});
            break;
        }
        if (line[i] == '"') {
            const int end =
                line.find('"', i + 1) == wxString::npos ? length : static_cast<int>(line.find('"', i + 1)) + 1;
            out.push_back({i, end, TokenKind::Text});
            i = end - 1;
            continue;
        }
        if (!IsWordChar(line[i])) continue;
        int end = i;
        while (end < length && IsWordChar(line[end])) ++end;
        const wxString word = line.Mid(i, end - i);
        const wxString name = word.StartsWith("::") ? word.Mid(2) : word;
        Compiler::Declared declared;
        if (FindCommandSyntax({word.wc_str(), word.length()})) {
            out.push_back({i, end, TokenKind::Command});
        } else if (word[0] >= '0' && word[0] <= '9') {
            out.push_back({i, end, TokenKind::Number});
        } else if (word.StartsWith("::")) {
            out.push_back({i, end, TokenKind::Mark});
        } else if (word.StartsWith(";")) {
            out.push_back({i, end, TokenKind::Define});
        } else if (compiler.FindDeclared({name.wc_str(), name.length()}, &declared)) {
            static const TokenKind kinds[] = {TokenKind::Variable, TokenKind::String, TokenKind::Define,
                                              TokenKind::Mark};
            out.push_back({i, end, kinds[static_cast<int>(declared.kind)]});
        }
        i = end - 1;
    }
    return out;
}

wxString RenameError(const Compiler& compiler, Compiler::NameKind kind, const wxString& name) {
    const bool define = kind == Compiler::NameKind::Define;
    const wxString bare = define && name.StartsWith(";") ? name.Mid(1) : name;
    bool ok = !bare.empty() && (!define || name.StartsWith(";"));
    for (const wxUniChar c : bare) ok = ok && names::IsNameChar(c.GetValue());
    if (!ok)
        return name + wxString::FromUTF8(define ? " ist kein gültiger Define-Name: ; und dann Buchstaben, Ziffern, _"
                                                : " ist kein gültiger Name: Buchstaben, Ziffern, _");
    if (data.keywordList.Index(bare, true) != wxNOT_FOUND) return name + " ist ein Befehlswort";
    Compiler::Declared other;
    if (compiler.FindDeclared({name.wc_str(), name.length()}, &other)) return name + " ist schon vergeben";
    return wxString();
}

std::vector<Fold> Folds(const std::vector<std::string_view>& lines) {
    // Opening word, its end word; "else" ends an if's first part and opens the second.
    static const std::pair<std::string_view, std::string_view> blocks[] = {
        {"if", "endif"}, {"count", "endcount"}, {"press", "endpress"}, {"push", "endpush"}, {"release", "endrelease"}};
    std::vector<std::pair<std::string_view, int>> open;  // end word awaited, first line
    std::vector<Fold> out;
    auto close = [&](std::string_view end, int line) {
        for (size_t depth = open.size(); depth-- > 0;) {
            if (open[depth].first != end) continue;
            if (line - 1 > open[depth].second) out.push_back({open[depth].second, line - 1});
            open.resize(depth);
            return true;
        }
        return false;
    };
    for (size_t n = 0; n < lines.size(); ++n) {
        std::string_view text = lines[n];
        const size_t from = text.find_first_not_of(" \t");
        if (from == std::string_view::npos) continue;
        text = text.substr(from);
        const std::string_view word = text.substr(0, text.find_first_of(" \t\r"));
        const int line = static_cast<int>(n);
        if (word == "else") {
            if (close("endif", line)) open.push_back({"endif", line});
            continue;
        }
        for (const auto& [start, end] : blocks) {
            if (word == start) open.push_back({end, line});
            if (word == end) close(end, line);
        }
    }
    std::sort(out.begin(), out.end(), [](const Fold& a, const Fold& b) { return a.first < b.first; });
    return out;
}

}  // namespace lang
