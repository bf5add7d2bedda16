// Define substitution: every line, every round, the first define in table order that occurs
// anywhere in the line is replaced everywhere in it. A trie over the names finds that define
// by walking from each ';' of the line (every name begins with ';'), instead of searching the
// line for each of up to 2000 names.
#include "compiler/Compiler.h"

#include <algorithm>
#include <climits>
#include <cstring>
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
        const char* begin = text.data();
        const char* end = begin + text.size();
        for (const char* at = static_cast<const char*>(memchr(begin, ';', text.size())); at;
             at = static_cast<const char*>(memchr(at + 1, ';', end - at - 1))) {
            const size_t start = at - begin;
            int node = 0;
            for (size_t i = start; i < text.size(); ++i) {
                const auto it = children_.find(Key(node, text[i]));
                if (it == children_.end()) break;
                node = it->second;
                if (terminal_[node] >= 0 && terminal_[node] < best) best = terminal_[node];
            }
            if (best == 0) break;  // nothing comes before the first define
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

// Builds the result in `out` and swaps it in, so both buffers keep their capacity for the next round.
void ReplaceAll(std::string& text, const std::string& name, const std::string& value, std::string& out) {
    out.clear();
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
    // The result depends on the line's text alone, so equal lines are expanded once.
    struct Expansion {
        LineRef line;
        const wchar_t* error;
    };
    // Keyed by the original line's place in the store, which stays valid as the store grows.
    const auto text = [this](const LineRef& r) { return std::string_view(text_.At(r.offset), r.length); };
    const auto hash = [&text](const LineRef& r) { return std::hash<std::string_view>()(text(r)); };
    const auto equal = [&text](const LineRef& a, const LineRef& b) { return text(a) == text(b); };
    std::unordered_map<LineRef, Expansion, decltype(hash), decltype(equal)> done(64, hash, equal);
    std::string work, formatted, scratch;
    bool storeFull = false;
    for (int i = 0; i < data.lineCount; ++i) {
        const std::string_view line = LineText(i);
        // Every define name begins with ';', so a line without one has nothing to replace.
        if (refused_[i] || line.find(';') == std::string_view::npos || line.find("#define") != std::string_view::npos)
            continue;
        const LineRef original = lines_[i];
        if (const auto it = done.find(original); it != done.end()) {
            lines_[i] = it->second.line;
            if (it->second.error) ErrorDirect(i, it->second.error);
            continue;
        }
        work.assign(line.data(), line.size());
        if (storeFull && trie.FirstIn(work) >= 0) {
            // Once the expanded text has outgrown the store, every further expansion is refused.
            refused_[i] = 1;
            ErrorDirect(i, msg::TextTooLarge);
            continue;
        }
        const wchar_t* error = nullptr;
        int rounds = 0;
        for (int d = trie.FirstIn(work); d >= 0; d = trie.FirstIn(work)) {
            if (rounds == kMaxRounds) {
                error = msg::DefineRecursion;
                break;
            }
            ReplaceAll(work, names[d], values[d], scratch);
            if (work.find('\x04') != std::string::npos) std::replace(work.begin(), work.end(), '\x04', ' ');
            ++rounds;
            if (work.size() > kMaxExpandedLength) {
                // The line keeps the text it has reached and is compiled with the error.
                error = msg::DefineRecursion;
                break;
            }
            if (text_.size() + work.size() > kMaxTextStore) break;  // refused below
        }
        if (rounds == 0) continue;
        Normalise(work.data(), work.size(), formatted);
        if (text_.size() + std::max(work.size(), formatted.size()) > kMaxTextStore) {
            // Many lines expanded to their limit would take gigabytes of memory.
            storeFull = true;
            refused_[i] = 1;
            ErrorDirect(i, msg::TextTooLarge);
            continue;
        }
        lines_[i] = {text_.Append(formatted.data(), formatted.size()), static_cast<uint32_t>(formatted.size())};
        if (error) ErrorDirect(i, error);
        done.emplace(original, Expansion{lines_[i], error});
    }
}
