#include "compiler/Blocks.h"

#include <algorithm>

namespace {

struct Words {
    const wchar_t* open;
    const wchar_t* end;
};
constexpr Words kWords[Blocks::kKinds] = {{L"press", L"endpress"},
                                          {L"push", L"endpush"},
                                          {L"release", L"endrelease"},
                                          {L"if", L"endif"},
                                          {L"count", L"endcount"}};

}  // namespace

const wchar_t* Blocks::OpenWord(Kind kind) { return kWords[kind].open; }
const wchar_t* Blocks::EndWord(Kind kind) { return kWords[kind].end; }

void Blocks::Clear() {
    blocks_.clear();
    lonely_.clear();
    for (std::vector<int>& open : openAt_) open.clear();
}

void Blocks::Opened(Kind kind, int line, int depth) {
    if (depth < 1) return lonely_.push_back(line);  // after a surplus end: no end will ever pair with it
    std::vector<int>& open = openAt_[kind];
    if (static_cast<int>(open.size()) <= depth) open.resize(static_cast<size_t>(depth) + 1, -1);
    open[static_cast<size_t>(depth)] = static_cast<int>(blocks_.size());
    blocks_.push_back({kind, line, {}, -1});
}

void Blocks::Middle(int line, int depth, bool accepted) {
    const std::vector<int>& open = openAt_[If];
    if (!accepted || depth < 1 || depth >= static_cast<int>(open.size()) || open[static_cast<size_t>(depth)] < 0)
        return lonely_.push_back(line);
    blocks_[static_cast<size_t>(open[static_cast<size_t>(depth)])].middles.push_back(line);
}

void Blocks::Closed(Kind kind, int line, int depth) {
    std::vector<int>& open = openAt_[kind];
    if (depth < 1 || depth >= static_cast<int>(open.size()) || open[static_cast<size_t>(depth)] < 0)
        return lonely_.push_back(line);
    blocks_[static_cast<size_t>(open[static_cast<size_t>(depth)])].close = line;
    open[static_cast<size_t>(depth)] = -1;
}

std::vector<int> Blocks::Lines(const Block& block) {
    std::vector<int> lines{block.open};
    lines.insert(lines.end(), block.middles.begin(), block.middles.end());
    if (block.close >= 0) lines.push_back(block.close);
    return lines;
}

const Blocks::Block* Blocks::BlockOf(int line) const {
    for (const Block& block : blocks_)
        if (block.open == line || block.close == line ||
            std::find(block.middles.begin(), block.middles.end(), line) != block.middles.end())
            return &block;
    return nullptr;
}

bool Blocks::HasWord(int line) const {
    return BlockOf(line) || std::find(lonely_.begin(), lonely_.end(), line) != lonely_.end();
}

bool Blocks::Partners(int line, std::vector<int>* others) const {
    others->clear();
    const Block* block = BlockOf(line);
    if (!block) return false;
    // The line of an #include holds every word of its file: it is no partner of itself.
    for (int other : Lines(*block))
        if (other != line) others->push_back(other);
    return !others->empty();
}

std::vector<Blocks::Fold> Blocks::FoldLevels(int lines) const {
    std::vector<Fold> folds(static_cast<size_t>(std::max(0, lines)));
    std::vector<int> change(folds.size() + 1, 0);
    for (const Block& block : blocks_) {
        if (block.close < 0) continue;  // an open block has no end to fold to
        std::vector<int> starts{block.open};
        starts.insert(starts.end(), block.middles.begin(), block.middles.end());
        for (size_t s = 0; s < starts.size(); ++s) {
            const int from = starts[s], to = s + 1 < starts.size() ? starts[s + 1] - 1 : block.close;
            if (to <= from || from < 0 || to >= lines) continue;  // nothing to hide (an include's own block)
            folds[static_cast<size_t>(from)].header = true;
            ++change[static_cast<size_t>(from) + 1];
            --change[static_cast<size_t>(to) + 1];
        }
    }
    int depth = 0;
    for (size_t line = 0; line < folds.size(); ++line) folds[line].depth = depth += change[line];
    return folds;
}
