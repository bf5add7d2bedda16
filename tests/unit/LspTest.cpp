// tqc-cli lsp driven by a scripted client: every answer's framing and JSON, byte for byte.
#include "../support/CliRun.h"
#include "DriverSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Frame(const std::string& body) { return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body; }

// The bodies of a stream of framed messages; a header whose length disagrees with its body fails.
std::vector<std::string> Bodies(const std::string& stream) {
    std::vector<std::string> bodies;
    size_t at = 0;
    while (at < stream.size()) {
        const size_t blank = stream.find("\r\n\r\n", at);
        const std::string header = stream.substr(at, blank - at);
        if (blank == std::string::npos || header.rfind("Content-Length: ", 0) != 0) {
            ADD_FAILURE() << "not a header: " << stream.substr(at, 80);
            break;
        }
        const size_t length = std::stoul(header.substr(16));
        bodies.push_back(stream.substr(blank + 4, length));
        EXPECT_EQ(bodies.back().size(), length);
        at = blank + 4 + length;
    }
    return bodies;
}

TEST(Lsp, ScriptedSession) {
    const std::string dir = drvtest::MakeTempDir();
    drvtest::WriteBytes(dir + "/lib.inc", "defvar Licht = 1\n");
    const std::string uri = "file://" + dir + "/main.tqc";
    const std::string doc = "{\"uri\":\"" + uri + "\"}";
    const std::string at = ",\"textDocument\":" + doc + "}}";
    const std::string text = "#include \\\"lib.inc\\\"\\ndefvar Zaehler = 0\\n::Start\\nsetvar Zaehler , 1\\njump Start\\n";
    const std::string fixed = "#include \\\"lib.inc\\\"\\ndefvar Zaehler = 0\\n::Start\\nsetvar Zaehler = 1\\njump Start\\n"
                              "if Licht == 1\\n";
    const auto position = [&](int line, int character) {
        return "\"params\":{\"position\":{\"character\":" + std::to_string(character) + ",\"line\":" +
               std::to_string(line) + "}" + at;
    };
    const std::vector<std::string> requests = {
        R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})",
        R"({"jsonrpc":"2.0","method":"initialized","params":{}})",
        R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":")" + uri +
            R"(","languageId":"tqc","version":1,"text":")" + text + "\"}}}",
        R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":")" + uri +
            R"(","version":2},"contentChanges":[{"text":")" + fixed + "\"}]}}",
        R"({"jsonrpc":"2.0","id":2,"method":"textDocument/completion",)" + position(3, 4),
        R"({"jsonrpc":"2.0","id":3,"method":"textDocument/completion",)" + position(5, 5),
        R"({"jsonrpc":"2.0","id":4,"method":"textDocument/hover",)" + position(3, 9),
        R"({"jsonrpc":"2.0","id":5,"method":"textDocument/hover",)" + position(4, 2),
        R"({"jsonrpc":"2.0","id":6,"method":"textDocument/hover",)" + position(4, 7),
        R"({"jsonrpc":"2.0","id":7,"method":"textDocument/definition",)" + position(4, 7),
        R"({"jsonrpc":"2.0","id":8,"method":"textDocument/definition",)" + position(5, 4),
        R"({"jsonrpc":"2.0","id":9,"method":"textDocument/formatting","params":{}})",
        R"({"jsonrpc":"2.0","id":10,"method":"shutdown"})",
        R"({"jsonrpc":"2.0","method":"exit"})",
    };
    std::string input;
    for (const std::string& r : requests) input += Frame(r);
    drvtest::WriteBytes(dir + "/session", input);

    const std::string diagnostics = R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[)";
    const auto diagnostic = [](int line, int end, const char* message) {
        return R"({"message":")" + std::string(message) + R"(","range":{"end":{"character":)" + std::to_string(end) +
               ",\"line\":" + std::to_string(line) + R"(},"start":{"character":0,"line":)" + std::to_string(line) +
               R"(}},"severity":1,"source":"tqc"})";
    };
    const auto range = [](int line) {
        const std::string p = "{\"character\":0,\"line\":" + std::to_string(line) + "}";
        return "{\"range\":{\"end\":" + p + ",\"start\":" + p + "},\"uri\":\"";
    };
    const std::vector<std::string> expected = {
        R"({"id":1,"jsonrpc":"2.0","result":{"capabilities":{"completionProvider":{},"definitionProvider":true,)"
        R"("hoverProvider":true,"textDocumentSync":{"change":1,"openClose":true}},"serverInfo":{"name":"tqc-cli"}}})",
        diagnostics + diagnostic(3, 18, "Fehler in der Zeile") + "],\"uri\":\"" + uri + "\"}}",
        diagnostics + diagnostic(6, 0, "Anzahl if > endif") + "],\"uri\":\"" + uri + "\"}}",
        R"({"id":2,"jsonrpc":"2.0","result":[{"kind":14,"label":"setvar"}]})",
        R"({"id":3,"jsonrpc":"2.0","result":[{"kind":6,"label":"Licht"}]})",
        R"({"id":4,"jsonrpc":"2.0","result":{"contents":{"kind":"plaintext","value":"defvar Zaehler=0\nVariable 1"}}})",
        R"({"id":5,"jsonrpc":"2.0","result":{"contents":{"kind":"plaintext","value":"jump MARKE\nSpringt zur Marke ::MARKE."}}})",
        R"({"id":6,"jsonrpc":"2.0","result":{"contents":{"kind":"plaintext","value":"::Start\nMarke 0 an Adresse 0x0008"}}})",
        R"({"id":7,"jsonrpc":"2.0","result":)" + range(2) + uri + "\"}}",
        R"({"id":8,"jsonrpc":"2.0","result":)" + range(0) + "file://" + dir + "/lib.inc\"}}",
        R"({"error":{"code":-32601,"message":"unknown method textDocument/formatting"},"id":9,"jsonrpc":"2.0"})",
        R"({"id":10,"jsonrpc":"2.0","result":null})",
    };
    const clitest::CliRun run = clitest::RunCli("lsp < " + dir + "/session");
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> bodies = Bodies(run.output);
    ASSERT_EQ(bodies.size(), expected.size()) << run.output;
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(bodies[i], expected[i]) << "answer " << i;
}

}  // namespace
