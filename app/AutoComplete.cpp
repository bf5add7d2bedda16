#include "app/AutoComplete.h"

#include "compiler/commands/CommandSyntax.h"

#include "compiler/Data.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

namespace {

std::wstring_view View(const wxString& text) { return {text.wc_str(), text.length()}; }

// A-Z and the Latin-1 capitals À-Þ (without ×) by table, so that the order and the matching do
// not depend on the locale; the compiler keeps names in Latin-1, so only a typed prefix can
// hold anything beyond, and that goes to the C library.
wchar_t LowerChar(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : static_cast<wchar_t>(c + 32);
    if (c <= 0xFF) return c;
    return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

std::wstring LowerForm(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) c = LowerChar(c);
    return lower;
}

int Sign(int value) { return (value > 0) - (value < 0); }

template <size_t N>
void AddNames(std::vector<const wxString*>& to, const wxString (&names)[N], int count) {
    const int n = std::clamp(count, 0, static_cast<int>(N));
    for (int i = 0; i < n; ++i) to.push_back(&names[i]);
}

}  // namespace

int MyCompareFunction(const wxString& first, const wxString& second) {
    const std::wstring_view a = View(first);
    const std::wstring_view b = View(second);
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const wchar_t la = LowerChar(a[i]);
        const wchar_t lb = LowerChar(b[i]);
        if (la != lb) return la < lb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return Sign(a.compare(b));
}

wxArrayString FilterWords(const wxString& filter) {
    wxArrayString words;
    std::wstring word;
    bool afterBackslash = false;
    for (const wchar_t c : View(filter)) {
        if (c == L' ' && afterBackslash) {
            word.back() = L' ';
        } else if (c == L' ') {
            if (!word.empty()) words.Add(wxString(word));
            word.clear();
        } else {
            word += c;
        }
        afterBackslash = c == L'\\';
    }
    if (!word.empty()) words.Add(wxString(word));
    return words;
}

void CompletionList::Rebuild() {
    // The command words come from the syntax rows, the one list of what the language knows.
    static const std::vector<wxString> commands = [] {
        std::vector<wxString> words;
        for (size_t i = 0; i < kCommandSyntaxRows; ++i) words.emplace_back(kCommandSyntax[i].word);
        return words;
    }();
    std::vector<const wxString*> names;
    names.reserve(commands.size() + data.variableCount + data.stringCount + data.defineCount + data.jumpMarkCount);
    for (const wxString& keyword : commands) names.push_back(&keyword);
    AddNames(names, data.variableName, data.variableCount);
    AddNames(names, data.stringName, data.stringCount);
    AddNames(names, data.defineName, data.defineCount);
    AddNames(names, data.jumpMarkName, data.jumpMarkCount);

    // Removing after the sort or before it leaves the same list; before it, there is less to sort.
    if (data.autoCompFilterOn == 1) {
        std::vector<std::wstring_view> words;
        const wxArrayString filterWords = FilterWords(data.autoCompFilter);
        for (const wxString& w : filterWords) words.push_back(View(w));
        std::sort(words.begin(), words.end());
        names.erase(std::remove_if(names.begin(), names.end(),
                                   [&](const wxString* name) {
                                       return std::binary_search(words.begin(), words.end(), View(*name));
                                   }),
                    names.end());
    }

    candidates_.clear();
    all_.Build(names, &candidates_);
    // The marks the filter left, for the word after a jump.
    std::vector<const wxString*> marks;
    const auto* firstMark = std::begin(data.jumpMarkName);
    for (const wxString* name : names)
        if (name >= firstMark && name < std::end(data.jumpMarkName)) marks.push_back(name);
    marks_.Build(marks, nullptr);
}

void CompletionList::Sorted::Build(const std::vector<const wxString*>& names, wxArrayString* into) {
    // The lower-case form first, the name itself second: the order of MyCompareFunction, with
    // each lower-case form made once instead of at every comparison.
    struct Entry {
        std::wstring lower;
        const wxString* name;
    };
    std::vector<Entry> entries;
    entries.reserve(names.size());
    for (const wxString* name : names) entries.push_back({LowerForm(View(*name)), name});
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int byLower = a.lower.compare(b.lower);
        return byLower != 0 ? byLower < 0 : View(*a.name) < View(*b.name);
    });

    if (into) into->reserve(entries.size());
    lower.clear();
    lower.reserve(entries.size());
    offset.assign(1, 0);
    offset.reserve(entries.size() + 1);
    joined.clear();
    for (Entry& e : entries) {
        if (into) into->push_back(*e.name);
        joined.append(View(*e.name));
        joined += L' ';
        offset.push_back(joined.size());
        lower.push_back(std::move(e.lower));
    }
}

wxString CompletionList::Matches(const wxString& prefix, bool marksOnly) const {
    return (marksOnly ? marks_ : all_).Matches(prefix);
}

wxString CompletionList::Sorted::Matches(const wxString& prefix) const {
    if (lower.empty()) return wxString();
    const std::wstring p = LowerForm(View(prefix));
    const auto begin = std::lower_bound(lower.begin(), lower.end(), p);
    const auto end =
        std::partition_point(begin, lower.end(), [&](const std::wstring& l) { return l.compare(0, p.size(), p) == 0; });
    const size_t from = offset[begin - lower.begin()];
    const size_t to = offset[end - lower.begin()];
    return wxString(joined.data() + from, to - from);
}
