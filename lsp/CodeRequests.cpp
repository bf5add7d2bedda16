// The requests about a script's code: the call tip while operands are typed, quick fixes for the
// server's own diagnostics, the colours only a compile knows, and the include files as links.
#include "compiler/LanguageService.h"
#include "compiler/ScriptText.h"
#include "compiler/commands/CommandSyntax.h"
#include "lsp/Params.h"
#include "lsp/Utf16.h"

#include <wx/filefn.h>

#include <algorithm>
#include <map>

namespace lsp {

json Server::SignatureHelp(const json& params) {
    const Place place = At(params, false);  // the syntax rows only: no compile
    wxString typed = place.line.Left(place.column);
    typed.Trim(false);
    // As the editor's call tip: a command word at the line's start, followed by a blank.
    const wxString word = typed.BeforeFirst(' ');
    const CommandSyntax* row = FindCommandSyntax({word.wc_str(), word.length()});
    if (!row || typed.Find(' ') == wxNOT_FOUND) return nullptr;
    const wxString tip(SyntaxTip(*row));
    const wxString label = tip.BeforeFirst('\n');
    // The operand being typed: its place among the blank-separated words after the command,
    // matched to the syntax's words, whose upper-case ones are the operands.
    const wxString operands = typed.AfterFirst(' ');
    const int done = static_cast<int>(wxSplit(wxString(operands).Trim(), ' ', 0).size()) -
                     (operands.empty() || operands.EndsWith(" ") ? 0 : 1);
    json parameters = json::array();
    int active = 0, index = 0, from = static_cast<int>(word.length()) + 1;
    for (const wxString& part : wxSplit(label.AfterFirst(' '), ' ', 0)) {
        if (part.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != wxString::npos) {
            if (index <= done && !parameters.empty()) ++active;
            const size_t at = Utf16Length(ToUtf8(label.Left(from)));
            parameters.push_back({{"label", {at, at + Utf16Length(ToUtf8(part))}}});
        }
        ++index;
        from += static_cast<int>(part.length()) + 1;
    }
    active = std::min(active, std::max(0, static_cast<int>(parameters.size()) - 1));
    json signature = {{"label", ToUtf8(label)}, {"parameters", parameters}};
    if (tip.Find('\n') != wxNOT_FOUND) signature["documentation"] = ToUtf8(tip.AfterFirst('\n'));
    return {{"signatures", {signature}}, {"activeSignature", 0}, {"activeParameter", active}};
}

json Server::CodeAction(const json& params) {
    std::string uri;
    const Document& document = Open(params, uri);
    const json& reported = Member(ObjectOf(params, "context", "context"), "diagnostics", "context.diagnostics");
    if (!reported.is_array()) throw ParamError("Parameter context.diagnostics ist keine Liste");
    Compile(uri);
    const std::vector<std::string_view> lines = script::SplitViews(document.text.data(), document.text.size());
    std::vector<wxString> commands, names;
    for (size_t i = 0; i < kCommandSyntaxRows; ++i)
        if (kCommandSyntax[i].word[0] != '#') commands.push_back(kCommandSyntax[i].word);
    for (const lang::Named& named : lang::DeclaredNames(*compiler_)) names.push_back(named.name);
    // The end word a block that is left open lacks, by the message that says so.
    static const std::map<std::string, const char*> endWords = {{"BalanceIf", "endif"},
                                                                {"BalanceCount", "endcount"},
                                                                {"BalancePress", "endpress"},
                                                                {"BalancePush", "endpush"},
                                                                {"BalanceRelease", "endrelease"}};
    json actions = json::array();
    for (const json& diagnostic : reported) {
        // Only the server's own diagnostics, by their code: a fix is offered where it is certain.
        if (!diagnostic.is_object() || !diagnostic.contains("code") || !diagnostic["code"].is_string()) continue;
        const std::string& code = diagnostic["code"].get_ref<const std::string&>();
        const long long n =
            NumberOf(ObjectOf(ObjectOf(diagnostic, "range", "diagnostic.range"), "start", "diagnostic.range.start"),
                     "line", "diagnostic.range.start.line");
        if (n >= static_cast<long long>(lines.size())) continue;
        const int line = static_cast<int>(n);
        const wxString text = FromUtf8(lines[line]);
        wxString replacement, title;
        int from = 0, to = 0;
        json range;
        if (code == "LineError") {
            from = static_cast<int>(text.length() - wxString(text).Trim(false).length());
            const wxString word = lang::WordAt(text, from);
            to = from + static_cast<int>(word.length());
            if (!word.empty() && !FindCommandSyntax({word.wc_str(), word.length()}))
                replacement = lang::Nearest(word, commands);
        } else if (code.find("Undefined") != std::string::npos &&
                   lang::UndeclaredOperand(*compiler_, text, &from, &to)) {
            replacement = lang::Nearest(text.Mid(from, to - from), names);
        } else if (endWords.count(code)) {
            // At the script's end, where every block still open ends.
            const int last = static_cast<int>(lines.size()) - 1;
            const size_t end = Utf16Length(lines[last]);
            range = Range(last, end, end);
            replacement = wxString(end ? "\n" : "") + endWords.at(code) + "\n";
            title = wxString::FromUTF8("„") + endWords.at(code) + wxString::FromUTF8("“ am Ende anfügen");
        }
        if (replacement.empty()) continue;
        if (range.is_null()) {
            range = Range(line, Utf16Length(ToUtf8(text.Left(from))), Utf16Length(ToUtf8(text.Left(to))));
            title = wxString::FromUTF8("„") + replacement + wxString::FromUTF8("“ statt „") +
                    text.Mid(from, to - from) + wxString::FromUTF8("“");
        }
        json edit = {{"changes", {{uri, {{{"range", range}, {"newText", ToUtf8(replacement)}}}}}}};
        actions.push_back({{"title", ToUtf8(title)},
                           {"kind", "quickfix"},
                           {"diagnostics", {diagnostic}},
                           {"isPreferred", true},
                           {"edit", edit}});
    }
    return actions;
}

json Server::SemanticTokens(const json& params) {
    std::string uri;
    const Document& document = Open(params, uri);
    Compile(uri);
    // Five numbers a token: line and start relative to the token before, length, type, modifiers.
    json data = json::array();
    int lastLine = 0;
    size_t lastStart = 0;
    const std::vector<std::string_view> lines = script::SplitViews(document.text.data(), document.text.size());
    for (size_t n = 0; n < lines.size(); ++n) {
        const wxString line = FromUtf8(lines[n]);
        for (const lang::Token& token : lang::Tokens(*compiler_, line)) {
            const size_t start = Utf16Length(ToUtf8(line.Left(token.from)));
            const size_t end = Utf16Length(ToUtf8(line.Left(token.to)));
            const int lineNumber = static_cast<int>(n);
            data.insert(data.end(), {lineNumber - lastLine, lineNumber == lastLine ? start - lastStart : start,
                                     end - start, static_cast<int>(token.kind), 0});
            lastLine = lineNumber;
            lastStart = start;
        }
    }
    return {{"data", data}};
}

// Each #include's file name as a link to the file, as the compiler finds it: the name between
// the line's first and last quote, in the folder of the script it is checked in.
json Server::DocumentLink(const json& params) {
    std::string uri;
    const Document& document = Open(params, uri);
    const std::string folder = documents_.Find(documents_.Context(uri))->folder;
    json links = json::array();
    const std::vector<std::string_view> lines = script::SplitViews(document.text.data(), document.text.size());
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        const size_t word = line.find_first_not_of(" \t");
        if (word == std::string_view::npos || line.compare(word, 8, "#include") != 0) continue;
        const size_t first = line.find('"'), last = line.rfind('"');
        if (first == std::string_view::npos || last <= first + 1) continue;
        const std::string name(line.substr(first + 1, last - first - 1));
        links.push_back({{"range", Range(static_cast<int>(n), Utf16Length(line.substr(0, first + 1)),
                                         Utf16Length(line.substr(0, last)))},
                         {"target", UriOfPath(folder + static_cast<char>(wxFILE_SEP_PATH) + name)}});
    }
    return links;
}

}  // namespace lsp
