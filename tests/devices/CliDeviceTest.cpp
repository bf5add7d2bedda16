// tqc-cli program and konfig against the simulated controller, bridge and module: the same
// transfer and exchange as the dialogs', with the rows printed and taken on the command line,
// and the exit status of each outcome.
#include "serial/SimulatedController.h"
#include "../support/Process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using Sim = SimulatedController;
using Record = std::vector<unsigned char>;

// The record bytes of the rows given as {key, LED}; the rest 0, 120 bytes in all.
Record Rows(const std::vector<std::pair<int, int>>& rows) {
    Record record;
    for (const auto& row : rows)
        for (int n : {row.first, row.second}) record.insert(record.end(), {static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)});
    record.resize(120, 0);
    return record;
}

// Each call against a fresh simulator, "@" standing for its port: the exit status, the output
// (all of it, or a part where `part`), whether anything reached the line, and the module's
// record afterwards. A wrong call, a faulty or oversized script and a bad number end the command
// before a byte goes out; a port that cannot be opened ends it with status 3. konfig models
// lists every standard numbering.
TEST(CliDevices, EachCallWithItsStatusAndOutput) {
    const std::string example = std::string(TQC_SOURCE_DIR) + "/examples/zeitschaltung.tqc";
    const std::string faulty = testing::TempDir() + "/faulty.tqc", oversized = testing::TempDir() + "/oversized.tqc";
    std::ofstream(faulty, std::ios::binary) << "on 5000\n";
    std::ofstream big(oversized, std::ios::binary);
    for (int i = 0; i < 10667; ++i) big << "on 1\n";  // three cells each: 32001
    big.close();
    const Record start = Rows({{19, 18}, {300, 5}, {65535, 0}});
    std::string zeroRows, usage = "usage: tqc-cli konfig ", tooMany = "1/1";
    for (int r = 1; r <= 20; ++r) tooMany += ",1/1";
    for (int r = 4; r <= 20; ++r) zeroRows += (r < 10 ? " " : "") + std::to_string(r) + "      0     0\n";
    struct Row { int line; std::string call; int status; bool part; std::string output; bool sent; Record record; int image = -1; bool module = true; };
    const Row rows[] = {
        {__LINE__, "program " + example + " --port @", 0, true, "gesendet 100 / 100, gepr\xC3\xBC" "ft 100 / 100\nProgrammierung OK\n", true, start,
         100},  // the example's image, as the golden listing shows
        {__LINE__, "program " + faulty + " --port @", 1, true, faulty + ":1: error: Wert ausserhalb des Wertebereich", false, start},
        {__LINE__, "program " + oversized + " --port @", 1, true, oversized + ": error: Programm zu gro\xc3\x9f: 32001 Bytes", false, start},
        {__LINE__, "konfig connect --port @", 0, false, "Reset Modul\nwarte auf Verbindung\nTqP-Br\xC3\xBC" "cke OK\nVerbindung OK\n\n"
            "- Modul(e) blinken\n- Mit Tasterdruck (ca. 1 Sek.) Modul ausw\xC3\xA4hlen\n- Nur 1 Modul ausw\xC3\xA4hlen !\n"
            "- Read / Write sind aktiv\n\n", true, start},
        {__LINE__, "konfig connect --port @", 1, true, "Verbindung Modul Fehler\n", true, start, -1, false},
        {__LINE__, "konfig read --port @", 0, false, "Lesen OK\n\nNr Taster   Led\n 1     19    18\n 2    300     5\n 3  65535     0\n" + zeroRows,
         true, start},
        {__LINE__, "konfig write --port @ --rows 101/102,7/8", 0, false, "schreiben OK\n\n", true, Rows({{101, 102}, {7, 8}})},
        {__LINE__, "konfig write --port @ --model px4-remote", 0, false, "schreiben OK\n\n", true, Rows({{28, 31}, {12, 11}, {36, 34}, {4, 5}})},
        {__LINE__, "konfig write --port @ --rows 1/2,3/x", 1, false, "Zeile 2 Led: \"x\" ist keine Zahl von 0 bis 65535\nNichts gesendet\n\n",
         false, start},
        {__LINE__, "konfig", 2, true, usage, false, start},
        {__LINE__, "konfig erase --port @", 2, true, usage, false, start},
        {__LINE__, "konfig read", 2, true, usage, false, start},
        {__LINE__, "konfig write --rows 1/1", 2, true, usage, false, start},  // no port
        {__LINE__, "konfig write --port @", 2, true, usage, false, start},  // nothing chosen to write
        {__LINE__, "konfig write --port @ --model PX4-101 --rows 1/1", 2, true, usage, false, start},
        {__LINE__, "konfig read --port @ --rows 1/1", 2, true, usage, false, start},  // rows only for write
        {__LINE__, "konfig write --port @ --model PX5-101", 2, true, "unknown model 'PX5-101'; models: PX4-101, PX4-105,", false, start},
        {__LINE__, "konfig write --port @ --rows 1/1,2", 2, true, "row 2 of --rows is not KEY/LED", false, start},
        {__LINE__, "konfig write --port @ --rows 1/1/1", 2, true, "row 1 of --rows is not KEY/LED", false, start},
        {__LINE__, "konfig write --port @ --rows " + tooMany, 2, true, "--rows takes at most 20 rows", false, start},
        {__LINE__, "program " + example + " --port /dev/tqc-no-such-port", 3, true, "Comport Fehler 2", false, start},
        {__LINE__, "konfig read --port /dev/tqc-no-such-port", 3, true, "Comport Fehler 2", false, start},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Sim::Options options;
        options.moduleRecord = start;
        options.faultPhase = row.module ? Sim::Phase::None : Sim::Phase::ModuleConnect;
        options.faultMute = true;
        Sim sim(options);
        ASSERT_TRUE(sim.Start()) << sim.ErrorText();
        std::vector<std::string> args{TQC_CLI};
        std::istringstream words(row.call);
        for (std::string word; words >> word;) args.push_back(word == "@" ? std::string(sim.SlavePath().utf8_str()) : word);
        const proc::Result run = proc::Run(args, "", 60);
        const std::string output = run.out + run.err;
        EXPECT_EQ(run.status, row.status) << output;
        EXPECT_TRUE(row.part ? output.find(row.output) != std::string::npos : output == row.output) << output;
        EXPECT_EQ(!sim.Received().empty(), row.sent);
        EXPECT_EQ(sim.ModuleRecord(), row.record);
        EXPECT_EQ(sim.ImageLength(), row.image);
    }
    const proc::Result models = proc::Run({TQC_CLI, "konfig", "models"}, "", 60);  // every standard numbering
    int count = 0;
    for (size_t at = 0; (at = models.out.find("\nNr Taster   Led\n", at + 1)) != std::string::npos;) ++count;
    EXPECT_TRUE(models.status == 0 && count == 19) << models.out;
    EXPECT_NE(models.out.find("PX12-Remote\nNr Taster   Led\n 1     19    18\n 2     15    16\n"), std::string::npos);
}

}  // namespace
