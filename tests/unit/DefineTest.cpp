// #define: collecting, checks, substitution (plain text, first define in table order, repeated)
// and the guard against defines that never stop expanding.
#include "DriverSupport.h"

#include <cstdio>

using namespace drvtest;

namespace {

TEST(Define, CollectAndCheck) {
    RunScripts({
        {__LINE__, {"#define ;MAX 10", "#define ;MAX 20", "on ;MAX"}, "0A 00 0A", "2:Define schon definiert"},
        {__LINE__, {"#define MAX 10", "on 1"}, "0A 00 01", "1:; fehlt"},
        {__LINE__, {"#define ;MAX", "on 1"}, "0A 00 01", "1:Fehler in der Zeile "},
        {__LINE__, {"#define ; 5"}, "", "1:Fehler in der Zeile "},
        {__LINE__, {"#define ;A-B 5"}, "", "1:falsches Zeichen im Bezeichner"},
        // the character check comes before the ";" check
        {__LINE__, {"#define A-B 5"}, "", "1:falsches Zeichen im Bezeichner"},
        {__LINE__, {"#define ;a;b 1"}, "", "1:falsches Zeichen im Bezeichner"},
        {__LINE__, {"#define ;Z\xC3\xA4hler_1 5", "on ;Z\xC3\xA4hler_1"}, "0A 00 05", ""},
        {__LINE__, {"#define ;max 1", "#define ;MAX 2", "on ;MAX"}, "0A 00 02", ""},
    });
}

TEST(Define, Substitution) {
    RunScripts({
        {__LINE__, {"#define ;MAX 10", "defvar x = 0", "setvar x=;MAX"}, "01 00 00 00 01 00 00 0A", ""},
        // substitution only: setvar needs "="
        {__LINE__, {"#define ;MAX 10", "defvar x = 0", "setvar x,;MAX"}, "01 00 00 00", "3:Fehler in der Zeile"},
        {__LINE__, {"#define ;NEG -5", "defvar x = 0", "setvar x=;NEG"}, "01 00 00 00 01 00 FF FB", ""},
        // defines apply to lines above their #define
        {__LINE__, {"on ;P", "#define ;P 3"}, "0A 00 03", ""},
        // defines whose values use other defines, also defined later
        {__LINE__,
         {"#define ;A ;B+1", "#define ;B 5", "defvar x = 0", "calc x=;A"},
         "01 00 00 00 35 00 00 05 01 00 01",
         ""},
        // the value's leading blank becomes the 0x04 after "x=", which leaves an empty slot 2
        {__LINE__, {"#define ;V 5", "defvar x = 0", "x=;V"}, "01 00 00 00", "3:Parameter fehlt"},
        {__LINE__, {"#define ;A 1", "#define ;B ;A", "on ;B"}, "0A 00 01", ""},
        // the first define in table order that occurs anywhere wins
        {__LINE__, {"#define ;AB 1", "#define ;ABC 2", "on ;ABC"}, "0A 00 01", ""},
        {__LINE__, {"#define ;ABC 2", "#define ;AB 1", "on ;ABC"}, "0A 00 02", ""},
        // every occurrence, plain text (also inside quotes), blanks of the value re-normalised
        {__LINE__, {"#define ;N 1", "on ;N;N"}, "0A 00 0B", ""},
        {__LINE__, {"#define ;V 1 2", "on ;V"}, "0A 00 0C", ""},
        {__LINE__, {"#define ;X ab", "send \";X\""}, "41 03 20 61 62", ""},
        {__LINE__, {"#define ;CMD on", ";CMD 5"}, "0A 00 05", ""},
        {__LINE__, {"#define  ;A 5", "on ;A"}, "0A 00 05", ""},
    });
}

TEST(Define, TableHoldsNamesWithSemicolonAndValues) {
    Compiler c;
    Compile(c, {"#define ;A 1", "#define ;B ;A", "#define  ;C  x  y", "#define ;L " + std::string(150, 'z'),
                "#define ;A 2"});
    ASSERT_EQ(data.defineCount, 4);
    const char* names[] = {";A", ";B", ";C", ";L"};
    const std::string values[] = {" 1", " ;A", "  x  y", " " + std::string(99, 'z')};
    for (int d = 0; d < 4; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(U(data.defineName[d]), names[d]);
        EXPECT_EQ(U(data.defineValue[d]), values[d]);
    }
    EXPECT_EQ(U(data.defineName[4]), "-,,..,,..-");
    EXPECT_EQ(U(c.UserKeywords()), "A B C L");
}

TEST(Define, ExpandedLineIsNormalisedAfterTheLastRound) {
    Compiler c;
    Compile(c, {"#define ;A ;B , 1", "#define ;B x", "setvar ;A"});
    ASSERT_EQ(c.ExpandedLines().size(), 3u);
    EXPECT_EQ(Visible(c.ExpandedLines()[2]), "setvar<4>x,1");
    EXPECT_EQ(Visible(c.ExpandedLines()[0]), "#define<4>;A<3> ;B , 1");
}

// A line that never stops expanding: "Define Rekursion" on that line, written without the cap.
// The victim lines begin with "#", so their dispatch adds no error of its own.
TEST(Define, RecursionEndsWithAnErrorOnThatLine) {
    RunScripts({
        {__LINE__, {"#define ;A ;A", "#rem ;A", "on 1"}, "0A 00 01", "2:Define Rekursion"},
        {__LINE__, {"#define ;A ;B", "#define ;B ;A", "#rem ;A", "on 1"}, "0A 00 01", "3:Define Rekursion"},
        {__LINE__, {"#define ;A x;A", "#rem ;A", "on 1"}, "0A 00 01", "2:Define Rekursion"},
        // grows without end: doubles every round
        {__LINE__, {"#define ;A ;A;A", "#rem ;A", "on 1"}, "0A 00 01", "2:Define Rekursion"},
        // the line is still dispatched: "on 5;A" reads the value 5 and adds no error
        {__LINE__, {"#define ;A ;A", "on 5;A"}, "0A 00 05", "2:Define Rekursion"},
        // every such line gets its own error
        {__LINE__, {"#define ;A ;A", "#a ;A", "#b ;A", "on 1"}, "0A 00 01", "2:Define Rekursion | 3:Define Rekursion"},
    });
}

TEST(Define, RecursionErrorIgnoresTheCap) {
    std::vector<std::string> script(1000, "#define XY 1");  // 1000 capped errors before substitution
    script.push_back("#define ;A ;A");
    script.push_back("#rem ;A");
    Compiler c;
    Compile(c, script);
    EXPECT_EQ(data.errorCount, 1001);
    EXPECT_EQ(U(data.errorText[999]), "; fehlt");
    EXPECT_EQ(U(data.errorText[1001]), "Define Rekursion");
}

// `first`, then a chain of n defines, each naming the next, the last one 5.
std::vector<std::string> DefineChain(const std::string& first, int n) {
    std::vector<std::string> lines{first};
    char buf[64];
    for (int i = 1; i <= n; ++i) {
        snprintf(buf, sizeof buf, i < n ? "#define ;D%04d ;D%04d" : "#define ;D%04d 5", i, i + 1);
        lines.push_back(buf);
    }
    return lines;
}

// A chain of n defines takes n rounds: 1000 rounds are allowed, the 1001st is not.
TEST(Define, RoundLimitIsThousand) {
    RunScripts({{__LINE__, DefineChain("on ;D0001", 1000), "0A 00 05", ""},
                {__LINE__, DefineChain("#rem ;D0001", 1001), "", "1:Define Rekursion"}});
}

// A finite expansion to a long line (about 400,000 characters while expanding) is no error.
TEST(Define, LongButFiniteExpansionIsAccepted) {
    std::vector<std::string> script;
    const std::string letters = "abcdefghijklmnopq";
    for (size_t i = 0; i + 1 < letters.size(); ++i)
        script.push_back(std::string("#define ;P") + letters[i] + " ;P" + letters[i + 1] + ";P" + letters[i + 1]);
    script.push_back(std::string("#define ;P") + letters.back() + " zzzz");
    script.push_back("#rem ;Pa");
    script.push_back("on 1");
    Compiler c;
    Compile(c, script);
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Image(), "0A 00 01");
    ASSERT_EQ(c.ExpandedLines().size(), 19u);
    EXPECT_TRUE(c.ExpandedLines()[17] == W("#rem\x04" + std::string(4 * 65536, 'z')));
}

}  // namespace
