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

TEST(CliProgram, CompileErrorsStopBeforeTheTransfer) {
    const std::string script = testing::TempDir() + "/faulty.tqc";
    FILE* file = fopen(script.c_str(), "w");
    ASSERT_NE(file, nullptr);
    fputs("on 5000\n", file);
    fclose(file);
    const CliRun run = RunCli("program " + script + " --port /dev/null");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(script + ":1: error: Wert ausserhalb des Wertebereich"), std::string::npos);
    EXPECT_EQ(run.output.find("Programmiervorgang"), std::string::npos);
}

TEST(CliProgram, APortThatCannotBeOpenedEndsTheCommand) {
    const CliRun run = RunCli("program " + std::string(TQC_SOURCE_DIR) + "/examples/zeitschaltung.tqc --port /dev/no-such-port");
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.output.find("Comport Fehler 2"), std::string::npos);
}

}  // namespace
