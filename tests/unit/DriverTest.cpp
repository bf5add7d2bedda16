// The compile driver: line normaliser, tokenizer, operand reader, bracket notation, shorthand
// assignments, block balance, the error cap, reset between compiles and the summary.
#include "DriverSupport.h"

#include "serial/Comport.h"

#include <climits>

using namespace drvtest;

namespace {

struct TextRow {
    int line;
    std::string input;
    std::string expected;
};

TEST(FormatText, NormalisesOneLine) {
    const TextRow rows[] = {
        {__LINE__, "\t\tsetvar x,5 // Kommentar", "setvar<4>x,5"},
        {__LINE__, "setvar  x , 5", "setvar<4>x,5"},
        {__LINE__, "on 1 2", "on<4>12"},
        {__LINE__, "defvar x = 1\r\n", "defvar<4>x=1"},
        {__LINE__, "return", "return"},
        {__LINE__, "return ", "return<4>"},
        {__LINE__, "// nur ein Kommentar", ""},
        {__LINE__, "\t \t", ""},
        {__LINE__, "", ""},
        // blanks inside double quotes stay, all others go
        {__LINE__, "send \"a b  c\" ", "send<4>\"a b  c\""},
        {__LINE__, "send x \"a b\" y", "send<4>x\"a b\"y"},
        // "//" cuts the line even inside double quotes; the blank before it is inside the quote
        {__LINE__, "send \"a // b\"", "send<4>\"a "},
        // characters 128-255 pass, characters above 255 become '?'
        {__LINE__, "send \"\xC3\xA4\xC3\x9F\"", "send<4>\"<E4><DF>\""},
        {__LINE__, "send \"\xE2\x82\xAC x\"", "send<4>\"? x\""},
        // defines: name, 0x03 and one blank, then the value with its blanks
        {__LINE__, "\t#define ;T \"a b\" // c", "#define<4>;T<3> \"a b\" "},
        {__LINE__, "#define ;MAX", "#define<4>;MAX"},
    };
    Compiler c;
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(Visible(c.FormatText(W(row.input))), row.expected);
    }
}

// Tokens of the first expanded line (scripts whose line is not rewritten by the dispatch).
TEST(Tokenizer, SplitsLinesIntoSlots) {
    const TextRow rows[] = {
        {__LINE__, "x=a+b", "[x][=][a][+][b]"},
        {__LINE__, "if x<=5", "[if][x][<][=][5]"},
        {__LINE__, "foo a!b|c&d(e)f", "[foo][a][!][b][|][c][&][d][(][e][)][f]"},
        {__LINE__, "foo g*h/i:j%k-l", "[foo][g][*][h][/][i][:][j][%][k][-][l]"},
        {__LINE__, "foo a;b.c'd?e#f$g", "[foo][a;b.c'd?e#f$g]"},
        {__LINE__, "setvar x,-5", "[setvar][x][,][-][5]"},
        {__LINE__, "send \"\"", "[send][\"][][\"]"},
        {__LINE__, "send \"a,b=c\"", "[send][\"][a,b=c][\"]"},
        // a word written directly before the opening quote is dropped
        {__LINE__, "send x\"ab\"", "[send][\"][ab][\"]"},
        {__LINE__, "send [03]", "[send][[03]]"},
        {__LINE__, "#pragma x,1", ""},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.line);
        Compiler c;
        Compile(c, {row.input});
        ASSERT_EQ(data.lineCount, 1);
        EXPECT_EQ(Tokens(0), row.expected);
    }
}

struct ValueRow {
    int line;
    std::vector<std::string> tokens;  // slot 1 onward
    int slot;
    int expected;
    std::string error;
};

TEST(ReadValue, ReadsConstants) {
    const ValueRow rows[] = {
        {__LINE__, {"0XaF"}, 1, 175, ""},
        {__LINE__, {"0x1G"}, 1, 1, ""},
        {__LINE__, {"0x"}, 1, 0, ""},
        {__LINE__, {"0B11"}, 1, 3, ""},
        {__LINE__, {"0b102"}, 1, 2, ""},
        {__LINE__, {"007"}, 1, 7, ""},
        {__LINE__, {"12ab"}, 1, 12, ""},
        {__LINE__, {"2147483647"}, 1, INT_MAX, ""},
        // beyond the int range: the nearest limit, never a wrapped small value
        {__LINE__, {"2147483648"}, 1, INT_MAX, ""},
        {__LINE__, {"4294967301"}, 1, INT_MAX, ""},
        {__LINE__, {"0x100000005"}, 1, INT_MAX, ""},
        {__LINE__, {"0b100000000000000000000000000000011"}, 1, INT_MAX, ""},
        {__LINE__, {"-", "12ab"}, 1, -12, ""},
        {__LINE__, {"-", "0x10"}, 1, 0, ""},
        {__LINE__, {"-", "99999999999"}, 1, INT_MIN, ""},
        {__LINE__, {"-", ""}, 1, 0, "Parameter fehlt"},
        {__LINE__, {"-", "x"}, 1, 0, "Parameter falsch"},
        {__LINE__, {"-", "-"}, 1, 0, "Parameter falsch"},
        {__LINE__, {"x"}, 1, 0, "Parameter falsch"},
        {__LINE__, {"+"}, 1, 0, "Parameter falsch"},
        {__LINE__, {""}, 1, 0, "Parameter fehlt"},
        {__LINE__, {"a", ",", "0x10"}, 3, 16, ""},
        // a "-" in the last slot has no number after it
        {__LINE__, {"1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "-"}, 15, 0, "Parameter fehlt"},
    };
    Compiler c;
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.line);
        for (int k = 0; k < kTokenSlots; ++k) data.token[0][k].clear();
        data.token[0][0] = "on";
        for (size_t k = 0; k < row.tokens.size(); ++k) data.token[0][k + 1] = W(row.tokens[k]);
        data.errorCount = 0;
        data.errorText[0].clear();
        EXPECT_EQ(c.ReadValue(0, row.slot), row.expected);
        EXPECT_EQ(U(data.errorText[0]), row.error);
        EXPECT_EQ(data.errorCount, row.error.empty() ? 0 : 1);
    }
}

TEST(KonvertHex, ReplacesBracketGroups) {
    const TextRow rows[] = {
        {__LINE__, "[3]", "[3]"},
        {__LINE__, "[123]", "[123]"},
        {__LINE__, "[Z1]", "<00>"},
        {__LINE__, "[1Z]", "<01>"},
        {__LINE__, "A[41]B", "AAB"},
        {__LINE__, "[0a][0A]", "<0A><0A>"},
        {__LINE__, "[[41]]", "[A]"},
        {__LINE__, "[41][", "A["},
        {__LINE__, "x[41", "x[41"},
        {__LINE__, "[5B]41]", "[41]"},
        {__LINE__, "(***:BUSW)[03][02][FF][00]", "(***:BUSW)<3><02><FF><00>"},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(Visible(Comport::KonvertHex(W(row.input))), row.expected);
    }
}

TEST(Shorthand, AssignmentsBecomeCommands) {
    RunScripts({
        {__LINE__, {"defvar x = 0", "x=5"}, "01 00 00 00 01 00 00 05", ""},
        {__LINE__, {"defvar x = 0", "x = -5"}, "01 00 00 00 01 00 FF FB", ""},
        {__LINE__,
         {"defvar x = 0", "defvar a = 1", "defvar b = 2", "x=a+b"},
         "01 00 00 00 01 01 00 01 01 02 00 02 37 00 01 01 02",
         ""},
        {__LINE__, {"defvar x = 0", "x=7*3"}, "01 00 00 00 35 00 00 07 03 00 03", ""},
        {__LINE__, {"defstr s,5", "s=\"ab\""}, "02 00 05 03 00 02 61 62", ""},
        {__LINE__, {"y=5"}, "", "1:Fehler in der Zeile"},
        {__LINE__, {"defvar x = 0", "x 5"}, "01 00 00 00", "2:Fehler in der Zeile"},
        {__LINE__, {"defvar x = 0", "X=5"}, "01 00 00 00", "2:Fehler in der Zeile"},
        {__LINE__, {"defvar x = 0", "Setvar x=1"}, "01 00 00 00", "2:Fehler in der Zeile"},
    });
}

TEST(BlockBalance, ListedAfterLineErrorsInFixedOrder) {
    Compiler c;
    Compile(c, {"defvar x = 0", "count x=1,5", "if x=1", "release 3", "push 2", "press 1", "foo", "on 1"});
    EXPECT_EQ(Errors(),
              "7:Fehler in der Zeile | 99999:Anzahl press > endpress | 99999:Anzahl push > endpush | "
              "99999:Anzahl release > endrelease | 99999:Anzahl if > endif | 99999:Anzahl count > endcount");
    EXPECT_EQ(data.errorCount, 6);
}

TEST(ErrorCap, SetErrorStopsAtThousandDirectErrorsDoNot) {
    std::vector<std::string> script(1001, "on 9999");
    script.push_back("foo");
    script.push_back("if");  // no variable: a handler error, dropped by the cap
    Compiler c;
    Compile(c, script);
    EXPECT_EQ(data.errorCount, 1001);
    EXPECT_EQ(U(data.errorText[999]), "Wert ausserhalb des Wertebereich");
    EXPECT_EQ(U(data.errorText[1000]), "");
    EXPECT_EQ(U(data.errorText[1001]), "Fehler in der Zeile");
    EXPECT_EQ(U(data.errorText[1002]), "");
    EXPECT_EQ(report::ErrorRows().size(), 1001u);
}

TEST(ErrorCap, BalanceErrorsObeyTheCap) {
    std::vector<std::string> script(1000, "on 9999");
    script.insert(script.begin(), {"defvar x = 0", "if x=1"});
    Compiler c;
    Compile(c, script);
    EXPECT_EQ(data.errorCount, 1000);
    EXPECT_EQ(U(data.errorText[kBalanceSlotFirst + 3]), "");
}

TEST(ErrorCount, LaterErrorOnALineReplacesTheTextAndBothCount) {
    Compiler c;
    Compile(c, {"defvar x = 0", "calc x=y+99999"});
    EXPECT_EQ(Errors(), "2:Wert ausserhalb des Wertebereich");
    EXPECT_EQ(data.errorCount, 2);
}

TEST(Reset, SecondCompileShowsNothingOfTheFirst) {
    Compiler c;
    Compile(c, {"defvar a = 1", "defstr s,10", "#define ;D 5", "::m", "foo", "send \"abcdefghij\"", "if a=1"});
    ASSERT_GT(data.errorCount, 0);
    ASSERT_GT(data.outputCount, 3);
    Compile(c, {"on ;D"});
    EXPECT_EQ(Errors(), "1:Parameter falsch");
    Compile(c, {"on 1"});
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Image(), "0A 00 01");
    EXPECT_EQ((std::vector<int>{data.errorCount, data.variableCount, data.stringCount, data.stringMemoryUsed,
                                data.jumpMarkCount, data.defineCount}), std::vector<int>(6, 0));
    for (int i = data.outputCount; i < 40; ++i) EXPECT_EQ(data.outputValue[i], 0) << i;
    EXPECT_EQ(U(c.UserKeywords()), "");

    // a script of comments and blanks has no lines, and the open block before it is gone too
    Compile(c, {"defvar x = 0", "if x=1"});
    Compile(c, {"// Kommentar", "   ", "\t", ""});
    EXPECT_EQ(data.lineCount, 0);
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(data.variableCount, 0);
}

TEST(Summary, NamesAndMemory) {
    Compiler c;
    Compile(c, {"::start", "defvar a = 1", "defstr s,10", "#define ;LED 5", "defvar b = 2", "defstr t,7"});
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(U(c.UserKeywords()), "a b s t LED start");
    EXPECT_EQ(U(wxJoin(c.StatusTexts(), '|')),
              "defvar: 2 / 255|defstr: 2 / 20|Speicher defstr: 17 / 1000|Speicher Programm: 14 / 32000");
}

}  // namespace
