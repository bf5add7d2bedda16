// How each command is written: one row per command word of the command table, plus the
// directives, for the editor's call tips, hover and help page.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

struct CommandSyntax {
    const wchar_t* word;     // exactly as in the command table, or L"#define" / L"#include"
    const wchar_t* syntax;   // in the compiler's own terms, e.g. L"setvar VARIABLE = WERT"
    const wchar_t* ranges;   // the value ranges the compiler checks, in German; L"" when none
    const wchar_t* meaning;  // one German line: what the command does
};

// The rows, indexed like an array; written on first use, so that a compile does not pay for them.
struct CommandSyntaxRows {
    const CommandSyntax& operator[](size_t i) const;
};
extern const CommandSyntaxRows kCommandSyntax;
extern const size_t kCommandSyntaxRows;

// The row of a command word as the compiler recognises it (same case rules as the compiler's
// own lookup), nullptr for anything else.
const CommandSyntax* FindCommandSyntax(std::wstring_view word);
// The call tip: the syntax, then the ranges (when there are any), then the meaning, one per line.
std::wstring SyntaxTip(const CommandSyntax& row);
