// The requests about a declared name: its uses (references, highlights), renaming it, and the
// names of all open scripts.
#include "compiler/LanguageService.h"
#include "compiler/ScriptText.h"
#include "lsp/Params.h"
#include "lsp/Utf16.h"

#include <wx/filefn.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace lsp {

wxString Server::NameAt(const Place& place, Compiler::Declared& declared, int* start) {
    int from;
    wxString name = lang::WordAt(place.line, place.column, &from);
    if (name.StartsWith("::")) {
        name = name.Mid(2);
        from += 2;
    }
    if (start) *start = from;
    if (name.empty() || !compiler_->FindDeclared({name.wc_str(), name.length()}, &declared)) return wxString();
    return name;
}

std::string Server::IncludeUri(const wxString& file) {
    const Document& script = *documents_.Find(compiled_);
    const std::string uri = documents_.UriOfPath(IncludePath(FolderOf(script.path), ToUtf8(file)));
    return uri.empty() ? UriOfPath(script.folder + static_cast<char>(wxFILE_SEP_PATH) + ToUtf8(file)) : uri;
}

struct Server::Use {
    std::string uri;
    int line;
    size_t from, to;  // UTF-16 columns of the name
    bool declaration;
};

std::vector<Server::Use> Server::UsesOf(const wxString& name, const Compiler::Declared& declared,
                                        const std::string& onlyPath) {
    const Document& script = *documents_.Find(compiled_);
    const std::string folder = FolderOf(script.path);
    const Compiler::LineSource declaredAt = compiler_->SourceOf(declared.line);
    std::vector<wxString> files = {wxString()};
    for (const wxString& file : compiler_->IncludeNames())
        if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    const std::string needle = ToUtf8(name);
    std::vector<Use> uses;
    for (const wxString& file : files) {
        const std::string path = file.empty() ? script.path : IncludePath(folder, ToUtf8(file));
        if (!onlyPath.empty() && path != onlyPath) continue;
        const std::string uri = file.empty() ? compiled_ : IncludeUri(file);
        // An include not open in the client is read as the compiler read it.
        std::string read;
        const Document* open = documents_.FindPath(path);
        if (!open) {
            if (script::ReadFile(FromUtf8(path), read, kMaxIncludeBytes) != script::ReadResult::Ok) continue;
            read = ToUtf8(script::Decode(read));
        }
        const std::string& text = open ? open->text : read;
        if (text.find(needle) == std::string::npos) continue;  // spares splitting most files
        const std::vector<std::string_view> lines = script::SplitViews(text.data(), text.size());
        for (size_t n = 0; n < lines.size(); ++n) {
            if (lines[n].find(needle) == std::string_view::npos) continue;
            const wxString line = FromUtf8(lines[n]);
            const bool declaration = file == declaredAt.file && static_cast<int>(n) == declaredAt.line - 1;
            for (const int column : lang::Uses(line, name)) {
                const size_t from = Utf16Length(ToUtf8(line.Left(column)));
                uses.push_back({uri, static_cast<int>(n), from, from + Utf16Length(needle), declaration});
            }
        }
    }
    return uses;
}

json Server::References(const json& params) {
    const Place place = At(params);
    const auto context = params.find("context");
    const bool declaration =
        context != params.end() && context->is_object() && context->value("includeDeclaration", false);
    Compiler::Declared declared;
    const wxString name = NameAt(place, declared);
    json locations = json::array();
    if (name.empty()) return locations;
    for (const Use& use : UsesOf(name, declared))
        if (declaration || !use.declaration)
            locations.push_back({{"uri", use.uri}, {"range", Range(use.line, use.from, use.to)}});
    return locations;
}

json Server::DocumentHighlight(const json& params) {
    const Place place = At(params);
    Compiler::Declared declared;
    const wxString name = NameAt(place, declared);
    json highlights = json::array();
    if (name.empty()) return highlights;
    // The declaration is where the name is written; its uses read it.
    for (const Use& use : UsesOf(name, declared, documents_.Find(place.uri)->path))
        highlights.push_back({{"range", Range(use.line, use.from, use.to)}, {"kind", use.declaration ? 3 : 2}});
    return highlights;
}

json Server::PrepareRename(const json& params) {
    const Place place = At(params);
    Compiler::Declared declared;
    int start;
    const wxString name = NameAt(place, declared, &start);
    if (name.empty()) return nullptr;
    const size_t from = Utf16Length(ToUtf8(place.line.Left(start)));
    return {{"range", Range(place.lineNumber, from, from + Utf16Length(ToUtf8(name)))}, {"placeholder", ToUtf8(name)}};
}

json Server::Rename(const json& params) {
    const std::string& newName = TextOf(params, "newName", "newName");
    const Place place = At(params);
    Compiler::Declared declared;
    const wxString name = NameAt(place, declared);
    if (name.empty()) throw RequestFailed("Hier steht kein Name, der sich umbenennen lässt");
    wxString wanted = FromUtf8(newName);
    // Clients without prepareRename offer a define's word without its ";": the uses keep it.
    if (declared.kind == Compiler::NameKind::Define && !wanted.StartsWith(";")) wanted = ";" + wanted;
    if (wanted != name) {
        const wxString error = lang::RenameError(*compiler_, declared.kind, wanted);
        if (!error.empty()) throw RequestFailed(ToUtf8(error));
    }
    json changes = json::object();
    for (const Use& use : UsesOf(name, declared))
        changes[use.uri].push_back({{"range", Range(use.line, use.from, use.to)}, {"newText", ToUtf8(wanted)}});
    return {{"changes", changes}};
}

json Server::WorkspaceSymbol(const json& params) {
    const wxString wanted = FromUtf8(TextOf(params, "query", "query")).Lower();
    // Each open script in turn, with its includes; an include two scripts share counts once.
    std::set<std::string> contexts;
    for (const auto& [uri, document] : documents_.All()) contexts.insert(documents_.Context(uri));
    std::set<std::tuple<std::string, int, std::string>> seen;
    json symbols = json::array();
    for (const std::string& context : contexts) {
        Compile(context);
        for (const lang::Named& named : lang::DeclaredNames(*compiler_)) {
            if (!named.name.Lower().Contains(wanted)) continue;
            const Compiler::LineSource source = compiler_->SourceOf(named.line);
            const std::string uri = source.file.empty() ? compiled_ : IncludeUri(source.file);
            const std::string name = ToUtf8(named.name);
            if (!seen.insert({uri, source.line, name}).second) continue;
            const auto& [kind, detail] = kSymbolKinds[static_cast<int>(named.kind)];
            symbols.push_back({{"name", name},
                               {"kind", kind},
                               {"containerName", detail},
                               {"location", {{"uri", uri}, {"range", Range(std::max(source.line - 1, 0), 0, 0)}}}});
        }
    }
    return symbols;
}

}  // namespace lsp
