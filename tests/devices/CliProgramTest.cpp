// tqc-cli program against the simulated controller: the same transfer as the dialog's.
#include "serial/SimulatedController.h"
#include "../support/CliRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using clitest::CliRun;
using clitest::RunCli;

TEST(CliProgram, SendsAnExampleToTheSimulatedController) {
    SimulatedController controller;
    ASSERT_TRUE(controller.Start()) << controller.ErrorText();
    const std::string port(controller.SlavePath().utf8_str());
    const CliRun run = RunCli("program " + std::string(TQC_SOURCE_DIR) + "/examples/zeitschaltung.tqc --port " + port);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Programmiervorgang Start\nwarten auf Verbindung\n\n"), std::string::npos);
    EXPECT_NE(run.output.find("Programmierung OK"), std::string::npos);
    EXPECT_EQ(controller.ImageLength(), 100);  // the example's image, as the golden listing shows
    EXPECT_EQ(controller.ReadBacks(), 100);
    controller.Stop();
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
    SimulatedController controller;
    ASSERT_TRUE(controller.Start()) << controller.ErrorText();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string script = testing::TempDir() + "/" + row.name;
        FILE* file = fopen(script.c_str(), "w");
        ASSERT_NE(file, nullptr);
        fputs(row.text.c_str(), file);
        fclose(file);
        const CliRun run = RunCli("program " + script + " --port " + std::string(controller.SlavePath().utf8_str()));
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find(script + row.error), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("Programmiervorgang"), std::string::npos);
    }
    EXPECT_TRUE(controller.Received().empty());
    controller.Stop();
}

TEST(CliProgram, APortThatCannotBeOpenedEndsTheCommand) {
    const CliRun run = RunCli("program " + std::string(TQC_SOURCE_DIR) + "/examples/zeitschaltung.tqc --port /dev/no-such-port");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.output.find("Comport Fehler 2"), std::string::npos);
}

}  // namespace
