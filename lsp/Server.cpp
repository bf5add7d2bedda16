#include "lsp/Server.h"

#include "compiler/Compiler.h"
#include "compiler/LanguageService.h"
#include "compiler/Outline.h"
#include "compiler/ScriptText.h"
#include "compiler/commands/CommandSyntax.h"
#include "lsp/MessageCodes.h"
#include "lsp/Params.h"
#include "lsp/Utf16.h"

#include <wx/filefn.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string_view>

namespace lsp {
namespace {

constexpr int kParseError = -32700, kInvalidRequest = -32600, kMethodNotFound = -32601, kInvalidParams = -32602,
              kNotInitialized = -32002, kRequestFailed = -32803;
constexpr int kMaxDepth = 64;  // far beyond any message of the protocol; a deeper one is refused unread
// The texts the server holds: one as large as an include may be, all together a few of them.
constexpr size_t kMaxText = kMaxIncludeBytes, kMaxOpenTexts = 4 * kMaxText;

bool TooDeep(const std::string& body) {
    int depth = 0;
    bool text = false, escaped = false;
    for (const char c : body) {
        if (text) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                text = false;
        } else if (c == '"') {
            text = true;
        } else if ((c == '[' || c == '{') && ++depth > kMaxDepth) {
            return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

std::string UriOf(const json& params, std::string& path) {
    const std::string& uri = TextOf(ObjectOf(params, "textDocument", "textDocument"), "uri", "textDocument.uri");
    if (!PathOfUri(uri, path)) throw ParamError("textDocument.uri ist keine gültige file-URI: " + uri.substr(0, 200));
    return uri;
}

// The byte offset of a protocol position in `text`; a position outside the text is an error.
// `starts` holds where the text's first lines begin (at least line 0), as far as they were
// looked for; it grows to the position's line, so that a typist's changes to line 30000 of a
// long script do not each count the lines from the top.
size_t OffsetOf(const std::string& text, const json& position, const std::string& where, std::vector<size_t>& starts) {
    const long long line = NumberOf(position, "line", where + ".line");
    const long long character = NumberOf(position, "character", where + ".character");
    if (starts.empty()) starts.push_back(0);
    while (static_cast<long long>(starts.size()) <= line) {
        // A line ends at LF, CRLF or a lone CR: the next LF found, unless a CR comes before it.
        const size_t begin = starts.back();
        const void* lf = std::memchr(text.data() + begin, '\n', text.size() - begin);
        const size_t at = lf ? static_cast<const char*>(lf) - text.data() : text.size();
        const void* cr = std::memchr(text.data() + begin, '\r', at - begin);
        if (!lf && !cr)
            throw ParamError(where + ": Zeile " + std::to_string(line) + " liegt außerhalb des Textes (" +
                             std::to_string(starts.size()) + " Zeilen)");
        const size_t end = cr ? static_cast<const char*>(cr) - text.data() : at;
        starts.push_back(end + (cr && end + 1 == at ? 2 : 1));
    }
    const size_t begin = starts[static_cast<size_t>(line)];
    const size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
    size_t byte = 0;
    if (!ByteOfColumn(std::string_view(text).substr(begin, end - begin), static_cast<size_t>(character), byte))
        throw ParamError(where + ": Spalte " + std::to_string(character) + " liegt hinter dem Ende der Zeile " +
                         std::to_string(line));
    return begin + byte;
}

// The first operand a command word takes, from its syntax row ("jump MARKE" -> "MARKE").
wxString FirstOperand(const wxString& word) {
    const CommandSyntax* row = FindCommandSyntax({word.wc_str(), word.length()});
    if (!row) return wxString();
    wxString syntax(row->syntax);
    return syntax.AfterFirst(' ').BeforeFirst(' ');
}

// A completion item's kind, a line of detail and its documentation, as hover tells them: a
// command's syntax and meaning, a name's kind and declaration.
json ItemOf(const Compiler& compiler, const wxString& name) {
    if (const CommandSyntax* row = FindCommandSyntax({name.wc_str(), name.length()})) {
        const wxString tip(SyntaxTip(*row));
        return {
            {"kind", 14}, {"detail", ToUtf8(tip.BeforeFirst('\n'))}, {"documentation", ToUtf8(tip.AfterFirst('\n'))}};
    }
    Compiler::Declared declared;
    if (!compiler.FindDeclared({name.wc_str(), name.length()}, &declared)) return {{"kind", 6}};
    // Completion kinds: a define is a constant, a mark a place to go to.
    static const int kinds[] = {6, 6, 21, 18};
    return {{"kind", kinds[static_cast<int>(declared.kind)]},
            {"detail", ToUtf8(outline::KindName(declared.kind))},
            {"documentation", ToUtf8(lang::HoverText(compiler, name))}};
}

// A compiler that takes an open include's editor text instead of the file on disk.
class DocumentCompiler : public Compiler {
public:
    explicit DocumentCompiler(const Documents& documents) : documents_(documents) {}

protected:
    script::ReadResult ReadInclude(const wxString& path, std::string& bytes) override {
        const Document* open = documents_.FindPath(NormalPath(ToUtf8(path)));
        if (!open) return Compiler::ReadInclude(path, bytes);
        if (open->text.size() > kMaxIncludeBytes) return script::ReadResult::TooLarge;
        bytes = open->text;
        return script::ReadResult::Ok;
    }

private:
    const Documents& documents_;
};

}  // namespace

Server::Server(std::function<void(const json&)> send)
    : send_(std::move(send)), compiler_(std::make_unique<DocumentCompiler>(documents_)) {}

Server::~Server() = default;

void Server::Reply(const json& id, json result) {
    // Built member by member: a braced list would copy a result of hundreds of items.
    json reply = json::object();
    reply["jsonrpc"] = "2.0";
    reply["id"] = id;
    reply["result"] = std::move(result);
    send_(reply);
}

void Server::Fail(const json& id, int code, const std::string& text) {
    send_({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", text}}}});
}

void Server::BadFrame(const std::string& reason) { Fail(nullptr, kParseError, reason); }

bool Server::Handle(const std::string& body, int& status) {
    if (TooDeep(body)) {
        Fail(nullptr, kParseError, "Nachricht ist zu tief verschachtelt");
        return true;
    }
    const json message = json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        Fail(nullptr, kParseError, "Nachricht ist kein gültiges JSON");
        return true;
    }
    if (!message.is_object()) {
        Fail(nullptr, kInvalidRequest, "Nachricht ist kein JSON-Objekt");
        return true;
    }
    const auto id = message.find("id");
    if (id != message.end() && !id->is_number_integer() && !id->is_string()) {
        Fail(nullptr, kInvalidRequest, "id ist weder Zahl noch Text");
        return true;
    }
    const json request = id == message.end() ? json() : *id;
    const auto method = message.find("method");
    if (method == message.end()) {
        // An answer to a request of ours (there are none) needs nothing; anything else is wrong.
        if (!message.contains("result") && !message.contains("error")) Fail(request, kInvalidRequest, "method fehlt");
        return true;
    }
    if (!method->is_string()) {
        Fail(request, kInvalidRequest, "method ist kein Text");
        return true;
    }
    if (*method == "exit") {
        status = shutdown_ ? 0 : 1;
        return false;
    }
    Dispatch(message, *method);
    return true;
}

void Server::Dispatch(const json& message, const std::string& method) {
    static const std::map<std::string, Handler> handlers = {
        {"initialize", &Server::Initialize},
        {"shutdown", &Server::Shutdown},
        {"textDocument/didOpen", &Server::DidOpen},
        {"textDocument/didChange", &Server::DidChange},
        {"textDocument/didSave", &Server::DidSave},
        {"textDocument/didClose", &Server::DidClose},
        {"textDocument/completion", &Server::Completion},
        {"textDocument/hover", &Server::Hover},
        {"textDocument/definition", &Server::Definition},
        {"textDocument/documentSymbol", &Server::DocumentSymbol},
        {"textDocument/foldingRange", &Server::FoldingRange},
        {"textDocument/references", &Server::References},
        {"textDocument/documentHighlight", &Server::DocumentHighlight},
        {"textDocument/prepareRename", &Server::PrepareRename},
        {"textDocument/rename", &Server::Rename},
        {"textDocument/signatureHelp", &Server::SignatureHelp},
        {"workspace/symbol", &Server::WorkspaceSymbol},
        {"textDocument/codeAction", &Server::CodeAction},
        {"textDocument/semanticTokens/full", &Server::SemanticTokens},
        {"textDocument/documentLink", &Server::DocumentLink}};
    const bool request = message.contains("id");
    const json& id = request ? message["id"] : message;
    if (!initialized_ && method != "initialize") {
        if (request) Fail(id, kNotInitialized, "Server ist noch nicht initialisiert: zuerst initialize");
        return;
    }
    if (shutdown_) {
        if (request) Fail(id, kInvalidRequest, "Server ist heruntergefahren: nur noch exit");
        return;
    }
    const auto handler = handlers.find(method);
    if (handler == handlers.end()) {
        if (request) Fail(id, kMethodNotFound, "Unbekannte Methode " + method);
        return;
    }
    const auto params = message.find("params");
    try {
        json result = (this->*handler->second)(params == message.end() ? json::object() : *params);
        if (request) Reply(id, std::move(result));
    } catch (const RequestFailed& e) {
        if (request) Fail(id, kRequestFailed, e.what());
    } catch (const ParamError& e) {
        if (request)
            Fail(id, kInvalidParams, e.what());
        else
            send_({{"jsonrpc", "2.0"},
                   {"method", "window/logMessage"},
                   {"params", {{"type", 1}, {"message", method + ": " + e.what()}}}});
    }
    // A client waiting on an answer has sent everything before it: its texts are current.
    if (request) Publish();
}

json Server::Initialize(const json&) {
    if (initialized_) throw ParamError("initialize kam schon");
    initialized_ = true;
    return {{"capabilities",
             {{"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
              {"completionProvider", {{"triggerCharacters", {" ", ";", "#", ":"}}}},
              {"hoverProvider", true},
              {"definitionProvider", true},
              {"documentSymbolProvider", true},
              {"foldingRangeProvider", true},
              {"referencesProvider", true},
              {"workspaceSymbolProvider", true},
              {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
              // In the order of lang::TokenKind; a string name is a "property", a text a "string".
              {"semanticTokensProvider",
               {{"legend",
                 {{"tokenTypes", {"keyword", "variable", "property", "string", "number", "macro", "label", "comment"}},
                  {"tokenModifiers", json::array()}}},
                {"full", true}}},
              {"documentHighlightProvider", true},
              {"documentLinkProvider", {{"resolveProvider", false}}},
              {"renameProvider", {{"prepareProvider", true}}},
              {"signatureHelpProvider", {{"triggerCharacters", {" ", ",", "=", "("}}}}}},
            {"serverInfo", {{"name", "tqc-cli"}}}};
}

json Server::Shutdown(const json&) {
    shutdown_ = true;
    return nullptr;
}

json Server::DidOpen(const json& params) {
    std::string path;
    const std::string uri = UriOf(params, path);
    const json& document = params["textDocument"];
    const std::string& text = TextOf(document, "text", "textDocument.text");
    const long long version = document.contains("version") ? NumberOf(document, "version", "textDocument.version") : -1;
    const Document* old = documents_.Find(uri);
    CheckSize(text.size(), old ? old->text.size() : 0);
    documents_.Open(uri, path, text, version);
    return nullptr;
}

void Server::CheckSize(size_t size, size_t replaced) {
    if (size > kMaxText)
        throw ParamError("Text zu groß: " + std::to_string(size) + " Bytes, höchstens " + std::to_string(kMaxText) +
                         " Bytes");
    size_t open = 0;
    for (const auto& [uri, document] : documents_.All()) open += document.text.size();
    if (open - replaced + size > kMaxOpenTexts)
        throw ParamError("Die offenen Texte sind zusammen zu groß: höchstens " + std::to_string(kMaxOpenTexts) +
                         " Bytes");
}

Document& Server::Open(const json& params, std::string& uri) {
    std::string path;
    uri = UriOf(params, path);
    Document* document = documents_.Find(uri);
    if (!document) throw ParamError("Dokument ist nicht geöffnet: " + uri.substr(0, 200));
    return *document;
}

json Server::DidChange(const json& params) {
    std::string uri;
    Document& document = Open(params, uri);
    const json& changes = Member(params, "contentChanges", "contentChanges");
    if (!changes.is_array()) throw ParamError("Parameter contentChanges ist keine Liste");
    const json& textDocument = params["textDocument"];
    const bool versioned = textDocument.contains("version") && !textDocument["version"].is_null();
    const long long version = versioned ? NumberOf(textDocument, "version", "textDocument.version") : document.version;
    // Each change applies to what the one before left. A bad one must leave the text as it was:
    // a single change (what editors send while typing) is checked before it is applied in
    // place, several are applied to a copy of a text that may be megabytes long.
    std::string copy;
    std::string* text = &document.text;
    std::vector<size_t> copyStarts;
    std::vector<size_t>* starts = &document.lineStarts;
    if (changes.size() > 1) {
        text = &(copy = document.text);
        starts = &(copyStarts = document.lineStarts);
    }
    for (size_t i = 0; i < changes.size(); ++i) {
        const std::string where = "contentChanges[" + std::to_string(i) + "]";
        const std::string& replacement = TextOf(changes[i], "text", where + ".text");
        if (!changes[i].contains("range")) {
            CheckSize(replacement.size(), text->size());
            *text = replacement;
            starts->clear();
            continue;
        }
        const json& range = ObjectOf(changes[i], "range", where + ".range");
        const json& start = ObjectOf(range, "start", where + ".range.start");
        const size_t from = OffsetOf(*text, start, where + ".range.start", *starts);
        const size_t to = OffsetOf(*text, ObjectOf(range, "end", where + ".range.end"), where + ".range.end", *starts);
        if (to < from) throw ParamError(where + ".range endet vor seinem Anfang");
        CheckSize(text->size() - (to - from) + replacement.size(), text->size());
        text->replace(from, to - from, replacement);
        // The lines up to the change's first keep their starts, unless an LF now follows the
        // lone CR that ended the line before: then the two are one line end.
        const bool joined = from > 0 && (*text)[from - 1] == '\r' && from < text->size() && (*text)[from] == '\n';
        starts->resize(std::max<size_t>(1, static_cast<size_t>(start["line"].get<long long>()) + (joined ? 0 : 1)));
    }
    if (text == &copy) {
        document.text = std::move(copy);
        document.lineStarts = std::move(copyStarts);
    }
    document.version = version;
    documents_.Changed(uri);
    return nullptr;
}

json Server::DidSave(const json& params) {
    std::string uri;
    Open(params, uri);
    documents_.Changed(uri);  // the scripts that include it are checked again
    return nullptr;
}

json Server::DidClose(const json& params) {
    std::string uri;
    Open(params, uri);
    documents_.Close(uri);
    send_({{"jsonrpc", "2.0"},
           {"method", "textDocument/publishDiagnostics"},
           {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
    return nullptr;
}

void Server::Compile(const std::string& uri) {
    const std::string context = documents_.Context(uri);
    if (context == compiled_ && compiledGeneration_ == documents_.Generation()) return;
    const Document& script = *documents_.Find(context);
    data.sourceDir = FromUtf8(script.folder);
    compiler_->CompileLatin1(script::ToLatin1(script.text));
    completions_.Rebuild();
    compiled_ = context;
    compiledGeneration_ = documents_.Generation();
}

// The faults of a declaration that lie in the name it declares.
const std::set<std::string> kNameFaults = {"VariableExists",    "StringExists",  "NameIsString", "NameIsVariable",
                                           "BadIdentifierChar", "KeywordAsName", "DefineExists", "MarkExists"};

json Server::DiagnosticsOf(const std::string& uri) {
    Compile(uri);
    const std::string context = documents_.Context(uri);
    const std::string folder = FolderOf(documents_.Find(context)->path);
    const Document& document = *documents_.Find(uri);
    json diagnostics = json::array();
    const std::vector<lang::SourceDiagnostic> rows = lang::SourceDiagnostics(*compiler_);
    if (rows.empty()) return diagnostics;  // spares splitting a large script
    const std::vector<std::string_view> lines = script::SplitViews(document.text.data(), document.text.size());
    const int last = static_cast<int>(lines.size()) - 1;
    for (const lang::SourceDiagnostic& d : rows) {
        int line;
        if (context == uri) {
            line = d.line < 0 ? last : d.scriptLine;
        } else if (!d.file.empty() && IncludePath(folder, ToUtf8(d.file)) == document.path) {
            line = d.line;  // an include's own error, at its own line
        } else {
            continue;
        }
        line = std::max(0, std::min(line, last));
        const std::string code = CodeOf(d.message);
        // An undeclared name and a name that cannot be declared are marked themselves; other
        // faults the whole line, as the editor does.
        size_t from = 0, to = Utf16Length(lines[line]);
        int first, end;
        const wxString text = FromUtf8(lines[line]);
        const bool own = context != uri || d.file.empty();
        if (own &&
            ((code.find("Undefined") != std::string::npos && lang::UndeclaredOperand(*compiler_, text, &first, &end)) ||
             (kNameFaults.count(code) && lang::DeclaredName(text, &first, &end)))) {
            from = Utf16Length(ToUtf8(text.Left(first)));
            to = Utf16Length(ToUtf8(text.Left(end)));
        }
        json diagnostic = {
            {"range", Range(line, from, to)}, {"severity", 1}, {"source", "tqc"}, {"message", ToUtf8(d.message)}};
        if (!code.empty()) diagnostic["code"] = code;
        if (context == uri && !d.file.empty()) {
            // Shown at the #include line; where it stands is the include's own line.
            diagnostic["relatedInformation"] = {
                {{"location", {{"uri", IncludeUri(d.file)}, {"range", Range(std::max(d.line, 0), 0, 0)}}},
                 {"message", ToUtf8(d.message)}}};
        }
        diagnostics.push_back(std::move(diagnostic));
    }
    return diagnostics;
}

void Server::Publish() {
    if (shutdown_) return;
    for (auto& [uri, document] : documents_.All()) {
        if (!document.stale) continue;
        document.stale = false;
        json params = {{"uri", uri}, {"diagnostics", DiagnosticsOf(uri)}};
        if (document.version >= 0) params["version"] = document.version;
        send_({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", params}});
    }
}

Server::Place Server::At(const json& params, bool compiled) {
    Place place;
    Document& document = Open(params, place.uri);
    const json& position = ObjectOf(params, "position", "position");
    const size_t offset = OffsetOf(document.text, position, "position", document.lineStarts);
    if (compiled) Compile(place.uri);
    const size_t begin = document.text.find_last_of("\r\n", offset == 0 ? std::string::npos : offset - 1);
    const size_t start = begin == std::string::npos || offset == 0 ? 0 : begin + 1;
    const size_t end = std::min(document.text.find_first_of("\r\n", offset), document.text.size());
    place.line = FromUtf8(std::string_view(document.text).substr(start, end - start));
    place.column = static_cast<int>(FromUtf8(std::string_view(document.text).substr(start, offset - start)).length());
    place.lineNumber = static_cast<int>(position["line"].get<long long>());
    return place;
}

constexpr size_t kCompletionLimit = 100;

json Server::Completion(const json& params) {
    // Names come from the context's last compile: behind queued changes the answer does not
    // wait for a compile (the idle loop compiles the newest text before the next request).
    const Place place = At(params, false);
    if (compiled_ != documents_.Context(place.uri)) Compile(place.uri);
    int start;
    const wxString before = place.line.Left(place.column);
    const wxString prefix = lang::WordAt(before, place.column, &start);
    // The command this word is the first operand of, if any: "jump" takes only marks.
    const wxString head = before.Left(start).Trim(true).Trim(false);
    const wxString operand =
        !head.empty() && head.Find(' ') == wxNOT_FOUND && start > 0 ? FirstOperand(head) : wxString();
    // The punctuation before a name is the client's to keep: each item replaces the name only,
    // so that a client with its own idea of a word inserts neither ";;" nor "##".
    const size_t lead = prefix.StartsWith("::") ? 2 : prefix.StartsWith(";") || prefix.StartsWith("#") ? 1 : 0;
    wxArrayString names;
    if (!prefix.empty()) {
        const bool marks = lead == 2 || operand == "MARKE";
        for (const wxString& w : wxSplit(completions_.Matches(prefix.Mid(lead == 2 ? 2 : 0), marks).Trim(), ' ', 0))
            names.push_back(w);
    } else if (!operand.empty()) {
        const bool any = operand != "MARKE" && operand != "VARIABLE" && operand != "STRING";
        auto add = [&](const wxString* table, int count, bool wanted) {
            for (int i = 0; wanted && i < count; ++i) names.push_back(table[i]);
        };
        add(data.jumpMarkName, data.jumpMarkCount, operand == "MARKE");
        add(data.variableName, data.variableCount, any || operand == "VARIABLE");
        add(data.stringName, data.stringCount, operand == "STRING");
        add(data.defineName, data.defineCount, any);
    }
    const size_t from = Utf16Length(ToUtf8(place.line.Left(start + static_cast<int>(lead == 2 ? 2 : 0))));
    const size_t to = Utf16Length(ToUtf8(before));
    // As clangd: at most 100 items, the list marked incomplete so that the client asks again as
    // the word grows (a script's 255 variables all start with a letter someone types first).
    const bool cut100 = names.size() > kCompletionLimit;
    if (cut100) names.resize(kCompletionLimit);
    json items = json::array();
    for (const wxString& name : names) {
        const size_t cut = lead == 1 && name.length() > 0 && name[0] == prefix[0] ? 1 : 0;
        const std::string text = ToUtf8(name.Mid(cut));
        json item = ItemOf(*compiler_, name);
        item["label"] = ToUtf8(name);
        item["filterText"] = text;
        item["textEdit"] = {{"range", Range(place.lineNumber, from + cut, to)}, {"newText", text}};
        items.push_back(std::move(item));
    }
    if (!cut100) return items;
    return {{"isIncomplete", true}, {"items", std::move(items)}};
}

json Server::Hover(const json& params) {
    const Place place = At(params, false);
    const wxString word = lang::WordAt(place.line, place.column);
    // A command word's help needs no compile; a name's number and address need the newest one.
    if (!FindCommandSyntax({word.wc_str(), word.length()})) Compile(place.uri);
    const wxString text = lang::HoverText(*compiler_, word);
    if (text.empty()) return nullptr;
    return {{"contents", {{"kind", "plaintext"}, {"value", ToUtf8(text)}}}};
}

json Server::Definition(const json& params) {
    const Place place = At(params);
    lang::Definition found;
    if (!lang::FindDefinition(*compiler_, lang::WordAt(place.line, place.column), &found)) return nullptr;
    const std::string context = documents_.Context(place.uri);
    const std::string folder = documents_.Find(context)->folder;
    const std::string target =
        found.file.empty() ? context : UriOfPath(folder + static_cast<char>(wxFILE_SEP_PATH) + ToUtf8(found.file));
    return {{"uri", target}, {"range", Range(found.line, 0, 0)}};
}

json Server::DocumentSymbol(const json& params) {
    std::string uri;
    const Document& document = Open(params, uri);
    Compile(uri);
    const std::string context = documents_.Context(uri);
    const std::string folder = FolderOf(documents_.Find(context)->path);
    const std::vector<std::string_view> lines = script::SplitViews(document.text.data(), document.text.size());
    json symbols = json::array();
    for (const lang::Named& named : lang::DeclaredNames(*compiler_)) {
        const Compiler::LineSource source = compiler_->SourceOf(named.line);
        const bool here =
            source.file.empty() ? context == uri : IncludePath(folder, ToUtf8(source.file)) == document.path;
        const int line = source.line - 1;
        if (!here || line < 0 || line >= static_cast<int>(lines.size())) continue;
        const auto& [kind, detail] = kSymbolKinds[static_cast<int>(named.kind)];
        const json range = Range(line, 0, Utf16Length(lines[line]));
        symbols.push_back({{"name", ToUtf8(named.name)},
                           {"detail", detail},
                           {"kind", kind},
                           {"range", range},
                           {"selectionRange", range}});
    }
    return symbols;
}

json Server::FoldingRange(const json& params) {
    std::string uri;
    const Document& document = Open(params, uri);
    json folds = json::array();
    for (const lang::Fold& fold : lang::Folds(script::SplitViews(document.text.data(), document.text.size())))
        folds.push_back({{"startLine", fold.first}, {"endLine", fold.last}});
    return folds;
}

}  // namespace lsp
