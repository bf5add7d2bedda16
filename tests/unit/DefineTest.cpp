// #define: collecting, checks, substitution (plain text, first define in table order, repeated)
// and the guard against defines that never stop expanding.
#include "CompileHelpers.h"

#include <cstdio>

using namespace tqc_test;

namespace {

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
