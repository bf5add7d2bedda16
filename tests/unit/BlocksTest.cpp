// The blocks the compile pairs: which words partner, which stand alone, and the fold levels.
#include "CompileHelpers.h"

#include <sstream>

namespace {

using namespace tqc_test;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Per line: P a block word with a partner, - one without, . no block word; then each line's fold
// depth, H where a fold starts.
std::string Structure(const Blocks& blocks, int lines) {
    std::string words, folds;
    std::vector<int> others;
    for (int line = 0; line < lines; ++line)
        words += blocks.Partners(line, &others) ? 'P' : blocks.HasWord(line) ? '-' : '.';
    for (const Blocks::Fold& fold : blocks.FoldLevels(lines))
        folds += " " + std::to_string(fold.depth) + (fold.header ? "H" : "");
    return words + " |" + folds;
}

TEST(Blocks, PairsAsTheCompileDoes) {
    const struct {
        int line;
        std::string script;
        std::string expected;
    } rows[] = {
        {__LINE__, "defvar x = 0\npush 1\nif x == 0\non 1\nelse\noff 1\nendif\nendpush\n",
         ".PP.P.PP | 0 0H 1H 2 1H 2 2 1"},
        {__LINE__, "defvar r = 0\ncount r = 1 , 3\non 1\nendcount\nrelease 2\nendrelease\n", ".P.PPP | 0 0H 1 1 0H 1"},
        // A surplus end leaves the depth below 0: the next pair of its kind has no partners either.
        {__LINE__, "defvar x = 0\nendif\nif x == 0\nendif\npress 1024\nendpress\n", ".----- | 0 0 0 0 0 0"},
        // An open block, an else without if, and blocks of two kinds interleaved.
        {__LINE__, "defvar x = 0\nelse\npress 1\nif x == 0\nendpress\nendif\nif x == 1\n", ".-PPPP- | 0 0 0H 1H 2 1 0"},
        {__LINE__, "defvar x = 0\nif x == 0\nelse\nelse\nendif\n", ".PP-P | 0 0 0H 1 1"},
        {__LINE__, "defvar x = 0\nif x == 0\nif x == 1\nendif\nelse\nendif\n", ".PPPPP | 0 0H 1H 2 0H 1"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        Compiler compiler;
        const std::vector<std::string> lines = Lines(row.script);
        Compile(compiler, lines);
        EXPECT_EQ(Structure(compiler.BlockStructure(), static_cast<int>(lines.size())), row.expected);
    }
}

}  // namespace
