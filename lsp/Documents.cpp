#include "lsp/Documents.h"

#include <wx/filename.h>

#include <cstring>

namespace lsp {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text.data(), text.size()); }

// The names of the #include lines, as the compiler reads them: between the first and last quote.
std::vector<std::string> IncludeNames(const std::string& text) {
    std::vector<std::string> names;
    for (size_t at = text.find("#include"); at != std::string::npos; at = text.find("#include", at + 8)) {
        const size_t begin = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(begin, end - begin);
        const size_t first = line.find('"'), last = line.rfind('"');
        if (first != std::string::npos && last > first + 1) names.push_back(line.substr(first + 1, last - first - 1));
    }
    return names;
}

}  // namespace

bool PathOfUri(const std::string& uri, std::string& path) {
    if (uri.compare(0, 7, "file://") != 0) return false;
    path.clear();
    for (size_t i = 7; i < uri.size(); ++i) {
        if (uri[i] != '%') {
            path += uri[i];
            continue;
        }
        const int high = i + 2 < uri.size() ? HexValue(uri[i + 1]) : -1;
        const int low = high < 0 ? -1 : HexValue(uri[i + 2]);
        if (low < 0 || (high == 0 && low == 0)) return false;  // no %zz, no NUL in a path
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
#ifdef __WINDOWS__
    if (path.size() > 2 && path[0] == '/' && path[2] == ':') path.erase(0, 1);  // /C:/...
#endif
    return !path.empty() && wxString::FromUTF8(path.data(), path.size()).length() > 0;
}

std::string UriOfPath(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string uri = "file://";
#ifdef __WINDOWS__
    uri += '/';
#endif
    for (unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-._~:", c)) {
            uri += static_cast<char>(c);
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

std::string NormalPath(const std::string& path) {
    wxFileName file(FromUtf8(path));
    file.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE | wxPATH_NORM_CASE);
    return file.GetFullPath().utf8_string();
}

std::string IncludePath(const std::string& folder, const std::string& name) {
    return NormalPath(folder + static_cast<char>(wxFILE_SEP_PATH) + name);
}

std::string FolderOf(const std::string& path) { return wxFileName(FromUtf8(path)).GetPath().utf8_string(); }

void Documents::Open(const std::string& uri, const std::string& path, std::string text, long long version) {
    Close(uri);
    Document& d = documents_[uri];
    d.path = NormalPath(path);
    d.folder = FolderOf(path);
    d.text = std::move(text);
    d.version = version;
    uriOfPath_[d.path] = uri;
    Changed(uri);
}

void Documents::Changed(const std::string& uri) {
    Document* d = Find(uri);
    if (!d) return;
    ++generation_;
    d->stale = true;
    d->includes.clear();
    const std::string folder = FolderOf(d->path);
    for (const std::string& name : IncludeNames(d->text)) d->includes.push_back(IncludePath(folder, name));
    MarkRelated(uri);
}

void Documents::MarkRelated(const std::string& uri) {
    const Document& changed = documents_.at(uri);
    for (auto& [other, d] : documents_) {
        bool related = false;
        for (const std::string& p : d.includes) related = related || p == changed.path;
        for (const std::string& p : changed.includes) related = related || p == d.path;
        if (related) d.stale = true;
    }
}

void Documents::Close(const std::string& uri) {
    auto found = documents_.find(uri);
    if (found == documents_.end()) return;
    ++generation_;
    MarkRelated(uri);  // they read the file from disk again
    uriOfPath_.erase(found->second.path);
    documents_.erase(found);
}

Document* Documents::Find(const std::string& uri) {
    auto found = documents_.find(uri);
    return found == documents_.end() ? nullptr : &found->second;
}

const Document* Documents::FindPath(const std::string& path) const {
    auto found = uriOfPath_.find(path);
    return found == uriOfPath_.end() ? nullptr : &documents_.at(found->second);
}

std::string Documents::UriOfPath(const std::string& path) const {
    auto found = uriOfPath_.find(path);
    return found == uriOfPath_.end() ? std::string() : found->second;
}

std::string Documents::Context(const std::string& uri) const {
    auto self = documents_.find(uri);
    if (self == documents_.end()) return uri;
    for (const auto& [other, d] : documents_)
        for (const std::string& p : d.includes)
            if (other != uri && p == self->second.path) return other;
    return uri;
}

}  // namespace lsp
