// #define: collecting, checks, substitution (plain text, first define in table order, repeated)
// and the guard against defines that never stop expanding.
#include "CompileHelpers.h"

#include <cstdio>

using namespace tqc_test;

namespace {

// The errors of a define line without a value end in a blank; the character check comes before
// the ";" check; names are case-sensitive.
TEST(Define, CollectAndCheck) {
    ExpectSteps({{"#define ;MAX 10", "-"}, {"#define ;MAX 20", "!Define schon definiert"}, {"on ;MAX", "0A 00 0A"},
                 {"#define MAX 10", "!; fehlt"}, {"#define ;MAY", "!Fehler in der Zeile "},
                 {"#define ; 5", "!Fehler in der Zeile "}, {"#define ;A-B 5", "!falsches Zeichen im Bezeichner"},
                 {"#define A-B 5", "!falsches Zeichen im Bezeichner"},
                 {"#define ;a;b 1", "!falsches Zeichen im Bezeichner"}, {"#define ;Z\xC3\xA4hler_1 5", "-"},
                 {"on ;Z\xC3\xA4hler_1", "0A 00 05"}, {"#define ;max 1", "-"}, {"on ;max", "0A 00 01"}});
}

TEST(Define, Substitution) {
    // substitution only: setvar still needs "="
    ExpectSteps({{"#define ;MAX 10", "-"}, {"#define ;NEG -5", "-"}, {"defvar x = 0", "01 00 00 00"},
                 {"setvar x=;MAX", "01 00 00 0A"}, {"setvar x,;MAX", "!line"}, {"setvar x=;NEG", "01 00 FF FB"}});
    // values that use other defines, also defined later; the value's leading blank becomes the
    // 0x04 after "x=", which leaves an empty slot 2
    ExpectSteps({{"#define ;A 1", "-"}, {"#define ;B ;A", "-"}, {"on ;B", "0A 00 01"}, {"#define ;V 5", "-"},
                 {"defvar x = 0", "01 00 00 00"}, {"x=;V", "!missing"}, {"#define ;C ;D+1", "-"}, {"#define ;D 5", "-"},
                 {"calc x=;C", "35 00 00 05 01 00 01"}});
    // the first define in table order that occurs anywhere wins
    ExpectSteps({{"#define ;AB 1", "-"}, {"#define ;ABC 2", "-"}, {"on ;ABC", "0A 00 01"}});
    ExpectSteps({{"#define ;ABC 2", "-"}, {"#define ;AB 1", "-"}, {"on ;ABC", "0A 00 02"}});
    // lines above their #define too, every occurrence, plain text (also inside quotes), the blanks
    // of the value normalised again
    ExpectSteps({{"on ;P", "0A 00 03"}, {"#define ;P 3", "-"}, {"#define ;N 1", "-"}, {"on ;N;N", "0A 00 0B"},
                 {"#define ;W 1 2", "-"}, {"on ;W", "0A 00 0C"}, {"#define ;X ab", "-"},
                 {"send \";X\"", "41 03 20 61 62"}, {"#define ;CMD on", "-"}, {";CMD 5", "0A 00 05"},
                 {"#define  ;Q 5", "-"}, {"on ;Q", "0A 00 05"}});
}

TEST(Define, TableHoldsNamesWithSemicolonAndValues) {
    Compiler c;
    Compile(c, {"#define ;A 1", "#define ;B ;A", "#define  ;C  x  y", "#define ;L " + std::string(150, 'z'),
                "#define ;A 2"});
    std::string table;
    for (int d = 0; d < 5; ++d) table += U(data.defineName[d]) + "=" + U(data.defineValue[d]) + "|";
    EXPECT_EQ(table, ";A= 1|;B= ;A|;C=  x  y|;L= " + std::string(99, 'z') + "|-,,..,,..-=|");
    EXPECT_EQ(data.defineCount, 4);
    EXPECT_EQ(U(c.UserKeywords()), "A B C L");

    // the expanded line is normalised after the last round
    Compile(c, {"#define ;A ;B , 1", "#define ;B x", "setvar ;A"});
    ASSERT_EQ(c.ExpandedLines().size(), 3u);
    EXPECT_EQ(Visible(c.ExpandedLines()[2]), "setvar<4>x,1");
    EXPECT_EQ(Visible(c.ExpandedLines()[0]), "#define<4>;A<3> ;B , 1");
}

// A line that never stops expanding: "Define Rekursion" on that line, written without the cap.
// The victim lines begin with "#", so their dispatch adds no error of its own.
TEST(Define, RecursionEndsWithAnErrorOnThatLine) {
    // every such line gets its own error; "on 5;A" is still dispatched and reads the value 5
    ExpectSteps({{"#define ;A ;A", "-"}, {"#rem ;A", "!Define Rekursion"}, {"on 5;A", "0A 00 05 !Define Rekursion"},
                 {"#b ;A", "!Define Rekursion"}, {"on 1", "0A 00 01"}});
    ExpectSteps({{"#define ;A ;B", "-"}, {"#define ;B ;A", "-"}, {"#rem ;A", "!Define Rekursion"},
                 {"on 1", "0A 00 01"}});
    ExpectSteps({{"#define ;A x;A", "-"}, {"#rem ;A", "!Define Rekursion"}, {"on 1", "0A 00 01"}});
    // grows without end: doubles every round
    ExpectSteps({{"#define ;A ;A;A", "-"}, {"#rem ;A", "!Define Rekursion"}, {"on 1", "0A 00 01"}});

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
    Compiler c;
    Compile(c, DefineChain("on ;D0001", 1000));
    EXPECT_EQ(Errors() + "|" + Image(), "|0A 00 05");
    Compile(c, DefineChain("#rem ;D0001", 1001));
    EXPECT_EQ(Errors() + "|" + Image(), "1:Define Rekursion|");
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
    EXPECT_EQ(Errors() + "|" + Image(), "|0A 00 01");
    ASSERT_EQ(c.ExpandedLines().size(), 19u);
    EXPECT_TRUE(c.ExpandedLines()[17] == W("#rem\x04" + std::string(4 * 65536, 'z')));
}

}  // namespace
