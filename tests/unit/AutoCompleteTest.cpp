// The editor's auto-completion list: sort order, filter words, rebuilding, and a cross-check of
// the fast prefix matching (case, duplicates, filter) against a plain scan.
#include "app/AutoComplete.h"

#include "CompileHelpers.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <set>

using tqc_test::U;

namespace {

// The candidates as one text, each followed by a blank, the shape Matches returns.
std::string Joined(const std::vector<wxString>& list) {
    std::string out;
    for (const wxString& s : list) out += U(s) + " ";
    return out;
}

class AutoComplete : public testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override { data.autoCompFilter.clear(), data.autoCompFilterOn = 0; }
    // Every test here needs the names its script declares.
    static void CompileOk(const std::vector<std::string>& lines) {
        Compiler c;
        tqc_test::Compile(c, lines);
        ASSERT_EQ(data.errorCount, 0) << "script does not compile: " << U(data.errorText[0]);
    }
    CompletionList list_;
};

TEST(AutoCompleteOrder, MyCompareFunction) {
    const struct {
        int line;
        const wchar_t *first, *second;
        int sign;
    } rows[] = {
        // equal but for case: upper case first, decided at the first difference
        {__LINE__, L"abc", L"abc", 0}, {__LINE__, L"Abc", L"abc", -1}, {__LINE__, L"ABc", L"AbC", -1},
        // different without case: the case does not count ("ABD" < "abc" by character codes)
        {__LINE__, L"abc", L"ABD", -1}, {__LINE__, L"Zeta", L"alpha", 1},
        // a shorter text that begins the other comes first, whatever the case
        {__LINE__, L"ABC", L"ab", 1}, {__LINE__, L"AB", L"abc", -1},
        // lower case, not upper case, is compared: '_' lies between 'Z' and 'a'; digits before letters
        {__LINE__, L"_x", L"Ax", -1}, {__LINE__, L"Zx", L"_x", 1}, {__LINE__, L"v9", L"vA", -1},
        // Latin-1 letters: case-insensitive as well, after z by their codes; ß has no capital here
        {__LINE__, L"\u00C4b", L"\u00E4a", 1}, {__LINE__, L"\u00C4rger", L"Zeta", 1},
        {__LINE__, L"\u00DF", L"\u00E4", -1},
    };
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "table row at line " << r.line);
        EXPECT_EQ(sign(MyCompareFunction(r.first, r.second)), r.sign);
        EXPECT_EQ(sign(MyCompareFunction(r.second, r.first)), -r.sign);
    }
}

TEST(AutoCompleteFilter, FilterWords) {
    const struct {
        int line;
        const wchar_t* filter;
        const char* words;  // joined by '|'
    } rows[] = {
        {__LINE__, L"", ""}, {__LINE__, L"  dout   din  ", "dout|din"},
        // a backslash before a blank keeps the blank in the word and goes itself; any other stays
        {__LINE__, L"dout\\ din", "dout din"}, {__LINE__, L"a\\  b", "a |b"}, {__LINE__, L"\\ ", " "},
        {__LINE__, L"a\\", "a\\"}, {__LINE__, L"a\\\\ b", "a\\ b"},
        // only the blank separates; other white space belongs to the word
        {__LINE__, L"a\tb", "a\tb"}, {__LINE__, L"\u00C4pfel Birne", "\xC3\x84pfel|Birne"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "table row at line " << r.line);
        EXPECT_EQ(U(wxJoin(FilterWords(r.filter), '|', 0)), r.words);
    }
}

TEST_F(AutoComplete, BuiltOnceNotPerKey) {
    CompileOk({"defvar erst = 0"});
    EXPECT_TRUE(list_.Candidates().empty());  // nothing before the first rebuild
    EXPECT_EQ(U(list_.Matches("")), "");
    data.autoCompFilter = "erst";
    list_.Rebuild();
    const wxArrayString before = list_.Candidates();

    // Neither a compile nor a filter change reaches the list until it is rebuilt.
    CompileOk({"defvar zweit = 0"});
    data.autoCompFilterOn = 1;
    EXPECT_EQ(list_.Candidates(), before);
    EXPECT_EQ(U(list_.Matches("er") + "|" + list_.Matches("zw")), "erst |");
    list_.Rebuild();
    EXPECT_EQ(U(list_.Matches("er") + "|" + list_.Matches("zw")), "|zweit ");
}

// The list holds every keyword and name of all four kinds (defines with their ';'), duplicates
// kept, sorted; the matching looks only at the range the sort order puts the matches in, so a
// plain scan over the whole list must give the same text for every prefix. Names of a few
// characters from a small alphabet make many names share prefixes, recur as variable and mark,
// and differ only in case. The filter holds such a name, a variable that is a mark too and
// differs from the keyword dout only in case, a keyword, and a prefix of one; only 1 turns it on.
TEST_F(AutoComplete, MatchesEqualAPlainScan) {
    const std::wstring alphabet = L"aAbBzZ_0\u00E4\u00C4";
    std::mt19937 rng(4711);
    auto name = [&](size_t maxLength) {
        std::wstring s;
        const size_t length = 1 + rng() % maxLength;
        while (s.size() < length) s += alphabet[rng() % alphabet.size()];
        return wxString(s);
    };
    std::set<wxString> varsAndStrings, defines, marks;
    std::vector<std::string> script = {"defvar Dout = 0", "::Dout"};
    // New names of up to maxLength characters, each declared by a line, until `names` holds `count`.
    auto declare = [&](std::set<wxString>& names, size_t count, size_t maxLength, const char* before,
                       const char* after) {
        while (names.size() < count) {
            const wxString n = name(maxLength);
            if (names.insert(n).second) script.push_back(before + U(n) + after);
        }
    };
    declare(varsAndStrings, 200, 3, "defvar ", " = 0");
    declare(varsAndStrings, 220, 4, "defstr ", " , 5");
    declare(defines, 150, 3, "#define ;", " 1");
    declare(marks, 600, 4, "::", "");
    CompileOk(script);
    std::vector<wxString> both;
    std::set_intersection(varsAndStrings.begin(), varsAndStrings.end(), marks.begin(), marks.end(),
                          std::back_inserter(both));
    ASSERT_FALSE(both.empty());

    // The plain way: every source, sorted, filtered, every candidate tested.
    auto lowerForm = [](const wxString& s) {
        std::wstring out;
        for (const wchar_t c : s.ToStdWstring())
            out += (c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? wchar_t(c + 32) : c;
        return out;
    };
    data.autoCompFilter = both.front() + " Dout delay dela";
    for (int filterOn : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "filter switch " << filterOn);
        data.autoCompFilterOn = filterOn;
        list_.Rebuild();

        std::vector<wxString> plain(data.keywordList.begin(), data.keywordList.end());
        for (int i = 0; i < data.variableCount; ++i) plain.push_back(data.variableName[i]);
        for (int i = 0; i < data.stringCount; ++i) plain.push_back(data.stringName[i]);
        for (int i = 0; i < data.defineCount; ++i) plain.push_back(data.defineName[i]);
        for (int i = 0; i < data.jumpMarkCount; ++i) plain.push_back(data.jumpMarkName[i]);
        std::sort(plain.begin(), plain.end(),
                  [](const wxString& x, const wxString& y) { return MyCompareFunction(x, y) < 0; });
        const wxArrayString words = FilterWords(data.autoCompFilter);
        if (filterOn == 1)
            plain.erase(std::remove_if(plain.begin(), plain.end(),
                                       [&](const wxString& s) { return words.Index(s, true) != wxNOT_FOUND; }),
                        plain.end());
        ASSERT_EQ(Joined({list_.Candidates().begin(), list_.Candidates().end()}), Joined(plain));

        std::vector<wxString> prefixes = {wxString()};
        for (const wchar_t a : alphabet) {
            prefixes.push_back(wxString(a));
            for (const wchar_t b : alphabet) prefixes.push_back(wxString(a) + b);
        }
        for (int i = 0; i < 200; ++i) prefixes.push_back(name(4));
        for (const wxString p : {L";", L";a", L";\u00C4b", L"s", L"SET", L"d", L"dout", L"\u00FF", L"zzzzzzzz"})
            prefixes.push_back(p);
        for (const wxString& p : prefixes) {
            std::string expected;
            const std::wstring lp = lowerForm(p);
            for (const wxString& s : plain)
                if (lowerForm(s).compare(0, lp.size(), lp) == 0) expected += U(s) + " ";
            ASSERT_EQ(U(list_.Matches(p)), expected) << "prefix \"" << U(p) << "\"";
        }
    }
}

}  // namespace
