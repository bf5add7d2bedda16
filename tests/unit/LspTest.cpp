// tqc-cli lsp driven by a scripted client: every answer's framing and JSON, byte for byte.
#include "../support/CliRun.h"
#include "../support/LspFrames.h"
#include "CompileHelpers.h"

namespace {

using lspframes::Bodies;
using lspframes::Frame;

TEST(Lsp, ScriptedSession) {
    const std::string dir = tqc_test::MakeTempDir(), uri = "file://" + dir + "/main.tqc";
    tqc_test::WriteBytes(dir + "/lib.inc", "defvar Licht = 1\n");
    // the script as JSON text: first with a wrong line, then mended, with an open if after it
    const std::string head = "#include \\\"lib.inc\\\"\\ndefvar Zaehler = 0\\n::Start\\nsetvar Zaehler ";
    const std::string text = head + ", 1\\njump Start\\n", fixed = head + "= 1\\njump Start\\nif Licht == 1\\n";
    // A request with its id, or a notification (id 0), framed.
    const auto message = [](int id, const std::string& method, const std::string& params) {
        const std::string body = R"({"jsonrpc":"2.0",)" + (id ? "\"id\":" + std::to_string(id) + "," : std::string()) +
                                 R"("method":")" + method + "\"" + params + "}";
        return Frame(body);
    };
    const auto at = [&](int line, int character) {
        return ",\"params\":{\"position\":{\"character\":" + std::to_string(character) + ",\"line\":" +
               std::to_string(line) + "},\"textDocument\":{\"uri\":\"" + uri + "\"}}";
    };
    const std::string document = R"(,"params":{"textDocument":{"uri":")" + uri;
    tqc_test::WriteBytes(
        dir + "/session",
        message(1, "initialize", ",\"params\":{}") + message(0, "initialized", ",\"params\":{}") +
            message(0, "textDocument/didOpen",
                    document + R"(","languageId":"tqc","version":1,"text":")" + text + "\"}}") +
            message(0, "textDocument/didChange",
                    document + R"(","version":2},"contentChanges":[{"text":")" + fixed + "\"}]}") +
            message(2, "textDocument/completion", at(3, 4)) + message(3, "textDocument/completion", at(5, 5)) +
            message(4, "textDocument/hover", at(3, 9)) + message(5, "textDocument/hover", at(4, 2)) +
            message(6, "textDocument/hover", at(4, 7)) + message(7, "textDocument/definition", at(4, 7)) +
            message(8, "textDocument/definition", at(5, 4)) + message(9, "textDocument/formatting", ",\"params\":{}") +
            message(10, "shutdown", "") + message(0, "exit", ""));

    const auto diagnostic = [&](int line, int end, const char* message) {
        return R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"message":")" +
               std::string(message) + R"(","range":{"end":{"character":)" + std::to_string(end) + ",\"line\":" +
               std::to_string(line) + R"(},"start":{"character":0,"line":)" + std::to_string(line) +
               R"(}},"severity":1,"source":"tqc"}],"uri":")" + uri + "\"}}";
    };
    const auto range = [](int line) {
        const std::string p = "{\"character\":0,\"line\":" + std::to_string(line) + "}";
        return "{\"range\":{\"end\":" + p + ",\"start\":" + p + "},\"uri\":\"";
    };
    const auto hover = [](const std::string& value) {
        return R"(,"jsonrpc":"2.0","result":{"contents":{"kind":"plaintext","value":")" + value + "\"}}}";
    };
    const std::vector<std::string> expected = {
        R"({"id":1,"jsonrpc":"2.0","result":{"capabilities":{"completionProvider":{},"definitionProvider":true,)"
        R"("hoverProvider":true,"textDocumentSync":{"change":1,"openClose":true}},"serverInfo":{"name":"tqc-cli"}}})",
        diagnostic(3, 18, "Fehler in der Zeile"),
        diagnostic(6, 0, "Anzahl if > endif"),
        R"({"id":2,"jsonrpc":"2.0","result":[{"kind":14,"label":"setvar"}]})",
        R"({"id":3,"jsonrpc":"2.0","result":[{"kind":6,"label":"Licht"}]})",
        "{\"id\":4" + hover("defvar Zaehler=0\\nVariable 1"),
        "{\"id\":5" + hover("jump MARKE\\nSpringt zur Marke ::MARKE."),
        "{\"id\":6" + hover("::Start\\nMarke 0 an Adresse 0x0008"),
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
