// The syntax rows the editor offers against the command table: one per command word, in table
// order, naming the bounds the handlers check and the real separator.
#include "compiler/commands/CommandSyntax.h"

#include "compiler/Compiler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandSyntax, OneRowPerCommandWordWithItsRangesAndSeparator) {
    Compiler compiler;
    compiler.CompileLatin1("");  // sets the I/O and bus limits that the stand-ins mean
    EXPECT_EQ(std::wstring(kCommandSyntax[0].word) + L"|" + kCommandSyntax[1].word, L"#define|#include");
    ASSERT_EQ(kCommandSyntaxRows, 2 + std::size(kCommandTable));
    for (size_t i = 0; i < std::size(kCommandTable); ++i) {
        const CommandRow& row = kCommandTable[i];
        const CommandSyntax& syntax = kCommandSyntax[i + 2];
        const std::wstring word = row.word, text = syntax.syntax;
        SCOPED_TRACE(wxString(text).ToStdString());
        EXPECT_EQ(syntax.word, word);
        EXPECT_EQ(FindCommandSyntax(word), &syntax);
        EXPECT_TRUE(text == word || text.rfind(word + L" ", 0) == 0);
        const int hi = row.hi == kIoLimit ? data.maxIoNumber : row.hi == kBusLimit ? data.maxBusNumber : row.hi;
        const std::wstring bounds = std::to_wstring(row.lo) + L" bis " + std::to_wstring(hi);
        EXPECT_TRUE((row.lo == 0 && hi == 0) || std::wstring(syntax.ranges).find(bounds) != std::wstring::npos);
        // The separator follows the first operand: "setvar VARIABLE = WERT".
        const std::wstring separator{L' ', row.sep, L' '};
        EXPECT_TRUE(!row.sep || text.substr(text.find(L' ', text.find(L' ') + 1), 3) == separator);
    }
    // Looked up exactly as the compiler dispatches: no other case, no beginning, no longer word.
    for (const wchar_t* probe : {L"Setvar", L"setva", L"setvarx", L"#Define"})
        EXPECT_EQ(FindCommandSyntax(probe), nullptr) << wxString(probe);
    // The call tip: the syntax, the ranges, the meaning (one without ranges is in the LSP dialogue).
    EXPECT_EQ(SyntaxTip(*FindCommandSyntax(L"getblk")),
              L"getblk VARIABLE , NUMMER\nNUMMER: 0 bis 1023\nLiest den Block NUMMER in VARIABLE.");
}

}  // namespace
