// tqc-cli lsp driven by scripted clients: each row of support/lsp-session.txt a session of its
// own, every answer's framing and JSON byte for byte.
#include "../support/Files.h"
#include "../support/LspFrames.h"
#include "../support/Process.h"

namespace {

TEST(Lsp, SessionRows) {
    const std::string initialize = R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})";
    const std::string shutdown = R"({"jsonrpc":"2.0","id":999,"method":"shutdown"})";
    const std::string exit = R"({"jsonrpc":"2.0","method":"exit"})";
    size_t count = 0;
    for (size_t i = 0; i == 0 || i < count; ++i) {
        // Read again for each row: the row's folder is in its messages and their lengths.
        const files::TempDir dir;
        const std::vector<lspframes::Row> rows = lspframes::ReadRows("file://" + dir.path);
        count = rows.size();
        ASSERT_EQ(count, 20u);  // the whole table was read
        const lspframes::Row& row = rows[i];
        SCOPED_TRACE(row.name);
        for (const auto& [name, text] : row.files) files::Write(dir / name, text);
        std::string sent = row.sent;
        std::vector<std::string> expected = row.expected;
        if (!row.bare) {
            sent = lspframes::Frame(initialize) + sent + lspframes::Frame(shutdown) + lspframes::Frame(exit);
            expected.push_back(R"({"id":999,"jsonrpc":"2.0","result":null})");
        }
        files::Write(dir / "session", sent);
        const proc::Result run = proc::Run({TQC_CLI, "lsp"}, "", 30, nullptr, dir / "session");
        EXPECT_GE(run.status, 0);  // neither killed by a signal nor out of time
        if (!row.bare) { EXPECT_EQ(run.status, 0); }
        EXPECT_EQ(run.err, "");
        std::vector<std::string> bodies = lspframes::Bodies(run.out);
        if (!row.bare && !bodies.empty()) bodies.erase(bodies.begin());  // the initialize answer
        EXPECT_EQ(bodies, expected);
    }
}

// 150 variables starting with "v": the first 100 as items, the list marked incomplete.
TEST(Lsp, CompletionStopsAtAHundredItemsMarkedIncomplete) {
    const files::TempDir dir;
    std::string text;
    for (int i = 0; i < 150; ++i) text += "defvar v" + std::to_string(i) + " = 0\\n";
    const std::string uri = "file://" + dir.path + "/m.tqc";
    const std::string sent =
        lspframes::Frame(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})") +
        lspframes::Frame(R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":")" + uri +
                         R"(","version":1,"text":")" + text + R"(setvar v"}}})") +
        lspframes::Frame(
            R"({"jsonrpc":"2.0","id":1,"method":"textDocument/completion","params":{"textDocument":{"uri":")" + uri +
            R"("},"position":{"line":150,"character":8}}})") +
        lspframes::Frame(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})") +
        lspframes::Frame(R"({"jsonrpc":"2.0","method":"exit"})");
    files::Write(dir / "session", sent);
    const proc::Result run = proc::Run({TQC_CLI, "lsp"}, "", 30, nullptr, dir / "session");
    const std::vector<std::string> bodies = lspframes::Bodies(run.out);
    ASSERT_GE(bodies.size(), 2u);
    const std::string& list = bodies[1];
    size_t items = 0;
    for (size_t at = list.find("\"label\""); at != std::string::npos; at = list.find("\"label\"", at + 1)) ++items;
    EXPECT_EQ(items, 100u);
    EXPECT_NE(list.find("\"isIncomplete\":true"), std::string::npos) << list.substr(0, 200);
}

}  // namespace
