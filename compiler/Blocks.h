// The blocks of a script as the compile paired them: if/else/endif, count/endcount and the key
// blocks, on the script's own lines. Folding, the partner of a block word and the language server
// take them from here, so that they never disagree with the errors the compile reports.
#pragma once

#include <wx/string.h>

#include <vector>

class Blocks {
public:
    // The kinds in the order of the compiler's balance check.
    enum Kind { Press, Push, Release, If, Count, kKinds };
    struct Block {
        Kind kind;
        int open;                  // script line (0-based) of the opening word
        std::vector<int> middles;  // lines of its accepted "else"
        int close = -1;            // line of its end word; -1 while it is open at the end
    };

    void Clear();
    // Called by the compile as it takes each block word. `depth` is the kind's depth after an
    // opening word and before an end word or an "else", as the compiler's stack holds it: a
    // depth below 1 has no open block, so that word has no partner.
    void Opened(Kind kind, int line, int depth);
    void Middle(int line, int depth, bool accepted);
    void Closed(Kind kind, int line, int depth);

    const std::vector<Block>& All() const { return blocks_; }
    // The other lines of the block a block word on `line` belongs to; false when the word on
    // that line has no partner (or the line holds no block word).
    bool Partners(int line, std::vector<int>* others) const;
    bool HasWord(int line) const;
    // The fold level of every line: how many block sections enclose it, and whether it starts
    // one. A section runs from an opening word or an "else" to the next "else" or the end word;
    // the end word's line belongs to the last section, so folding hides it too.
    struct Fold {
        int depth = 0;
        bool header = false;
    };
    std::vector<Fold> FoldLevels(int lines) const;

    // The block words by kind: opening, end (and "else" for if).
    static const wchar_t* OpenWord(Kind kind);
    static const wchar_t* EndWord(Kind kind);

private:
    static std::vector<int> Lines(const Block& block);
    const Block* BlockOf(int line) const;

    std::vector<Block> blocks_;
    std::vector<int> lonely_;          // lines of block words without a partner
    std::vector<int> openAt_[kKinds];  // block index by depth (slot 0 unused)
};
