// The editor's auto-completion list: sort order, filter words, rebuilding, and the matches for
// typed prefixes (case, duplicates, umlauts, filter) written out.
#include "app/AutoComplete.h"

#include "CompileHelpers.h"

#include <array>

using tqc_test::U;

namespace {

// The filter back to empty and off, as every other test expects it.
class AutoComplete : public testing::Test {
    void TearDown() override { data.autoCompFilter.clear(), data.autoCompFilterOn = 0; }
};

// Lower case is compared, so '_' lies between 'Z' and 'a'; equal but for case, upper case first;
// the Latin-1 letters come after z by their codes, and ß has no capital here.
TEST(AutoCompleteOrder, MyCompareFunction) {
    const std::vector<wxString> sorted = {L"_x",    L"AB", L"ab", L"ABC",  L"ABc", L"AbC", L"Abc", L"abc", L"ABD",
                                          L"alpha", L"v9", L"vA", L"Zeta", L"Zx",  L"ß",   L"äa",  L"Äb",  L"Ärger"};
    for (size_t i = 0; i < sorted.size(); ++i)
        for (size_t j = 0; j < sorted.size(); ++j) {
            const int c = MyCompareFunction(sorted[i], sorted[j]);
            EXPECT_EQ((c > 0) - (c < 0), (i > j) - (i < j)) << U(sorted[i]) << " against " << U(sorted[j]);
        }
}

TEST(AutoCompleteFilter, FilterWords) {
    // the filter, and its words joined by '|'
    const std::pair<const wchar_t*, const char*> rows[] = {
        {L"", ""},
        {L"  dout   din  ", "dout|din"},
        // a backslash before a blank keeps the blank in the word and goes itself; any other stays
        {L"dout\\ din", "dout din"},
        {L"a\\  b", "a |b"},
        {L"\\ ", " "},
        {L"a\\", "a\\"},
        {L"a\\\\ b", "a\\ b"},
        // only the blank separates; other white space belongs to the word
        {L"a\tb", "a\tb"},
        {L"Äpfel Birne", "Äpfel|Birne"}};
    for (const auto& [filter, words] : rows) EXPECT_EQ(U(wxJoin(FilterWords(filter), '|', 0)), words) << U(filter);
}

// Names that differ only in case, share beginnings with command words, carry umlauts and repeat
// as a variable and a mark: per prefix the whole list's matches and the marks' alone, as the
// editor shows them, before and after the filter.
TEST_F(AutoComplete, MatchesListTheNamesInOrder) {
    Compiler compiler;
    tqc_test::Compile(compiler, {"defvar Dout = 0", "::Dout", "defvar ab = 0", "defstr AB , 5", "#define ;ab 1",
                                 "::abc", "::_x", "defvar äb = 0", "::Äc"});
    ASSERT_EQ(tqc_test::Errors(), "");
    CompletionList list;
    using Rows = std::vector<std::array<const char*, 3>>;  // prefix, all matches, the marks' matches
    const auto expect = [&list](const Rows& rows) {
        for (const auto& [prefix, all, marks] : rows) {
            EXPECT_EQ(U(list.Matches(tqc_test::W(prefix))), all) << "prefix \"" << prefix << "\"";
            EXPECT_EQ(U(list.Matches(tqc_test::W(prefix), true)), marks) << "marks, prefix \"" << prefix << "\"";
        }
    };
    expect({{"a", "", ""}});  // nothing before the first rebuild
    const Rows unfiltered = {{"a", "AB ab abc adcin addstr addvar ", "abc "},
                             {"AB", "AB ab abc ", "abc "},
                             {"D", "defstr defvar delay delstrpos din Dout Dout dout ", "Dout "},
                             {";", ";ab ", ""},
                             {"_", "_x ", "_x "},
                             {"ä", "äb Äc ", "Äc "},
                             {"#d", "#define ", ""},
                             {"zz", "", ""}};
    list.Rebuild();
    expect(unfiltered);
    EXPECT_EQ(U(list.Matches("", true)), "_x abc Dout Äc ");

    // The filter takes out every name equal to one of its words, case-sensitively, at the next rebuild.
    data.autoCompFilter = "Dout delay AB _x";
    data.autoCompFilterOn = 1;
    expect(unfiltered);
    list.Rebuild();
    expect(
        {{"a", "ab abc adcin addstr addvar ", "abc "}, {"D", "defstr defvar delstrpos din dout ", ""}, {"_", "", ""}});
    data.autoCompFilterOn = 2;  // only 1 switches it on
    list.Rebuild();
    expect(unfiltered);
    tqc_test::Compile(compiler, {"defvar zweit = 0"});  // a compile, too, shows only after a rebuild
    expect(unfiltered);
}

}  // namespace
