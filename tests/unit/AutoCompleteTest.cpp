// The editor's auto-completion list: sort order, filter words, the candidates after a compile,
// the prefix matching, and a cross-check of the fast matching against a plain scan.
#include "app/AutoComplete.h"

#include "compiler/Compiler.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        wxArrayString editor;
        for (const std::string& l : lines) editor.Add(wxString::FromUTF8(l.c_str()));
        Compiler c;
        c.CompileLines(editor);
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
        {__LINE__, L"", L"", 0},
        // equal but for case: upper case first
        {__LINE__, L"Abc", L"abc", -1},
        {__LINE__, L"abc", L"Abc", 1},
        {__LINE__, L"ABc", L"AbC", -1},
        {__LINE__, L"aBc", L"Abc", 1},
        // different without case: the case does not count ("ABD" < "abc" by character codes)
        {__LINE__, L"abc", L"ABD", -1},
        {__LINE__, L"Zeta", L"alpha", 1},
        {__LINE__, L"delay", L"Dout", -1},
        // a shorter text that begins the other comes first, whatever the case
        {__LINE__, L"", L"a", -1},
        {__LINE__, L"ab", L"abc", -1},
        {__LINE__, L"ABC", L"ab", 1},
        {__LINE__, L"AB", L"abc", -1},
        // lower case, not upper case, is compared: '_' lies between 'Z' and 'a'
        {__LINE__, L"_x", L"Ax", -1},
        {__LINE__, L"_x", L"ax", -1},
        {__LINE__, L"Zx", L"_x", 1},
        // digits before letters
        {__LINE__, L"v9", L"vA", -1},
        // Latin-1 letters: case-insensitive as well, after z by their codes
        {__LINE__, L"\u00C4pfel", L"\u00E4pfel", -1},
        {__LINE__, L"\u00C4b", L"\u00E4a", 1},
        {__LINE__, L"\u00DCbung", L"\u00FCbungen", -1},
        {__LINE__, L"\u00C4rger", L"Zeta", 1},
        {__LINE__, L"\u00DF", L"\u00E4", -1},  // ß has no capital here; it sorts by its code
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "table row at line " << r.line);
        EXPECT_EQ(SignOf(MyCompareFunction(r.first, r.second)), r.sign);
        EXPECT_EQ(SignOf(MyCompareFunction(r.second, r.first)), -r.sign);
    }
}

TEST(AutoCompleteOrder, TotalOrderOverMixedCase) {
    // Every ordered pair of a set of texts that differ in case, length and letter: the order is
    // consistent (antisymmetric, transitive through sorting) and 0 only for equal texts.
    const std::vector<wxString> texts = {L"a",  L"A",   L"ab",  L"aB", L"Ab",  L"AB", L"abc", L"b",
                                         L"B",  L"_",   L"0",   L"z",  L"Z",   L"\u00E4", L"\u00C4",
                                         L"",   L"a b", L"A_b", L"a0", L"ABC"};
    for (const wxString& x : texts)
        for (const wxString& y : texts) {
            SCOPED_TRACE(U(x) + " vs " + U(y));
            EXPECT_EQ(SignOf(MyCompareFunction(x, y)), -SignOf(MyCompareFunction(y, x)));
            EXPECT_EQ(MyCompareFunction(x, y) == 0, x == y);
        }
    std::vector<wxString> sorted = texts;
    std::sort(sorted.begin(), sorted.end(), [](const wxString& x, const wxString& y) { return MyCompareFunction(x, y) < 0; });
    for (size_t i = 0; i < sorted.size(); ++i)
        for (size_t j = i + 1; j < sorted.size(); ++j)
            EXPECT_LT(MyCompareFunction(sorted[i], sorted[j]), 0) << U(sorted[i]) << " / " << U(sorted[j]);
}

TEST(AutoCompleteFilter, FilterWords) {
    struct Row {
        int line;
        const wchar_t* filter;
        const char* words;  // joined by '|'
    };
    const Row rows[] = {
        {__LINE__, L"", ""},
        {__LINE__, L"   ", ""},
        {__LINE__, L"dout", "dout"},
        {__LINE__, L"dout din", "dout|din"},
        {__LINE__, L"  dout   din  ", "dout|din"},
        // a backslash before a blank keeps the blank in the word and goes itself
        {__LINE__, L"dout\\ din", "dout din"},
        {__LINE__, L"a\\ b c", "a b|c"},
        {__LINE__, L"a\\  b", "a |b"},
        {__LINE__, L"\\ ", " "},
        {__LINE__, L"a\\ \\ b", "a  b"},
        // any other backslash stays
        {__LINE__, L"a\\b", "a\\b"},
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

TEST_F(AutoComplete, EmptyBeforeTheFirstRebuild) {
    EXPECT_TRUE(list_.Candidates().empty());
    EXPECT_EQ(U(list_.Matches("d")), "");
    EXPECT_EQ(U(list_.Matches("")), "");
}

TEST_F(AutoComplete, CandidatesFromAllFiveSources) {
    CompileOk({"defvar Zahl = 1", "defstr Text , 5", "#define ;Wert 3", "::Marke", "::delay"});
    list_.Rebuild();
    const wxArrayString& c = list_.Candidates();

    // Every source entry once, the mark named like a keyword next to the keyword.
    std::vector<std::string> expected;
    for (const wxString& k : data.keywordList) expected.push_back(U(k));
    ASSERT_EQ(expected.size(), 62u);
    for (const char* name : {"Zahl", "Text", ";Wert", "Marke", "delay"}) expected.push_back(name);
    std::vector<std::string> got;
    for (const wxString& s : c) got.push_back(U(s));
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected);
    EXPECT_EQ(std::count(got.begin(), got.end(), "delay"), 2);

    for (size_t i = 1; i < c.size(); ++i)
        EXPECT_LE(MyCompareFunction(c[i - 1], c[i]), 0) << "not sorted at " << i << ": " << U(c[i - 1]) << " / " << U(c[i]);
    EXPECT_EQ(U(c[0]), "#define");
    EXPECT_EQ(U(c[1]), "#include");
    EXPECT_EQ(U(c[2]), ";Wert");  // the define keeps its ';', which sorts before the letters

    EXPECT_EQ(U(list_.Matches("d")), "defstr defvar delay delay delstrpos din dout ");
    EXPECT_EQ(U(list_.Matches("z")), "Zahl ");
    EXPECT_EQ(U(list_.Matches("te")), "Text ");
    EXPECT_EQ(U(list_.Matches("mar")), "Marke ");
    EXPECT_EQ(U(list_.Matches(";w")), ";Wert ");
    EXPECT_EQ(U(list_.Matches("w")), "");  // the name is ";Wert"
}

TEST_F(AutoComplete, AVariableNamedLikeAKeywordIsListedTwice) {
    // The declarations refuse a keyword as a name, so the store is filled by hand here: the list
    // takes whatever the tables hold.
    CompileOk({"defvar x = 0"});
    const wxString saved = data.variableName[0];
    data.variableName[0] = "dout";
    list_.Rebuild();
    data.variableName[0] = saved;
    EXPECT_EQ(U(list_.Matches("do")), "dout dout ");
    EXPECT_EQ(std::count(list_.Candidates().begin(), list_.Candidates().end(), wxString("dout")), 2);

    // Differing in case only, it stays apart and comes first.
    CompileOk({"defvar Delay = 1"});
    list_.Rebuild();
    EXPECT_EQ(U(list_.Matches("del")), "Delay delay delstrpos ");
}

TEST_F(AutoComplete, OnlyTheLastCompilesNamesCount) {
    CompileOk({"defvar alt1 = 0", "#define ;alt2 1", "::alt3", "defstr alt4 , 5", "defvar alt5 = 0"});
    list_.Rebuild();
    EXPECT_EQ(U(list_.Matches("alt")), "alt1 alt3 alt4 alt5 ");
    EXPECT_EQ(U(list_.Matches(";alt")), ";alt2 ");

    CompileOk({"defvar neu = 0"});
    list_.Rebuild();
    EXPECT_EQ(list_.Candidates().size(), data.keywordList.size() + 1);
    EXPECT_EQ(U(list_.Matches("alt")), "");
    EXPECT_EQ(U(list_.Matches(";")), "");
    EXPECT_EQ(U(list_.Matches("-")), "");  // unused define slots hold a marker name, never offered
    EXPECT_EQ(U(list_.Matches("n")), "neu ");
}

TEST_F(AutoComplete, BuiltOnceNotPerKey) {
    CompileOk({"defvar erst = 0"});
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

TEST_F(AutoComplete, PrefixMatchesCaseInsensitively) {
    CompileOk({"defvar Ausgang = 0", "defvar \xC3\x9C" "bung = 1"});
    list_.Rebuild();
    for (const char* prefix : {"aus", "Aus", "AUS", "aUs", "ausg", "Ausgang"}) {
        SCOPED_TRACE(prefix);
        EXPECT_EQ(U(list_.Matches(prefix)), "Ausgang ");
    }
    EXPECT_EQ(U(list_.Matches("a")), "adcin addstr addvar Ausgang ");
    EXPECT_EQ(U(list_.Matches("A")), "adcin addstr addvar Ausgang ");
    EXPECT_EQ(U(list_.Matches(L"\u00FCb")), "\xC3\x9C" "bung ");
    EXPECT_EQ(U(list_.Matches(L"\u00DC")), "\xC3\x9C" "bung ");
    // a prefix, not a part anywhere, and never longer than the name
    EXPECT_EQ(U(list_.Matches("gang")), "");
    EXPECT_EQ(U(list_.Matches("Ausgange")), "");
    EXPECT_EQ(U(list_.Matches("u")), "");
    EXPECT_EQ(U(list_.Matches("delay")), "delay ");
    EXPECT_EQ(U(list_.Matches("q")), "");
}

TEST_F(AutoComplete, FilterOnAndOff) {
    CompileOk({"::din"});
    data.autoCompFilter = "dout din";

    data.autoCompFilterOn = 1;
    list_.Rebuild();
    EXPECT_EQ(U(list_.Matches("d")), "defstr defvar delay delstrpos ");
    EXPECT_EQ(list_.Candidates().Index("din"), wxNOT_FOUND);  // the mark goes with the keyword

    data.autoCompFilterOn = 0;
    list_.Rebuild();
    EXPECT_EQ(U(list_.Matches("d")), "defstr defvar delay delstrpos din din dout ");

    // Only 1 switches the filter on.
    data.autoCompFilterOn = 2;
    list_.Rebuild();
    EXPECT_EQ(U(list_.Matches("d")), "defstr defvar delay delstrpos din din dout ");
}

TEST_F(AutoComplete, FilterWordsMatchExactly) {
    CompileOk({"defvar Dout = 0", "defvar delay2 = 0"});
    data.autoCompFilterOn = 1;
    struct Row {
        int line;
        const char* filter;
        const char* matches;  // for the prefix "d"
    };
    const Row rows[] = {
        {__LINE__, "", "defstr defvar delay delay2 delstrpos din Dout dout "},
        // case-sensitive
        {__LINE__, "Dout", "defstr defvar delay delay2 delstrpos din dout "},
        {__LINE__, "dout", "defstr defvar delay delay2 delstrpos din Dout "},
        // whole names: neither a prefix nor a longer word removes anything
        {__LINE__, "dela delay23 de", "defstr defvar delay delay2 delstrpos din Dout dout "},
        {__LINE__, "delay", "defstr defvar delay2 delstrpos din Dout dout "},
        // an escaped blank joins two words into one that equals no name
        {__LINE__, "dout\\ din", "defstr defvar delay delay2 delstrpos din Dout dout "},
        {__LINE__, "  din   defvar ", "defstr delay delay2 delstrpos Dout dout "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "table row at line " << r.line);
        data.autoCompFilter = r.filter;
        list_.Rebuild();
        EXPECT_EQ(U(list_.Matches("d")), r.matches);
    }
}

TEST_F(AutoComplete, EmptyPrefixOffersTheWholeList) {
    CompileOk({"defvar x = 0", "::m1"});
    list_.Rebuild();
    const wxString all = list_.Matches("");
    EXPECT_EQ(U(all), Joined(list_.Candidates()));
    EXPECT_EQ(static_cast<size_t>(all.Freq(' ')), data.keywordList.size() + 2);
}

// The matching looks only at the range the sort order puts the matches in; a plain scan over the
// whole list must give the same text for every prefix. Names of a few characters from a small
// alphabet make many names share prefixes and differ only in case.
TEST_F(AutoComplete, MatchesEqualAPlainScan) {
    const std::wstring alphabet = L"aAbBzZ_0\u00E4\u00C4";
    std::mt19937 rng(4711);
    auto name = [&](size_t maxLength) {
        std::wstring s;
        const size_t length = 1 + rng() % maxLength;
        while (s.size() < length) s += alphabet[rng() % alphabet.size()];
        return wxString(s);
    };
    auto utf8 = [](const wxString& s) { return U(s); };

    std::set<wxString> varsAndStrings, defines, marks;
    std::vector<std::string> script;
    while (varsAndStrings.size() < 200) {
        const wxString n = name(3);
        if (varsAndStrings.insert(n).second) script.push_back("defvar " + utf8(n) + " = 0");
    }
    while (varsAndStrings.size() < 220) {
        const wxString n = name(4);
        if (varsAndStrings.insert(n).second) script.push_back("defstr " + utf8(n) + " , 5");
    }
    while (defines.size() < 150) {
        const wxString n = name(3);
        if (defines.insert(n).second) script.push_back("#define ;" + utf8(n) + " 1");
    }
    while (marks.size() < 600) {
        const wxString n = name(4);
        if (marks.insert(n).second) script.push_back("::" + utf8(n));
    }
    CompileOk(script);
    ASSERT_EQ(data.variableCount + data.stringCount, 220);
    ASSERT_EQ(data.defineCount, 150);
    ASSERT_EQ(data.jumpMarkCount, 600);

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
