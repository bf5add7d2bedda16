// tqc-cli lsp driven by a scripted client: the dialogue in data/lsp-session.txt, every answer's
// framing and JSON byte for byte.
#include "../support/CliRun.h"
#include "../support/LspFrames.h"
#include "CompileHelpers.h"

namespace {

TEST(Lsp, ScriptedSession) {
    const std::string dir = tqc_test::MakeTempDir();
    tqc_test::WriteBytes(dir + "/lib.inc", "defvar Licht = 1\n");
    std::istringstream dialogue(tqc_test::ReadBytes(std::string(TQC_SOURCE_DIR) + "/tests/unit/data/lsp-session.txt"));
    std::string sent;
    std::vector<std::string> expected;
    for (std::string line; std::getline(dialogue, line);) {
        for (size_t at; (at = line.find("DIR")) != std::string::npos;) line.replace(at, 3, dir);
        if (line.rfind("> ", 0) == 0) sent += lspframes::Frame(line.substr(2));
        if (line.rfind("< ", 0) == 0) expected.push_back(line.substr(2));
    }
    ASSERT_EQ(expected.size(), 12u);  // the whole dialogue was read
    tqc_test::WriteBytes(dir + "/session", sent);
    const clitest::CliRun run = clitest::RunCli("lsp < " + dir + "/session");
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> bodies = lspframes::Bodies(run.output);
    ASSERT_EQ(bodies.size(), expected.size()) << run.output;
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(bodies[i], expected[i]) << "answer " << i;
}

}  // namespace
