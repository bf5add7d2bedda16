// The syntax rows the editor offers, against the command table and the checks: every range they
// name is the one the compile enforces, shown by compiling each limit and its neighbour outside.
#include "compiler/commands/CommandSyntax.h"

#include "compiler/Compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One operand of one command written as "#" (in quotes: a text of # characters; "@" a new name), its
// limits as the rules give them, and the message for the neighbour outside (S: the string t's, 10).
struct Limit {
    const char* line;
    int lo, hi;
    const wchar_t* message;
};
const wchar_t *const R = msg::OutOfRange, *const Z = msg::OutOfRangeSz, *const T = msg::TextTooLong,
                     *const S = msg::StringTooLong;
const int M = 32767, IO = 1023;
const Limit kLimits[] = {{"adcin x , #", 0, 255, R},
                         {"addstr s , #", 0, 255, Z},
                         {"addstr t , \"#\"", 0, 10, S},
                         {"addvar x , #", -M, M, R},
                         {"blk # , 0 ( 1 )", 0, IO, R},
                         {"blk 0 , # ( 1 )", 0, 30000, R},
                         {"blk 0 , 0 ( # )", 1, 250, R},
                         {"getblk x , #", 0, IO, R},
                         {"bytetostr s , # ( 0 )", 0, 255, R},
                         {"bytetostr s , 0 ( # )", 0, 255, R},
                         {"calc x = # + 0", -M, M, R},
                         {"calc x = 0 + #", -M, M, R},
                         {"count x = # , 0", -M, M, R},
                         {"count x = 0 , #", -M, M, R},
                         {"defstr @ , #", 1, 250, msg::OutOfAllowedRange},
                         {"defvar @ = #", -M, M, R},
                         {"delay #", 0, 65535, R},
                         {"delstrpos s , #", 0, 255, R},
                         {"din #", 0, IO, R},
                         {"dout #", 0, IO, R},
                         {"find x , s ( # )", 0, 255, R},
                         {"find x , s ( \"#\" )", 0, 255, T},
                         {"if x = #", -M, M, R},
                         {"memwrite # , 0", 0, 511, R},
                         {"memwrite 0 , #", -M, M, R},
                         {"memread x , #", 0, 511, R},
                         {"off #", 0, IO, R},
                         {"on #", 0, IO, R},
                         {"portin x , #", 0, IO, R},
                         {"push #", 0, IO, R},
                         {"release #", 0, IO, R},
                         {"press #", 0, IO, R},
                         {"holdpress #", 0, IO, R},
                         {"send #", 0, 255, Z},
                         {"send \"#\"", 0, 255, T},
                         {"sendbus # , 65", 1, 50, Z},
                         {"sendbus 1 , #", 0, 255, Z},
                         {"sendbus 1 , \"#\"", 0, 250, T},
                         {"setstr s = #", 0, 255, Z},
                         {"setstr t = \"#\"", 0, 10, S},
                         {"setvar x = #", -M, M, R},
                         {"setbusrs232setting # , \"N,8,1\"", 1, 50, Z},
                         {"strtobusbuffer # , s", 1, 50, Z},
                         {"setbusrs232baud # , 9600", 1, 50, Z},
                         {"setbusrs232baud 1 , #", 1, 115200, Z},
                         {"strtovar x , s ( # )", 0, 255, R},
                         {"subvar x , #", -M, M, R},
                         {"settimer #", 0, 600, R},
                         {"vartostr s , x ( # )", 0, 255, R},
                         {"tqpsend #", 0, 255, Z},
                         {"tqpsend \"#\"", 0, 255, T}};

bool IsText(const Limit& l) { return l.message == T || l.message == S; }

TEST(CommandSyntax, OneRowPerCommandNamingExactlyTheLimitsTheCompileEnforces) {
    // Each limit and each neighbour outside it on a line of its own (a text only has an upper one).
    std::vector<std::pair<const Limit*, int>> probes;
    wxString script = "defvar x = 0\ndefstr s , 4\ndefstr t , 10\n";
    for (const Limit& l : kLimits)
        for (const int v : {l.lo, l.hi, l.lo - 1, l.hi + 1}) {
            if (IsText(l) && v < l.hi) continue;
            std::string line = l.line;
            line.replace(line.find('#'), 1, IsText(l) ? std::string(v, 'A') : std::to_string(v));
            if (line.find('@') != std::string::npos) line.replace(line.find('@'), 1, "n" + std::to_string(v + 40000));
            script += line + "\n";
            probes.emplace_back(&l, v);
        }
    Compiler compiler;
    compiler.CompileLatin1(script.ToStdString());
    for (size_t i = 0; i < probes.size(); ++i) {
        const auto& [l, v] = probes[i];
        const std::string got = data.errorText[static_cast<int>(i) + 3].utf8_string();
        SCOPED_TRACE(std::string(l->line) + " with " + std::to_string(v));
        // A sign is a token of its own, which a shape with fixed slots refuses as a line error first.
        if (v >= l->lo && v <= l->hi)
            EXPECT_EQ(got, "");
        else if (v >= 0 || l->lo < 0)
            EXPECT_EQ(got, wxString(l->message).utf8_string());
        else
            EXPECT_NE(got, "");
    }
    // The directives, then a row per command: its separator, and every range tested above, no other.
    EXPECT_EQ(std::wstring(kCommandSyntax[0].word) + L"|" + kCommandSyntax[1].word, L"#define|#include");
    ASSERT_EQ(kCommandSyntaxRows, 2 + std::size(kCommandTable));
    for (const CommandRow& row : kCommandTable) {
        const size_t i = &row - kCommandTable;
        const std::wstring word = row.word, text = kCommandSyntax[i + 2].syntax, ranges = kCommandSyntax[i + 2].ranges;
        SCOPED_TRACE(wxString(text + L"\n" + ranges).utf8_string());
        EXPECT_EQ(FindCommandSyntax(word), &kCommandSyntax[i + 2]);
        const std::wstring separator{L' ', row.sep, L' '};
        EXPECT_TRUE(!row.sep || text.substr(text.find(L' ', text.find(L' ') + 1), 3) == separator);
        std::wstring rest = ranges;  // what no line above accounts for
        size_t operands = 0, lines = 0;
        for (const OperandRow& o : row.operands->operand)
            operands +=
                o.kind == OperandKind::Value ? 2 : o.kind == OperandKind::Const || o.kind == OperandKind::ConstOrVar;
        for (const Limit& l : kLimits) {
            if (std::string(l.line).rfind(wxString(word + L" ").utf8_string(), 0) != 0) continue;
            ++lines;
            const std::wstring limit = l.message == S ? L"(höchstens so lang wie STRING)"
                                       : IsText(l)    ? L"(höchstens " + std::to_wstring(l.hi) + L" Zeichen)"
                                                      : std::to_wstring(l.lo) + L" bis " + std::to_wstring(l.hi);
            EXPECT_NE(ranges.find(limit), std::wstring::npos) << wxString(limit);
            for (size_t at; (at = rest.find(limit)) != std::wstring::npos;) rest.erase(at, limit.size());
        }
        EXPECT_EQ(lines, operands);
        EXPECT_TRUE(rest.find(L" bis ") == std::wstring::npos && rest.find(L"(höchstens") == std::wstring::npos);
    }
    // Looked up exactly as the compiler dispatches: no other case, no beginning, no longer word.
    for (const wchar_t* p : {L"Setvar", L"setva", L"setvarx", L"#Define"}) EXPECT_EQ(FindCommandSyntax(p), nullptr);
    // The call tip: the syntax, the ranges, the meaning (one without ranges is in the LSP dialogue).
    EXPECT_EQ(SyntaxTip(*FindCommandSyntax(L"blk")),
              L"blk NUMMER , WERT ( ANZAHL )\nNUMMER: 0 bis 1023 oder eine Variable; "
              L"WERT: 0 bis 30000; ANZAHL: 1 bis 250\nBelegt den Block NUMMER mit WERT und ANZAHL.");
}

}  // namespace
