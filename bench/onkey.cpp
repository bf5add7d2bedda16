// Auto-completion benchmark: the list work of one key press in the editor with every name table
// full (62 keywords, 255 variables, 20 strings, 2000 defines, 5000 marks), against copying the
// candidate list once, measured in the same run.
//
//   tqc_bench_onkey            (BENCH_REPS=N for more rounds; default 15)
//
// A key press asks CompletionList::Matches for the typed prefix; the list itself is built once
// per compile. The copy of the candidate list (a wxArrayString of 7337 names) is the yardstick:
// it is about what any per-key use of the whole list costs before it has looked at a single name.
// Prints numbers and judges only the 2 ms bound; exit 0 whatever the numbers, 1 when the
// generated script does not fill the tables as intended.
#include "app/AutoComplete.h"
#include "compiler/Compiler.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kVariables = 255;
constexpr int kStrings = 20;
constexpr int kDefines = 2000;
constexpr int kMarks = 5000;
constexpr int kKeywords = 62;

// Prefixes of one to three letters as they are typed: keyword beginnings, the generated names
// (v001.., s01.., M0001..) and "m", which the 5000 marks make the longest result.
const char* const kPrefixes[] = {"d",  "de", "def", "s", "se", "set", "e",  "en", "end", "p",  "pr", "re", "ret", "t",
                                 "ti", "c",  "ca",  "o", "on", "i",   "if", "j",  "ju",  "a",  "ad", "g",  "ge",  "h",
                                 "b",  "st", "str", "m", "M1", "M12", "v",  "v0", "v12", "s0", "s1", "x",  "k",   "w"};

volatile size_t gSink;  // keeps the results alive, so the work is not optimised away

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Stats {
    double min;
    double median;
};

Stats Summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v.front(), v[v.size() / 2]};
}

// Per call: the time of `calls` calls of f, taken `rounds` times.
template <typename F>
Stats TimePerCall(int rounds, int calls, F f) {
    std::vector<double> perCall;
    for (int r = 0; r < rounds; ++r) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < calls; ++i) f();
        perCall.push_back(Seconds(Clock::now() - start) / calls);
    }
    return Summarise(perCall);
}

wxArrayString Script() {
    wxArrayString lines;
    char line[64];
    for (int i = 1; i <= kDefines; ++i) {
        std::snprintf(line, sizeof line, "#define ;K%04d %d", i, i % 1000);
        lines.Add(line);
    }
    for (int i = 1; i <= kVariables; ++i) {
        std::snprintf(line, sizeof line, "defvar v%03d = %d", i, i);
        lines.Add(line);
    }
    for (int i = 1; i <= kStrings; ++i) {
        std::snprintf(line, sizeof line, "defstr s%02d , 50", i);
        lines.Add(line);
    }
    for (int i = 1; i <= kMarks; ++i) {
        std::snprintf(line, sizeof line, "::M%04d", i);
        lines.Add(line);
    }
    return lines;
}

double Us(double seconds) { return seconds * 1e6; }

}  // namespace

int main() {
    int rounds = 15;
    if (const char* reps = std::getenv("BENCH_REPS")) rounds = std::max(1, std::atoi(reps));

    Compiler compiler;
    compiler.CompileLatin1(wxJoin(Script(), '\n', 0).ToStdString());  // ASCII only
    if (data.errorCount != 0 || static_cast<int>(data.keywordList.size()) != kKeywords ||
        data.variableCount != kVariables || data.stringCount != kStrings || data.defineCount != kDefines ||
        data.jumpMarkCount != kMarks) {
        std::fprintf(stderr,
                     "onkey: the script does not fill the tables: %d errors (first: %s), %zu keywords, "
                     "%d variables, %d strings, %d defines, %d marks\n",
                     data.errorCount, data.errorCount ? static_cast<const char*>(data.errorText[0].utf8_str()) : "-",
                     data.keywordList.size(), data.variableCount, data.stringCount, data.defineCount,
                     data.jumpMarkCount);
        return 1;
    }
    data.autoCompFilterOn = 0;

    CompletionList list;
    const Clock::time_point buildStart = Clock::now();
    list.Rebuild();
    const double buildOnce = Seconds(Clock::now() - buildStart);
    const size_t candidates = list.Candidates().size();

    // The yardstick: one copy of the candidate list.
    const Stats copy = TimePerCall(rounds, 20, [&] {
        wxArrayString c(list.Candidates());
        gSink = gSink + c.size();
    });

    // One key press: Matches for each prefix; per prefix the least disturbed round.
    struct PrefixTime {
        const char* prefix;
        Stats time;
        size_t matches;
    };
    std::vector<PrefixTime> keys;
    for (const char* prefix : kPrefixes) {
        const wxString p(prefix);
        const Stats t = TimePerCall(rounds, 200, [&] { gSink = gSink + list.Matches(p).length(); });
        keys.push_back({prefix, t, static_cast<size_t>(list.Matches(p).Freq(' '))});
    }
    double sumMin = 0, sumMedian = 0;
    for (const PrefixTime& k : keys) sumMin += k.time.min, sumMedian += k.time.median;
    const Stats key = {sumMin / keys.size(), sumMedian / keys.size()};
    const PrefixTime& slowest =
        *std::max_element(keys.begin(), keys.end(),
                          [](const PrefixTime& a, const PrefixTime& b) { return a.time.median < b.time.median; });

    // For comparison only: building and sorting the list again at every key press.
    CompletionList scratch;
    const Stats rebuild = TimePerCall(rounds, 1, [&] {
        scratch.Rebuild();
        gSink = gSink + scratch.Matches("d").length();
    });

    constexpr double kBound = 2e-3;
    std::printf("onkey: %zu candidates (%d keywords, %d variables, %d strings, %d defines, %d marks), %d rounds\n",
                candidates, kKeywords, kVariables, kStrings, kDefines, kMarks, rounds);
    std::printf("  keystroke (Matches)     min %8.2f us  median %8.2f us  (mean over %zu prefixes of 1-3 letters)\n",
                Us(key.min), Us(key.median), keys.size());
    std::printf("  slowest prefix \"%s\"      min %8.2f us  median %8.2f us  (%zu matches)\n", slowest.prefix,
                Us(slowest.time.min), Us(slowest.time.median), slowest.matches);
    std::printf("  copy of the list        min %8.2f us  median %8.2f us  (wxArrayString of %zu names)\n", Us(copy.min),
                Us(copy.median), candidates);
    std::printf("  ratio keystroke/copy    %.4f (min)  %.4f (median); slowest prefix/copy %.4f (median)\n",
                key.min / copy.min, key.median / copy.median, slowest.time.median / copy.median);
    std::printf("  rebuild (per compile or filter change)  first %.2f us  min %.2f us  median %.2f us\n", Us(buildOnce),
                Us(rebuild.min), Us(rebuild.median));
    std::printf("  bound 2 ms per keystroke, slowest prefix (median): %s\n",
                slowest.time.median < kBound ? "met" : "NOT met");
    return 0;
}
