// Operand readers, error recording and the line normaliser (the image writers are in Emit.cpp).
#include "compiler/Compiler.h"

#include "compiler/CNumber.h"
#include "serial/Comport.h"

#include <climits>
#include <algorithm>
#include <type_traits>
#include <string>
#include <vector>

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsOperator(wchar_t c) {
    switch (c) {
        case L'!':
        case L'%':
        case L'&':
        case L'(':
        case L')':
        case L'*':
        case L'+':
        case L',':
        case L'-':
        case L'/':
        case L':':
        case L'<':
        case L'=':
        case L'>':
        case L'|':
            return true;
        default:
            return false;
    }
}

}  // namespace

bool Compiler::StartsWithDigit(const TokenText& t) { return !t.empty() && IsDigit(t[0]); }

int Compiler::ReadValue(int line, int slot) {
    const TokenText& t = Tok(line, slot);
    if (t.empty()) {
        SetError(line, msg::ParamMissing);
        return 0;
    }
    if (t.length() == 1 && t[0] == L'-') {
        const TokenText u = slot + 1 < kTokenSlots ? Tok(line, slot + 1) : TokenText::Of(0, 0);
        if (u.empty()) {
            SetError(line, msg::ParamMissing);
            return 0;
        }
        if (StartsWithDigit(u)) return cnum::ClampToInt(-cnum::ReadLong(u, 0, u.length(), 10));
        SetError(line, msg::ParamWrong);
        return 0;
    }
    if (StartsWithDigit(t)) {
        if (t.length() >= 2 && t[0] == L'0' && (t[1] == L'x' || t[1] == L'X')) return cnum::Read(t, 2, t.length(), 16);
        if (t.length() >= 2 && t[0] == L'0' && (t[1] == L'b' || t[1] == L'B')) return cnum::Read(t, 2, t.length(), 2);
        return cnum::Read(t, 0, t.length(), 10);
    }
    SetError(line, msg::ParamWrong);
    return 0;
}

void Compiler::SetError(int line, wxString text) {
    if (data.errorCount > 999 || line < 0 || line >= kImageCells) return;
    data.errorText[line] = text;
    ++data.errorCount;
}

void Compiler::ErrorDirect(int line, const wxString& text) {
    if (line < 0 || line >= kImageCells) return;
    data.errorText[line] = text;
    ++data.errorCount;
}

wxString Compiler::ConvertLiteral(const wxString& text) { return Comport::KonvertHex(text); }

void Compiler::Normalise(const char* in, size_t n, std::string& result) {
    // Runs once per line and per define round, so it works in one scratch buffer: filtered
    // text first, then each pass rewrites it in place (no pass writes more characters than
    // it has read, except the define pass, which therefore writes to the result directly).
    if (scratch_.size() < n + 2) scratch_.resize(n + 2);
    char* s = scratch_.data();

    // Steps 1-3: drop CR/LF, tabs to blanks, cut at "//".
    size_t len = 0;
    for (size_t i = 0; i < n; ++i) {
        unsigned long c = static_cast<unsigned char>(in[i]);
        if (c == '\r' || c == '\n') continue;
        if (c == '\t') c = ' ';
        if (c == '/' && len > 0 && s[len - 1] == '/') {
            --len;
            break;
        }
        s[len++] = static_cast<char>(c);
    }

    // First pass: leading blanks go, the first blank after the first word becomes 0x04.
    size_t out = 0;
    int state = 0;
    for (size_t i = 0; i < len; ++i) {
        const char c = s[i];
        if (c != ' ') {
            s[out++] = c;
            if (state == 0) state = 1;
        } else if (state == 1) {
            s[out++] = '\x04';
            state = 2;
        } else if (state == 2) {
            s[out++] = c;
        }
    }
    len = out;

    static const char kDefine[] = "#define";
    if (std::search(s, s + len, kDefine, kDefine + 7) != s + len) {
        // Second pass for a define: name, then 0x03 and one blank, then the value as written.
        // The first blank after the name turns into two characters, so this pass copies.
        result.clear();
        result.reserve(len + 1);
        state = 0;
        for (size_t i = 0; i < len; ++i) {
            const char c = s[i];
            if (c != ' ') {
                result.push_back(c);
                if (i >= 8 && state == 0) state = 1;
            } else if (state == 1) {
                result.push_back('\x03');
                result.push_back(' ');
                state = 2;
            } else if (state == 2) {
                result.push_back(c);
            }
        }
        return;
    }
    // Second pass: blanks survive only between double quotes.
    bool quoted = false;
    out = 0;
    for (size_t i = 0; i < len; ++i) {
        const char c = s[i];
        if (c == '"') quoted = !quoted;
        if (c != ' ' || quoted) s[out++] = c;
    }
    result.assign(s, out);
}

void Compiler::Tokenize(int line) {
    TokenText* slot = data.token[line];
    for (int k = 0; k < kTokenSlots; ++k) slot[k].clear();
    const std::string_view text = LineText(line);
    if (refused_[line] || text.empty() || text[0] == '#') return;

    // A token is always a contiguous run of the line, so it is kept as a place in the store.
    const uint32_t base = lines_[line].offset;
    const char* chars = text.data();
    const size_t n = text.size();
    int k = 0;
    bool quoted = false;
    bool overflow = false;
    size_t begin = 0, end = 0;
    // Stores a token; a non-empty one beyond the 16 slots refuses the line.
    auto store = [&](size_t at, size_t length) {
        if (k < kTokenSlots)
            slot[k] = TokenText::Of(base + static_cast<uint32_t>(at), length);
        else if (length > 0)
            overflow = true;
        ++k;
    };
    auto storeCurrent = [&] { store(begin, end - begin); };
    for (size_t i = 0; i < n && !overflow; ++i) {
        const wchar_t c = static_cast<unsigned char>(chars[i]);
        if (c == L'\x04') {
            storeCurrent();
            begin = end = i + 1;
        } else if (c == L'"' && !quoted) {
            store(i, 1);
            begin = end = i + 1;
            quoted = true;
        } else if (c == L'"') {
            storeCurrent();
            store(i, 1);
            begin = end = i + 1;
            quoted = false;
        } else if (quoted || !IsOperator(c)) {
            if (begin == end) begin = i;
            end = i + 1;
        } else {
            if (end > begin) storeCurrent();
            store(i, 1);
            begin = end = i + 1;
        }
    }
    if (!overflow) storeCurrent();
    if (overflow) {
        for (int j = 0; j < kTokenSlots; ++j) slot[j].clear();
        refused_[line] = 1;
        ErrorDirect(line, msg::TooManyTokens);
    }
}
