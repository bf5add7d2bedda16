// #define: collecting, checks, substitution (plain text, first define in table order, repeated)
// and the guard against defines that never stop expanding.
#include "CompileHelpers.h"

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
