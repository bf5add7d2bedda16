// The syntax rows against the compiler: one row per command word in table order, ranges that
// name the bounds the handlers check, the real separators, and the compiler's lookup rules.
#include "compiler/commands/CommandSyntax.h"

#include "compiler/Compiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

namespace {

TEST(CommandSyntax, OneRowPerCommandWordInTableOrderPlusTheDirectives) {
    std::vector<std::wstring> commands, directives, table;
    for (size_t i = 0; i < kCommandSyntaxRows; ++i) {
        const std::wstring word = kCommandSyntax[i].word;
        (word == L"#define" || word == L"#include" ? directives : commands).push_back(word);
    }
    for (const CommandRow& row : kCommandTable) table.push_back(row.word);
    EXPECT_EQ(commands, table);
    EXPECT_EQ(directives, (std::vector<std::wstring>{L"#define", L"#include"}));
}

TEST(CommandSyntax, RangesNameTheCheckedBoundsAndSyntaxTheSeparator) {
    Compiler compiler;
    compiler.CompileText(wxString());  // sets the I/O and bus limits that the stand-ins mean
    for (const CommandRow& row : kCommandTable) {
        SCOPED_TRACE(wxString(row.word).ToStdString());
        const CommandSyntax* syntax = FindCommandSyntax(row.word);
        ASSERT_NE(syntax, nullptr);
        const int hi = row.hi == kIoLimit ? data.maxIoNumber : row.hi == kBusLimit ? data.maxBusNumber : row.hi;
        const std::wstring bounds = std::to_wstring(row.lo) + L" bis " + std::to_wstring(hi);
        EXPECT_TRUE((row.lo == 0 && hi == 0) || std::wstring(syntax->ranges).find(bounds) != std::wstring::npos);
        // The separator follows the first operand: "setvar VARIABLE = WERT".
        const std::wstring text = syntax->syntax;
        const std::wstring separator{L' ', row.sep, L' '};
        EXPECT_TRUE(!row.sep || text.substr(text.find(L' ', text.find(L' ') + 1), 3) == separator) << wxString(text);
    }
}

TEST(CommandSyntax, LookupFollowsTheCompilerAndEachTipStartsWithItsSyntax) {
    // The word, its capitalised form, a prefix and a longer word: found exactly when dispatched.
    for (const CommandRow& row : kCommandTable) {
        const std::wstring word = row.word;
        const std::wstring capital = std::wstring(1, static_cast<wchar_t>(towupper(word[0]))) + word.substr(1);
        for (const std::wstring& probe : {word, capital, word.substr(0, word.size() - 1), word + L"x"}) {
            const CommandSyntax* found = FindCommandSyntax(probe);
            const bool dispatched = Compiler::FindCommand(wxString(probe).ToStdString()) != nullptr;
            EXPECT_EQ(found != nullptr, dispatched) << wxString(probe);
            EXPECT_TRUE(!found || found->word == probe) << wxString(probe);
        }
    }
    EXPECT_NE(FindCommandSyntax(L"#include"), nullptr);
    EXPECT_EQ(FindCommandSyntax(L"#Define"), nullptr);
    for (size_t i = 0; i < kCommandSyntaxRows; ++i) {
        const CommandSyntax& row = kCommandSyntax[i];
        const std::wstring word = row.word, syntax = row.syntax, tip = SyntaxTip(row);
        EXPECT_TRUE(syntax == word || syntax.rfind(word + L" ", 0) == 0) << wxString(syntax);
        EXPECT_EQ(tip.rfind(syntax + L"\n", 0), 0u) << wxString(tip);
        EXPECT_EQ(std::count(tip.begin(), tip.end(), L'\n'), *row.ranges ? 2 : 1) << wxString(tip);
    }
}

}  // namespace
