// tqc-cli lsp driven by a scripted client: the dialogue in support/lsp-session.txt, every answer's
// framing and JSON byte for byte.
#include "../support/Files.h"
#include "../support/LspFrames.h"
#include "../support/Process.h"

namespace {

TEST(Lsp, ScriptedSession) {
    const files::TempDir dir;
    files::Write(dir / "lib.inc", "defvar Licht = 1\n");
    const lspframes::Session session = lspframes::ReadSession("file://" + dir.path);
    ASSERT_EQ(session.expected.size(), 12u);  // the whole dialogue was read
    files::Write(dir / "session", session.sent);
    const proc::Result run = proc::Run({TQC_CLI, "lsp"}, "", 30, nullptr, dir / "session");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(lspframes::Bodies(run.out), session.expected);
}

}  // namespace
