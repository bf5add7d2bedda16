// tqc-cli program and konfig against the simulated controller, bridge and module: the same
// transfer and exchange as the dialogs', with the rows printed and taken on the command line.
#include "serial/SimulatedController.h"
#include "../support/CliRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using clitest::CliRun;
using clitest::RunCli;
using Sim = SimulatedController;

const std::string kExample = std::string(TQC_SOURCE_DIR) + "/examples/zeitschaltung.tqc";

std::string Port(const Sim& sim) {
    return std::string(sim.SlavePath().utf8_str());
}

TEST(CliProgram, SendsAnExampleToTheSimulatedController) {
    Sim controller;
    ASSERT_TRUE(controller.Start()) << controller.ErrorText();
    const CliRun run = RunCli("program " + kExample + " --port " + Port(controller));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Programmiervorgang Start\nwarten auf Verbindung\n\n"), std::string::npos);
    EXPECT_NE(run.output.find("Programmierung OK"), std::string::npos);
    EXPECT_EQ(controller.ImageLength(), 100);  // the example's image, as the golden listing shows
    EXPECT_EQ(controller.ReadBacks(), 100);
}

// A script with errors, or one whose image exceeds the program memory, ends the command before
// a byte goes to the port.
TEST(CliProgram, FaultyOrOversizedScriptsAreNotSent) {
    std::string oversized;
    for (int i = 0; i < 10667; ++i) oversized += "on 1\n";  // three cells each: 32001
    const struct { const char* name; std::string text, error; } rows[] = {
        {"faulty.tqc", "on 5000\n", ":1: error: Wert ausserhalb des Wertebereich"},
        {"oversized.tqc", oversized, ": error: Programm zu gro\xc3\x9f: 32001 Bytes"},
    };
    Sim controller;
    ASSERT_TRUE(controller.Start()) << controller.ErrorText();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string script = testing::TempDir() + "/" + row.name;
        std::ofstream(script, std::ios::binary) << row.text;
        const CliRun run = RunCli("program " + script + " --port " + Port(controller));
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(script + row.error), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("Programmiervorgang"), std::string::npos);
    }
    EXPECT_TRUE(controller.Received().empty());
}

// The record bytes of the rows given as {key, LED}; the rest 0, 120 bytes in all.
std::vector<unsigned char> Record(const std::vector<std::pair<int, int>>& rows) {
    std::vector<unsigned char> record;
    for (const auto& row : rows)
        for (int number : {row.first, row.second})
            record.insert(record.end(), {static_cast<unsigned char>(number >> 8), static_cast<unsigned char>(number)});
    record.resize(120, 0);
    return record;
}

TEST(CliKonfig, ConnectReadAndWriteOneModuleAfterAnother) {
    Sim::Options options;
    options.moduleRecord = Record({{19, 18}, {300, 5}, {65535, 0}});
    Sim sim(options);
    ASSERT_TRUE(sim.Start()) << sim.ErrorText();

    CliRun run = RunCli("konfig connect --port " + Port(sim));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("Reset Modul\nwarte auf Verbindung\nTqP-Br\xC3\xBC" "cke OK\nVerbindung OK\n"), 0u)
        << run.output;

    run = RunCli("konfig read --port " + Port(sim));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("Lesen OK\n\nNr Taster   Led\n"
                              " 1     19    18\n"
                              " 2    300     5\n"
                              " 3  65535     0\n"
                              " 4      0     0\n"),
              0u)
        << run.output;
    EXPECT_NE(run.output.find("20      0     0\n"), std::string::npos);

    run = RunCli("konfig write --port " + Port(sim) + " --rows 101/102,7/8");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "schreiben OK\n\n");
    EXPECT_EQ(sim.ModuleRecord(), Record({{101, 102}, {7, 8}}));

    run = RunCli("konfig write --port " + Port(sim) + " --model px4-remote");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(sim.ModuleRecord(), Record({{28, 31}, {12, 11}, {36, 34}, {4, 5}}));
    EXPECT_EQ(sim.ModuleWrites(), 2);
}

TEST(CliKonfig, FailuresEndWithANonZeroStatus) {
    Sim::Options options;
    options.faultPhase = Sim::Phase::ModuleConnect;
    options.faultMute = true;
    Sim sim(options);
    ASSERT_TRUE(sim.Start()) << sim.ErrorText();
    CliRun run = RunCli("konfig connect --port " + Port(sim));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Verbindung Modul Fehler\n"), std::string::npos);

    // A bad number is refused before anything reaches the module.
    const size_t before = sim.Received().size();
    run = RunCli("konfig write --port " + Port(sim) + " --rows 1/2,3/x");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "Zeile 2 Led: \"x\" ist keine Zahl von 0 bis 65535\nNichts gesendet\n\n");
    EXPECT_EQ(sim.Received().size(), before);
}

TEST(CliKonfig, WrongCallsAreRefusedWithoutTouchingThePort) {
    Sim sim;
    ASSERT_TRUE(sim.Start()) << sim.ErrorText();
    // "@" stands for the simulator's port.
    const char* calls[] = {
        "konfig",
        "konfig erase --port @",
        "konfig read",
        "konfig write --rows 1/1",                     // no port
        "konfig write --port @",                       // nothing chosen to write
        "konfig write --port @ --model PX4-101 --rows 1/1",
        "konfig read --port @ --rows 1/1",             // rows only for write
        "konfig write --port @ --model PX5-101",       // no such model
        "konfig write --port @ --rows 1/1,2",          // a row without its LED
        "konfig write --port @ --rows 1/1/1",
        "konfig write --port @ --rows 1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1,1/1",
    };
    for (std::string call : calls) {
        SCOPED_TRACE(call);
        const size_t at = call.find('@');
        if (at != std::string::npos) call.replace(at, 1, Port(sim));
        const CliRun run = RunCli(call);
        EXPECT_EQ(run.status, 2) << run.output;
    }
    EXPECT_TRUE(sim.Received().empty());
}

TEST(CliKonfig, ModelsListsEveryStandardNumbering) {
    const CliRun run = RunCli("konfig models");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("PX12-Remote\nNr Taster   Led\n 1     19    18\n 2     15    16\n"), std::string::npos);
    EXPECT_NE(run.output.find("PX18-101\n"), std::string::npos);
    int models = 0;
    for (size_t at = run.output.find("PX"); at != std::string::npos; at = run.output.find("\nPX", at + 1)) ++models;
    EXPECT_EQ(models, 19);
}

// A port that cannot be opened ends either command with status 3 and the reason's number.
TEST(CliDevice, APortThatCannotBeOpenedEndsTheCommand) {
    for (const std::string& command : {"program " + kExample, std::string("konfig read")}) {
        SCOPED_TRACE(command);
        const CliRun run = RunCli(command + " --port /dev/tqc-no-such-port");
        EXPECT_EQ(run.status, 3);
        EXPECT_NE(run.output.find("Comport Fehler 2"), std::string::npos);
    }
}

}  // namespace
