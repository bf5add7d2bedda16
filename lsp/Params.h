// What the server's request handlers share: reading a request's fields with their presence
// and type checked, the errors that answer a request, and positions as the protocol writes them.
#pragma once

#include "compiler/ScriptText.h"
#include "lsp/Server.h"

#include <wx/string.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace lsp {

using script::kMaxIncludeBytes;  // as the compiler allows for an include on disk

inline wxString FromUtf8(std::string_view text) { return wxString::FromUTF8(text.data(), text.size()); }
inline std::string ToUtf8(const wxString& text) { return text.utf8_string(); }

// A request whose parameters do not fit: answered with -32602 and this text.
struct ParamError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// A well-formed request the server cannot carry out (a rename to a clashing name): -32803.
struct RequestFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Every field is read through these: present and of its type, else the request fails naming it.
inline const json& Member(const json& object, const char* key, const std::string& where) {
    if (!object.is_object() || !object.contains(key)) throw ParamError("Parameter " + where + " fehlt");
    return object[key];
}
inline const json& ObjectOf(const json& object, const char* key, const std::string& where) {
    const json& value = Member(object, key, where);
    if (!value.is_object()) throw ParamError("Parameter " + where + " ist kein Objekt");
    return value;
}
inline const std::string& TextOf(const json& object, const char* key, const std::string& where) {
    const json& value = Member(object, key, where);
    if (!value.is_string()) throw ParamError("Parameter " + where + " ist kein Text");
    return value.get_ref<const std::string&>();
}
inline long long NumberOf(const json& object, const char* key, const std::string& where) {
    const json& value = Member(object, key, where);
    if (!value.is_number_integer() || value.get<long long>() < 0)
        throw ParamError("Parameter " + where + " ist keine nicht-negative ganze Zahl");
    return value.get<long long>();
}

inline json Position(int line, size_t character) { return {{"line", line}, {"character", character}}; }
inline json Range(int line, size_t from, size_t to) {
    return {{"start", Position(line, from)}, {"end", Position(line, to)}};
}

// Symbol kinds by name kind: a mark is where code is entered, a define a constant.
inline const std::pair<int, const char*> kSymbolKinds[] = {
    {13, "Variable"}, {15, "String"}, {14, "Define"}, {12, "Marke"}};

// The line under a request's position, as the compiler's tables of its context see it.
struct Server::Place {
    std::string uri;
    wxString line;
    int column;  // in `line`'s characters
    int lineNumber;
};

}  // namespace lsp
