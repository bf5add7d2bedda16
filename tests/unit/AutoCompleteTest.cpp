// The editor's auto-completion list: sort order, filter words, rebuilding, and a cross-check of
// the fast prefix matching (case, duplicates, filter) against a plain scan.
#include "app/AutoComplete.h"

#include "CompileHelpers.h"

#include <algorithm>
#include <random>
#include <set>

using tqc_test::U;

namespace {

// The filter back to empty and off, as every other test expects it.
class AutoComplete : public testing::Test {
    void TearDown() override { data.autoCompFilter.clear(), data.autoCompFilterOn = 0; }
};

// Lower case is compared, so '_' lies between 'Z' and 'a'; equal but for case, upper case first;
// the Latin-1 letters come after z by their codes, and ß has no capital here.
TEST(AutoCompleteOrder, MyCompareFunction) {
    const std::vector<wxString> sorted = {L"_x", L"AB", L"ab", L"ABC", L"ABc", L"AbC", L"Abc", L"abc", L"ABD",
                                          L"alpha", L"v9", L"vA", L"Zeta", L"Zx", L"\u00DF", L"\u00E4a", L"\u00C4b",
                                          L"\u00C4rger"};
    for (size_t i = 0; i < sorted.size(); ++i)
        for (size_t j = 0; j < sorted.size(); ++j) {
            const int c = MyCompareFunction(sorted[i], sorted[j]);
            EXPECT_EQ((c > 0) - (c < 0), (i > j) - (i < j)) << U(sorted[i]) << " against " << U(sorted[j]);
        }
}

TEST(AutoCompleteFilter, FilterWords) {
    // the filter, and its words joined by '|'
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"", ""}, {L"  dout   din  ", "dout|din"},
        // a backslash before a blank keeps the blank in the word and goes itself; any other stays
        {L"dout\\ din", "dout din"}, {L"a\\  b", "a |b"}, {L"\\ ", " "}, {L"a\\", "a\\"}, {L"a\\\\ b", "a\\ b"},
        // only the blank separates; other white space belongs to the word
        {L"a\tb", "a\tb"}, {L"\u00C4pfel Birne", "\xC3\x84pfel|Birne"}};
    for (const auto& [filter, words] : rows)
        EXPECT_EQ(U(wxJoin(FilterWords(filter), '|', 0)), words) << U(filter);
}

// The matching looks only at the range the sort order puts the matches in; a plain scan over all
// names must agree for every prefix. Short names from a small alphabet share prefixes and differ
// only in case; the filter (on only at 1) holds a mark, a keyword's case variant and a prefix.
TEST_F(AutoComplete, MatchesEqualAPlainScan) {
    const std::wstring alphabet = L"aAbBzZ_0\u00E4\u00C4";
    std::mt19937 rng(4711);
    auto name = [&](size_t maxLength) {
        std::wstring s(1 + rng() % maxLength, L' ');
        for (wchar_t& c : s) c = alphabet[rng() % alphabet.size()];
        return wxString(s);
    };
    // New names, each declared by a line: variables and strings share one name space.
    std::set<wxString> names[3];
    const struct { size_t space, count, maxLength; const char *before, *after; } kinds[] = {
        {0, 200, 3, "defvar ", " = 0"}, {0, 220, 4, "defstr ", " , 5"}, {1, 150, 3, "#define ;", " 1"}, {2, 600, 4, "::", ""}};
    std::vector<std::string> script = {"defvar Dout = 0", "::Dout"};
    for (const auto& k : kinds)
        while (names[k.space].size() < k.count)
            if (const wxString n = name(k.maxLength); names[k.space].insert(n).second)
                script.push_back(k.before + U(n) + k.after);
    Compiler compiler;
    tqc_test::Compile(compiler, script);
    ASSERT_EQ(data.errorCount, 0) << "script does not compile: " << U(data.errorText[0]);
    CompletionList list;

    // The plain way: every source, sorted, filtered, every candidate tested.
    const auto lowerForm = [](const wxString& s) {
        std::wstring out = s.ToStdWstring();
        for (wchar_t& c : out) c += (c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? 32 : 0;
        return out;
    };
    data.autoCompFilter = *names[2].begin() + " Dout delay dela";
    wxString before;  // a compile or a filter change shows only after a rebuild (a key press asks)
    for (int filterOn : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "filter switch " << filterOn);
        data.autoCompFilterOn = filterOn;
        ASSERT_EQ(list.Matches(""), before);
        list.Rebuild();
        before = list.Matches("");
        std::vector<wxString> plain(data.keywordList.begin(), data.keywordList.end());
        for (const auto& [names, count] : {std::pair(data.variableName, data.variableCount),
                                           std::pair(data.stringName, data.stringCount), std::pair(data.defineName, data.defineCount),
                                           std::pair(data.jumpMarkName, data.jumpMarkCount)})
            plain.insert(plain.end(), names, names + count);
        std::sort(plain.begin(), plain.end(),
                  [](const wxString& x, const wxString& y) { return MyCompareFunction(x, y) < 0; });
        const wxArrayString words = FilterWords(data.autoCompFilter);
        if (filterOn == 1)
            plain.erase(std::remove_if(plain.begin(), plain.end(),
                                       [&](const wxString& s) { return words.Index(s, true) != wxNOT_FOUND; }),
                        plain.end());
        ASSERT_EQ(std::vector<wxString>(list.Candidates().begin(), list.Candidates().end()), plain);

        // Random prefixes, beginnings of candidates (keywords and defines too), and ones that sort
        // after every candidate.
        std::vector<wxString> prefixes = {wxString(), L"\u00FF", L"zzzzzzzz"};
        for (int i = 0; i < 300; ++i)
            prefixes.push_back(name(3)), prefixes.push_back(plain[rng() % plain.size()].Left(1 + rng() % 3));
        for (const wxString& p : prefixes) {
            std::string expected;
            const std::wstring lp = lowerForm(p);
            for (const wxString& s : plain)
                if (lowerForm(s).compare(0, lp.size(), lp) == 0) expected += U(s) + " ";
            ASSERT_EQ(U(list.Matches(p)), expected) << "prefix \"" << U(p) << "\"";
        }
    }
    tqc_test::Compile(compiler, {"defvar zweit = 0"});
    EXPECT_EQ(list.Matches(""), before);
}

}  // namespace
