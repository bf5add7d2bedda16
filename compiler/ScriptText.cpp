#include "compiler/ScriptText.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include <cstdio>
#ifdef __WINDOWS__
#include <windows.h>
#endif

namespace script {
namespace {

bool HasBom(const std::string& bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
           static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. Calls emit for every
// code point; returns false at the first invalid sequence.
template <typename Emit>
bool DecodeUtf8(const std::string& bytes, Emit emit) {
    const size_t n = bytes.size();
    size_t i = HasBom(bytes) ? 3 : 0;
    while (i < n) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            emit(b);
            ++i;
            continue;
        }
        int extra;
        unsigned long cp;
        unsigned long min;
        if ((b & 0xE0) == 0xC0) {
            extra = 1, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, cp = b & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= n) return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        emit(cp);
        i += extra + 1;
    }
    return true;
}

bool IsUtf8(const std::string& bytes) {
    return DecodeUtf8(bytes, [](unsigned long) {});
}

}  // namespace

wxString Decode(const std::string& bytes, TextForm* form) {
    std::wstring text;
    text.reserve(bytes.size());
    if (form) form->bom = HasBom(bytes);
    if (IsUtf8(bytes)) {
        DecodeUtf8(bytes, [&text](unsigned long cp) {
            // A 16-bit wchar_t (Windows) holds the planes above the first as a surrogate pair.
            if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
                cp -= 0x10000;
                text.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
                cp = 0xDC00 + (cp & 0x3FF);
            }
            text.push_back(static_cast<wchar_t>(cp));
        });
        if (form) form->encoding = Encoding::Utf8;
        return wxString(text.data(), text.size());
    }
    // A byte order mark is not text, whatever follows it.
    for (size_t i = HasBom(bytes) ? 3 : 0; i < bytes.size(); ++i)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
    if (form) form->encoding = Encoding::Latin1;
    return wxString(text.data(), text.size());
}

std::string Encode(const wxString& text, TextForm& form) {
    std::string bytes = form.bom ? "\xEF\xBB\xBF" : "";
    if (form.encoding == Encoding::Latin1) {
        bool exact = true;
        for (wxString::const_iterator it = text.begin(); it != text.end() && exact; ++it)
            exact = (*it).GetValue() <= 255;
        if (exact) {
            bytes.reserve(bytes.size() + text.length());
            for (wxString::const_iterator it = text.begin(); it != text.end(); ++it)
                bytes.push_back(static_cast<char>((*it).GetValue()));
            return bytes;
        }
        form.encoding = Encoding::Utf8;
    }
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return bytes.append(utf8.data(), utf8.length());
}

LineEnd UsualLineEnd(const std::string& bytes, LineEnd none) {
    size_t count[3] = {0, 0, 0};
    int first = -1;
    for (size_t i = 0; i < bytes.size(); ++i) {
        int kind;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            kind = static_cast<int>(LineEnd::CrLf), ++i;
        else if (bytes[i] == '\n')
            kind = static_cast<int>(LineEnd::Lf);
        else if (bytes[i] == '\r')
            kind = static_cast<int>(LineEnd::Cr);
        else
            continue;
        if (first < 0) first = kind;
        ++count[kind];
    }
    if (first < 0) return none;
    int best = first;
    for (int k = 0; k < 3; ++k)
        if (count[k] > count[best]) best = k;
    return static_cast<LineEnd>(best);
}

int LineOfNul(const std::string& bytes) {
    const size_t at = bytes.find('\0');
    if (at == std::string::npos) return 0;
    int line = 1;  // counted as SplitViews splits: CR LF, LF or a lone CR
    for (size_t i = 0; i < at; ++i) line += bytes[i] == '\n' || (bytes[i] == '\r' && bytes[i + 1] != '\n');
    return line;
}

namespace {

template <typename Char>
std::vector<std::basic_string_view<Char>> SplitAny(const Char* s, size_t n) {
    std::vector<std::basic_string_view<Char>> lines;
    size_t count = 1;
    for (size_t i = 0; i < n; ++i) count += s[i] == '\n' || s[i] == '\r';
    lines.reserve(count);  // at most this many; a CR LF pair counts twice
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        if (s[i] != '\r' && s[i] != '\n') continue;
        lines.emplace_back(s + start, i - start);
        if (s[i] == '\r' && i + 1 < n && s[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.emplace_back(s + start, n - start);
    return lines;
}

}  // namespace

std::vector<std::wstring_view> SplitViews(const wchar_t* s, size_t n) { return SplitAny(s, n); }
std::vector<std::string_view> SplitViews(const char* s, size_t n) { return SplitAny(s, n); }

std::string ToLatin1(const std::string& bytes, Encoding* used) {
    // Plain ASCII, the usual case, is the same in every one of these encodings.
    bool ascii = true;
    for (unsigned char c : bytes) ascii &= c < 0x80;
    if (ascii) {
        if (used) *used = Encoding::Utf8;
        return bytes;
    }
    const bool utf8 = IsUtf8(bytes);
    if (used) *used = utf8 ? Encoding::Utf8 : Encoding::Latin1;
    if (!utf8) return bytes.substr(HasBom(bytes) ? 3 : 0);
    std::string out;
    out.reserve(bytes.size());
    DecodeUtf8(bytes, [&out](unsigned long cp) { out.push_back(static_cast<char>(cp > 255 ? '?' : cp)); });
    return out;
}

wxArrayString SplitLines(const wxString& text) {
    const std::vector<std::wstring_view> views = SplitViews(text.wc_str(), text.length());
    wxArrayString lines;
    lines.Alloc(views.size());  // wxArrayString grows in small steps, copying every string
    for (std::wstring_view v : views) lines.Add(wxString(v.data(), v.size()));
    return lines;
}

ReadResult ReadFile(const wxString& path, std::string& bytes, size_t maxBytes) {
    if (!wxFileName::FileExists(path)) return ReadResult::Missing;
    wxLogNull quiet;  // the caller reports failures in its own words
    wxFile file;
    if (!file.Open(path, wxFile::read)) return ReadResult::Unreadable;
    const wxFileOffset length = file.Length();
    if (length < 0) return ReadResult::Unreadable;
    if (static_cast<unsigned long long>(length) > maxBytes) return ReadResult::TooLarge;
    bytes.assign(static_cast<size_t>(length), '\0');
    if (length > 0 && file.Read(&bytes[0], bytes.size()) != static_cast<ssize_t>(bytes.size()))
        return ReadResult::Unreadable;
    return ReadResult::Ok;
}

bool WriteFileAtomically(const wxString& path, const std::string& bytes, wxString& reason) {
    wxLogNull quiet;  // the caller reports failures in its own words
    const wxString temporary = path + ".tmp~";
    wxFile file;
    bool written = file.Create(temporary, true, wxS_DEFAULT) &&
                   file.Write(bytes.data(), bytes.size()) == bytes.size() && file.Flush();
    int code = written ? 0 : wxSysErrorCode();
    if (file.IsOpened() && !file.Close() && written) written = false, code = wxSysErrorCode();
#ifdef __WINDOWS__
    const bool moved =
        written && ::MoveFileExW(temporary.wc_str(), path.wc_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    const bool moved = written && std::rename(temporary.fn_str(), path.fn_str()) == 0;
#endif
    if (written && !moved) code = wxSysErrorCode();
    if (moved) return true;
    reason = wxSysErrorMsgStr(code);
    if (wxFileName::FileExists(temporary)) wxRemoveFile(temporary);
    return false;
}

}  // namespace script
