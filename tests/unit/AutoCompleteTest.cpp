// The editor's auto-completion list: sort order, filter words, the candidates after a compile,
// and a cross-check of the fast prefix matching (case, duplicates, filter) against a plain scan.
#include "app/AutoComplete.h"

#include "CompileHelpers.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

std::string U(const wxString& text) { return std::string(text.utf8_str().data()); }

// The candidates as one text, each followed by a blank, the shape Matches returns.
std::string Joined(const wxArrayString& list) {
    std::string out;
    for (const wxString& s : list) out += U(s) + " ";
    return out;
}

int SignOf(int v) { return (v > 0) - (v < 0); }

class AutoComplete : public testing::Test {
protected:
    void SetUp() override {
        savedFilter_ = data.autoCompFilter;
        savedFilterOn_ = data.autoCompFilterOn;
        data.autoCompFilter.clear();
        data.autoCompFilterOn = 0;
    }
    void TearDown() override {
        data.autoCompFilter = savedFilter_;
        data.autoCompFilterOn = savedFilterOn_;
    }

    // Compiles the script (UTF-8 lines); the test stops when it has errors, since every test
    // here needs the names it declares.
    static void CompileOk(const std::vector<std::string>& lines) {
        Compiler c;
        tqc_test::CompileInto(c, lines);
        ASSERT_EQ(data.errorCount, 0) << "script does not compile: " << U(data.errorText[0]);
    }

    CompletionList list_;

private:
    wxString savedFilter_;
    int savedFilterOn_ = 0;
};

TEST(AutoCompleteOrder, MyCompareFunction) {
    struct Row {
        int line;
        const wchar_t* first;
        const wchar_t* second;
        int sign;
    };
    const Row rows[] = {
        {__LINE__, L"abc", L"abc", 0},
        // equal but for case: upper case first, decided at the first difference
        {__LINE__, L"Abc", L"abc", -1},
        {__LINE__, L"ABc", L"AbC", -1},
        // different without case: the case does not count ("ABD" < "abc" by character codes)
        {__LINE__, L"abc", L"ABD", -1},
        {__LINE__, L"Zeta", L"alpha", 1},
        // a shorter text that begins the other comes first, whatever the case
        {__LINE__, L"ABC", L"ab", 1},
        {__LINE__, L"AB", L"abc", -1},
        // lower case, not upper case, is compared: '_' lies between 'Z' and 'a'
        {__LINE__, L"_x", L"Ax", -1},
        {__LINE__, L"Zx", L"_x", 1},
        // digits before letters
        {__LINE__, L"v9", L"vA", -1},
        // Latin-1 letters: case-insensitive as well, after z by their codes
        {__LINE__, L"\u00C4b", L"\u00E4a", 1},
        {__LINE__, L"\u00C4rger", L"Zeta", 1},
        {__LINE__, L"\u00DF", L"\u00E4", -1},  // ß has no capital here; it sorts by its code
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "table row at line " << r.line);
        EXPECT_EQ(SignOf(MyCompareFunction(r.first, r.second)), r.sign);
        EXPECT_EQ(SignOf(MyCompareFunction(r.second, r.first)), -r.sign);
    }
}

TEST(AutoCompleteFilter, FilterWords) {
    struct Row {
        int line;
        const wchar_t* filter;
        const char* words;  // joined by '|'
    };
    const Row rows[] = {
        {__LINE__, L"", ""},
        {__LINE__, L"  dout   din  ", "dout|din"},
        // a backslash before a blank keeps the blank in the word and goes itself
        {__LINE__, L"dout\\ din", "dout din"},
        {__LINE__, L"a\\  b", "a |b"},
        {__LINE__, L"\\ ", " "},
        // any other backslash stays
        {__LINE__, L"a\\", "a\\"},
        {__LINE__, L"a\\\\ b", "a\\ b"},
        // only the blank separates; other white space belongs to the word
        {__LINE__, L"a\tb", "a\tb"},
        {__LINE__, L"\u00C4pfel Birne", "\xC3\x84pfel|Birne"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "table row at line " << r.line);
        const wxArrayString words = FilterWords(r.filter);
        std::string joined;
        for (size_t i = 0; i < words.size(); ++i) joined += (i ? "|" : "") + U(words[i]);
        EXPECT_EQ(joined, r.words);
    }
}

TEST_F(AutoComplete, BuiltOnceNotPerKey) {
    CompileOk({"defvar erst = 0"});
    EXPECT_TRUE(list_.Candidates().empty());  // nothing before the first rebuild
    EXPECT_EQ(U(list_.Matches("")), "");
    data.autoCompFilter = "erst";
    data.autoCompFilterOn = 0;
    list_.Rebuild();
    const std::string before = Joined(list_.Candidates());

    // Neither a compile nor a filter change reaches the list until it is rebuilt.
    CompileOk({"defvar zweit = 0"});
    data.autoCompFilterOn = 1;
    EXPECT_EQ(Joined(list_.Candidates()), before);
    EXPECT_EQ(U(list_.Matches("er")), "erst ");
    EXPECT_EQ(U(list_.Matches("zw")), "");

    list_.Rebuild();
    EXPECT_EQ(U(list_.Matches("er")), "");
    EXPECT_EQ(U(list_.Matches("zw")), "zweit ");
}

TEST_F(AutoComplete, FilterWordsMatchExactly) {
    CompileOk({"defvar Dout = 0", "defvar delay2 = 0", "::din"});
    struct Row {
        int line;
        const char* filter;
        int on;
        const char* matches;  // for the prefix "d"
    };
    const Row rows[] = {
        {__LINE__, "", 1, "defstr defvar delay delay2 delstrpos din din Dout dout "},
        // case-sensitive; every name equal to a word goes, the mark din with the keyword
        {__LINE__, "Dout din", 1, "defstr defvar delay delay2 delstrpos dout "},
        {__LINE__, "Dout din", 2, "defstr defvar delay delay2 delstrpos din din Dout dout "},  // only 1 is on
        // whole names: neither a prefix nor a longer word removes anything
        {__LINE__, "dela delay23 de", 1, "defstr defvar delay delay2 delstrpos din din Dout dout "},
        {__LINE__, "delay", 1, "defstr defvar delay2 delstrpos din din Dout dout "},
        // an escaped blank joins two words into one that equals no name
        {__LINE__, "dout\\ din", 1, "defstr defvar delay delay2 delstrpos din din Dout dout "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "table row at line " << r.line);
        data.autoCompFilter = r.filter;
        data.autoCompFilterOn = r.on;
        list_.Rebuild();
        EXPECT_EQ(U(list_.Matches("d")), r.matches);
    }
}

// The list holds every keyword and name of all four kinds (defines with their ';'), duplicates
// kept, sorted; the matching looks only at the range the sort order puts the matches in, so a
// plain scan over the whole list must give the same text for every prefix. Names of a few
// characters from a small alphabet make many names share prefixes, recur as variable and mark,
// and differ only in case.
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
    std::vector<std::string> script;
    // New names of up to maxLength characters, each declared by a line, until `names` holds `count`.
    auto declare = [&](std::set<wxString>& names, size_t count, size_t maxLength, const char* before, const char* after) {
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
    ASSERT_EQ(data.keywordList.size(), 62u);
    ASSERT_EQ(data.variableCount + data.stringCount, 220);
    ASSERT_EQ(data.defineCount, 150);
    ASSERT_EQ(data.jumpMarkCount, 600);
    std::vector<wxString> both;
    std::set_intersection(varsAndStrings.begin(), varsAndStrings.end(), marks.begin(), marks.end(), std::back_inserter(both));
    ASSERT_FALSE(both.empty());

    // The plain way: every source, sorted, filtered, every candidate tested.
    auto lowerForm = [](const wxString& s) {
        std::wstring out;
        for (const wchar_t c : s.ToStdWstring())
            out += (c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? wchar_t(c + 32) : c;
        return out;
    };
    data.autoCompFilter = *marks.begin() + " " + *varsAndStrings.rbegin() + " delay";
    for (int filterOn : {0, 1}) {
        SCOPED_TRACE(filterOn ? "filter on" : "filter off");
        data.autoCompFilterOn = filterOn;
        list_.Rebuild();

        std::vector<wxString> plain(data.keywordList.begin(), data.keywordList.end());
        for (int i = 0; i < data.variableCount; ++i) plain.push_back(data.variableName[i]);
        for (int i = 0; i < data.stringCount; ++i) plain.push_back(data.stringName[i]);
        for (int i = 0; i < data.defineCount; ++i) plain.push_back(data.defineName[i]);
        for (int i = 0; i < data.jumpMarkCount; ++i) plain.push_back(data.jumpMarkName[i]);
        std::sort(plain.begin(), plain.end(), [](const wxString& x, const wxString& y) { return MyCompareFunction(x, y) < 0; });
        if (filterOn) {
            const wxArrayString words = FilterWords(data.autoCompFilter);
            plain.erase(std::remove_if(plain.begin(), plain.end(), [&](const wxString& s) { return words.Index(s, true) != wxNOT_FOUND; }),
                        plain.end());
        }
        std::string plainAll;
        for (const wxString& s : plain) plainAll += U(s) + " ";
        ASSERT_EQ(Joined(list_.Candidates()), plainAll);

        std::vector<wxString> prefixes = {wxString()};
        for (const wchar_t a : alphabet) {
            prefixes.push_back(wxString(a));
            for (const wchar_t b : alphabet) prefixes.push_back(wxString(a) + b);
        }
        for (int i = 0; i < 200; ++i) prefixes.push_back(name(4));
        for (const wxString p : {L";", L";a", L";\u00C4b", L"s", L"SET", L"d", L"\u00FF", L"zzzzzzzz"}) prefixes.push_back(p);
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
