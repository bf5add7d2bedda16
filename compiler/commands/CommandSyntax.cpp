// The syntax rows: the directives as written here, every command generated from its row in the
// command table, so that the texts name exactly the operands and limits the handlers check.
#include "compiler/commands/CommandSyntax.h"

#include "compiler/Compiler.h"

#include <cwchar>
#include <deque>
#include <iterator>
#include <vector>

namespace {

std::wstring Limit(int value) {
    return std::to_wstring(value == kIoLimit ? kMaxIoNumber : value == kBusLimit ? kMaxBusNumber : value);
}

std::wstring Range(const OperandRow& o) { return Limit(o.lo) + L" bis " + Limit(o.hi); }

// What an operand may be, as written after its name; empty when its name says it all.
std::wstring Allowed(const OperandRow& o, const OperandList& operands) {
    switch (o.kind) {
        case OperandKind::Const:
            return Range(o);
        case OperandKind::ConstOrVar:
            return Range(o) + L" oder eine Variable";
        case OperandKind::Value:
            return L"\"TEXT\" (höchstens " +
                   (o.text == kTargetLength ? L"so lang wie " + std::wstring(operands.operand[0].name)
                                            : std::to_wstring(o.text) + L" Zeichen") +
                   L"), ein String, eine Variable oder " + Range(o);
        case OperandKind::Operator: {
            std::wstring list;
            for (int code = 1; Compiler::OperatorText(code)[0] != '?'; ++code)
                list += (code > 1 ? L" " : L"") + Compiler::OperatorText(code).ToStdWstring();
            return list;
        }
        case OperandKind::Comparison:
            return Compiler::ComparisonList();
        default:
            return L"";
    }
}

// The syntax line, and the ranges: operands that allow the same share one entry ("WERT1,
// WERT2: ..."), in the order of their first appearance; then the setting's and the notes.
CommandSyntax Generate(const wchar_t* word, const OperandList& operands) {
    static std::deque<std::wstring> texts;  // the rows point into it; a deque never moves them
    std::wstring syntax = word, ranges;
    const auto add = [&ranges](const std::wstring& part) { ranges += (ranges.empty() ? L"" : L"; ") + part; };
    for (const OperandRow& o : operands.operand) {
        if (!o.name || o.kind == OperandKind::Note) continue;
        if (o.before) syntax += std::wstring(L" ") + o.before;
        syntax += L" " + (o.kind == OperandKind::Setting ? L"\"" + Compiler::SettingList(true) + L"\"" : o.name);
        if (o.before == L'(') syntax += L" )";
    }
    for (const OperandRow* o = operands.operand; o != std::end(operands.operand) && o->name; ++o) {
        const std::wstring allowed = Allowed(*o, operands);
        bool seen = false;
        for (const OperandRow* p = operands.operand; p != o; ++p) seen = seen || Allowed(*p, operands) == allowed;
        if (allowed.empty() || seen) continue;
        std::wstring names = o->name;
        for (const OperandRow* p = o + 1; p != std::end(operands.operand) && p->name; ++p)
            if (Allowed(*p, operands) == allowed) names += std::wstring(L", ") + p->name;
        add(names + L": " + allowed);
    }
    for (const OperandRow& o : operands.operand) {
        if (o.kind == OperandKind::Setting) add(Compiler::SettingList(false));
        if (o.kind != OperandKind::Note) continue;
        wchar_t note[200];
        std::swprintf(note, std::size(note), o.name, o.lo, o.hi);
        add(note);
    }
    texts.push_back(syntax);
    const wchar_t* syntaxText = texts.back().c_str();
    texts.push_back(ranges);
    return {word, syntaxText, texts.back().c_str(), operands.meaning};
}

const std::vector<CommandSyntax>& Rows() {
    static const std::vector<CommandSyntax> rows = {
        // The directives first, as in the editor's keyword list.
        {L"#define", L"#define ;NAME TEXT", L"", L"Ersetzt ;NAME im ganzen Skript durch TEXT (höchstens 99 Zeichen)."},
        {L"#include", L"#include \"DATEI\"", L"",
         L"Fügt die Zeilen von DATEI aus dem Ordner des Skripts an dieser Stelle ein."},
#define TQC_SYNTAX_ROW(id, word, ...) Generate(word, operands::id),
        TQC_COMMANDS(TQC_SYNTAX_ROW)
#undef TQC_SYNTAX_ROW
    };
    return rows;
}

}  // namespace

const CommandSyntaxRows kCommandSyntax;
#define TQC_COUNT_ROW(...) +1
const size_t kCommandSyntaxRows = 2 + (0 TQC_COMMANDS(TQC_COUNT_ROW));
#undef TQC_COUNT_ROW

const CommandSyntax& CommandSyntaxRows::operator[](size_t i) const { return Rows()[i]; }

const CommandSyntax* FindCommandSyntax(std::wstring_view word) {
    // Exact and case-sensitive, as the compiler compares command words and directives.
    for (const CommandSyntax& row : Rows())
        if (word == row.word) return &row;
    return nullptr;
}

std::wstring SyntaxTip(const CommandSyntax& row) {
    std::wstring tip = row.syntax;
    if (*row.ranges) tip.append(L"\n").append(row.ranges);
    return tip.append(L"\n").append(row.meaning);
}
