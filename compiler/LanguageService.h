// What the editor and other editors (through tqc-cli lsp) know of a script, all taken from
// one compile: its errors by line, the word under the cursor, where a name is declared, and
// what resting on a word tells.
#pragma once

#include "compiler/Compiler.h"

#include <wx/string.h>

#include <string_view>
#include <vector>

namespace lang {

struct Diagnostic {
    int line;  // 0-based line of the script
    wxString message;
};

// The errors of the last compile, in the error window's order, on the script's own lines: an
// included file's on its #include line, an open block on the last line (scriptLines - 1).
std::vector<Diagnostic> Diagnostics(int scriptLines);

// The same errors where they stand: in the script or in an included file.
struct SourceDiagnostic {
    wxString file;   // empty: the script; else the #include name as written
    int line;        // 0-based line in that file; -1 for an open block (the script's end)
    int scriptLine;  // 0-based line of the script: the #include line for an included file's error
    wxString message;
};
std::vector<SourceDiagnostic> SourceDiagnostics(const Compiler& compiler);

// The word (the editor's word characters) that touches `column` of `line`, and where it starts.
wxString WordAt(const wxString& line, int column, int* start = nullptr);

struct Definition {
    wxString file;  // empty: the script itself; else the #include name as written
    int line;       // 0-based
};
// Where the last compile found `word` declared (a jump mark may be written with its "::").
bool FindDefinition(const Compiler& compiler, const wxString& word, Definition* found);

// A command's syntax, or a user name's declaration with its number; empty for other words.
wxString HoverText(const Compiler& compiler, const wxString& word);

// The user names the last compile declared, each with its kind and expanded line, in the
// order of the name tables: variables, strings, defines (with their ';'), marks.
struct Named {
    wxString name;
    Compiler::NameKind kind;
    int line;  // expanded line of the declaration
};
std::vector<Named> DeclaredNames(const Compiler& compiler);

// The columns (in `line`'s characters) where `name` stands as a whole word outside comments and
// strings; a mark's name (written without "::") also after its "::".
std::vector<int> Uses(const wxString& line, const wxString& name);

// The first operand of a line that names nothing declared: neither a number, a command word,
// a string nor a declared name; false when there is none. Columns in the line's characters.
bool UndeclaredOperand(const Compiler& compiler, const wxString& line, int* from, int* to);
// The name a declaring line declares: a mark after its "::", else the word after the command
// ("defvar NAME", "#define ;NAME"); false when the line has none.
bool DeclaredName(const wxString& line, int* from, int* to);

// The one candidate nearest to a misspelt `word`: at most two letters changed, added or dropped
// (one for a word of three letters or fewer); empty when none is that near or two are equally so.
wxString Nearest(const wxString& word, const std::vector<wxString>& candidates);

// The coloured pieces of a line: command words, names by kind, numbers, texts, comments.
enum class TokenKind { Command, Variable, String, Text, Number, Define, Mark, Comment };
struct Token {
    int from, to;  // in the line's characters
    TokenKind kind;
};
std::vector<Token> Tokens(const Compiler& compiler, const wxString& line);

// Why `name` cannot replace a declared name of `kind`, empty when it can: the compiler's name
// characters (a define with its ';'), no command word, no name declared already.
wxString RenameError(const Compiler& compiler, Compiler::NameKind kind, const wxString& name);

// The blocks of a script's lines (0-based, first line to the line before its end word): if to
// else, else or if to endif, count, press, push and release to their end words. A block left
// open or an end word without its block makes no fold.
struct Fold {
    int first, last;
};
std::vector<Fold> Folds(const std::vector<std::string_view>& lines);

}  // namespace lang
