// Define substitution: every line, every round, the first define in table order that occurs
// anywhere in the line is replaced everywhere in it. A trie over the names finds that define
// by walking from each ';' of the line (every name begins with ';'), instead of searching the
// line for each of up to 2000 names.
#include "compiler/Compiler.h"

#include <climits>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Limits that stop a define which contains itself (directly or through others) or grows the
// line without end; real scripts stay far below both.
constexpr int kMaxRounds = 1000;
constexpr size_t kMaxExpandedLength = 1000000;

class DefineTrie {
public:
    DefineTrie() : terminal_(1, -1) {}

    void Add(const std::string& name, int index) {
        int node = 0;
        for (char c : name) {
            const auto key = Key(node, c);
            auto it = children_.find(key);
            if (it == children_.end()) {
                it = children_.emplace(key, static_cast<int>(terminal_.size())).first;
                terminal_.push_back(-1);
            }
            node = it->second;
        }
        if (terminal_[node] < 0) terminal_[node] = index;
    }

    // The lowest define index whose name occurs anywhere in text, or -1.
    int FirstIn(const std::string& text) const {
        int best = INT_MAX;
        for (size_t start = text.find(';'); start != std::string::npos; start = text.find(';', start + 1)) {
            int node = 0;
            for (size_t i = start; i < text.size(); ++i) {
                const auto it = children_.find(Key(node, text[i]));
                if (it == children_.end()) break;
                node = it->second;
                if (terminal_[node] >= 0 && terminal_[node] < best) best = terminal_[node];
            }
        }
        return best == INT_MAX ? -1 : best;
    }

private:
    static unsigned long long Key(int node, char c) {
        return (static_cast<unsigned long long>(node) << 32) | static_cast<unsigned char>(c);
    }
    std::unordered_map<unsigned long long, int> children_;
    std::vector<int> terminal_;
};

void ReplaceAll(std::string& text, const std::string& name, const std::string& value) {
    std::string out;
    out.reserve(text.size() + value.size());
    size_t from = 0;
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, from)) {
        out.append(text, from, at - from);
        out.append(value);
        from = at + name.size();
    }
    out.append(text, from, std::string::npos);
    text.swap(out);
}

}  // namespace

void Compiler::SubstituteDefines() {
    if (data.defineCount == 0) return;
    DefineTrie trie;
    std::vector<std::string> names(data.defineCount), values(data.defineCount);
    for (int d = 0; d < data.defineCount; ++d) {
        names[d] = data.defineName[d].ToStdString(wxConvISO8859_1);
        values[d] = data.defineValue[d].ToStdString(wxConvISO8859_1);
        trie.Add(names[d], d);
    }
    for (int i = 0; i < data.lineCount; ++i) {
        // Every define name begins with ';', so a line without one has nothing to replace.
        if (refused_[i] || sourceLines_[i].find(';') == std::string::npos ||
            sourceLines_[i].find("#define") != std::string::npos)
            continue;
        std::string work = sourceLines_[i];
        int rounds = 0;
        for (int d = trie.FirstIn(work); d >= 0; d = trie.FirstIn(work)) {
            if (rounds == kMaxRounds) {
                ErrorDirect(i, msg::DefineRecursion);
                break;
            }
            ReplaceAll(work, names[d], values[d]);
            for (char& c : work)
                if (c == '\x04') c = L' ';
            ++rounds;
            if (work.size() > kMaxExpandedLength) {
                // The line keeps the text it has reached and is compiled with the error.
                ErrorDirect(i, msg::DefineRecursion);
                break;
            }
        }
        if (rounds > 0) Normalise(work.data(), work.size(), sourceLines_[i]);
    }
}
