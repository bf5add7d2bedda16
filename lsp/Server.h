// The language server's dispatcher: one JSON-RPC message in, its answers and notifications out
// through `send`. GUI-free; tqc-cli lsp runs it on stdin and stdout.
#pragma once

#include "app/AutoComplete.h"
#include "compiler/Compiler.h"
#include "lsp/Documents.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lsp {

using json = nlohmann::json;

class Server {
public:
    explicit Server(std::function<void(const json&)> send);
    ~Server();

    // One message body; false once "exit" came, `status` then being what the process returns.
    bool Handle(const std::string& body, int& status);
    // A frame the reader could not take: answered with -32700.
    void BadFrame(const std::string& reason);
    // The diagnostics of every document whose text or includes changed since they were last
    // published. Called when no message is waiting and after each answer, so that a burst of
    // changes is compiled once.
    void Publish();

private:
    using Handler = json (Server::*)(const json& params);
    void Dispatch(const json& message, const std::string& method);
    void Reply(const json& id, json result);
    void Fail(const json& id, int code, const std::string& text);

    json Initialize(const json& params);
    json Shutdown(const json& params);
    json DidOpen(const json& params);
    json DidChange(const json& params);
    json DidSave(const json& params);
    json DidClose(const json& params);
    json Completion(const json& params);
    json Hover(const json& params);
    json Definition(const json& params);
    json DocumentSymbol(const json& params);
    json FoldingRange(const json& params);
    json References(const json& params);
    json DocumentHighlight(const json& params);
    json PrepareRename(const json& params);
    json Rename(const json& params);
    json SignatureHelp(const json& params);
    json WorkspaceSymbol(const json& params);
    json CodeAction(const json& params);
    json SemanticTokens(const json& params);
    json DocumentLink(const json& params);

    Document& Open(const json& params, std::string& uri);
    // A text of `size` bytes in place of one of `replaced` bytes must fit; else the message fails.
    void CheckSize(size_t size, size_t replaced);
    void Compile(const std::string& uri);  // the document's context script, unless it is current
    json DiagnosticsOf(const std::string& uri);
    struct Place;
    // A request's place; with `compiled` the context script is compiled first if it changed.
    Place At(const json& params, bool compiled = true);
    // The declared name at a place (a mark without its "::"), empty when none; `start` is where
    // the name begins in the place's line.
    wxString NameAt(const Place& place, Compiler::Declared& declared, int* start = nullptr);
    // The URI of an include of the compiled script: as the client opened it, else its file's.
    std::string IncludeUri(const wxString& file);
    struct Use;
    // Every use of a declared name in the compiled script and its includes; only those in the
    // file `onlyPath` when it is given.
    std::vector<Use> UsesOf(const wxString& name, const Compiler::Declared& declared, const std::string& onlyPath = "");

    std::function<void(const json&)> send_;
    std::unique_ptr<Compiler> compiler_;
    CompletionList completions_;
    Documents documents_;
    std::string compiled_;  // the context script the compiler's tables are of
    unsigned long compiledGeneration_ = 0;
    bool initialized_ = false, shutdown_ = false;
};

}  // namespace lsp
