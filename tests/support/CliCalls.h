// The tqc-cli calls of support/cli-calls.json and what one leaves behind, on Linux and under Wine:
// each in a folder with the scripts it names, against fresh simulated devices.
#pragma once

#include "Bytes.h"
#include "Files.h"
#include "Process.h"
#include "serial/SimulatedController.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace clicalls {

using Json = nlohmann::json;
using Sim = SimulatedController;

// `dir` with the examples, faulty.tqc (an error in line 1) and oversized.tqc (32001 cells).
inline void MakeFolder(const std::string& dir) {
    std::filesystem::copy(std::string(TQC_SOURCE_DIR) + "/examples", dir + "/examples");
    files::Write(dir + "/faulty.tqc", "on 5000\n");
    std::string oversized;
    for (int i = 0; i < 10667; ++i) oversized += "on 1\n";  // three cells each
    files::Write(dir + "/oversized.tqc", oversized);
}

inline Json Calls() { return Json::parse(files::Source("tests/support/cli-calls.json"), nullptr, true, true); }

// The module's rows before each call.
const std::vector<std::pair<int, int>> kStartRows = {{19, 18}, {300, 5}, {65535, 0}};

// `args` followed by the words of `call`, "@" given as `port`.
inline std::vector<std::string> Words(const std::string& call, const std::string& port,
                                      std::vector<std::string> args = {}) {
    std::istringstream words(call);
    for (std::string word; words >> word;) args.push_back(word == "@" ? port : word);
    return args;
}

// `out` without what depends on the machine's speed: the time per byte with any advice on it,
// and the time left in a phase line.
inline std::string Steady(const std::string& out) {
    std::istringstream lines(out);
    std::string steady;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Antwortzeit ", 0) == 0 || line.rfind("Der Adapter antwortet langsam", 0) == 0) continue;
        const size_t left = line.find(", noch ");
        steady += line.substr(0, left) + "\n";
    }
    return steady;
}

// The simulator of a call: a record of kStartRows, and the options of `tqc-cli simulate` in "sim".
inline Sim::Options OptionsOf(const Json& call) {
    Sim::Options options;
    const std::string record = ModuleRecord(kStartRows);
    options.moduleRecord.assign(record.begin(), record.end());
    std::string problem;
    EXPECT_TRUE(ParseSimulatedOptions(Words(call.value("sim", ""), ""), options, problem)) << problem;
    return options;
}

// What a call leaves: its status and output, the image it wrote, and what went over the line:
// every byte and request, the image, its announced length and the module record the devices kept.
struct Outcome {
    proc::Result run;
    std::string image;
    std::vector<unsigned char> received, stored, record;
    std::vector<std::string> requests;
    int announced = -1;
};

using Watch = std::function<void(pid_t, double)>;

// One call in `dir` against a simulator with `options`: `launch` runs it, given the simulator's
// device path and what to do while the program runs; `watch` may act on the simulator meanwhile.
inline Outcome Call(const std::string& dir, const Sim::Options& options,
                    const std::function<proc::Result(const std::string& slave, const Watch& whileRunning)>& launch,
                    const std::function<void(Sim&, pid_t, double)>& watch = nullptr) {
    Sim sim(options);
    Outcome o;
    if (!sim.Start()) {
        ADD_FAILURE() << sim.ErrorText();
        return o;
    }
    o.run = launch(sim.SlavePath().utf8_string(), [&](pid_t pid, double elapsed) {
        if (watch) watch(sim, pid, elapsed);
    });
    o.image = files::Read(dir + "/image.bin");
    std::filesystem::remove(dir + "/image.bin");
    o.received = sim.Received();
    o.requests = sim.RequestLog();
    o.stored = sim.Image();
    o.record = sim.ModuleRecord();
    o.announced = sim.ImageLength();
    sim.Stop();
    return o;
}

}  // namespace clicalls
