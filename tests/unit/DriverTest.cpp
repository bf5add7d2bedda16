// The compile driver: line normaliser, tokenizer, operand reader, bracket notation, reset
// between compiles and the editor's names.
#include "CompileHelpers.h"

#include "compiler/NameChars.h"
#include "serial/Comport.h"

#include <functional>

using namespace tqc_test;

namespace {

// Each input through `text`, against its expected result.
void ExpectEach(const std::vector<std::pair<std::string, std::string>>& rows,
                const std::function<std::string(const std::string&)>& text) {
    for (const auto& [input, expected] : rows) EXPECT_EQ(text(input), expected) << "for " << input;
}

// The expanded lines of a one-line script, each as the normaliser left it.
TEST(Normaliser, NormalisesOneLine) {
    Compiler c;
    // (Blanks around operands and empty lines pass here in every compile case and in Reset below.)
    ExpectEach({{"\t\tsetvar x,5 // Kommentar", "setvar<4>x,5"},
                {"defvar x = 1\r\n", "defvar<4>x=1"},
                {"return", "return"},
                {"return ", "return<4>"},
                {"\t \t", ""},
                // blanks inside double quotes stay, all others go
                {"send \"a b  c\" ", "send<4>\"a b  c\""},
                {"send x \"a b\" y", "send<4>x\"a b\"y"},
                // "//" cuts the line even inside double quotes; the blank before it is inside the quote
                {"send \"a // b\"", "send<4>\"a "},
                // characters 128-255 pass, characters above 255 become '?'
                {"send \"äß\"", "send<4>\"<E4><DF>\""},
                {"send \"€ x\"", "send<4>\"? x\""},
                // defines: name, 0x03 and one blank, then the value with its blanks
                {"\t#define ;T \"a b\" // c", "#define<4>;T<3> \"a b\" "},
                {"#define ;MAX", "#define<4>;MAX"}},
               [&c](const std::string& line) {
                   Compile(c, {line});
                   return c.ExpandedLines().empty() ? std::string() : Visible(c.ExpandedLines()[0]);
               });
}

// The token slots of the first expanded line, each in brackets, trailing empty slots left out
// (scripts whose line is not rewritten by the dispatch).
TEST(Tokenizer, SplitsLinesIntoSlots) {
    ExpectEach({{"x=a+b", "[x][=][a][+][b]"},
                {"if x<=5", "[if][x][<][=][5]"},
                {"foo a!b|c&d(e)f", "[foo][a][!][b][|][c][&][d][(][e][)][f]"},
                {"foo g*h/i:j%k-l", "[foo][g][*][h][/][i][:][j][%][k][-][l]"},
                {"foo a;b.c'd?e#f$g", "[foo][a;b.c'd?e#f$g]"},
                {"setvar x,-5", "[setvar][x][,][-][5]"},
                {"send \"\"", "[send][\"][][\"]"},
                {"send \"a,b=c\"", "[send][\"][a,b=c][\"]"},
                // a word written directly before the opening quote is dropped
                {"send x\"ab\"", "[send][\"][ab][\"]"},
                {"send [03]", "[send][[03]]"},
                {"#pragma x,1", ""}},
               [](const std::string& line) {
                   Compiler c;
                   Compile(c, {line});
                   std::string out = data.lineCount == 1 ? "" : "<" + std::to_string(data.lineCount) + " lines>";
                   for (int k = 0; k < kTokenSlots; ++k) out += "[" + U(data.token[0][k]) + "]";
                   while (out.size() >= 2 && out.compare(out.size() - 2, 2, "[]") == 0) out.erase(out.size() - 2);
                   return out;
               });
}

// The operands of an "on" line, as the tokenizer splits them, read from slot 1: the value, then
// "!" and the error. (Other slots are read by the commands with more operands.)
TEST(ReadValue, ReadsConstants) {
    Compiler c;
    ExpectEach({{"0XaF", "175"},
                {"0x1G", "1"},
                {"0x", "0"},
                {"0B11", "3"},
                {"0b102", "2"},
                {"007", "7"},
                {"12ab", "12"},
                {"2147483647", "2147483647"},
                // beyond the int range: the nearest limit, never a wrapped small value
                {"2147483648", "2147483647"},
                {"4294967301", "2147483647"},
                {"0x100000005", "2147483647"},
                {"0b100000000000000000000000000000011", "2147483647"},
                {"- 12ab", "-12"},
                {"- 0x10", "0"},
                {"- 99999999999", "-2147483648"},
                {"- ", "0 !Parameter fehlt"},
                {"- x", "0 !Parameter falsch"},
                {"- -", "0 !Parameter falsch"},
                {"x", "0 !Parameter falsch"},
                {"+", "0 !Parameter falsch"},
                {"", "0 !Parameter fehlt"}},
               [&c](const std::string& operands) {
                   Compile(c, {"on " + operands});
                   data.errorText[0].clear();
                   const std::string value = std::to_string(c.ReadValue(0, 1));
                   return data.errorText[0].empty() ? value : value + " !" + U(data.errorText[0]);
               });
}

TEST(KonvertHex, ReplacesBracketGroups) {
    ExpectEach({{"[3]", "[3]"},
                {"[123]", "[123]"},
                {"[Z1]", "<00>"},
                {"[1Z]", "<01>"},
                {"A[41]B", "AAB"},
                {"[0a][0A]", "<0A><0A>"},
                {"[[41]]", "[A]"},
                {"[41][", "A["},
                {"x[41", "x[41"},
                {"[5B]41]", "[41]"},
                {"(***:BUSW)[03][02][FF][00]", "(***:BUSW)<3><02><FF><00>"}},
               [](const std::string& text) { return Visible(Comport::KonvertHex(W(text))); });
}

// The editor's word characters: exactly those a variable name takes, and the three that make a
// directive, a define use and a mark line one word. (Blanks and controls never reach a name.)
TEST(WordChars, AreTheCharactersANameTakes) {
    const wxString words = names::WordChars();
    Compiler c;
    for (unsigned code = '!'; code < 256; ++code) {
        Compile(c, {"defvar a" + U(wxString(wxUniChar(code))) + "b = 0"});
        const bool joins = code == '#' || code == ';' || code == ':';
        EXPECT_EQ(words.Find(wxUniChar(code)) != wxNOT_FOUND, joins || data.errorCount == 0) << "character " << code;
    }
}

// Each compiler keeps the text of its own compile: a second one compiling, and going, leaves
// the first's expanded lines whole.
TEST(Compilers, KeepTheirOwnExpandedLines) {
    Compiler first;
    Compile(first, {"#define ;A 7", "on ;A", "x = 2"});
    {
        Compiler second;
        Compile(second, {"off 9", "send \"abcdefgh\"", "return"});
    }
    std::string lines;
    for (const wxString& line : first.ExpandedLines()) lines += Visible(line) + "|";
    EXPECT_EQ(lines, "#define<4>;A<3> 7|on<4>7|x<4>=2|");
}

// The editor's names: variables, strings, defines without their ';', marks. (The memory summary
// is compared by GoldenTest.cpp and the CLI calls of support/cli-calls.json.)
TEST(Reset, SecondCompileShowsNothingOfTheFirst) {
    Compiler c;
    Compile(c, {"::start", "defvar a = 1", "defstr s,10", "#define ;D 5", "defvar b = 2", "defstr t,7", "foo",
                "send \"abcdefghij\"", "if a=1"});
    EXPECT_EQ(U(c.UserKeywords()), "a b s t D start");
    ASSERT_TRUE(data.errorCount > 0 && data.outputCount > 3);  // something to forget
    Compile(c, {"on ;D"});
    EXPECT_EQ(Errors(), "1:Parameter falsch");
    Compile(c, {"on 1"});
    EXPECT_EQ(Errors() + "|" + Image() + "|" + U(c.UserKeywords()), "|0A 00 01|");
    EXPECT_EQ((std::vector<int>{data.errorCount, data.variableCount, data.stringCount, data.stringMemoryUsed,
                                data.jumpMarkCount, data.defineCount}),
              std::vector<int>(6, 0));

    // a script of comments and blanks has no lines, and the open block before it is gone too
    Compile(c, {"defvar x = 0", "if x=1"});
    Compile(c, {"// Kommentar", "   ", "\t", ""});
    EXPECT_EQ(std::to_string(data.lineCount) + "|" + Errors() + "|" + std::to_string(data.variableCount), "0||0");
}

}  // namespace
