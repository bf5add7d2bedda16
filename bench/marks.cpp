// Error-marking benchmark: the work on the GUI thread from a pause in typing to the errors being
// marked (MainFrame::CheckNow: the compile of the editor's text, markers, squiggles, annotations,
// keywords and status bar), against one bare compile of the same bytes in the same run. One
// repaint of the editor is printed beside it: it follows every key, marks or not.
//
//   tqc_bench_marks            (needs a display: xvfb-run -a build-bench/bench/tqc_bench_marks)
//
// Inputs: the maximal script of gen_bench.py (31000 lines) as it is, and with every tenth simple
// command broken (an error on each of those lines), and the shipped examples. Prints numbers
// against the bounds (30 ms for the maximal script, 2 ms for the examples); exit 0 whatever they
// are, 1 when an input cannot be made or read.
#include "app/MainFrame.h"
#include "compiler/ScriptText.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/init.h>
#include "bench/GuiBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every tenth "on"/"off" line loses its operand: a parameter error on each of those lines.
std::string WithErrors(const std::string& script, int* broken) {
    std::istringstream in(script);
    std::string line, out;
    int simple = 0;
    *broken = 0;
    while (std::getline(in, line)) {
        const bool onOff = line.rfind("on ", 0) == 0 || line.rfind("off ", 0) == 0;
        if (onOff && ++simple % 10 == 0) {
            line = line.substr(0, line.find(' '));
            ++*broken;
        }
        out += line + "\n";
    }
    return out;
}

struct Stats {
    double min, median;
};

template <typename F>
Stats Time(int rounds, F f) {
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        const Clock::time_point start = Clock::now();
        f();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

}  // namespace

int main(int argc, char** argv) {
    if (!bench::StartGui(argc, argv, "marks")) return 1;
    int rounds = 15;
    if (const char* reps = std::getenv("BENCH_REPS")) rounds = std::max(1, std::atoi(reps));

    char pattern[] = "/tmp/tqc-bench-marks-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    const std::string source = TQC_SOURCE_DIR;
    if (std::system(("python3 " + source + "/bench/gen_bench.py " + dir + " > /dev/null").c_str()) != 0) {
        std::fprintf(stderr, "marks: gen_bench.py failed\n");
        return 1;
    }
    const std::string maximal = Slurp(dir + "/bench.tqc");
    int broken = 0;
    const std::string faulty = WithErrors(maximal, &broken);
    struct Input {
        std::string name, bytes;
        double bound;
    };
    std::vector<Input> inputs = {{"maximal script", maximal, 30}, {"maximal, errors", faulty, 30}};
    for (const char* example : {"wohnzimmer", "zeitschaltung", "protokoll"})
        inputs.push_back({example, Slurp(source + "/examples/" + example + ".tqc"), 2});
    if (maximal.empty() || inputs.back().bytes.empty()) {
        std::fprintf(stderr, "marks: an input is missing\n");
        return 1;
    }

    auto* frame = new MainFrame(nullptr, wxString::FromUTF8(dir));
    frame->Show();
    wxTheApp->Yield();
    data.sourceDir = wxString::FromUTF8(source + "/examples");  // the examples' includes

    std::printf("marks: %d rounds, ms per typing pause on the GUI thread, median (min)\n", rounds);
    std::printf("  %-16s %6s %15s %15s %6s %15s  %s\n", "input", "errors", "bare compile", "compile+marks", "ratio",
                "repaint", "bound (compile+marks)");
    for (const Input& input : inputs) {
        frame->Editor()->SetText(wxString::FromUTF8(input.bytes));
        frame->CheckNow();  // the first pause also sets the names' keywords; later ones need not
        frame->Editor()->Update();
        const std::string latin1 = script::ToLatin1(input.bytes);
        Compiler bare;
        const Stats compile = Time(rounds, [&] { bare.CompileLatin1(latin1); });
        const Stats marks = Time(rounds, [&] { frame->CheckNow(); });
        const Stats paint = Time(rounds, [&] {
            frame->Editor()->Refresh();
            frame->Editor()->Update();
        });
        std::printf("  %-16s %6d %6.2f (%6.2f) %6.2f (%6.2f) %6.2f %6.2f (%6.2f)  %g ms: %s\n", input.name.c_str(),
                    data.errorCount, compile.median, compile.min, marks.median, marks.min,
                    marks.median / compile.median, paint.median, paint.min, input.bound,
                    marks.median <= input.bound ? "met" : "NOT met");
    }
    std::printf(
        "  ratio: compile+marks over the bare compile; repaint: the editor drawn once, as after any key\n"
        "  (%d lines broken in \"maximal, errors\")\n",
        broken);
    frame->Destroy();
    wxTheApp->Yield();
    wxFileName::Rmdir(wxString::FromUTF8(dir), wxPATH_RMDIR_RECURSIVE);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
