#include "cli/LspCommand.h"

#include "app/AutoComplete.h"
#include "compiler/Compiler.h"
#include "compiler/LanguageService.h"
#include "compiler/ScriptText.h"
#include "compiler/commands/CommandSyntax.h"

#include <nlohmann/json.hpp>
#include <wx/filename.h>
#include <wx/log.h>

#include <cctype>
#include <cstring>
#include <iostream>
#include <map>

using json = nlohmann::json;

namespace {

// ---- framing: "Content-Length: N" headers, a blank line, N bytes of JSON ----

bool ReadMessage(std::istream& in, std::string& body) {
    size_t length = 0;
    bool sized = false;
    std::string header;
    while (std::getline(in, header)) {
        if (!header.empty() && header.back() == '\r') header.pop_back();
        if (header.empty()) {
            if (!sized) continue;  // stray blank line before any header
            body.assign(length, '\0');
            return static_cast<bool>(in.read(&body[0], static_cast<std::streamsize>(length)));
        }
        const std::string key = "Content-Length:";
        if (header.compare(0, key.size(), key) == 0) {
            length = std::stoul(header.substr(key.size()));
            sized = true;
        }
    }
    return false;
}

void WriteMessage(std::ostream& out, const json& message) {
    const std::string body = message.dump();
    out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
    out.flush();
}

// ---- file URIs ----

std::string PathOfUri(const std::string& uri) {
    std::string path = uri.compare(0, 7, "file://") == 0 ? uri.substr(7) : uri;
    std::string decoded;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size()) {
            decoded += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += path[i];
        }
    }
#ifdef __WINDOWS__
    if (decoded.size() > 2 && decoded[0] == '/' && decoded[2] == ':') decoded.erase(0, 1);  // /C:/...
#endif
    return decoded;
}

std::string UriOfPath(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string uri = "file://";
#ifdef __WINDOWS__
    uri += '/';
#endif
    for (unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-._~:", c)) {
            uri += static_cast<char>(c == '\\' ? '/' : c);
        } else if (c == '\\') {
            uri += '/';
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text.data(), text.size()); }
std::string ToUtf8(const wxString& text) { return text.utf8_string(); }

// ---- the server ----

class Server {
public:
    explicit Server(std::ostream& out) : out_(out) {}

    // false once "exit" came; `status` is then what the process returns.
    bool Handle(const json& message, int& status) {
        const std::string method = message.value("method", "");
        const json params = message.value("params", json::object());
        const bool request = message.contains("id");
        json result;
        if (method == "initialize") {
            result = {{"capabilities",
                       {{"textDocumentSync", {{"openClose", true}, {"change", 1}}},
                        {"completionProvider", json::object()},
                        {"hoverProvider", true},
                        {"definitionProvider", true}}},
                      {"serverInfo", {{"name", "tqc-cli"}}}};
        } else if (method == "shutdown") {
            shutdown_ = true;
        } else if (method == "exit") {
            status = shutdown_ ? 0 : 1;
            return false;
        } else if (method == "textDocument/didOpen") {
            Update(params["textDocument"]["uri"], params["textDocument"]["text"]);
        } else if (method == "textDocument/didChange") {
            const json& changes = params["contentChanges"];
            if (!changes.empty()) Update(params["textDocument"]["uri"], changes.back()["text"]);
        } else if (method == "textDocument/didClose") {
            const std::string uri = params["textDocument"]["uri"];
            documents_.erase(uri);
            WriteMessage(out_, Notification("textDocument/publishDiagnostics",
                                            {{"uri", uri}, {"diagnostics", json::array()}}));
        } else if (method == "textDocument/completion") {
            result = Completion(params);
        } else if (method == "textDocument/hover") {
            result = Hover(params);
        } else if (method == "textDocument/definition") {
            result = Definition(params);
        } else if (request) {
            WriteMessage(out_, {{"jsonrpc", "2.0"},
                                {"id", message["id"]},
                                {"error", {{"code", -32601}, {"message", "unknown method " + method}}}});
            return true;
        }
        if (request) WriteMessage(out_, {{"jsonrpc", "2.0"}, {"id", message["id"]}, {"result", result}});
        return true;
    }

private:
    static json Notification(const std::string& method, const json& params) {
        return {{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
    }

    // Compiles a document as "Compile" would, its includes looked up beside it.
    void Compile(const std::string& uri) {
        if (compiled_ == uri) return;
        data.sourceDir = wxFileName(FromUtf8(PathOfUri(uri))).GetPath();
        compiler_.CompileLatin1(script::ToLatin1(documents_[uri]));
        completions_.Rebuild();
        compiled_ = uri;
    }

    void Update(const std::string& uri, const std::string& text) {
        documents_[uri] = text;
        compiled_.clear();
        Compile(uri);
        const std::string& bytes = documents_[uri];
        const std::vector<std::string_view> lines = script::SplitViews(bytes.data(), bytes.size());
        json diagnostics = json::array();
        for (const lang::Diagnostic& d : lang::Diagnostics(static_cast<int>(lines.size()))) {
            const int end = static_cast<int>(FromUtf8(std::string(lines[d.line])).length());
            diagnostics.push_back({{"range", {{"start", {{"line", d.line}, {"character", 0}}},
                                              {"end", {{"line", d.line}, {"character", end}}}}},
                                   {"severity", 1},
                                   {"source", "tqc"},
                                   {"message", ToUtf8(d.message)}});
        }
        WriteMessage(out_, Notification("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", diagnostics}}));
    }

    // The line under the position, compiled; false for an unknown document.
    bool At(const json& params, wxString& line, int& column, std::string& uri) {
        uri = params["textDocument"]["uri"];
        if (!documents_.count(uri)) return false;
        Compile(uri);
        const std::string& bytes = documents_[uri];
        const std::vector<std::string_view> lines = script::SplitViews(bytes.data(), bytes.size());
        const size_t n = params["position"]["line"];
        if (n >= lines.size()) return false;
        line = FromUtf8(std::string(lines[n]));
        column = params["position"]["character"];
        return true;
    }

    json Completion(const json& params) {
        wxString line;
        int column;
        std::string uri;
        json items = json::array();
        if (!At(params, line, column, uri)) return items;
        int start;
        lang::WordAt(line.Left(column), column, &start);
        const wxString prefix = line.Mid(start, column - start);
        if (prefix.empty()) return items;
        for (const wxString& word : wxSplit(completions_.Matches(prefix).Trim(), ' ', 0)) {
            const bool command = FindCommandSyntax({word.wc_str(), word.length()}) != nullptr;
            items.push_back({{"label", ToUtf8(word)}, {"kind", command ? 14 : 6}});
        }
        return items;
    }

    json Hover(const json& params) {
        wxString line;
        int column;
        std::string uri;
        if (!At(params, line, column, uri)) return nullptr;
        const wxString text = lang::HoverText(compiler_, lang::WordAt(line, column));
        if (text.empty()) return nullptr;
        return {{"contents", {{"kind", "plaintext"}, {"value", ToUtf8(text)}}}};
    }

    json Definition(const json& params) {
        wxString line;
        int column;
        std::string uri;
        lang::Definition found;
        if (!At(params, line, column, uri) || !lang::FindDefinition(compiler_, lang::WordAt(line, column), &found))
            return nullptr;
        const std::string target =
            found.file.empty() ? uri : UriOfPath(ToUtf8(data.sourceDir + wxFILE_SEP_PATH + found.file));
        const json position = {{"line", found.line}, {"character", 0}};
        return {{"uri", target}, {"range", {{"start", position}, {"end", position}}}};
    }

    std::ostream& out_;
    Compiler compiler_;
    CompletionList completions_;
    std::map<std::string, std::string> documents_;  // uri -> the editor's text, UTF-8
    std::string compiled_;                          // the document the compiler's tables are of
    bool shutdown_ = false;
};

}  // namespace

int ServeLsp(std::istream& in, std::ostream& out) {
    wxLogNull quiet;  // stdout carries the protocol only
    Server server(out);
    std::string body;
    int status = 1;  // the stream ended without "exit"
    while (ReadMessage(in, body)) {
        json message;
        try {
            message = json::parse(body);
        } catch (const json::exception& e) {
            WriteMessage(out, {{"jsonrpc", "2.0"}, {"id", nullptr}, {"error", {{"code", -32700}, {"message", e.what()}}}});
            continue;
        }
        try {
            if (!server.Handle(message, status)) return status;
        } catch (const json::exception& e) {
            // A field of the wrong type: the request fails, the server stays.
            if (message.contains("id"))
                WriteMessage(out, {{"jsonrpc", "2.0"}, {"id", message["id"]}, {"error", {{"code", -32602}, {"message", e.what()}}}});
        }
    }
    return status;
}

int RunLspCommand(const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::cerr << "usage: tqc-cli lsp   (the Language Server Protocol on stdin and stdout)\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    return ServeLsp(std::cin, std::cout);
}
