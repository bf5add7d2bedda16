// The language server's open documents: their texts as the editors hold them, and which open
// script includes which, so that an include is checked in its script's context and a change of
// an include re-checks the scripts that include it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace lsp {

// A file URI's path, %XX decoded; false for anything that is not a well-formed file URI.
bool PathOfUri(const std::string& uri, std::string& path);
std::string UriOfPath(const std::string& path);
// A path as one comparable absolute path; `name` as written in an #include of a script in `folder`.
std::string NormalPath(const std::string& path);
std::string IncludePath(const std::string& folder, const std::string& name);
std::string FolderOf(const std::string& path);

struct Document {
    std::string path;                   // normalised, as IncludePath gives it, to compare
    std::string folder;                 // as the URI names it, to name files to the client
    std::string text;                   // UTF-8
    long long version = -1;             // none given
    bool stale = true;                  // its diagnostics are to be published again
    std::vector<std::string> includes;  // the paths its #include lines name
    std::vector<size_t> lineStarts;     // where its first lines begin, as far as a request looked
};

class Documents {
public:
    void Open(const std::string& uri, const std::string& path, std::string text, long long version);
    // The text changed: the document, the scripts including it and the includes it names are
    // to be checked again.
    void Changed(const std::string& uri);
    void Close(const std::string& uri);

    Document* Find(const std::string& uri);
    const Document* FindPath(const std::string& path) const;
    // The URI the client opened a path under; empty when it is not open.
    std::string UriOfPath(const std::string& path) const;
    // The open script this document is checked in: the first open one including it, else itself.
    std::string Context(const std::string& uri) const;
    std::map<std::string, Document>& All() { return documents_; }
    // Raised by every change of any text, so that a compile knows when it is out of date.
    unsigned long Generation() const { return generation_; }

private:
    void MarkRelated(const std::string& uri);
    std::map<std::string, Document> documents_;
    std::map<std::string, std::string> uriOfPath_;
    unsigned long generation_ = 0;
};

}  // namespace lsp
